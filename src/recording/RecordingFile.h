// One open recording: its prefix and header, the record stream read in time
// with the playback clock, and the decoded picture.
//   RecordingFile.cpp         container: open, header, records, writing side
//   RecordingClock.cpp        playback clock and state transitions
//   RecordingWriter.cpp       writing side: records, bit budget, appending
//   RecordingDecoder.cpp      inflating and applying FrameUpdates
#pragma once
#include <cstdint>
#include <vector>

#include "recording/CaptureEngine.h"
#include "recording/ContainerFormat.h"
#include "recording/Deflater.h"
#include "recording/FrameImage.h"
#include "recording/Geometry.h"
#include "recording/LockedFile.h"
#include "recording/MediaFile.h"
#include "recording/Region.h"

// A growable byte buffer that keeps its storage across records.
struct RecordBuffer {
    uint8_t* data = nullptr;
    uint32_t used = 0;
    uint32_t capacity = 0;
};

class RecordingFile : public MediaFile {
  public:
    // Growth step of the inflated buffer.
    static constexpr uint32_t kInflateStep = 0x40000;
    // Largest FrameUpdate accepted: a key update of the largest picture
    // (kLargestImageSize of run bytes) with room for its commands (at most two
    // runs per row of 16384 rows, 256 KiB, plus the few fixed commands).
    static constexpr uint32_t kLargestFrameUpdate = kLargestImageSize + (1u << 20);
    // Largest record payload accepted: zlib's worst-case expansion of the
    // largest FrameUpdate is below 1/1024 of it.
    static constexpr uint32_t kLargestRecordPayload =
        kLargestFrameUpdate + kLargestFrameUpdate / 1024;
    // Above this capacity the inflated buffer doubles instead of growing by
    // kInflateStep, so that a huge FrameUpdate costs no quadratic copying.
    static constexpr uint32_t kStepwiseInflateLimit = 16u << 20;

    // Reads and writes through files (the operating system's unless given).
    explicit RecordingFile(fs::Files& files = fs::SystemFiles());
    ~RecordingFile() override;

    const char* GetTypeName() override { return "VQD file"; }
    const char* GetExtension() override { return "vqd"; }
    bool QueryCapability1() override { return true; }
    bool QueryCapability2() override { return false; }
    bool QueryCapability3() override { return true; }
    bool QueryCapability4() override { return true; }
    bool QueryCapability5() override { return true; }
    bool HasDuration() override;
    bool LoadHeaderFrom(const char* path) override;
    bool SaveHeaderTo(const char* path) override;
    bool ClearHeader() override;
    void SetTitle(const char* text) override;
    void GetTitle(char* buffer) override;
    void SetAuthor(const char* text) override;
    void GetAuthor(char* buffer) override;
    void SetDescription(const char* text) override;
    void GetDescription(char* buffer) override;
    uint32_t GetDurationSeconds() override { return header.durationSeconds; }
    uint32_t GetDurationMilliseconds() override { return header.durationMilliseconds; }
    int32_t GetMinQuality() override { return 1; }
    int32_t GetMaxQuality() override { return 9; }
    int32_t GetDefaultQuality() override { return 5; }
    void SetQuality(int32_t q) override;
    bool Initialize() override;
    void Release() override;
    bool Open(const char* path, uint32_t access) override;
    void Close() override;
    bool AppendRecording(const char* target, const char* source) override;
    bool RecordStep() override;
    bool PlayStep() override;
    bool OpenInPlayer(const char* path) override;
    uint32_t WriteRecord(const void* payload, uint32_t length) override;
    // Asks the file system to put the records written so far on the disk.
    bool FlushRecords();
    uint32_t ReadRecord(void* buffer, uint32_t capacity) override;

    // Where the clock reads the millisecond counter; the system's by default.
    struct ClockSource {
        uint32_t (*now)(void* context);
        void* context;
    };
    void SetClockSource(ClockSource source) { clock = source; }

    // Playback clock and state.
    bool IsOpen();
    void SetAutoRepeat(int32_t on) { autoRepeat = on; }
    int32_t GetAutoRepeat() const { return autoRepeat; }
    void SetQuickPlay(int32_t on) { quickPlay = on; }
    int32_t GetQuickPlay() const { return quickPlay; }
    bool IsPlaying() const { return playing != 0; }
    bool IsPaused() const { return paused != 0; }
    uint32_t GetFrameRate() const { return header.frameRate; }
    uint32_t GetSecondaryRate() const { return header.secondaryRate; }
    void Restart();
    void Stop();
    void Pause();
    void Resume();
    void ResetPlayback();
    uint32_t ConsumeElapsedTime();
    uint32_t GetPositionSeconds() const { return positionSeconds; }
    uint32_t GetPositionMilliseconds() const { return positionMilliseconds; }

