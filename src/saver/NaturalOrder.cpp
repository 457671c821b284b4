#include "saver/NaturalOrder.h"

#include <cctype>

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

char Folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Compares the digit runs starting at i and j, and moves past them: by value
// (leading zeros aside), then the one with fewer leading zeros first.
int CompareNumbers(const std::string& a, size_t& i, const std::string& b, size_t& j) {
    const size_t startA = i, startB = j;
    while (i < a.size() && a[i] == '0')
        ++i;
    while (j < b.size() && b[j] == '0')
        ++j;
    const size_t digitsA = i, digitsB = j;
    while (i < a.size() && IsDigit(a[i]))
        ++i;
    while (j < b.size() && IsDigit(b[j]))
        ++j;
    const size_t lengthA = i - digitsA, lengthB = j - digitsB;
    if (lengthA != lengthB)
        return lengthA < lengthB ? -1 : 1;
    const int byValue = a.compare(digitsA, lengthA, b, digitsB, lengthB);
    if (byValue != 0)
        return byValue;
    const size_t zerosA = digitsA - startA, zerosB = digitsB - startB;
    return zerosA == zerosB ? 0 : zerosA < zerosB ? -1 : 1;
}

}  // namespace

bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const int c = CompareNumbers(a, i, b, j);
            if (c != 0)
                return c < 0;
            continue;
        }
        const char x = Folded(a[i]), y = Folded(b[j]);
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i == a.size();  // the shorter one, a prefix of the other, first
    return a < b;              // equal but for case: a fixed order all the same
}
