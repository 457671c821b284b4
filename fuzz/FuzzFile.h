// The fuzzers hand their input to the reader through a file of their own.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline const std::string& FuzzFilePath() {
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        return std::string(folder && *folder ? folder : "/tmp") + "/qv-fuzz-" +
               std::to_string(getpid()) + ".vqd";
    }();
    return path;
}

inline bool WriteFuzzFile(const uint8_t* data, size_t size) {
    FILE* f = std::fopen(FuzzFilePath().c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && written;
}
