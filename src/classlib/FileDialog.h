#pragma once
#include <windows.h>

#include <string>

// The system's open-file dialog, or its save-file dialog when a default
// extension (without the dot) is given. The filter is written as pairs of
// "description|pattern|", the whole ending with "|"; the first pair is
// selected initially.
class CFileDialog {
  public:
    CFileDialog(const std::string& initialFileName, DWORD flags, const std::string& filter,
                HWND parent, const std::string& saveExtension = "");

    // IDOK when a file was chosen, IDCANCEL otherwise.
    INT_PTR DoModal();
    const std::string& GetPathName() const { return pathName; }

    // The filter with every "|" replaced by the zero the system expects.
    static std::string SystemFilter(const std::string& filter);

  private:
    std::string initialFileName;
    DWORD flags;
    std::string filter;
    HWND parent;
    std::string saveExtension;
    std::string pathName;
};
