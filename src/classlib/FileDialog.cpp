#include "classlib/FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

CFileDialog::CFileDialog(const std::string& initialFileName, DWORD flags, const std::string& filter,
                         HWND parent, const std::string& saveExtension)
    : initialFileName(initialFileName),
      flags(flags),
      filter(filter),
      parent(parent),
      saveExtension(saveExtension) {}

std::string CFileDialog::SystemFilter(const std::string& filter) {
    std::string converted = filter;
    std::replace(converted.begin(), converted.end(), '|', '\0');
    return converted;
}

INT_PTR CFileDialog::DoModal() {
    std::vector<char> file(MAX_PATH, '\0');
    initialFileName.copy(file.data(), file.size() - 1);
    std::string systemFilter = SystemFilter(filter);

    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = parent;
    request.lpstrFilter = systemFilter.empty() ? nullptr : systemFilter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.Flags = flags | OFN_EXPLORER;
    request.lpstrDefExt = saveExtension.empty() ? nullptr : saveExtension.c_str();
    if (!(saveExtension.empty() ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request)))
        return IDCANCEL;
    pathName = file.data();
    return IDOK;
}
