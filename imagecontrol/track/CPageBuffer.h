#pragma once
// A fixed-size byte buffer taken straight from the system in whole pages.
// Pages count against the process only once they are written, and Discard
// hands them back while keeping the buffer's address and size, so a frame
// cache can reserve its buffers up front and stay small while they are idle.
// Not thread-safe: its owner guards it. Allocation failure leaves it empty
// (Data() null, Size() 0).

#include "LumetraImageApi.h"

#include <cstddef>
#include <cstdint>

class LUMETRAIMAGE_API CPageBuffer
{
public:
    CPageBuffer() = default;
    ~CPageBuffer();
    CPageBuffer(const CPageBuffer&) = delete;
    CPageBuffer& operator=(const CPageBuffer&) = delete;

    // Replaces the buffer by `size` zero bytes; false when the system refuses.
    bool Allocate(size_t size);
    void Free();
    // Gives the pages back; the bytes read as zero afterwards.
    void Discard();
    uint8_t* Data() const;
    size_t Size() const;

private:
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};
