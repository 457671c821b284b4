// One zlib deflate stream kept across records: each record is a complete
// zlib stream of its own, made without allocating once the first is made.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

struct z_stream_s;

class Deflater {
  public:
    Deflater();
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Replaces out with the zlib stream of [data, data + size) at the default
    // level; false when zlib refuses (out is then unspecified).
    bool Compress(const uint8_t* data, size_t size, std::vector<uint8_t>& out);
    // Frees zlib's state; the next Compress makes it again.
    void Release();

  private:
    // A fresh stream: the kept one reset, or a new one.
    bool Start();

    std::unique_ptr<z_stream_s> stream_;
    bool ready_ = false;
};
