#pragma once
#include "upgrade/VersionStrings.h"

#include <windows.h>

#include <string>
#include <vector>

// Reads the version resource of a module, by default the program's own file.
// Calling order: Open, then Fill, then Close (the destructor closes too).
class VersionInfo {
  public:
    VersionInfo() = default;
    ~VersionInfo();
    VersionInfo(const VersionInfo&) = delete;
    VersionInfo& operator=(const VersionInfo&) = delete;

    // path null: the program's own file.
    bool Open(const char* path = nullptr);
    // A string value of the resource; translation 0 means the first one found by Open.
    std::string QueryString(const char* name, unsigned translation = 0) const;
    bool Fill(VersionStrings& strings) const;
    void Close();

  private:
    HMODULE module = nullptr;
    std::vector<char> block;
    unsigned translation = 0;  // language << 16 | code page
};
