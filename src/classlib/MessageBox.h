#pragma once
#include <windows.h>

#include <string>

// Text of a string resource of the program; empty when there is none.
std::string LoadResourceString(UINT id);

// A message box whose text is a string resource of the program.
int ShowResourceMessage(HWND owner, UINT textId, const std::string& caption, UINT type);
