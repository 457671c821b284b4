// Stand-in for the Windows 9x MPR.DLL: records the password change request.
#include "FakeRecord.h"

#include "e2e/Registry.h"

#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD, DWORD) {
    e2e::WriteString(QV_FAKE_RECORD_KEY, "ChangeProvider", provider ? provider : "");
    e2e::WriteString(QV_FAKE_RECORD_KEY, "ChangeOwner",
                     std::to_string(reinterpret_cast<uintptr_t>(owner)));
    return 0;
}
