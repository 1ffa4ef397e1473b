// Writing a big file and reading back every header field, every frame byte
// for byte, and the position lookup.

#include "BimfTestFiles.h"
#include "RbimfFile.h"
#include "WbimfFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

std::vector<int> framesAt(RbimfFile& reader, int16_t km, int16_t m)
{
    int count = -1;
    const int* numbers = reader.GetTrackImagesNumber(km, m, &count);
    if (!numbers) {
        EXPECT_EQ(count, 0);
        return {};
    }
    return std::vector<int>(numbers, numbers + count);
}

} // namespace

TEST(BimfRoundTrip, HeaderAndEveryFrameComeBackUnchanged)
{
    BimfFolder folder;
    const UniversalTrackInfo_Ex header = SampleHeader();
    const std::vector<SampleFrame> frames = MakeFrames(7);
    WriteBimf(folder.data(), folder.index(), header, frames);

    auto reader = OpenPair(folder);
    ASSERT_TRUE(reader) << BIMFLastErrorText();
    EXPECT_STREQ(BIMFLastErrorText(), "");
    const UniversalTrackInfo_Ex& h = *reader->GetUniversalTrackInfo();
    EXPECT_STREQ(h.LineCode, "JH01");
    EXPECT_STREQ(h.LineName, "京沪线");
    EXPECT_EQ(h.RunDirection, 1);
    EXPECT_EQ(h.CarDirection, 1);
    EXPECT_EQ(h.RailSide, 'L');
    EXPECT_STREQ(h.TrainNo, "GJC-07");
    EXPECT_EQ(h.PhotoNum, 7);
    EXPECT_STREQ(h.StartRunDate, "2023-11-14");
    EXPECT_STREQ(h.StartRunTime, "22:13:20");
    EXPECT_STREQ(h.EndRunDate, "2023-11-14");
    EXPECT_STREQ(h.EndRunTime, "22:20:00");
    EXPECT_EQ(h.StartKm, 5);
    EXPECT_EQ(h.StartM, 990);
    EXPECT_EQ(h.EndKM, 6);
    EXPECT_EQ(h.EndM, 10);
    EXPECT_EQ(h.VResolution, 1);
    EXPECT_EQ(h.HResolution, 2);
    EXPECT_EQ(h.VPixelNum, 1000);
    EXPECT_EQ(h.HPixelNum, 2048);
    EXPECT_EQ(h.PhotoType, 3);
    EXPECT_STREQ(h.SectionName, "济南西—泰安");

    int64_t previousOffset = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i + 1);
        TrackImageJPG_ image{};
        ASSERT_EQ(reader->GetTrackImage(&image, int(i + 1)), 1) << BIMFLastErrorText();
        ASSERT_EQ(image.JpgSize, int32_t(frames[i].bytes.size()));
        EXPECT_EQ(std::memcmp(image.pJpgData, frames[i].bytes.data(), frames[i].bytes.size()), 0);
        EXPECT_EQ(image.ImageNumber, frames[i].number);
        EXPECT_EQ(image.Km, frames[i].km);
        EXPECT_EQ(image.M, frames[i].m);
        EXPECT_EQ(image.CaptureTime, frames[i].captureTime);
        EXPECT_GT(image.FileOffset, previousOffset);
        previousOffset = image.FileOffset;
        reader->ReleaseImage(&image);
        EXPECT_EQ(image.pJpgData, nullptr);
        EXPECT_EQ(image.JpgSize, 0);
    }
}

TEST(BimfRoundTrip, FrameNumbersOutsideTheFileAnswerZero)
{
    BimfFolder folder;
    WriteBimf(folder.data(), folder.index(), SampleHeader(), MakeFrames(3));
    auto reader = OpenPair(folder);
    ASSERT_TRUE(reader);
    for (int number : {0, -1, 4, INT32_MAX, INT32_MIN}) {
        TrackImageJPG_ image{};
        EXPECT_EQ(reader->GetTrackImage(&image, number), 0) << number;
        EXPECT_NE(std::string(BIMFLastErrorText()).find("outside 1..3"), std::string::npos);
        EXPECT_EQ(image.pJpgData, nullptr);
    }
    EXPECT_EQ(reader->GetTrackImage(nullptr, 1), 0);
}

