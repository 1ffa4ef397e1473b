// A writer that stops before Final, and damaged data files: the index is
// rebuilt from the data file's own records; the check routine names every
// problem on its own line.

#include "BimfMaintenance.h"
#include "BimfTestFiles.h"
#include "RbimfFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void collect(const char* line, void* lines) { static_cast<std::vector<std::string>*>(lines)->push_back(line); }

std::vector<std::string> checkLines(const BimfFolder& folder, int* result)
{
    std::vector<std::string> lines;
    *result = BimfCheckFile(folder.data().c_str(), folder.index().c_str(), collect, &lines);
    return lines;
}

bool anyLineHas(const std::vector<std::string>& lines, const std::string& part)
{
    for (const auto& line : lines)
        if (line.find(part) != std::string::npos)
            return true;
    return false;
}

// The frames a reader hands out, compared with what was written.
void expectFrames(RbimfFile& reader, const std::vector<SampleFrame>& expected)
{
    ASSERT_EQ(reader.GetUniversalTrackInfo()->PhotoNum, int(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        TrackImageJPG_ image{};
        ASSERT_EQ(reader.GetTrackImage(&image, int(i + 1)), 1) << BIMFLastErrorText();
        ASSERT_EQ(size_t(image.JpgSize), expected[i].bytes.size());
        EXPECT_EQ(std::memcmp(image.pJpgData, expected[i].bytes.data(), expected[i].bytes.size()), 0);
        EXPECT_EQ(image.ImageNumber, expected[i].number);
        reader.ReleaseImage(&image);
    }
}

uint64_t recordOffsetAt(const std::vector<uint8_t>& data, size_t frame)
{
    uint64_t offset = 256;
    for (size_t i = 1; i < frame; ++i)
        offset += 48 + Get32(data, size_t(offset) + 16);
    return offset;
}

} // namespace

TEST(BimfRepair, WriterStoppedBeforeFinalIsRebuiltWithEveryFrame)
{
    BimfFolder folder;
    const auto frames = MakeFrames(5);
    WriteBimf(folder.data(), folder.index(), SampleHeader(), frames, /*finish=*/false);

    EXPECT_FALSE(OpenPair(folder));
    EXPECT_NE(std::string(BIMFLastErrorText()).find("index file is empty"), std::string::npos);
    int result = 0;
    EXPECT_TRUE(anyLineHas(checkLines(folder, &result), "never finished"));

    std::vector<std::string> notes;
    EXPECT_EQ(BimfRebuildIndexReport(folder.data().c_str(), folder.index().c_str(), collect, &notes), 5);
    EXPECT_TRUE(notes.empty());
    auto reader = OpenPair(folder);
    ASSERT_TRUE(reader) << BIMFLastErrorText();
    expectFrames(*reader, frames);
    // The run ends where its last frame was taken.
    EXPECT_EQ(reader->GetUniversalTrackInfo()->EndKM, frames.back().km);
    EXPECT_EQ(reader->GetUniversalTrackInfo()->EndM, frames.back().m);
    EXPECT_EQ(std::strlen(reader->GetUniversalTrackInfo()->EndRunDate), 10u);
    EXPECT_STREQ(reader->GetUniversalTrackInfo()->LineName, "京沪线");
    reader.reset();
    EXPECT_TRUE(checkLines(folder, &result).empty());
    EXPECT_EQ(result, 0);
}

