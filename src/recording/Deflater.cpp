#include "recording/Deflater.h"

#include <zlib.h>

Deflater::Deflater() : stream_(new z_stream_s{}) {}

Deflater::~Deflater() {
    Release();
}

void Deflater::Release() {
    if (ready_)
        deflateEnd(stream_.get());
    ready_ = false;
}

bool Deflater::Start() {
    if (ready_ && deflateReset(stream_.get()) == Z_OK)
        return true;
    Release();
    *stream_ = z_stream_s{};
    ready_ = deflateInit(stream_.get(), Z_DEFAULT_COMPRESSION) == Z_OK;
    return ready_;
}

bool Deflater::Compress(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    if (size > UINT32_MAX || !Start())
        return false;
    // The vector only grows: a record no larger than any before takes no memory.
    out.resize(deflateBound(stream_.get(), uLong(size)));
    stream_->next_in = const_cast<Bytef*>(data);
    stream_->avail_in = uInt(size);
    stream_->next_out = out.data();
    stream_->avail_out = uInt(out.size());
    const int status = deflate(stream_.get(), Z_FINISH);
    out.resize(out.size() - stream_->avail_out);
    return status == Z_STREAM_END;
}
