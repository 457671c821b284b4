// Where the trailer {u32 length, "VQD "} of a recording appended to an
// executable lies: at the very end of the file, or, when the program has been
// signed since, just before its certificate table (FindCertificateTable),
// behind the at most seven zero bytes that align the table to eight bytes.
// The one search that the readers, the writer and the tools share.
#pragma once
#include <cstdint>

#include "recording/CertificateTable.h"
#include "recording/LockedFile.h"

struct AppendedTrailer {
    bool magic = false;     // "VQD " ends the searched part of the file
    bool complete = false;  // and the length before it is there too
    bool signedImage = false;
    CertificateTable certificates;  // when signedImage
    uint32_t end = 0;               // where the searched part ends: the trailer's end
    uint32_t embeddedStart = 0;     // the appended recording's first byte, when complete
    uint32_t recordsEnd = 0;        // the trailer's start, when complete
};

// Searches the open file; its position is left undefined.
AppendedTrailer FindAppendedTrailer(LockedFile& file);
