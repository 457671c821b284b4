#include "upgrade/ErrorText.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {
const size_t maxWhereLength = 519;

const char* const rebootAdvice = "\n\nPlease reboot your system";
const char* const reinstallAdvice = " or re-install the software";
const char* const tryAgain = ", then try again!";

// The download worker and the user-interface thread may both compose texts.
std::mutex& TextLock() {
    static std::mutex lock;
    return lock;
}

std::string& StoredText() {
    static std::string text;
    return text;
}

std::string Compose(const char* head, bool adviseReinstall, const char* whereFormat,
                    va_list arguments) {
    std::string text = head;
    if (whereFormat) {
        char where[maxWhereLength + 1];
        if (std::vsnprintf(where, sizeof where, whereFormat, arguments) < 0)
            where[0] = '\0';
        text += "\n\n";
        text += where;
    }
    text += rebootAdvice;
    if (adviseReinstall)
        text += reinstallAdvice;
    text += tryAgain;
    std::lock_guard<std::mutex> hold(TextLock());
    StoredText() = text;
    return text;
}
}  // namespace

std::string FormatAllocError(const char* whereFormat, ...) {
    va_list arguments;
    va_start(arguments, whereFormat);
    std::string text = Compose("Can not allocate memory!", false, whereFormat, arguments);
    va_end(arguments);
    return text;
}

std::string FormatOpenError(const char* whereFormat, ...) {
    va_list arguments;
    va_start(arguments, whereFormat);
    std::string text = Compose("Can not open file!", true, whereFormat, arguments);
    va_end(arguments);
    return text;
}

std::string FormatReadError(const char* whereFormat, ...) {
    va_list arguments;
    va_start(arguments, whereFormat);
    std::string text = Compose("Can not read file!", true, whereFormat, arguments);
    va_end(arguments);
    return text;
}

std::string LastErrorText() {
    std::lock_guard<std::mutex> hold(TextLock());
    return StoredText();
}
