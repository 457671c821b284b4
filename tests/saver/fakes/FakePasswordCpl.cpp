// Stand-in for the Windows 9x PASSWORD.CPL: counts its prompts, refuses
// until the prompt numbered "GrantFromCall", and while refusing leaves two
// close requests queued as if the user had kept pressing keys meanwhile.
#include "FakeRecord.h"

#include "e2e/Registry.h"

#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
    DWORD calls = e2e::ReadDword(QV_FAKE_RECORD_KEY, "VerifyCalls").value_or(0) + 1;
    e2e::WriteDword(QV_FAKE_RECORD_KEY, "VerifyCalls", calls);
    if (calls >= e2e::ReadDword(QV_FAKE_RECORD_KEY, "GrantFromCall").value_or(1))
        return TRUE;
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    return FALSE;
}
