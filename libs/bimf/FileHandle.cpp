#include "FileHandle.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace bimf {

FileHandle::~FileHandle() { close(); }

bool FileHandle::openForWriting(const char* path, int flags, std::string* why)
{
    close();
    fd_ = ::open(path, O_WRONLY | O_CLOEXEC | flags, 0644);
    if (fd_ < 0) {
        *why = std::string("cannot create ") + path + ": " + std::strerror(errno);
        return false;
    }
    end_ = 0;
    return true;
}

void FileHandle::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool FileHandle::writeAt(uint64_t offset, const void* data, size_t size, std::string* why)
{
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd_, p, size, off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *why = std::string("write failed: ") + (n < 0 ? std::strerror(errno) : "no progress");
            return false;
        }
        p += n;
        offset += uint64_t(n);
        size -= size_t(n);
    }
    return true;
}

bool FileHandle::append(const iovec* parts, int count, std::string* why)
{
    const uint64_t start = end_;
    uint64_t offset = start;
    for (int i = 0; i < count; ++i) {
        if (!writeAt(offset, parts[i].iov_base, parts[i].iov_len, why)) {
            std::string ignored;
            truncate(start, &ignored);
            return false;
        }
        offset += parts[i].iov_len;
    }
    end_ = offset;
    return true;
}

bool FileHandle::truncate(uint64_t size, std::string* why)
{
    if (::ftruncate(fd_, off_t(size)) != 0) {
        *why = std::string("cannot set the file size: ") + std::strerror(errno);
        return false;
    }
    return true;
}

bool FileHandle::sync(std::string* why)
{
    if (::fsync(fd_) != 0) {
        *why = std::string("cannot flush the file: ") + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace bimf
