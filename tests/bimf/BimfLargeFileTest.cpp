// A data file above 4 GiB: frames stored past the 4 GiB mark are indexed,
// found by position and read byte for byte. The file is sparse: a gap record
// (which the format allows for preallocated space) spans the hole, so the
// test writes a few kilobytes only.

#include "BimfFormat.h"
#include "BimfMaintenance.h"
#include "BimfTestFiles.h"
#include "Crc32.h"
#include "RbimfFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr uint64_t kBeyond4GiB = (uint64_t(4) << 30) + 123456;

class SparseDataFile
{
public:
    explicit SparseDataFile(const std::string& path) : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)) {}
    ~SparseDataFile() { ::close(fd_); }
    bool ok() const { return fd_ >= 0 && ok_; }

    void header(const UniversalTrackInfo_Ex& track)
    {
        bimf::DataHeader h;
        h.track = track;
        h.track.PhotoNum = 0;
        uint8_t block[bimf::kDataHeaderSize];
        bimf::EncodeDataHeader(h, block);
        put(0, block, sizeof block);
        end_ = sizeof block;
    }

    void frame(const SampleFrame& f, uint64_t sequence)
    {
        bimf::RecordHeader r;
        r.frameNumber = f.number;
        r.km = f.km;
        r.m = f.m;
        r.captureTime = f.captureTime;
        r.jpegSize = uint32_t(f.bytes.size());
        r.jpegCrc = bimf::Crc32(f.bytes.data(), f.bytes.size());
        r.sequence = sequence;
        record(r, f.bytes.data(), f.bytes.size());
    }

    // Leaves a hole up to `target`, spanned by one gap record.
    void gapUntil(uint64_t target)
    {
        bimf::RecordHeader r;
        r.gap = true;
        r.gapBytes = target - end_ - bimf::kRecordHeaderSize;
        record(r, nullptr, 0);
        end_ = target;
        ok_ = ok_ && ::ftruncate(fd_, off_t(end_)) == 0;
    }

    uint64_t end() const { return end_; }

private:
    void record(const bimf::RecordHeader& r, const uint8_t* payload, size_t size)
    {
        uint8_t block[bimf::kRecordHeaderSize];
        bimf::EncodeRecordHeader(r, block);
        put(end_, block, sizeof block);
        put(end_ + sizeof block, payload, size);
        end_ += sizeof block + size;
    }

    void put(uint64_t offset, const void* bytes, size_t size)
    {
        if (size)
            ok_ = ok_ && ::pwrite(fd_, bytes, size, off_t(offset)) == ssize_t(size);
    }

    int fd_;
    bool ok_ = true;
    uint64_t end_ = 0;
};

} // namespace

TEST(BimfLargeFile, FramesBeyondFourGiBAreIndexedFoundAndReadBack)
{
    BimfFolder folder;
    const auto frames = MakeFrames(3);
    {
        SparseDataFile file(folder.data());
        file.header(SampleHeader());
        file.frame(frames[0], 0);
        file.gapUntil(kBeyond4GiB);
        file.frame(frames[1], 1);
        file.frame(frames[2], 2);
        if (!file.ok())
            GTEST_SKIP() << "the temporary folder cannot hold a sparse file above 4 GiB";
    }
    ASSERT_EQ(BIMFRebuildIndex(folder.data().c_str(), folder.index().c_str()), 3) << BIMFLastErrorText();
    EXPECT_EQ(BimfCheckFile(folder.data().c_str(), folder.index().c_str(), nullptr, nullptr), 0);

    const auto reader = OpenPair(folder);
    ASSERT_TRUE(reader) << BIMFLastErrorText();
    EXPECT_EQ(reader->GetUniversalTrackInfo()->PhotoNum, 3);
    for (int n = 1; n <= 3; ++n) {
        const SampleFrame& f = frames[size_t(n - 1)];
        TrackImageJPG_ image{};
        ASSERT_EQ(reader->GetTrackImage(&image, n), 1) << BIMFLastErrorText();
        ASSERT_EQ(size_t(image.JpgSize), f.bytes.size());
        EXPECT_EQ(std::memcmp(image.pJpgData, f.bytes.data(), f.bytes.size()), 0);
        if (n > 1) {
            EXPECT_GE(uint64_t(image.FileOffset), kBeyond4GiB);
        }
        reader->ReleaseImage(&image);
    }
    int count = 0;
    const int* found = reader->GetTrackImagesNumber(frames[2].km, frames[2].m, &count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(found[0], 3);
}
