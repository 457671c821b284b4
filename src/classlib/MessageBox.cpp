#include "classlib/MessageBox.h"

#include <vector>

std::string LoadResourceString(UINT id) {
    std::vector<char> text(4096, '\0');
    int length =
        LoadStringA(GetModuleHandleA(nullptr), id, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), length > 0 ? length : 0);
}

int ShowResourceMessage(HWND owner, UINT textId, const std::string& caption, UINT type) {
    return MessageBoxA(owner, LoadResourceString(textId).c_str(), caption.c_str(), type);
}
