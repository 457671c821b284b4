#include "upgrade/FormatString.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

void FormatString(std::string& out, const char* format, ...) {
    static const size_t allowances[] = {2048, 6144, 12288, 20480, 30720, 43008};
    std::vector<char> text;
    for (size_t allowance : allowances) {
        text.assign(allowance + 1, '\0');
        va_list arguments;
        va_start(arguments, format);
        int length = std::vsnprintf(text.data(), text.size(), format, arguments);
        va_end(arguments);
        if (length < 0) {
            out.clear();
            return;
        }
        if (static_cast<size_t>(length) <= allowance) {
            out.assign(text.data(), static_cast<size_t>(length));
            return;
        }
    }
    out.assign(text.data(), text.size() - 1);
}
