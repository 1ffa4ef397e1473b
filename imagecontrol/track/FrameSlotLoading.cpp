#include "FrameSlotLoading.h"
#include "FrameBitmap.h"

#include "CGpuTexture.h"
#include "IDataReaderInterface.h"
#include "JpegCodec.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int SlotSpareBytes = 1536;
constexpr int LargestJpegSide = 65535;

bool Fail(std::string* error, std::string text)
{
    if (error)
        *error = std::move(text);
    return false;
}

// Checks the header before anything is written, so the bottom-up target
// below is only computed for a frame that fits.
bool ReadFittingHeader(const uint8_t* jpeg, size_t bytes, int maxWidth, int maxHeight, JpegImageInfo& info,
                       std::string* error)
{
    if (!ReadJpegHeader(jpeg, bytes, &info, error))
        return false;
    if (info.components != 1)
        return Fail(error, "the frame has " + std::to_string(info.components) + " colour components");
    if (info.width < 1 || info.height < 1 || info.width > maxWidth || info.height > maxHeight)
        return Fail(error, "the frame is " + std::to_string(info.width) + " x " + std::to_string(info.height) +
                               ", larger than " + std::to_string(maxWidth) + " x " + std::to_string(maxHeight));
    return true;
}

} // namespace

size_t FrameSlotBufferBytes(int frameWidth, int frameHeight)
{
    if (!IsUsableFrameSize(frameWidth, frameHeight))
        return 0;
    return static_cast<size_t>(FrameStride(frameWidth)) * frameHeight + SlotSpareBytes;
}

bool IsUsableFrameSize(int frameWidth, int frameHeight)
{
    if (frameWidth < 1 || frameHeight < 1 || frameWidth > LargestJpegSide || frameHeight > LargestJpegSide)
        return false;
    const int64_t bytes = int64_t{FrameStride(frameWidth)} * frameHeight + SlotSpareBytes;
    return bytes <= INT_MAX;
}

bool ReserveFrameSlot(CFrameSlot& slot, int frameWidth, int frameHeight)
{
    FreeFrameSlot(slot);
    const size_t bytes = FrameSlotBufferBytes(frameWidth, frameHeight);
    if (bytes == 0 || !slot.Pixels.Allocate(bytes) || !slot.Image.Allocate(bytes) || !slot.Jpeg.Allocate(bytes)) {
        FreeFrameSlot(slot);
        return false;
    }
    slot.Capacity = frameWidth * frameHeight;
    slot.LockReady = 1;
    return true;
}

void FreeFrameSlot(CFrameSlot& slot)
{
    slot.Pixels.Free();
    slot.Image.Free();
    slot.Jpeg.Free();
    slot.Valid = 0;
    slot.LockReady = 0;
    slot.Capacity = 0;
    slot.JpegBytes = 0;
    slot.DecodedWidth = 0;
    slot.DecodedHeight = 0;
    slot.FrameNo = 0;
    slot.FrameKm = 0;
    slot.FrameM = 0;
}

void GiveBackFrameSlot(CFrameSlot& slot)
{
    slot.Pixels.Discard();
    slot.Image.Discard();
    slot.Jpeg.Discard();
    if (slot.Texture)
        slot.Texture->Reset();
    slot.Valid = 0;
    slot.FrameNo = 0;
    slot.JpegBytes = 0;
    slot.DecodedWidth = 0;
    slot.DecodedHeight = 0;
}

bool ReadSlotFrame(CFrameSlot& slot, IDataReaderInterface& reader, std::string* error)
{
    slot.JpegBytes = 0;
    if (!slot.Jpeg.Data())
        return Fail(error, "the slot has no buffer");
    int bytes = 0;
    const int capacity = static_cast<int>(slot.Jpeg.Size());
    if (!reader.ReadFrame(slot.FrameNo, reinterpret_cast<char*>(slot.Jpeg.Data()), capacity, &bytes, &slot.FrameKm,
                          &slot.FrameM))
        return Fail(error, "the reader cannot read it");
    if (bytes < 1 || bytes > capacity)
        return Fail(error, "the reader answered " + std::to_string(bytes) + " bytes");
    slot.JpegBytes = bytes;
    return true;
}

