#pragma once
#include <string>

// The texts of a module's version resource; each empty when not available.
struct VersionStrings {
    std::string companyName;
    std::string legalCopyright;
    std::string fileDescription;
    std::string language;
    std::string internalName;
    std::string originalFilename;
    std::string productName;
    std::string productVersion;
    std::string fileVersionNumber;  // the fixed file version as "major.minor.build.revision"
    std::string fileVersion;
    std::string operatingSystem;
    std::string fileType;
};
