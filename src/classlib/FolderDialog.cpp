#include "classlib/FolderDialog.h"

#include <shlobj.h>

CFolderDialog::CFolderDialog(const std::string& title, const std::string& initialFolder,
                             HWND parent)
    : title(title), initialFolder(initialFolder), parent(parent) {}

int CALLBACK CFolderDialog::OnEvent(HWND dialog, UINT message, LPARAM, LPARAM self) {
    const auto* chooser = reinterpret_cast<const CFolderDialog*>(self);
    if (message == BFFM_INITIALIZED && chooser->initialItem)
        SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE,
                     reinterpret_cast<LPARAM>(chooser->initialItem));
    return 0;
}

INT_PTR CFolderDialog::DoModal() {
    initialItem = initialFolder.empty() ? nullptr : ILCreateFromPathA(initialFolder.c_str());
    char displayName[MAX_PATH] = {};
    BROWSEINFOA request = {};
    request.hwndOwner = parent;
    request.pszDisplayName = displayName;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = OnEvent;
    request.lParam = reinterpret_cast<LPARAM>(this);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&request);
    ILFree(initialItem);
    initialItem = nullptr;
    if (!chosen)
        return IDCANCEL;
    char path[MAX_PATH] = {};
    const bool inFileSystem = SHGetPathFromIDListA(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!inFileSystem)
        return IDCANCEL;
    folderPath = path;
    return IDOK;
}