bool DecodeSlotFrame(CFrameSlot& slot, int maxWidth, int maxHeight, std::string* error)
{
    slot.DecodedWidth = 0;
    slot.DecodedHeight = 0;
    if (!slot.Pixels.Data() || slot.JpegBytes < 1)
        return Fail(error, "nothing to decode");
    JpegImageInfo info;
    const uint8_t* jpeg = slot.Jpeg.Data();
    const size_t bytes = static_cast<size_t>(slot.JpegBytes);
    if (!ReadFittingHeader(jpeg, bytes, maxWidth, maxHeight, info, error))
        return false;
    // Bottom-up: the first decoded row is the last row in memory.
    const ptrdiff_t stride = FrameStride(info.width);
    uint8_t* topRow = slot.Pixels.Data() + stride * (info.height - 1);
    if (!DecodeJpegGray(jpeg, bytes, topRow, static_cast<int>(-stride), maxWidth, maxHeight, nullptr, error))
        return false;
    slot.DecodedWidth = info.width;
    slot.DecodedHeight = info.height;
    return true;
}

bool UploadSlotBitmap(CFrameSlot& slot, const TrackPalette& palette, bool flipped, std::string* error)
{
    if (!slot.Texture)
        return true;
    const size_t bytes = FrameBitmapBytes(slot.DecodedWidth, slot.DecodedHeight);
    if (bytes == 0 || bytes > slot.Image.Size() || !slot.Pixels.Data())
        return Fail(error, "no decoded frame to upload");
    WriteFrameBitmap(slot.Image.Data(), slot.Pixels.Data(), slot.DecodedWidth, slot.DecodedHeight, palette, flipped);
    const bool uploaded = slot.Texture->UploadBitmap(slot.DecodedWidth, slot.DecodedHeight, slot.Image.Data());
    // The texture keeps its own copy; the staging pages are not needed again
    // until the next build.
    slot.Image.Discard();
    return uploaded ? true : Fail(error, "the texture refused the bitmap");
}

bool CopySlotFrameGray(const CFrameSlot& slot, FrameRaster& raster)
{
    const int width = slot.DecodedWidth;
    const int height = slot.DecodedHeight;
    if (width < 1 || height < 1 || width != raster.Width || height != raster.Height || !slot.Pixels.Data())
        return false;
    const size_t stride = static_cast<size_t>(FrameStride(width));
    if (stride * height > slot.Pixels.Size() || static_cast<size_t>(raster.Stride) * height > raster.Bits.size())
        return false;
    // Only the frame's own columns: the padding stays as the decode leaves it.
    for (int row = 0; row < height; ++row)
        std::memcpy(raster.Bits.data() + static_cast<size_t>(row) * raster.Stride,
                    slot.Pixels.Data() + static_cast<size_t>(height - 1 - row) * stride, static_cast<size_t>(width));
    return true;
}

bool DecodeFrameGrayInto(const uint8_t* jpeg, size_t bytes, int maxWidth, int maxHeight, FrameRaster& raster,
                         std::string* error)
{
    JpegImageInfo info;
    if (!ReadFittingHeader(jpeg, bytes, maxWidth, maxHeight, info, error))
        return false;
    std::vector<uint8_t> decoded(static_cast<size_t>(info.width) * info.height);
    if (!DecodeJpegGray(jpeg, bytes, decoded.data(), info.width, maxWidth, maxHeight, nullptr, error))
        return false;
    for (int row = 0; row < raster.Height; ++row) {
        const int64_t sourceRow = int64_t{row} * info.height / raster.Height;
        const uint8_t* source = decoded.data() + sourceRow * info.width;
        uint8_t* target = raster.Bits.data() + static_cast<size_t>(row) * raster.Stride;
        for (int column = 0; column < raster.Width; ++column)
            target[column] = source[int64_t{column} * info.width / raster.Width];
    }
    return true;
}
