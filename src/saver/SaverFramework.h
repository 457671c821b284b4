#pragma once
// The screen-saver framework: process entry and command-line modes, the saver
// window and the rules that end it, and the Windows 9x password facilities.
// The application supplies SaverWindowHook, ConfigDialogHook and
// PrepareDialogClasses.
#include <windows.h>
#include <imm.h>

using VerifyPasswordFunction = BOOL(WINAPI*)(HWND window);
using AssociateContextFunction = HIMC(WINAPI*)(HWND window, HIMC context);

// The framework's process-wide state; there is one saver per process.
struct SaverFrameworkState {
    HINSTANCE mainInstance = nullptr;
    HWND mainWindow = nullptr;
    int onWin9x = 0;
    int previewMode = 0;
    int closing = 0;           // a close of the saver window has been granted
    int checkingPassword = 0;  // a password prompt is on screen
    HMODULE passwordLibrary = nullptr;
    VerifyPasswordFunction verifyPassword = nullptr;
    UINT autoPlayQueryMessage = 0;
    POINT lastMousePos = {0, 0};           // reference point of the wake threshold
    DWORD mouseWakeThreshold = 4;          // cursor travel that must be exceeded to dismiss
    DWORD lastPasswordCheck = 0xFFFFFFFF;  // when the last prompt ended; none yet
    HMODULE imeLibrary = nullptr;
    AssociateContextFunction associateContext = nullptr;
    HIMC detachedContext = nullptr;
};

extern SaverFrameworkState saverState;

// The message the framework sends its own window to ask for the password;
// non-zero answers allow the close.
const UINT WM_VERIFY_PASSWORD = WM_APP;

// Entry and modes
[[noreturn]] void SaverStartup();
const char* CommandTail(const char* commandLine);
int SaverMain(HINSTANCE instance, HINSTANCE previousInstance, const char* commandTail,
              int showCommand);
HWND ParseWindowHandle(const char* text);
int RunSaverWindow(HWND parent);
int ShowConfigDialog(HWND parent);

// Windows 9x password facilities
void ChangeSaverPassword(HWND owner);
void LoadPasswordVerifier();
void UnloadPasswordVerifier();
void SetSaverRunning(BOOL running);

// The saver window
LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefSaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL VerifySaverPassword(HWND window);

// Supplied by the application
LRESULT SaverWindowHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ConfigDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PrepareDialogClasses(HINSTANCE instance);
