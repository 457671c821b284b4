#include "recording/MediaFile.h"

#include "recording/SystemServices.h"

void MediaFile::GetTitle(char* buffer) {
    if (buffer)
        buffer[0] = '\0';
}
void MediaFile::GetAuthor(char* buffer) {
    if (buffer)
        buffer[0] = '\0';
}
void MediaFile::GetDescription(char* buffer) {
    if (buffer)
        buffer[0] = '\0';
}

int32_t MediaFile::GetDefaultQuality() {
    const int32_t low = GetMinQuality();
    return low + (GetMaxQuality() - low) / 2;
}

void MediaFile::SetQuality(int32_t q) {
    const int32_t low = GetMinQuality(), high = GetMaxQuality();
    quality = q < low ? low : (q > high ? high : q);
}

int32_t MediaFile::GetQuality() {
    if (quality == -1)
        quality = GetDefaultQuality();
    return quality;
}

bool MediaFile::OpenInPlayer(const char* path) {
    return path != nullptr && sys::ShellOpenDocument(path);
}
