// Frames of real big files turned into rasters and defect pictures: the
// resampling, the single-frame and centred two-frame paths, the region cut,
// and damaged or missing frames.
#include "BigFileMaker.h"
#include "DefectImage.h"
#include "FrameExtraction.h"
#include "JpegHelpers.h"
#include "RbimfFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

struct ReaderCloser
{
    void operator()(RbimfFile* reader) const
    {
        reader->Final();
        delete reader;
    }
};
using ReaderHandle = std::unique_ptr<RbimfFile, ReaderCloser>;

// A temporary big file of 64 x 64 frames opened with the library reader.
class BigFileFixture : public ::testing::Test
{
protected:
    ReaderHandle open(const BigFileMaker& maker)
    {
        const QString path = dir_.filePath(QStringLiteral("channel%1.bimf").arg(++files_));
        EXPECT_TRUE(maker.write(path));
        return ReaderHandle(BIMFReaderReadBimfFileAndIndex(
            QFile::encodeName(path).constData(),
            QFile::encodeName(BigFileMaker::indexPathFor(path)).constData(), 0));
    }
    QString output(const char* name) const { return dir_.filePath(name); }

    static GreyRaster readPicture(const QString& path)
    {
        QFile file(path);
        GreyRaster picture;
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            DecodeJpegGray(reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size(), picture);
        }
        return picture;
    }

    // Two flat frames: frame 1 at `first`, frame 2 at `second`.
    ReaderHandle twoFlatFrames(uint8_t first, uint8_t second)
    {
        BigFileMaker maker;
        maker.addFrame(MakeFlatJpeg(64, 64, first));
        maker.addFrame(MakeFlatJpeg(64, 64, second));
        return open(maker);
    }

    static _FAULT_ defect(int x, int y, int cx, int cy)
    {
        _FAULT_ fault;
        fault.FaultImage = 1;
        fault.FaultX = x;
        fault.FaultY = y;
        fault.FaultCx = cx;
        fault.FaultCy = cy;
        return fault;
    }

private:
    QTemporaryDir dir_;
    int files_ = 0;
};

bool near(int value, int expected) { return std::abs(value - expected) <= 4; }

} // namespace

TEST_F(BigFileFixture, ReadFrameGrayResamplesNearestAndCopiesTheRecord)
{
    BigFileMaker maker;
    // 16-pixel bands: column band gives tens, row band gives units.
    maker.addFrame(MakeGreyJpeg(64, 64, [](int x, int y) { return uint8_t((x / 16) * 60 + (y / 16) * 10); }));
    ReaderHandle reader = open(maker);
    ASSERT_TRUE(reader);
    TrackImageJPG_ record{};
    GreyRaster picture(1, 1);
    ReadFrameGray(reader.get(), 1, &record, 8, 4, picture);
    EXPECT_EQ(record.ImageNumber, 1);
    EXPECT_EQ(record.JpgSize, int32_t(maker.frame(1).size()));
    ASSERT_EQ(picture.width(), 8);
    ASSERT_EQ(picture.height(), 4);
    // Output (j, i) takes source column j * 64 / 8 and row i * 64 / 4.
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 8; ++j)
            EXPECT_TRUE(near(picture.row(i)[j], (j * 8 / 16) * 60 + (i * 16 / 16) * 10)) << j << "," << i;
}

TEST_F(BigFileFixture, FramesThatCannotBeFetchedOrDecodedLeaveTheRaster)
{
    BigFileMaker maker;
    std::mt19937 random(11);
    std::vector<uint8_t> noise(3000);
    for (auto& byte : noise)
        byte = static_cast<uint8_t>(random());
    maker.addFrame(noise);
    ReaderHandle reader = open(maker);
    ASSERT_TRUE(reader);
    for (int frame : {1, 2, -1}) {
        GreyRaster picture(4, 4);
        picture.row(2)[2] = 33;
        TrackImageJPG_ record{};
        ReadFrameGray(reader.get(), frame, &record, 4, 4, picture);
        EXPECT_EQ(picture.row(2)[2], 33) << frame;
    }
    int width = -1, height = -1;
    EXPECT_EQ(GetFirstFrameSize(reader.get(), &width, &height), 1);
    EXPECT_EQ(width, -1);
    EXPECT_EQ(GetFirstFrameSize(nullptr, &width, &height), 0);
}

