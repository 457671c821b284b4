#pragma once
#include <cstdint>
#include <memory>

// A whole file read into memory.
class XFile {
  public:
    // Reads the file; on failure composes the read (or allocation) error text
    // and holds no data. The data is what the one read delivered.
    bool Load(const char* path);

    uint32_t GetSize() const { return size; }
    const char* GetData() const { return data.get(); }

  private:
    void Clear();

    uint32_t size = 0;
    std::unique_ptr<char[]> data;
};
