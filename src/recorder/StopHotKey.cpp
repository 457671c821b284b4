#include "recorder/StopHotKey.h"

namespace {
const int kHotKeyId = 1;

struct Choice {
    UINT modifiers, key;
    const char* name;
};
const Choice kChoices[] = {
    {MOD_CONTROL | MOD_SHIFT, VK_F9, "Ctrl+Shift+F9"},
    {MOD_CONTROL | MOD_SHIFT, VK_F10, "Ctrl+Shift+F10"},
    {MOD_CONTROL | MOD_SHIFT, VK_F11, "Ctrl+Shift+F11"},
    {MOD_CONTROL | MOD_ALT, VK_F9, "Ctrl+Alt+F9"},
};
}  // namespace

bool StopHotKey::Register(HWND window) {
    Unregister();
    for (const Choice& c : kChoices) {
        if (RegisterHotKey(window, kHotKeyId, c.modifiers | MOD_NOREPEAT, c.key)) {
            window_ = window;
            name_ = c.name;
            return true;
        }
    }
    return false;
}

void StopHotKey::Unregister() {
    if (window_)
        UnregisterHotKey(window_, kHotKeyId);
    window_ = nullptr;
    name_.clear();
}
