#include "upgrade/KeyValueText.h"

#include <cstring>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

KeyValueText::KeyValueText(const char* data, size_t size) {
    if (data && size > 0) {
        text.assign(data, size);
        Parse();
    }
}

bool KeyValueText::GetValue(const char* key, std::string& value, size_t occurrence) const {
    if (!key)
        return false;
    const size_t keyLength = std::strlen(key);
    for (const Entry& entry : entries) {
        if (entry.key.length != keyLength ||
            text.compare(entry.key.offset, keyLength, key, keyLength) != 0)
            continue;
        if (occurrence-- == 0) {
            value.assign(text, entry.value.offset, entry.value.length);
            return true;
        }
    }
    return false;
}

void KeyValueText::Parse() {
    size_t position = 0;
    bool keyPending = false;
    Span key{};
    while (position < text.size()) {
        const char c = text[position];
        if (IsBlank(c)) {
            ++position;
        } else if (c == ';') {
            position = NextLineFeed(position);
            if (position == std::string::npos)
                return;
        } else if (!keyPending) {
            if (!ScanKey(position, key))
                return;
            keyPending = true;
        } else {
            Span value{};
            const bool more = ScanValue(position, value);
            entries.push_back({key, value});
            keyPending = false;
            if (!more)
                return;
        }
    }
}

bool KeyValueText::ScanKey(size_t& position, Span& key) const {
    const size_t start = position;
    size_t end = start;
    size_t at = start;
    while (at < text.size() && text[at] != '=') {
        const char c = text[at];
        if (c == ';') {
            at = NextLineFeed(at);
            if (at == std::string::npos)
                return false;
        } else {
            if (!IsBlank(c))
                end = at + 1;
            ++at;
        }
    }
    if (at == text.size())
        return false;
    key = {start, end - start};
    position = at + 1;
    return true;
}

bool KeyValueText::ScanValue(size_t& position, Span& value) const {
    const size_t start = position;
    size_t end = start;
    size_t at = start;
    while (at < text.size() && text[at] != '\n') {
        const char c = text[at];
        if (c == ';') {
            at = NextLineFeed(at);
            if (at == std::string::npos)
                at = text.size();
            break;
        }
        if (c != ' ' && c != '\t' && c != '\r')
            end = at + 1;
        ++at;
    }
    value = {start, end - start};
    position = at + 1;
    return at < text.size();
}

size_t KeyValueText::NextLineFeed(size_t position) const {
    return text.find('\n', position);
}
