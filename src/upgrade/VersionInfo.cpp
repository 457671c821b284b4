#include "upgrade/VersionInfo.h"

#include "upgrade/FormatString.h"

namespace {
const char* FileTypeText(DWORD type, DWORD subtype) {
    static const char* const drivers[] = {"Printer driver", "Keyboard driver",    "Language driver",
                                          "Display driver", "Mouse driver",       "Network driver",
                                          "System driver",  "Installable driver", "Sound driver"};
    static const char* const fonts[] = {"Raster font", "Vector font", "Truetype font"};
    switch (type) {
        case VFT_UNKNOWN:
            return "Unknown type";
        case VFT_APP:
            return "Application";
        case VFT_DLL:
            return "Dynamic link library";
        case VFT_DRV:
            return subtype >= 1 && subtype <= 9 ? drivers[subtype - 1] : "Unknown driver";
        case VFT_FONT:
            return subtype >= 1 && subtype <= 3 ? fonts[subtype - 1] : "Unknown font";
        case VFT_VXD:
            return "Virtual device";
        case VFT_STATIC_LIB:
            return "Static link library";
        default:
            return nullptr;
    }
}

const char* OperatingSystemText(DWORD os) {
    switch (os) {
        case 0x00010000:
            return "MS-DOS";
        case 0x00010001:
            return "16-bit windows running on MS-DOS";
        case 0x00010004:
            return "Win32 API running on MS-DOS";
        case 0x00020000:
            return "16-bit OS/2";
        case 0x00020002:
            return "16-bit Presentation manager running on 16-bit OS/2";
        case 0x00030000:
            return "32-bit OS/2";
        case 0x00040000:
            return "Windows NT";
        case 0x00040004:
            return "Win32 API on Windows NT";
        default:
            return "Unknown OS";
    }
}
}  // namespace

VersionInfo::~VersionInfo() {
    Close();
}

bool VersionInfo::Open(const char* path) {
    char ownPath[MAX_PATH] = {};
    if (!path) {
        GetModuleFileNameA(nullptr, ownPath, sizeof ownPath);
        path = ownPath;
    }
    if (!module)
        module = LoadLibraryA(path);
    if (!module)
        return false;

    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return false;
    block.assign(size, '\0');

    void* pair = nullptr;
    UINT pairLength = 0;
    if (!GetFileVersionInfoA(path, handle, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pair, &pairLength) ||
        pairLength < 4) {
        Close();
        return false;
    }
    const WORD* words = static_cast<const WORD*>(pair);
    translation = static_cast<unsigned>(words[0]) << 16 | words[1];
    return true;
}

std::string VersionInfo::QueryString(const char* name, unsigned wanted) const {
    if (block.empty())
        return {};
    std::string key;
    FormatString(key, "\\StringFileInfo\\%08x\\%s", wanted ? wanted : translation, name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(const_cast<char*>(block.data()), key.c_str(), &value, &length) || !value ||
        length == 0)
        return {};
    return static_cast<const char*>(value);
}

bool VersionInfo::Fill(VersionStrings& strings) const {
    if (block.empty())
        return false;
    strings.companyName = QueryString("CompanyName");
    strings.legalCopyright = QueryString("LegalCopyright");
    strings.fileDescription = QueryString("FileDescription");
    strings.internalName = QueryString("InternalName");
    strings.originalFilename = QueryString("OriginalFilename");
    strings.productName = QueryString("ProductName");
    strings.productVersion = QueryString("ProductVersion");
    strings.fileVersion = QueryString("FileVersion");

    char language[260] = {};
    if (VerLanguageNameA(translation >> 16, language, sizeof language) > 0)
        strings.language = language;

    void* fixed = nullptr;
    UINT fixedLength = 0;
    if (!VerQueryValueA(const_cast<char*>(block.data()), "\\", &fixed, &fixedLength) ||
        fixedLength < sizeof(VS_FIXEDFILEINFO))
        return false;
    const VS_FIXEDFILEINFO* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    FormatString(strings.fileVersionNumber, "%d.%d.%d.%d", HIWORD(info->dwFileVersionMS),
                 LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                 LOWORD(info->dwFileVersionLS));
    if (const char* type = FileTypeText(info->dwFileType, info->dwFileSubtype))
        strings.fileType = type;
    strings.operatingSystem = OperatingSystemText(info->dwFileOS);
    return true;
}

void VersionInfo::Close() {
    if (module)
        FreeLibrary(module);
    module = nullptr;
    block.clear();
    translation = 0;
}
