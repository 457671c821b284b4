// Examines a file as a recording, plain or appended to an executable, and
// says where and why it stops being one. Used by the tools' reports.
#pragma once
#include <cstdint>
#include <string>

#include "recording/CertificateTable.h"
#include "recording/ContainerFormat.h"

struct RecordingProbe {
    // Empty when the prefix and header are sound; otherwise "cannotopen",
    // "badtrailer", "badmagic", "badversion" or "shortheader".
    std::string error;
    uint32_t errorOffset = 0;

    bool embedded = false;
    bool signedImage = false;       // a program with an Authenticode certificate table
    CertificateTable certificates;  // when signedImage
    uint32_t fileSize = 0;
    uint32_t embeddedStart = 0;
    uint32_t dataStart = 0;
    uint32_t dataEnd = 0;
    RecordingHeader header = {};

    uint32_t records = 0;   // complete records before the chain ends
    uint64_t delaySum = 0;  // their delays, milliseconds
    bool chainComplete = true;
    uint32_t breakOffset = 0;  // where the first bad record begins
    std::string breakReason;
};

RecordingProbe ProbeRecording(const char* path);
