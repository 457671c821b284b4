#include "e2e/SystemDpi.h"

#include "e2e/Registry.h"

namespace e2e {

namespace {
// Where the desktop and Wine's font setup read the DPI from.
const char* const dpiKeys[2] = {"Control Panel\\Desktop", "Software\\Wine\\Fonts"};
const char dpiValue[] = "LogPixels";
}  // namespace

SystemDpi::SystemDpi(DWORD dpi) {
    for (int i = 0; i < 2; ++i) {
        before[i] = ReadDword(dpiKeys[i], dpiValue);
        WriteDword(dpiKeys[i], dpiValue, dpi);
    }
}

SystemDpi::~SystemDpi() {
    for (int i = 0; i < 2; ++i) {
        if (before[i]) {
            WriteDword(dpiKeys[i], dpiValue, *before[i]);
            continue;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, dpiKeys[i], 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, dpiValue);
            RegCloseKey(key);
        }
    }
}

}  // namespace e2e
