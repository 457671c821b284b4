#include "ToolOutput.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace stdfs = std::filesystem;

int ReportBadFile(const std::string& file, uint64_t offset, const std::string& reason) {
    std::fprintf(stderr, "vqdtool: %s: offset %llu: %s\n", file.c_str(),
                 static_cast<unsigned long long>(offset), reason.c_str());
    return kExitBadFile;
}

int ReportUsage(const char* usage) {
    std::fprintf(stderr, "usage: %s\n", usage);
    return kExitUsage;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return stdfs::equivalent(a, b, ec) && !ec;
}

bool WriteOutputFile(const std::string& out, const std::function<bool(const std::string&)>& write) {
    const std::string temp = out + ".partial";
    std::error_code ec;
    if (write(temp)) {
        stdfs::rename(temp, out, ec);
        if (!ec)
            return true;
    }
    stdfs::remove(temp, ec);
    return false;
}

std::string TakeOutputOption(int& argc, char** argv) {
    for (int i = 0; i + 1 < argc; ++i) {
        if (std::string(argv[i]) != "-o")
            continue;
        std::string out = argv[i + 1];
        for (int j = i; j + 2 <= argc; ++j)
            argv[j] = argv[j + 2];
        argc -= 2;
        return out;
    }
    return "";
}
