#pragma once
// A whole regular file mapped read-only. Not copyable; the mapping ends with
// the object. Opening reports failures as text; any thread may read the bytes.
// A file shortened by another process while mapped can still fault the
// reader (SIGBUS): files being read are not to be rewritten in place.

#include <cstddef>
#include <cstdint>
#include <string>

namespace bimf {

class MappedFile
{
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // false with `why` for a missing, unreadable or non-regular file. An empty
    // file maps to no bytes and succeeds.
    bool open(const char* path, std::string* why);
    void close();

    const uint8_t* data() const { return data_; }
    uint64_t size() const { return size_; }

private:
    const uint8_t* data_ = nullptr;
    uint64_t size_ = 0;
};

} // namespace bimf
