#include "saver/Playlist.h"

#include <algorithm>
#include <utility>

#include "saver/NaturalOrder.h"

void Playlist::Arrange(std::vector<std::string> list, bool shuffle, const std::string& avoidFirst,
                       uint32_t seed) {
    names = std::move(list);
    std::sort(names.begin(), names.end(), NaturalLess);
    shuffled = shuffle;
    random.seed(seed);
    if (shuffled)
        Shuffle(avoidFirst);
}

void Playlist::Shuffle(const std::string& avoidFirst) {
    std::shuffle(names.begin(), names.end(), random);
    if (names.size() < 2 || names.front() != avoidFirst)
        return;
    // Another name goes first, chosen as evenly as the shuffle chose.
    const size_t other = 1 + std::uniform_int_distribution<size_t>(0, names.size() - 2)(random);
    std::swap(names.front(), names[other]);
}

size_t Playlist::Next(size_t position, bool repeat) {
    if (names.empty() || position == kEnd)
        return kEnd;
    if (position + 1 < names.size())
        return position + 1;
    if (!repeat)
        return kEnd;
    if (shuffled) {
        const std::string last = names[position];
        Shuffle(last);
    }
    return 0;
}
