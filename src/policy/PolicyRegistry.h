#pragma once
#include "policy/SettingsPolicy.h"

// The saver's policy as the registry holds it: the values of
// HKEY_LOCAL_MACHINE, then of HKEY_CURRENT_USER, under
// Software\Policies\Quorvane\Screen Saver. A key that cannot be read adds an
// empty level.
SettingsPolicy ReadSettingsPolicy();