TEST(BimfRoundTrip, PositionsFindRepeatedFramesInOrderAndNoneElsewhere)
{
    BimfFolder folder;
    // Frames 2-4 stand still at 6 km 0 m; the run goes backwards after that.
    // Frame 5 lies on a kilometre longer than 1000 m: 5 km 1002 m is not 6 km 2 m.
    std::vector<SampleFrame> frames = MakeFrames(7);
    const int16_t positions[][2] = {{5, 998}, {6, 0}, {6, 0}, {6, 0}, {5, 1002}, {5, 994}, {-1, 500}};
    for (size_t i = 0; i < frames.size(); ++i) {
        frames[i].km = positions[i][0];
        frames[i].m = positions[i][1];
    }
    WriteBimf(folder.data(), folder.index(), SampleHeader(), frames);
    auto reader = OpenPair(folder);
    ASSERT_TRUE(reader);

    EXPECT_EQ(framesAt(*reader, 6, 0), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(framesAt(*reader, 5, 998), (std::vector<int>{1}));
    EXPECT_EQ(framesAt(*reader, 5, 994), (std::vector<int>{6}));
    EXPECT_EQ(framesAt(*reader, 5, 1002), (std::vector<int>{5}));
    EXPECT_TRUE(framesAt(*reader, 6, 2).empty());
    EXPECT_EQ(framesAt(*reader, -1, 500), (std::vector<int>{7}));
    EXPECT_TRUE(framesAt(*reader, 5, 997).empty());
    EXPECT_TRUE(framesAt(*reader, 7, 0).empty());
    EXPECT_TRUE(framesAt(*reader, -32768, 0).empty());
    int count = 5;
    EXPECT_EQ(reader->GetTrackImagesNumber(6, 0, nullptr), reader->GetTrackImagesNumber(6, 0, &count));
}

TEST(BimfRoundTrip, FinalClosesEveryLaterFetchAndLookup)
{
    BimfFolder folder;
    WriteBimf(folder.data(), folder.index(), SampleHeader(), MakeFrames(3));
    auto reader = OpenPair(folder);
    ASSERT_TRUE(reader);
    reader->Final();
    TrackImageJPG_ image{};
    EXPECT_EQ(reader->GetTrackImage(&image, 1), 0);
    EXPECT_NE(std::string(BIMFLastErrorText()).find("closed"), std::string::npos);
    int count = 9;
    EXPECT_EQ(reader->GetTrackImagesNumber(5, 990, &count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(reader->GetUniversalTrackInfo()->PhotoNum, 3);
    reader->Final();  // twice is harmless
}

TEST(BimfRoundTrip, EmptyRunIsAValidFileWithoutFrames)
{
    BimfFolder folder;
    WriteBimf(folder.data(), folder.index(), SampleHeader(), {});
    auto reader = OpenPair(folder);
    ASSERT_TRUE(reader) << BIMFLastErrorText();
    EXPECT_EQ(reader->GetUniversalTrackInfo()->PhotoNum, 0);
    TrackImageJPG_ image{};
    EXPECT_EQ(reader->GetTrackImage(&image, 1), 0);
}

TEST(BimfWriter, RefusesMisuseWithAReason)
{
    BimfFolder folder;
    EXPECT_EQ(BIMFWirterCreateBimfFileAndIndex(folder.path("no/such/dir/a.bimf").c_str(), folder.index().c_str()),
              nullptr);
    EXPECT_NE(std::string(BIMFLastErrorText()).find("cannot create"), std::string::npos);
    EXPECT_EQ(BIMFWirterCreateBimfFileAndIndex(nullptr, nullptr), nullptr);

    std::unique_ptr<WbimfFile> writer(BIMFWirterCreateBimfFileAndIndex(folder.data().c_str(), folder.index().c_str()));
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->SetFileHead(nullptr), 0);
    TrackImageJPG_ image{};
    EXPECT_EQ(writer->SaveImage(&image), 0);  // no bytes
    unsigned char byte = 0xFF;
    image.pJpgData = &byte;
    image.JpgSize = -5;
    EXPECT_EQ(writer->SaveImage(&image), 0);
    image.JpgSize = 1;
    EXPECT_EQ(writer->SaveImage(&image), 1);
    EXPECT_EQ(writer->Final(1, "2024-01-01", "00:00:00"), 1);
    EXPECT_EQ(writer->Final(1, "2024-01-01", "00:00:00"), 0);
    EXPECT_EQ(writer->SaveImage(&image), 0);
    EXPECT_NE(std::string(BIMFLastErrorText()).find("finished"), std::string::npos);
}

TEST(BimfWriter, CallerPhotoNumAndReservedBytesDoNotReachTheFile)
{
    BimfFolder folder;
    UniversalTrackInfo_Ex header = SampleHeader();
    header.PhotoNum = 999;
    std::memset(header.Reserved0, 'x', sizeof header.Reserved0);
    WriteBimf(folder.data(), folder.index(), header, MakeFrames(2));
    auto reader = OpenPair(folder);
    ASSERT_TRUE(reader) << BIMFLastErrorText();
    EXPECT_EQ(reader->GetUniversalTrackInfo()->PhotoNum, 2);
    EXPECT_EQ(reader->GetUniversalTrackInfo()->Reserved0[0], 0);
}
