// The order in which the recordings of a folder play: by name, or shuffled
// anew at each start and each repeat, never starting with the recording that
// came first (or last) before. Each screen keeps its own place in the list.
// Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

class Playlist {
  public:
    static constexpr size_t kEnd = static_cast<size_t>(-1);

    // Takes the folder's recording names in name order, or shuffled so that
    // the first is not `avoidFirst` when there are two or more.
    void Arrange(std::vector<std::string> names, bool shuffle, const std::string& avoidFirst,
                 uint32_t seed);

    size_t Size() const { return names.size(); }
    const std::string& At(size_t position) const { return names[position]; }

    // The place after `position`: the next name, or, past the last when
    // repeating, the first again (after a new shuffle that does not start
    // with the name just played); kEnd when the list is done.
    size_t Next(size_t position, bool repeat);

  private:
    void Shuffle(const std::string& avoidFirst);

    std::vector<std::string> names;
    bool shuffled = false;
    std::mt19937 random;
};