TEST_F(BigFileFixture, DefectWithinItsFrameIsOutlinedAndItsRecordRaised)
{
    ReaderHandle reader = twoFlatFrames(100, 200);
    ASSERT_TRUE(reader);
    _FAULT_ fault = defect(10, 20, 30, 40);
    EXPECT_EQ(SaveDefectImage(reader.get(), fault, output("one.jpg"), 1, 1, true), 1);
    const GreyRaster picture = readPicture(output("one.jpg"));
    ASSERT_EQ(picture.width(), 64);
    ASSERT_EQ(picture.height(), 64);
    EXPECT_TRUE(near(picture.row(20)[25], 155));  // top edge, inverted
    EXPECT_TRUE(near(picture.row(60)[25], 155));  // bottom edge at y0 + height
    EXPECT_TRUE(near(picture.row(30)[10], 155));  // left side
    EXPECT_TRUE(near(picture.row(30)[40], 155));  // right side at x0 + width
    EXPECT_TRUE(near(picture.row(30)[25], 100));  // inside
    EXPECT_EQ(fault.FaultCx, 50);
    EXPECT_EQ(fault.FaultCy, 50);
}

TEST_F(BigFileFixture, ScalePairSetsThePictureSize)
{
    ReaderHandle reader = twoFlatFrames(100, 200);
    _FAULT_ fault = defect(10, 10, 60, 60);
    SaveDefectImage(reader.get(), fault, output("scaled.jpg"), 0.5, 1.5, false);
    QFile file(output("scaled.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // W = 64 x 1.5 x 0.5 = 48, H = 64 x 0.5 = 32.
    EXPECT_EQ(CheckJpegSize(reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size(), 48, 32), 1);
}

TEST_F(BigFileFixture, PathChoiceAtTheLastRow)
{
    ReaderHandle reader = twoFlatFrames(100, 200);
    struct Case
    {
        int y, cy;
        bool singleFrame;
    } cases[] = {
        {44, 20, true},   // bottom edge exactly on row 64 = H
        {45, 20, false},  // one row over: centred composite
    };
    for (const Case& c : cases) {
        _FAULT_ fault = defect(5, c.y, 10, c.cy);
        SaveDefectImage(reader.get(), fault, output("edge.jpg"), 1, 1, false);
        // Only the single-frame path raises the record.
        EXPECT_EQ(fault.FaultCy == 50, c.singleFrame) << c.y;
        const GreyRaster picture = readPicture(output("edge.jpg"));
        ASSERT_EQ(picture.height(), 64);
        EXPECT_EQ(near(picture.row(63)[0], 200), !c.singleFrame) << c.y;
    }
}

TEST_F(BigFileFixture, DefectOverTheLowerEdgeIsCentredOnTwoFrames)
{
    ReaderHandle reader = twoFlatFrames(40, 200);
    // H = 64, Y = 50, height 20: cut = 50 - (64 - 20) / 2 = 28, so rows 0..35
    // come from frame 1 and rows 36..63 from frame 2; box rows 22..42.
    _FAULT_ fault = defect(10, 50, 30, 20);
    SaveDefectImage(reader.get(), fault, output("two.jpg"), 1, 1, true);
    const GreyRaster picture = readPicture(output("two.jpg"));
    ASSERT_EQ(picture.height(), 64);
    EXPECT_TRUE(near(picture.row(32)[55], 40));
    EXPECT_TRUE(near(picture.row(40)[55], 200));
    EXPECT_TRUE(near(picture.row(22)[20], 255 - 40));   // top edge on frame 1 rows
    EXPECT_TRUE(near(picture.row(42)[20], 255 - 200));  // bottom edge on frame 2 rows
    EXPECT_TRUE(near(picture.row(23)[10], 40));         // row below the top edge: no side
    EXPECT_EQ(fault.FaultCx, 30);
    EXPECT_EQ(fault.FaultCy, 20);
}

TEST_F(BigFileFixture, NegativeCutShowsTheWholeFirstFrame)
{
    ReaderHandle reader = twoFlatFrames(40, 200);
    // cut = -10 - (64 - 80) / 2 = -2, raised to 0: nothing of frame 2.
    _FAULT_ fault = defect(10, -10, 20, 80);
    SaveDefectImage(reader.get(), fault, output("neg.jpg"), 1, 1, true);
    const GreyRaster picture = readPicture(output("neg.jpg"));
    ASSERT_EQ(picture.height(), 64);
    for (int y : {0, 31, 63})
        EXPECT_TRUE(near(picture.row(y)[50], 40)) << y;
    EXPECT_TRUE(near(picture.row(10)[10], 255 - 40));  // side runs through every row
}

TEST_F(BigFileFixture, SmallRegionIsExportedAtFiftyByFifty)
{
    BigFileMaker maker;
    maker.addFrame(MakeGreyJpeg(64, 64, [](int x, int) { return uint8_t(x * 3); }));
    ReaderHandle reader = open(maker);
    _FAULT_ fault = defect(4, 6, 10, 20);
    EXPECT_EQ(SaveDefectRegion(reader.get(), fault, output("region.jpg"), 1, 1), 1);
    EXPECT_EQ(fault.FaultCx, 50);
    EXPECT_EQ(fault.FaultCy, 50);
    const GreyRaster region = readPicture(output("region.jpg"));
    ASSERT_EQ(region.width(), 50);
    ASSERT_EQ(region.height(), 50);
    EXPECT_TRUE(near(region.row(10)[0], 4 * 3));
    EXPECT_TRUE(near(region.row(10)[40], 44 * 3));
}

TEST_F(BigFileFixture, RegionOverTheFrameEdgesIsBlackOutside)
{
    ReaderHandle reader = twoFlatFrames(120, 200);
    // X + 50 runs 30 columns past the frame; Y + 50 > 64 takes the composite
    // with the region starting at row (64 - 50) / 2 = 7.
    _FAULT_ fault = defect(44, 30, 50, 50);
    SaveDefectRegion(reader.get(), fault, output("edge.jpg"), 1, 1);
    const GreyRaster region = readPicture(output("edge.jpg"));
    ASSERT_EQ(region.width(), 50);
    EXPECT_TRUE(near(region.row(2)[5], 120));
    EXPECT_TRUE(near(region.row(45)[5], 200));
    EXPECT_TRUE(near(region.row(20)[45], 0));
}

TEST_F(BigFileFixture, UnreadableFrameGivesABlackPicture)
{
    BigFileMaker maker;
    maker.addFrame({0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34});
    ReaderHandle reader = open(maker);
    _FAULT_ fault = defect(10, 10, 10, 10);
    SaveDefectImage(reader.get(), fault, output("black.jpg"), 1, 1, false);
    const GreyRaster picture = readPicture(output("black.jpg"));
    ASSERT_EQ(picture.width(), 64);
    EXPECT_TRUE(near(picture.row(32)[32], 0));
    // Frame 5 does not exist: still a black picture.
    fault.FaultImage = 5;
    SaveDefectImage(reader.get(), fault, output("missing.jpg"), 1, 1, true);
    EXPECT_EQ(readPicture(output("missing.jpg")).width(), 64);
}

TEST_F(BigFileFixture, NoReaderOrUnusableScaleWritesNothing)
{
    _FAULT_ fault = defect(1, 1, 5, 5);
    EXPECT_EQ(SaveDefectImage(nullptr, fault, output("none.jpg"), 1, 1, true), 0);
    EXPECT_EQ(SaveDefectRegion(nullptr, fault, output("none.jpg"), 1, 1), 0);
    ReaderHandle reader = twoFlatFrames(1, 2);
    EXPECT_EQ(SaveDefectImage(reader.get(), fault, output("zero.jpg"), 0, 1, true), 1);
    EXPECT_EQ(SaveDefectImage(reader.get(), fault, output("huge.jpg"), 1e12, 1, true), 1);
    EXPECT_FALSE(QFile::exists(output("none.jpg")));
    EXPECT_FALSE(QFile::exists(output("zero.jpg")));
    EXPECT_FALSE(QFile::exists(output("huge.jpg")));
}
