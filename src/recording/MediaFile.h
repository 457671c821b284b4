// The operations every kind of media file offers, with neutral defaults.
// RecordingFile gives them their meaning for recordings.
#pragma once
#include <cstdint>

class MediaFile {
  public:
    static constexpr uint32_t kLargestFileSize = 0x7F5FFFFF;  // 10 MiB below 2 GiB

    MediaFile() = default;
    virtual ~MediaFile() = default;
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    virtual const char* GetTypeName() { return ""; }
    virtual const char* GetExtension() { return ""; }
    virtual bool QueryCapability1() { return false; }
    virtual bool QueryCapability2() { return false; }
    virtual bool QueryCapability3() { return false; }
    virtual bool QueryCapability4() { return false; }
    virtual bool QueryCapability5() { return false; }
    virtual bool HasDuration() { return false; }
    virtual bool LoadHeaderFrom(const char*) { return false; }
    virtual bool SaveHeaderTo(const char*) { return false; }
    virtual bool ClearHeader() { return false; }
    virtual void SetTitle(const char*) {}
    virtual void GetTitle(char* buffer);
    virtual void SetAuthor(const char*) {}
    virtual void GetAuthor(char* buffer);
    virtual void SetDescription(const char*) {}
    virtual void GetDescription(char* buffer);
    virtual uint32_t GetDurationSeconds() { return 0; }
    virtual uint32_t GetDurationMilliseconds() { return 0; }
    virtual int32_t GetOptionA() { return optionA; }
    virtual void SetOptionA(int32_t v) { optionA = v; }
    virtual int32_t GetOptionB() { return optionB; }
    virtual void SetOptionB(int32_t v) { optionB = v; }
    virtual int32_t GetLimit2048() { return 2048; }
    virtual int32_t GetMinQuality() { return 0; }
    virtual int32_t GetMaxQuality() { return 0; }
    virtual int32_t GetDefaultQuality();
    virtual void SetQuality(int32_t q);
    virtual int32_t GetQuality();
    virtual bool Initialize() { return true; }
    virtual void Release() {}
    virtual void SetMaxFileSize(uint32_t n) {
        maxFileSize = n > kLargestFileSize ? kLargestFileSize : n;
    }
    virtual uint32_t GetMaxFileSize() { return maxFileSize; }
    virtual bool Open(const char*, uint32_t) { return false; }
    virtual void Close() {}
    virtual bool AppendRecording(const char*, const char*) { return false; }
    virtual bool RecordStep() { return true; }
    virtual bool ReservedA() { return true; }
    virtual bool PlayStep() { return true; }
    virtual bool ReservedB() { return true; }
    virtual bool OpenInPlayer(const char* path);
    virtual uint32_t WriteRecord(const void* payload, uint32_t length) = 0;
    virtual uint32_t ReadRecord(void* buffer, uint32_t capacity) = 0;

  protected:
    uint32_t maxFileSize = kLargestFileSize;
    int32_t optionA = 1;
    int32_t optionB = 1;
    int32_t quality = -1;
};
