#include "saver/SaverFramework.h"

#include "saver/LibraryFunction.h"

namespace {
using ChangePasswordFunction = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD reserved1,
                                              DWORD reserved2);

bool PasswordRequested() {
    HKEY desktop = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) != ERROR_SUCCESS)
        return false;
    DWORD value = 0, size = sizeof value;
    bool requested = RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
                     value != 0;
    RegCloseKey(desktop);
    return requested;
}
}  // namespace

void LoadPasswordVerifier() {
    if (!saverState.onWin9x)
        return;
    UnloadPasswordVerifier();
    if (!PasswordRequested())
        return;
    saverState.passwordLibrary = LoadLibraryA("PASSWORD.CPL");
    if (!saverState.passwordLibrary)
        return;
    saverState.verifyPassword =
        LibraryFunction<VerifyPasswordFunction>(saverState.passwordLibrary, "VerifyScreenSavePwd");
    if (saverState.verifyPassword) {
        SetSaverRunning(TRUE);
    } else {
        FreeLibrary(saverState.passwordLibrary);
        saverState.passwordLibrary = nullptr;
    }
}

void UnloadPasswordVerifier() {
    if (!saverState.onWin9x || !saverState.passwordLibrary)
        return;
    FreeLibrary(saverState.passwordLibrary);
    saverState.passwordLibrary = nullptr;
    if (saverState.verifyPassword) {
        saverState.verifyPassword = nullptr;
        SetSaverRunning(FALSE);
    }
}

void SetSaverRunning(BOOL running) {
    if (!saverState.onWin9x)
        return;
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(running), &previous, 0);
}

void ChangeSaverPassword(HWND owner) {
    HMODULE provider = LoadLibraryA("MPR.DLL");
    if (!provider)
        return;
    auto change = LibraryFunction<ChangePasswordFunction>(provider, "PwdChangePasswordA");
    if (change)
        change("SCRSAVE", owner, 0, 0);
    FreeLibrary(provider);
}
