#include "saver/SaverFramework.h"

SaverFrameworkState saverState;
