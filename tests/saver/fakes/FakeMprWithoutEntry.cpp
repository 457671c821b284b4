// Stand-in for an MPR.DLL that lacks the password change entry.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI NotThePasswordChange() {
    return 0;
}
