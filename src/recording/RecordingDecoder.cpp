// Inflating the due record and applying its FrameUpdate to the picture.
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "recording/FrameUpdate.h"
#include "recording/RecordingFile.h"
#include "recording/SystemServices.h"

namespace {
// Grows buffer to exactly size bytes, keeping its used bytes; false when the
// memory cannot be had (the buffer then stays as it was).
bool GrowBuffer(RecordBuffer& buffer, uint32_t size) {
    if (buffer.capacity >= size)
        return true;
    auto* grown = static_cast<uint8_t*>(std::malloc(size));
    if (!grown)
        return false;
    if (buffer.used)
        std::memcpy(grown, buffer.data, buffer.used);
    std::free(buffer.data);
    buffer.data = grown;
    buffer.capacity = size;
    return true;
}

// Makes room for size bytes, or when size is 0 for the next step: one
// kInflateStep, or a doubling once the capacity has reached stepwiseLimit.
// Nothing beyond limit is ever allocated.
bool EnsureCapacity(RecordBuffer& buffer, uint32_t size, uint32_t limit, uint32_t stepwiseLimit) {
    uint64_t target = size;
    if (size == 0) {
        const uint64_t step =
            buffer.capacity < stepwiseLimit ? RecordingFile::kInflateStep : buffer.capacity;
        target = std::min<uint64_t>(buffer.capacity + step, limit);
        if (target <= buffer.capacity)
            return false;
    }
    return target <= limit && GrowBuffer(buffer, uint32_t(target));
}

// zlib's memory for one inflate comes from a block kept across records, so
// that playing a record allocates nothing; requests beyond it (none with the
// usual state and 32 KiB window) go to the heap.
constexpr uint32_t kInflaterMemorySize = 64 * 1024;

voidpf InflaterAlloc(voidpf opaque, uInt items, uInt size) {
    auto& memory = *static_cast<RecordBuffer*>(opaque);
    const uint64_t bytes = (uint64_t(items) * size + 15) & ~uint64_t(15);
    if (memory.data && memory.capacity - memory.used >= bytes) {
        void* p = memory.data + memory.used;
        memory.used += uint32_t(bytes);
        return p;
    }
    return bytes <= UINT32_MAX ? std::malloc(size_t(bytes)) : nullptr;
}

void InflaterFree(voidpf opaque, voidpf p) {
    const auto& memory = *static_cast<RecordBuffer*>(opaque);
    const auto* byte = static_cast<uint8_t*>(p);
    if (!memory.data || byte < memory.data || byte >= memory.data + memory.capacity)
        std::free(p);
}

void FreeBuffer(RecordBuffer& buffer) {
    std::free(buffer.data);
    buffer = RecordBuffer();
}
}  // namespace

bool RecordingFile::PlayStep() {
    dirtyRegion.SetEmpty();
    dirtyRects.clear();
    bool applied = false;
    if (file->GetAccess() == LockedFile::kRead) {
        const uint32_t length = ReadRecord(nullptr, 0);
        if (length != 0 && (length <= compressed.capacity || EnsureCompressedCapacity(length))) {
            compressed.used = ReadRecord(compressed.data, length);
            applied = compressed.used != 0 && InflateRecord() && ApplyFrameUpdate();
        }
    }
    if (applied)
        dirtyRegion.IntersectRect(captureRect);
    const bool collected = CollectDirtyRects();
    if (applied && collected)
        return true;
    dirtyRects.clear();
    return false;
}

bool RecordingFile::InflateRecord() {
    inflated.used = 0;
    if (!compressed.data || compressed.used == 0)
        return false;
    if (!inflated.data && !EnsureInflatedCapacity(0))
        return false;
    if (!inflaterMemory.data)
        GrowBuffer(inflaterMemory, kInflaterMemorySize);
    inflaterMemory.used = 0;
    z_stream stream = {};
    stream.zalloc = InflaterAlloc;
    stream.zfree = InflaterFree;
    stream.opaque = &inflaterMemory;
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = compressed.data;
    stream.avail_in = compressed.used;
    int result;
    for (;;) {
        stream.next_out = inflated.data + inflated.used;
        stream.avail_out = inflated.capacity - inflated.used;
        result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_NEED_DICT || result == Z_STREAM_ERROR || result == Z_DATA_ERROR ||
            result == Z_MEM_ERROR)
            break;
        inflated.used = inflated.capacity - stream.avail_out;
        // Room left means the input is used up; a full buffer needs more room,
        // which past kLargestFrameUpdate fails the record.
        if (result == Z_STREAM_END || stream.avail_out != 0 || !EnsureInflatedCapacity(0))
            break;
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END;
}

bool RecordingFile::ApplyFrameUpdate() {
    if (!inflated.data || inflated.used == 0)
        return false;
    // What a FrameUpdate changes besides the pixels goes into this object.
    class Sink : public vqd::FrameUpdateSink {
      public:
        explicit Sink(RecordingFile& r) : r_(r) {}
        void MarkDirty(const Rect& area) override { r_.dirtyRegion.AddRect(area); }
        void SetCaptureRect(const Rect& rect) override {
            r_.captureRect = rect;
            if (r_.captureListener)
                r_.captureListener(r_);
        }
        void SetCursor(const Point& position, uint16_t left, uint16_t right) override {
            r_.cursorPosition = position;
            r_.leftButtonDown = left;
            r_.rightButtonDown = right;
        }

      private:
        RecordingFile& r_;
    } sink(*this);
    return vqd::ApplyFrameUpdate(inflated.data, inflated.used, image, sink);
}

bool RecordingFile::CollectDirtyRects() {
    return dirtyRegion.AppendRects(dirtyRects);
}

bool RecordingFile::EnsureInflatedCapacity(uint32_t size) {
    return EnsureCapacity(inflated, size, kLargestFrameUpdate, kStepwiseInflateLimit);
}

bool RecordingFile::EnsureCompressedCapacity(uint32_t size) {
    return EnsureCapacity(compressed, size, kLargestRecordPayload, kLargestRecordPayload);
}

void RecordingFile::ResetDecoder() {
    cursorPosition = sys::LiveCursorPosition();
    leftButtonDown = rightButtonDown = 0;
    capturedUpdate.clear();
    if (CaptureEngineRecording())
        captureEngine->ClearBuffers();
    image.Clear();
    captureRect = Rect{};
}

void RecordingFile::ReleaseDecoderBuffers() {
    FreeBuffer(inflated);
    FreeBuffer(compressed);
    FreeBuffer(inflaterMemory);
    deflater.Release();
    image.Clear();
}
