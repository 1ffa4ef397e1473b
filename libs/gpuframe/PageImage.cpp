#include "PageImage.h"

#include <sys/mman.h>

#include <cstdint>

namespace {

struct PageSpan
{
    void* Address;
    size_t Bytes;
};

void UnmapPages(void* info)
{
    auto* span = static_cast<PageSpan*>(info);
    munmap(span->Address, span->Bytes);
    delete span;
}

} // namespace

QImage NewPageImage(QSize size, QImage::Format format)
{
    if (size.isEmpty() || format == QImage::Format_Invalid)
        return {};
    // QImage's own row alignment: 32 bits.
    const int64_t bitsPerPixel = QImage::toPixelFormat(format).bitsPerPixel();
    const int64_t bytesPerLine = (int64_t(size.width()) * bitsPerPixel + 31) / 32 * 4;
    const size_t bytes = size_t(bytesPerLine) * size_t(size.height());
    void* address = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        return {};
    auto* span = new PageSpan{address, bytes};
    QImage image(static_cast<uchar*>(address), size.width(), size.height(), qsizetype(bytesPerLine), format,
                 UnmapPages, span);
    if (image.isNull())
        UnmapPages(span);
    return image;
}
