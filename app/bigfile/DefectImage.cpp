#include "DefectImage.h"

#include "FrameExtraction.h"
#include "JpegHelpers.h"
#include "RbimfFile.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t kEncodeSlack = 4096;
constexpr int kMinRecordSide = 50;

// Truncation toward zero, as the picture arithmetic is defined; values
// outside int (from absurd records or scales) are pinned instead of overflowing.
int truncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

bool pictureSizeUsable(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxDecodedSide && height <= kMaxDecodedSide;
}

// W and H of the frame at scale pair (s, r); false without a header.
bool scaledFrameSize(RbimfFile* reader, double s, double r, int* width, int* height)
{
    const UniversalTrackInfo_Ex* header = reader ? reader->GetUniversalTrackInfo() : nullptr;
    if (header == nullptr)
        return false;
    *height = truncToInt(header->VPixelNum * s);
    *width = truncToInt(header->HPixelNum * r * s);
    return true;
}

bool fitsOneFrame(const _FAULT_& fault, double s, int frameHeight)
{
    return frameHeight >= truncToInt((double(fault.FaultY) + fault.FaultCy) * s);
}

// Top row of the defect when it is centred in a composite of H rows.
double centredTop(const _FAULT_& fault, double s, int frameHeight)
{
    return (frameHeight - fault.FaultCy * s) / 2;
}

// Rows cut .. H-1 of frame N followed by rows 0 .. cut-1 of frame N + 1,
// where cut puts the defect in the middle.
GreyRaster centredComposite(RbimfFile* reader, const _FAULT_& fault, double s, int width,
                            int height)
{
    const int cut = std::clamp(truncToInt(fault.FaultY * s - centredTop(fault, s, height)), 0, height);
    GreyRaster upper(width, height), lower(width, height);
    ReadFrameGray(reader, fault.FaultImage, nullptr, width, height, upper);
    if (fault.FaultImage < INT_MAX)
        ReadFrameGray(reader, fault.FaultImage + 1, nullptr, width, height, lower);
    GreyRaster composite(width, height);
    const size_t rowBytes = static_cast<size_t>(composite.stride());
    for (int y = cut; y < height; ++y)
        std::memcpy(composite.row(y - cut), upper.row(y), rowBytes);
    for (int y = 0; y < cut; ++y)
        std::memcpy(composite.row(height - cut + y), lower.row(y), rowBytes);
    return composite;
}

void encodeAndWrite(const GreyRaster& picture, size_t bufferSize, const QString& path)
{
    bufferSize = std::min(bufferSize, size_t(INT_MAX));
    std::vector<uint8_t> buffer(bufferSize);
    int byteCount = static_cast<int>(bufferSize);
    if (EncodeGrayJpeg(picture.width(), picture.height(), picture, buffer.data(), &byteCount))
        WriteBufferToFile(path, buffer.data(), static_cast<size_t>(byteCount));
}

void raiseToMinimumSide(_FAULT_& fault)
{
    fault.FaultCx = std::max(fault.FaultCx, kMinRecordSide);
    fault.FaultCy = std::max(fault.FaultCy, kMinRecordSide);
}

// Copies the width x height rectangle at (left, top) of `source`; what lies
// outside `source` stays black.
GreyRaster copyRegion(const GreyRaster& source, int left, int top, int width, int height)
{
    GreyRaster region(width, height);
    const int64_t firstColumn = std::max<int64_t>(left, 0);
    const int64_t endColumn = std::min<int64_t>(int64_t(left) + width, source.width());
    if (firstColumn >= endColumn)
        return region;
    for (int y = 0; y < height; ++y) {
        const int64_t sourceRow = int64_t(top) + y;
        if (sourceRow < 0 || sourceRow >= source.height())
            continue;
        std::memcpy(region.row(y) + (firstColumn - left),
                    source.row(static_cast<int>(sourceRow)) + firstColumn,
                    static_cast<size_t>(endColumn - firstColumn));
    }
    return region;
}

} // namespace

void InvertRectOutline(GreyRaster& raster, int x0, int y0, int x1, int y1)
{
    auto invert = [&raster](int64_t x, int64_t y) {
        if (x >= 0 && x < raster.width() && y >= 0 && y < raster.height())
            raster.row(static_cast<int>(y))[x] = static_cast<uint8_t>(~raster.row(static_cast<int>(y))[x]);
    };
    // Bounded by the raster so that huge boxes cost no more than its size.
    const int64_t firstX = std::max<int64_t>(x0, 0), lastX = std::min<int64_t>(x1, raster.width() - 1);
    for (int64_t x = firstX; x <= lastX; ++x) {
        invert(x, y0);
        invert(x, y1);
    }
    const int64_t firstY = std::max<int64_t>(int64_t(y0) + 2, 0);
    const int64_t lastY = std::min<int64_t>(int64_t(y1) - 1, raster.height() - 1);
    for (int64_t y = firstY; y <= lastY; ++y) {
        invert(x0, y);
        invert(x1, y);
    }
}

int SaveDefectImage(RbimfFile* reader, _FAULT_& fault, const QString& path, double s, double r,
                    bool drawBox)
{
    int width = 0, height = 0;
    if (!scaledFrameSize(reader, s, r, &width, &height))
        return 0;
    if (!pictureSizeUsable(width, height))
        return 1;
    const int left = truncToInt(fault.FaultX * r * s);
    const int right = truncToInt((double(fault.FaultX) + fault.FaultCx) * r * s);
    GreyRaster picture(width, height);
    if (fitsOneFrame(fault, s, height)) {
        ReadFrameGray(reader, fault.FaultImage, nullptr, width, height, picture);
        if (drawBox)
            InvertRectOutline(picture, left, truncToInt(fault.FaultY * s), right,
                              truncToInt((double(fault.FaultY) + fault.FaultCy) * s));
        raiseToMinimumSide(fault);
    } else {
        picture = centredComposite(reader, fault, s, width, height);
        const double top = centredTop(fault, s, height);
        if (drawBox)
            InvertRectOutline(picture, left, truncToInt(top), right,
                              truncToInt(top + fault.FaultCy * s));
    }
    encodeAndWrite(picture, static_cast<size_t>(picture.stride()) * height + kEncodeSlack, path);
    return 1;
}

int SaveDefectRegion(RbimfFile* reader, _FAULT_& fault, const QString& path, double s, double r)
{
    raiseToMinimumSide(fault);
    int width = 0, height = 0;
    if (!scaledFrameSize(reader, s, r, &width, &height))
        return 0;
    if (!pictureSizeUsable(width, height) || !pictureSizeUsable(fault.FaultCx, fault.FaultCy))
        return 1;
    GreyRaster frame(width, height);
    int top = fault.FaultY;
    if (fitsOneFrame(fault, s, height)) {
        ReadFrameGray(reader, fault.FaultImage, nullptr, width, height, frame);
    } else {
        frame = centredComposite(reader, fault, s, width, height);
        top = static_cast<int>((int64_t(height) - fault.FaultCy) / 2);
    }
    const GreyRaster region = copyRegion(frame, fault.FaultX, top, fault.FaultCx, fault.FaultCy);
    encodeAndWrite(region, 4 * static_cast<size_t>(region.stride()) * fault.FaultCy, path);
    return 1;
}
