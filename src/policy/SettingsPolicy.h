// What administrators fix of the saver's settings: values under
// Software\Policies\Quorvane\Screen Saver, of the computer first, then of the
// user, override the user's own settings. Their names are those of the
// settings key, plus "Upgrade check" (0: the saver never contacts the web
// site). A value counts when it reads as the settings key's values read,
// whatever its stored type: a text of at most 259 bytes with its terminating
// zero, a number of exactly four bytes; a value that does not read leaves the
// setting to the next level. Names are compared as the registry compares
// them, without regard to case. Platform-free; PolicyRegistry.h reads it.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class SettingsPolicy {
  public:
    using Values = std::map<std::string, std::vector<uint8_t>>;  // name → stored bytes

    // Adds the values of one Policies key, below those added before.
    void AddLevel(const Values& values);

    // The fixed text or number, when a level fixes one.
    std::optional<std::string> Text(const std::string& name) const;
    std::optional<uint32_t> Number(const std::string& name) const;
    // False when "Upgrade check" is fixed at 0.
    bool AllowsUpgradeCheck() const;

  private:
    std::vector<Values> levels;
};
