#include "RecordPlayer.h"

RecordPlayer::RecordPlayer() {
    for (RecordingFile* r : {&plain_, static_cast<RecordingFile*>(&executable_)}) {
        r->SetClockSource(RecordingFile::ClockSource{FixedClock, nullptr});
        r->Initialize();
    }
}

RecordPlayer::~RecordPlayer() {
    recording_->Close();
    plain_.Release();
    executable_.Release();
}

bool RecordPlayer::Open(const char* path, bool embedded) {
    recording_ = embedded ? &executable_ : &plain_;
    if (!recording_->Open(path, LockedFile::kRead))
        return false;
    recording_->SetCursorPosition(Point{0, 0});
    recording_->SetQuickPlay(1);
    recording_->Restart();
    return true;
}

bool RecordPlayer::Next(Step& step) {
    RecordingFile& r = *recording_;
    step.length = r.ReadRecord(nullptr, 0);
    switch (r.GetStreamStop()) {
        case RecordingFile::StreamStop::None:
            break;
        case RecordingFile::StreamStop::End:
            stopReason_ = "end";
            return false;
        case RecordingFile::StreamStop::Truncated:
            stopReason_ = "truncated";
            return false;
        case RecordingFile::StreamStop::ZeroLength:
            stopReason_ = "zero-length";
            return false;
    }
    step.offset = r.GetReadPosition() - vqd::kRecordHeaderSize;
    step.delay = r.GetPendingDelay();
    const uint32_t before = r.GetReadPosition();
    step.applied = r.PlayStep();
    if (r.GetReadPosition() == before) {  // a payload too large to be taken in
        stopReason_ = "truncated";
        return false;
    }
    return true;
}