    // Decoder.
    void ResetDecoder();
    bool InflateRecord();
    bool ApplyFrameUpdate();
    bool CollectDirtyRects();
    bool EnsureInflatedCapacity(uint32_t size);
    bool EnsureCompressedCapacity(uint32_t size);
    // Where the pointer is taken to be until a CursorState says otherwise
    // (ResetDecoder takes the live position).
    void SetCursorPosition(const Point& position) { cursorPosition = position; }

    // Why the record stream does not go on, as far as read so far.
    enum class StreamStop { None, End, Truncated, ZeroLength };
    StreamStop GetStreamStop() const;

    // What other parts read.
    const RecordingHeader& GetHeader() const { return header; }
    uint32_t GetDataStart() const { return dataStart; }
    uint32_t GetReadPosition() const { return readPosition; }
    uint32_t GetDataEnd() const { return dataEnd; }
    uint32_t GetPendingDelay() const { return recordDelay; }
    const FrameImage& GetFrameImage() const { return image; }
    const Rect& GetCaptureRect() const { return captureRect; }
    const std::vector<Rect>& GetDirtyRects() const { return dirtyRects; }
    Point GetCursorPosition() const { return cursorPosition; }
    uint16_t GetLeftButtonDown() const { return leftButtonDown; }
    uint16_t GetRightButtonDown() const { return rightButtonDown; }
    const RecordBuffer& GetInflated() const { return inflated; }

    // The capture engine the writing side consults (none: not recording).
    void SetCaptureEngine(CaptureEngine* engine) { captureEngine = engine; }

    // Called on every CaptureRect command so that the presenter composes its
    // pictures anew; none until a presenter sets one.
    using CaptureListener = void (*)(RecordingFile& recording);
    void SetCaptureListener(CaptureListener listener) { captureListener = listener; }

  protected:
    // Reads magic, version and header at the current position (plain layout).
    bool ReadPrefixAndHeader();
    // Writes magic, version and a header with the engine's rates.
    bool WritePrefixAndHeader();
    bool CaptureEngineRecording() const;
    // Common tail of both Open implementations.
    bool FinishOpen(bool succeeded, uint32_t end);
    uint32_t Now() const { return clock.now(clock.context); }
    uint32_t ReadRecordFramed(void* buffer, uint32_t capacity);
    bool PendingRecordFits() const;
    bool TransferHeader(const char* path, bool write);
    void PrimeClock();
    bool IsPendingRecordDue();
    void CarryPosition();
    bool ReadPendingRecordHeader();
    void ReleaseDecoderBuffers();

    ClockSource clock;
    LockedFile* file;
    uint32_t magic = 0;
    uint32_t version = 0;
    RecordingHeader header = {};
    uint32_t dataStart = 0;
    uint32_t readPosition = 0;
    uint32_t dataEnd = 0;
    LockedFile ownFile;

    int32_t autoRepeat = 0;
    int32_t quickPlay = 0;
    uint32_t lastTick = 0;
    uint32_t pausedTime = 0;
    uint32_t dueAccumulator = 0;
    uint32_t timeInRecord = 0;
    uint32_t recordDelay = 0;
    uint32_t positionSeconds = 0;
    uint32_t positionMilliseconds = 0;
    uint32_t recordLength = 0;
    bool pendingHeaderCutShort = false;
    // A record header was read and its payload not yet.
    bool pendingPayloadUnread = false;
    uint32_t budgetSurplus = 0;  // writing side: carried bits of the bit budget
    int32_t playing = 0;
    int32_t paused = 0;

    RecordBuffer inflated;
    RecordBuffer compressed;
    RecordBuffer inflaterMemory;  // zlib's state and window, kept across records

    Point cursorPosition = {};
    uint16_t leftButtonDown = 0;
    uint16_t rightButtonDown = 0;

    FrameImage image;
    Rect captureRect = {};
    Region dirtyRegion;
    std::vector<Rect> dirtyRects;

    CaptureListener captureListener = nullptr;

    CaptureEngine* captureEngine = nullptr;
    std::vector<uint8_t> capturedUpdate;  // writing side: the engine's last FrameUpdate
    std::vector<uint8_t> deflatedUpdate;  // writing side: the same, deflated
    Deflater deflater;                    // writing side: kept across records
};
