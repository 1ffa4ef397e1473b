#include "JpegHelpers.h"

#include "JpegCodec.h"

#include <QFile>

#include <cstring>

bool WriteBufferToFile(const QString& path, const uint8_t* bytes, size_t count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (count == 0)
        return true;
    return bytes != nullptr
        && file.write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(count))
               == static_cast<qint64>(count);
}

bool TryDecodeJpegGray(const uint8_t* bytes, size_t count, GreyRaster& raster)
{
    JpegImageInfo info;
    if (!ReadJpegHeader(bytes, count, &info, nullptr))
        return false;
    if (info.components != 1 || info.width > kMaxDecodedSide || info.height > kMaxDecodedSide)
        return false;
    // Decoding into a raster of our own keeps the caller's intact when the
    // stream turns out damaged halfway.
    GreyRaster decoded(info.width, info.height);
    if (decoded.isEmpty()
        || !DecodeJpegGray(bytes, count, decoded.data(), decoded.stride(), info.width,
                           info.height, nullptr, nullptr))
        return false;
    raster = std::move(decoded);
    return true;
}

int DecodeJpegGray(const uint8_t* bytes, size_t count, GreyRaster& raster)
{
    TryDecodeJpegGray(bytes, count, raster);
    return 1;
}

int CheckJpegSize(const uint8_t* bytes, size_t count, int expectedWidth, int expectedHeight)
{
    JpegImageInfo info;
    if (!ReadJpegHeader(bytes, count, &info, nullptr))
        return 0;
    return info.width == expectedWidth && info.height == expectedHeight ? 1 : 0;
}

bool EncodeGrayJpeg(int width, int height, const GreyRaster& source, uint8_t* output,
                    int* byteCount)
{
    if (output == nullptr || byteCount == nullptr || width <= 0 || height <= 0
        || width > source.width() || height > source.height())
        return false;
    std::vector<uint8_t> encoded;
    if (!EncodeJpegGray(source.data(), width, height, source.stride(), 100, &encoded, nullptr))
        return false;
    if (encoded.empty() || encoded.size() > static_cast<size_t>(std::max(*byteCount, 0)))
        return false;
    std::memcpy(output, encoded.data(), encoded.size());
    *byteCount = static_cast<int>(encoded.size());
    return true;
}
