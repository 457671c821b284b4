#include "recording/RecordingFile.h"

bool RecordingFile::IsOpen() {
    return file->GetAccess() != 0;
}

void RecordingFile::ResetPlayback() {
    dataStart = readPosition = dataEnd = 0;
    pausedTime = dueAccumulator = timeInRecord = recordDelay = 0;
    positionSeconds = positionMilliseconds = recordLength = 0;
    pendingHeaderCutShort = pendingPayloadUnread = false;
    playing = paused = 0;
    lastTick = Now();
}

namespace {
// Milliseconds from then to now; a wrapped counter counts one less.
uint32_t Elapsed(uint32_t now, uint32_t then) {
    return now < then ? now - then - 1 : now - then;
}
}  // namespace

uint32_t RecordingFile::ConsumeElapsedTime() {
    const uint32_t now = Now();
    const uint32_t d = Elapsed(now, lastTick);
    lastTick = now;
    const uint32_t result = d >= pausedTime ? d - pausedTime : 0;
    pausedTime = 0;
    return result;
}

void RecordingFile::Pause() {
    pausedTime = Now();
    playing = 1;
    paused = 1;
}

void RecordingFile::Resume() {
    if (pausedTime != 0)
        pausedTime = Elapsed(Now(), pausedTime);
    playing = 1;
    paused = 0;
}

void RecordingFile::Stop() {
    Pause();
    playing = 0;
    paused = 0;
}

void RecordingFile::Restart() {
    const uint32_t start = dataStart, end = dataEnd;
    file->Seek(int32_t(start), LockedFile::kBegin);
    ResetPlayback();
    dataStart = readPosition = start;
    dataEnd = end;
    playing = 1;
    paused = 0;
}

void RecordingFile::PrimeClock() {
    if (quickPlay)
        return;
    lastTick = Now();
    dueAccumulator = recordDelay;
}

bool RecordingFile::IsPendingRecordDue() {
    uint32_t d = ConsumeElapsedTime();
    if (quickPlay && uint64_t(dueAccumulator) + d < recordDelay)
        d = recordDelay - dueAccumulator;
    dueAccumulator += d;
    if (uint64_t(timeInRecord) + d < recordDelay) {
        positionMilliseconds += d;
        timeInRecord += d;
    }
    if (dueAccumulator < recordDelay)
        return false;
    dueAccumulator -= recordDelay;
    positionMilliseconds += recordDelay - timeInRecord;
    timeInRecord = 0;
    return true;
}

void RecordingFile::CarryPosition() {
    if (positionMilliseconds < 1000)
        return;
    positionSeconds += positionMilliseconds / 1000;
    positionMilliseconds %= 1000;
}
