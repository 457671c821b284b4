#include "recording/RecordingEncoder.h"

namespace vqd {

namespace {
constexpr uint32_t kFlushIntervalMs = 1000;
}

RecordingEncoder::RecordingEncoder(fs::Files& files) : file_(files) {
    file_.SetClockSource(RecordingFile::ClockSource{Timestamp, this});
    file_.SetCaptureEngine(this);
}

RecordingEncoder::~RecordingEncoder() {
    Finish();
    file_.SetCaptureEngine(nullptr);
}

uint32_t RecordingEncoder::Timestamp(void* self) {
    return static_cast<RecordingEncoder*>(self)->now_;
}

bool RecordingEncoder::Create(const char* path, const RecordingInfo& info) {
    Finish();
    info_ = info;
    encoder_ = FrameEncoder();
    records_ = 0;
    writeFailed_ = false;
    now_ = lastFrame_ = flushedAt_ = 0;
    recording_ = true;
    if (!file_.Initialize())
        return recording_ = false;
    file_.SetTitle(info.title.c_str());
    file_.SetAuthor(info.author.c_str());
    file_.SetDescription(info.description.c_str());
    // The highest quality has no bit budget: every record is kept.
    file_.SetQuality(file_.GetMaxQuality());
    if (!file_.Open(path, LockedFile::kWrite))
        return recording_ = false;
    return true;
}

bool RecordingEncoder::AddFrame(const EncoderFrame& frame, uint32_t timestampMs) {
    if (!recording_ || !encoder_.Encode(frame, pending_))
        return false;
    lastFrame_ = timestampMs;
    if (pending_.empty())
        return true;
    bitsPerPixel_ = ReadU16(frame.bitmapInfo + 14);  // biBitCount
    captureArea_ = frame.captureRect;
    now_ = timestampMs;
    const uint32_t end = file_.GetDataEnd();
    if (!file_.RecordStep())
        return false;
    if (file_.GetDataEnd() == end) {
        writeFailed_ = true;
        return false;
    }
    ++records_;
    if (timestampMs - flushedAt_ >= kFlushIntervalMs) {
        file_.FlushRecords();
        flushedAt_ = timestampMs;
    }
    return true;
}

bool RecordingEncoder::CaptureFrameUpdate(std::vector<uint8_t>& frameUpdate) {
    frameUpdate.swap(pending_);
    pending_.clear();
    return !frameUpdate.empty();
}

bool RecordingEncoder::Finish() {
    if (!recording_)
        return false;
    if (records_ > 0 && !writeFailed_ && lastFrame_ != now_) {
        encoder_.RestateCursor(pending_);
        now_ = lastFrame_;
        const uint32_t end = file_.GetDataEnd();
        if (file_.RecordStep() && file_.GetDataEnd() != end)
            ++records_;
    }
    file_.Close();
    recording_ = false;
    file_.Release();
    return true;
}

}  // namespace vqd
