// The Authenticode certificate table of a signed Windows program: the PE
// security directory names its file offset and size, and a signing tool puts
// it at the very end of the file, after whatever was appended to the program.
#pragma once
#include <cstdint>

#include "recording/LockedFile.h"

struct CertificateTable {
    uint32_t offset = 0;
    uint32_t size = 0;
};

// Whether the open file is a PE image whose security directory names a
// certificate table that ends exactly where the file does and starts with a
// certificate entry of a plausible length. Any other content, a directory
// pointing anywhere else, or sizes that overflow answer false; nothing is
// read outside the file. The file's position is left undefined.
bool FindCertificateTable(LockedFile& file, CertificateTable& table);
