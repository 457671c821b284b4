#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

// The shell's folder browser, starting at a given folder.
class CFolderDialog {
  public:
    CFolderDialog(const std::string& title, const std::string& initialFolder, HWND parent);

    // IDOK when a folder of the file system was chosen, IDCANCEL otherwise.
    INT_PTR DoModal();
    const std::string& GetFolderPath() const { return folderPath; }

  private:
    static int CALLBACK OnEvent(HWND dialog, UINT message, LPARAM, LPARAM self);

    std::string title;
    std::string initialFolder;
    PIDLIST_ABSOLUTE initialItem = nullptr;  // while the browser runs
    HWND parent;
    std::string folderPath;
};
