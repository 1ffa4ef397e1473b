#include "FrameExtraction.h"

#include "JpegHelpers.h"
#include "RbimfFile.h"

#include "JpegCodec.h"

#include <cstring>

namespace {

// Holds one fetched frame and gives it back on every path out.
class FetchedFrame
{
public:
    FetchedFrame(RbimfFile* reader, int frameNumber) : reader_(reader)
    {
        std::memset(&image_, 0, sizeof image_);
        fetched_ = reader_ != nullptr && reader_->GetTrackImage(&image_, frameNumber) != 0;
    }
    ~FetchedFrame()
    {
        if (fetched_)
            reader_->ReleaseImage(&image_);
    }
    FetchedFrame(const FetchedFrame&) = delete;
    FetchedFrame& operator=(const FetchedFrame&) = delete;

    bool fetched() const { return fetched_; }
    const TrackImageJPG_& record() const { return image_; }
    const uint8_t* bytes() const { return image_.pJpgData; }
    size_t byteCount() const { return image_.JpgSize > 0 ? static_cast<size_t>(image_.JpgSize) : 0; }

private:
    RbimfFile* reader_;
    TrackImageJPG_ image_;
    bool fetched_ = false;
};

void resampleNearest(const GreyRaster& source, GreyRaster& dest)
{
    const int64_t sourceWidth = source.width(), sourceHeight = source.height();
    const int64_t destWidth = dest.width(), destHeight = dest.height();
    for (int64_t i = 0; i < destHeight; ++i) {
        const uint8_t* from = source.row(static_cast<int>(i * sourceHeight / destHeight));
        uint8_t* to = dest.row(static_cast<int>(i));
        for (int64_t j = 0; j < destWidth; ++j)
            to[j] = from[j * sourceWidth / destWidth];
    }
}

} // namespace

int GetFirstFrameSize(RbimfFile* reader, int* width, int* height)
{
    FetchedFrame frame(reader, 1);
    if (!frame.fetched())
        return 0;
    JpegImageInfo info;
    if (ReadJpegHeader(frame.bytes(), frame.byteCount(), &info, nullptr)) {
        if (width)
            *width = info.width;
        if (height)
            *height = info.height;
    }
    return 1;
}

GreyRaster& ReadFrameGray(RbimfFile* reader, int frameNumber, TrackImageJPG_* recordCopy,
                          int outWidth, int outHeight, GreyRaster& dest)
{
    if (outWidth > kMaxDecodedSide || outHeight > kMaxDecodedSide) {
        dest = GreyRaster();
        return dest;
    }
    if (dest.width() != outWidth || dest.height() != outHeight)
        dest = GreyRaster(outWidth, outHeight);
    FetchedFrame frame(reader, frameNumber);
    if (!frame.fetched())
        return dest;
    if (recordCopy)
        std::memcpy(recordCopy, &frame.record(), sizeof(TrackImageJPG_));
    GreyRaster decoded;
    if (!TryDecodeJpegGray(frame.bytes(), frame.byteCount(), decoded) || dest.isEmpty())
        return dest;
    // At the frame's own size (the exports at scale 1) resampling would only copy.
    if (decoded.width() == outWidth && decoded.height() == outHeight)
        dest = std::move(decoded);
    else
        resampleNearest(decoded, dest);
    return dest;
}
