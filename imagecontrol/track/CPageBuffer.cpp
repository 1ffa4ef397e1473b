#include "CPageBuffer.h"

#include <sys/mman.h>

CPageBuffer::~CPageBuffer()
{
    Free();
}

bool CPageBuffer::Allocate(size_t size)
{
    Free();
    if (size == 0)
        return true;
    void* pages = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED)
        return false;
    data_ = static_cast<uint8_t*>(pages);
    size_ = size;
    return true;
}

void CPageBuffer::Free()
{
    if (data_)
        munmap(data_, size_);
    data_ = nullptr;
    size_ = 0;
}

void CPageBuffer::Discard()
{
    // Private anonymous pages read back as zeros after this.
    if (data_)
        madvise(data_, size_, MADV_DONTNEED);
}

uint8_t* CPageBuffer::Data() const
{
    return data_;
}

size_t CPageBuffer::Size() const
{
    return size_;
}
