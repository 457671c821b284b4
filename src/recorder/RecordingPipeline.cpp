#include "recorder/RecordingPipeline.h"

RecordingPipeline::RecordingPipeline(fs::Files& files) : encoder_(files), queue_(kSlots) {}

RecordingPipeline::~RecordingPipeline() {
    Finish();
}

bool RecordingPipeline::Start(const char* path, const vqd::RecordingInfo& info,
                              const FrameFormat& format,
                              const std::vector<const uint8_t*>& slotPixels) {
    if (worker_.joinable() || slotPixels.size() != kSlots || !encoder_.Create(path, info))
        return false;
    format_ = format;
    slotPixels_ = slotPixels;
    failed_ = false;
    framesDone_ = 0;
    lastTimeMs_ = 0;
    worker_ = std::thread([this] { Encode(); });
    return true;
}

void RecordingPipeline::Encode() {
    size_t slot;
    FrameStamp stamp;
    while (queue_.NextFrame(slot, stamp)) {
        if (!failed_) {
            const vqd::EncoderFrame frame{format_.bitmapInfo, slotPixels_[slot], format_.area,
                                          stamp.cursor,       stamp.leftButton,  stamp.rightButton};
            if (encoder_.AddFrame(frame, stamp.timeMs))
                lastTimeMs_ = stamp.timeMs;
            else
                failed_ = true;
        }
        queue_.Release(slot);
        ++framesDone_;
    }
}

RecordingSummary RecordingPipeline::Finish() {
    RecordingSummary summary;
    if (!worker_.joinable())
        return summary;
    queue_.Close();
    worker_.join();
    summary.records = encoder_.RecordCount();
    summary.writeFailed = encoder_.WriteFailed();
    summary.captured = queue_.Captured();
    summary.dropped = queue_.Dropped();
    summary.durationMs = lastTimeMs_;
    summary.written = encoder_.Finish() && summary.records > 0;
    return summary;
}