TEST(BimfRepair, RebuildKeepsTheFramesThatAreWholeAndReportsTheRest)
{
    struct Row
    {
        const char* name;
        void (*damage)(std::vector<uint8_t>&);
        std::vector<int> kept;  // 1-based written frames the rebuilt file holds
        const char* note;
    };
    const Row rows[] = {
        {"record cut by the end of the file",
         [](std::vector<uint8_t>& d) { d.resize(d.size() - 30); }, {1, 2, 3, 4}, "cut short"},
        {"record header cut by the end of the file",
         [](std::vector<uint8_t>& d) { d.resize(recordOffsetAt(d, 5) + 20); }, {1, 2, 3, 4}, "skipped 20 bytes"},
        {"JPEG damaged in the middle",
         [](std::vector<uint8_t>& d) { d[recordOffsetAt(d, 3) + 48 + 7] ^= 1; }, {1, 2, 4, 5},
         "JPEG checksum does not match"},
        {"record header damaged in the middle",
         [](std::vector<uint8_t>& d) { d[recordOffsetAt(d, 2) + 17] ^= 1; }, {1, 3, 4, 5},
         "header checksum does not match"},
        {"garbage after the last record",
         [](std::vector<uint8_t>& d) { d.insert(d.end(), 77, 'G'); }, {1, 2, 3, 4, 5}, "skipped 77 bytes"},
        {"the data file holds only its header",
         [](std::vector<uint8_t>& d) { d.resize(256); }, {}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BimfFolder folder;
        const auto frames = MakeFrames(5);
        WriteBimf(folder.data(), folder.index(), SampleHeader(), frames, false);
        std::vector<uint8_t> data = ReadBytes(folder.data());
        row.damage(data);
        WriteBytes(folder.data(), data);

        int result = 0;
        if (!row.kept.empty()) {
            EXPECT_GT(checkLines(folder, &result).size(), 1u);
        }
        std::vector<std::string> notes;
        ASSERT_EQ(BimfRebuildIndexReport(folder.data().c_str(), folder.index().c_str(), collect, &notes),
                  int64_t(row.kept.size()))
            << BIMFLastErrorText();
        if (row.note) {
            EXPECT_TRUE(anyLineHas(notes, row.note)) << (notes.empty() ? "no notes" : notes[0]);
        }
        auto reader = OpenPair(folder);
        ASSERT_TRUE(reader) << BIMFLastErrorText();
        std::vector<SampleFrame> kept;
        for (int k : row.kept)
            kept.push_back(frames[size_t(k - 1)]);
        expectFrames(*reader, kept);
    }
}

TEST(BimfRepair, RebuildRefusesADataFileWithoutAValidHeader)
{
    BimfFolder folder;
    WriteBimf(folder.data(), folder.index(), SampleHeader(), MakeFrames(2));
    std::vector<uint8_t> data = ReadBytes(folder.data());
    data[20] ^= 1;
    WriteBytes(folder.data(), data);
    EXPECT_EQ(BIMFRebuildIndex(folder.data().c_str(), folder.index().c_str()), -1);
    EXPECT_NE(std::string(BIMFLastErrorText()).find("header checksum"), std::string::npos);
    EXPECT_EQ(BIMFRebuildIndex(folder.path("none.bimf").c_str(), folder.index().c_str()), -1);
    int result = 0;
    checkLines(folder, &result);
    EXPECT_EQ(result, -1);
}

TEST(BimfCheck, CleanFileHasNoProblemsAndEachFaultIsNamed)
{
    struct Row
    {
        const char* name;
        void (*damage)(std::vector<uint8_t>& data, std::vector<uint8_t>& index);
        const char* line;
    };
    const Row rows[] = {
        {"clean", [](auto&, auto&) {}, nullptr},
        {"JPEG damaged", [](auto& d, auto&) { d[recordOffsetAt(d, 2) + 60] ^= 1; }, "JPEG checksum does not match"},
        {"index missing", [](auto&, auto& i) { i.clear(); }, "index: the index file is empty"},
        {"index of a shorter file", [](auto& d, auto&) { d.push_back(1); }, "made for a data file of"},
        {"entry disagrees",
         [](auto& d, auto& i) { Put32(i, 64 + 20, 5); SealIndex(i, d); }, "index entry 1: disagrees"},
        {"entry points nowhere",
         [](auto& d, auto& i) { Put64(i, 64, 300); SealIndex(i, d); }, "index entry 1: no frame record starts"},
        {"entry points nowhere leaves its record out",
         [](auto& d, auto& i) { Put64(i, 64, 300); SealIndex(i, d); }, "frame record at offset 256 (frame number 1) is not in the index"},
        {"header count lies",
         [](auto& d, auto& i) { Put32(d, 16 + 64, 9); SealDataHeader(d); SealIndex(i, d); }, "header counts 9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BimfFolder folder;
        WriteBimf(folder.data(), folder.index(), SampleHeader(), MakeFrames(3));
        DamagePair(folder, row.damage);
        int result = 0;
        const auto lines = checkLines(folder, &result);
        EXPECT_EQ(result, int(lines.size()));
        if (!row.line) {
            EXPECT_TRUE(lines.empty()) << lines[0];
        } else {
            EXPECT_TRUE(anyLineHas(lines, row.line)) << (lines.empty() ? "no lines" : lines[0]);
        }
    }
}

TEST(BimfCheck, FrameNumbersOutOfOrderAreReported)
{
    BimfFolder folder;
    auto frames = MakeFrames(4);
    frames[2].number = 2;  // 1, 2, 2, 3
    frames[3].number = 3;
    WriteBimf(folder.data(), folder.index(), SampleHeader(), frames);
    int result = 0;
    const auto lines = checkLines(folder, &result);
    ASSERT_EQ(result, 1);
    EXPECT_NE(lines[0].find("frame numbers out of order (after 2)"), std::string::npos) << lines[0];
}

// Numbers that jump between records written one after the other are frames
// the recorder lost (a split keeps such gaps): one line names the range.
TEST(BimfCheck, JumpsInFrameNumbersNameTheMissingFrames)
{
    const struct
    {
        std::vector<int32_t> numbers;
        const char* line;
    } rows[] = {
        {{1, 2, 7, 8}, "frames 3..6 missing (frame number 7 follows 2"},
        {{1, 2, 4, 5}, "frame 3 missing (frame number 4 follows 2"},
    };
    for (const auto& row : rows) {
        BimfFolder folder;
        auto frames = MakeFrames(4);
        for (size_t i = 0; i < frames.size(); ++i)
            frames[i].number = row.numbers[i];
        WriteBimf(folder.data(), folder.index(), SampleHeader(), frames);
        int result = 0;
        const auto lines = checkLines(folder, &result);
        ASSERT_EQ(result, 1);
        EXPECT_NE(lines[0].find(row.line), std::string::npos) << lines[0];
    }
}
