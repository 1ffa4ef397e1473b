#include "MappedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bimf {

MappedFile::~MappedFile() { close(); }

bool MappedFile::open(const char* path, std::string* why)
{
    close();
    if (!path || !*path) {
        *why = "no path given";
        return false;
    }
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *why = std::string("cannot open ") + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *why = std::string(path) + " is not a regular file";
        ::close(fd);
        return false;
    }
    size_ = uint64_t(st.st_size);
    if (size_ > 0) {
        void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
        if (p == MAP_FAILED) {
            *why = std::string("cannot map ") + path + ": " + std::strerror(errno);
            size_ = 0;
            ::close(fd);
            return false;
        }
        data_ = static_cast<const uint8_t*>(p);
    }
    ::close(fd);  // the mapping keeps the file
    return true;
}

void MappedFile::close()
{
    if (data_)
        ::munmap(const_cast<uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
}

} // namespace bimf
