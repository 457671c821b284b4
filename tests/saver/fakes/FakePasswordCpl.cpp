// Stand-in for the Windows 9x PASSWORD.CPL, which the framework tests load and
// release; its prompt always refuses.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND) {
    return FALSE;
}
