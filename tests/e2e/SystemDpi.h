#pragma once
#include <windows.h>

#include <optional>

namespace e2e {

// The system DPI of programs started while it lives (a program takes it when
// it starts); the values it replaced come back when it goes.
class SystemDpi {
  public:
    explicit SystemDpi(DWORD dpi);
    ~SystemDpi();
    SystemDpi(const SystemDpi&) = delete;
    SystemDpi& operator=(const SystemDpi&) = delete;

  private:
    std::optional<DWORD> before[2];
};

}  // namespace e2e
