#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Entries of a "key = value" text such as the upgrade manifest.
//
// Blanks (space, tab, CR, LF) separate entries and may surround keys and
// values; ";" starts a comment that runs to the end of its line. A key runs
// from its first character to the last character before the next "=" that is
// neither a blank nor inside a comment (blanks and comments inside that span
// stay part of the key). A value starts at the first character after the "="
// that is neither a blank nor in a comment, even lines further down, and runs
// to the end of its line or a ";", without trailing spaces, tabs and CRs. A key
// with no value at the end of the text adds nothing.
class KeyValueText {
  public:
    KeyValueText() = default;
    // Parses its own copy of the bytes.
    KeyValueText(const char* data, size_t size);

    size_t GetCount() const { return entries.size(); }
    // The value of the occurrence-th entry (0 = the first) whose key equals the
    // given key byte for byte. Without such an entry, or for a null key, returns
    // false and leaves value unchanged.
    bool GetValue(const char* key, std::string& value, size_t occurrence = 0) const;

  private:
    struct Span {
        size_t offset;
        size_t length;
    };
    struct Entry {
        Span key;
        Span value;
    };

    void Parse();
    // Scans a key from position; false when the text ends before its "=".
    bool ScanKey(size_t& position, Span& key) const;
    // Scans a value from position; false when it ends the text.
    bool ScanValue(size_t& position, Span& value) const;
    // Position of the next line feed at or after position, or npos.
    size_t NextLineFeed(size_t position) const;

    std::string text;
    std::vector<Entry> entries;
};
