#include "upgrade/ShellOpen.h"

#include <shellapi.h>

bool ShellOpen(const char* file, const char* verb, DWORD) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.lpVerb = verb;
    info.lpFile = file;
    info.nShow = 0;
    return ShellExecuteExA(&info) != FALSE;
}
