#pragma once
#include "recording/RecordingEncoder.h"

#include <cstdint>
#include <string>

// Writes a small recording made by the encoder with the header texts and
// rates of info whose last record comes lengthMs after its first.
bool WriteDescribedRecording(const std::string& path, const vqd::RecordingInfo& info,
                             uint32_t lengthMs);
