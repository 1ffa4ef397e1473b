#pragma once
// A POSIX file descriptor owned by one object, with whole-buffer writes that
// retry interrupted and partial writes. Errors come back as text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/uio.h>

namespace bimf {

class FileHandle
{
public:
    FileHandle() = default;
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Opens for writing with `flags` added to O_WRONLY | O_CLOEXEC.
    bool openForWriting(const char* path, int flags, std::string* why);
    bool isOpen() const { return fd_ >= 0; }
    void close();

    // Appends at the current end; on failure the file is cut back to where the
    // write began, so no half record stays behind.
    bool append(const iovec* parts, int count, std::string* why);
    bool writeAt(uint64_t offset, const void* data, size_t size, std::string* why);
    bool truncate(uint64_t size, std::string* why);
    bool sync(std::string* why);
    uint64_t end() const { return end_; }
    void setEnd(uint64_t end) { end_ = end; }

private:
    int fd_ = -1;
    uint64_t end_ = 0;
};

} // namespace bimf
