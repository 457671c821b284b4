#pragma once
#include <windows.h>

#include <vector>

// The application side of the framework as the framework tests supply it:
// the window hook records what reaches it and passes it to the framework's
// default procedure.
struct TestHooks {
    std::vector<UINT> forwarded;
    BOOL prepareDialogClassesAnswer = FALSE;
    int prepareDialogClassesCalls = 0;

    bool WasForwarded(UINT message) const;
    static TestHooks& Get();
};
