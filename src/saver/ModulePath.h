#pragma once
#include <cstddef>

// A path of at most 259 characters: by default the program's own file name.
class ModulePath {
  public:
    ModulePath();
    explicit ModulePath(const char* path);

    const char* Path() const { return path; }
    // Everything before the last backslash, with the backslash when asked;
    // empty when the path holds none. The buffer takes at least 260 bytes.
    void Directory(char* buffer, bool withTrailingBackslash) const;

  private:
    char path[260] = {};
};
