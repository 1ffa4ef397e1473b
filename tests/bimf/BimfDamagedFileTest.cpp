// Damaged, foreign and mismatched files: each is refused with a reason that
// names what is wrong, or - for damage inside a frame - the frame is refused
// when fetched. Damage is applied at the documented byte offsets; checksums
// are resealed where the point is a lie the checksum cannot see.

#include "BimfTestFiles.h"
#include "BimfMaintenance.h"
#include "RbimfFile.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr size_t kEntry = 64;  // first index entry
constexpr size_t kEntrySize = 32;

uint64_t recordOffset(const std::vector<uint8_t>& index, size_t frame)
{
    const size_t e = kEntry + kEntrySize * (frame - 1);
    return uint64_t(Get32(index, e)) | (uint64_t(Get32(index, e + 4)) << 32);
}

struct Row
{
    const char* name;
    PairDamage damage;
    const char* reason;  // part of BIMFLastErrorText()
};

// Writes a good three-frame pair, damages it, and answers the open result.
std::unique_ptr<RbimfFile> openDamaged(const BimfFolder& folder, const PairDamage& damage, int flags = 0)
{
    WriteBimf(folder.data(), folder.index(), SampleHeader(), MakeFrames(3));
    DamagePair(folder, damage);
    return OpenPair(folder, flags);
}

} // namespace

TEST(BimfDamagedFile, EachDamageIsRefusedAtOpeningWithItsReason)
{
    const Row rows[] = {
        {"empty data file", [](auto& d, auto&) { d.clear(); }, "data file is empty"},
        {"empty index", [](auto&, auto& i) { i.clear(); }, "index file is empty"},
        {"foreign data file", [](auto& d, auto&) { d = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}; },
         "not a big data file"},
        {"foreign index", [](auto&, auto& i) { i = std::vector<uint8_t>(200, 'A'); }, "not a big-file index"},
        {"data and index swapped", [](auto& d, auto& i) { std::swap(d, i); }, "not a big data file"},
        {"data cut inside its header", [](auto& d, auto&) { d.resize(100); }, "ends inside its header"},
        {"index cut inside its header", [](auto&, auto& i) { i.resize(40); }, "ends inside its header"},
        {"data magic", [](auto& d, auto&) { d[3] ^= 0xFF; }, "not a big data file"},
        {"data header field damaged", [](auto& d, auto&) { d[16 + 12] ^= 0x01; }, "header checksum"},
        {"data version from the future",
         [](auto& d, auto&) { Put16(d, 8, 2); SealDataHeader(d); }, "unsupported data file version 2"},
        {"index version from the future",
         [](auto& d, auto& i) { Put16(i, 8, 7); SealIndex(i, d); }, "unsupported index version 7"},
        {"index header field damaged", [](auto&, auto& i) { i[20] ^= 0x10; }, "index header checksum"},
        {"index cut inside its entries", [](auto&, auto& i) { i.resize(i.size() - 10); }, "declares 3 frames"},
        {"index count lies",
         [](auto& d, auto& i) { Put64(i, 16, 4); SealIndex(i, d); }, "declares 4 frames"},
        {"index count enormous",
         [](auto& d, auto& i) { Put64(i, 16, uint64_t(1) << 40); SealIndex(i, d); }, "declares 1099511627776"},
        {"data cut inside the last frame", [](auto& d, auto&) { d.resize(d.size() - 5); },
         "made for a data file of"},
        {"data grown after indexing", [](auto& d, auto&) { d.push_back(0); }, "made for a data file of"},
        {"index of another data file",
         [](auto& d, auto& i) {
             d[16 + 10] = 'X';  // another line name, same sizes
             SealDataHeader(d);
         },
         "another data file header"},
        {"index entries damaged", [](auto&, auto& i) { i[kEntry + 12] ^= 0x01; }, "entries checksum"},
        {"entry offset past the end",
         [](auto& d, auto& i) { Put64(i, kEntry + 2 * kEntrySize, d.size() + 1000); SealIndex(i, d); },
         "past the end of the data file"},
        {"entry offset near 2^64",
         [](auto& d, auto& i) { Put64(i, kEntry + 2 * kEntrySize, ~uint64_t(0) - 10); SealIndex(i, d); },
         "past the end of the data file"},
        {"entry size past the end",
         [](auto& d, auto& i) { Put32(i, kEntry + 2 * kEntrySize + 8, 0x7FFFFFFF); SealIndex(i, d); },
         "past the end of the data file"},
        {"entry overlaps the one before",
         [](auto& d, auto& i) { Put64(i, kEntry + kEntrySize, recordOffset(i, 1) + 10); SealIndex(i, d); },
         "overlaps"},
        {"entry inside the data header",
         [](auto& d, auto& i) { Put64(i, kEntry, 16); SealIndex(i, d); }, "overlaps"},
        {"entry without bytes",
         [](auto& d, auto& i) { Put32(i, kEntry + 8, 0); SealIndex(i, d); }, "impossible JPEG size 0"},
        {"header frame count lies",
         [](auto& d, auto& i) { Put32(d, 16 + 64, 2); SealDataHeader(d); SealIndex(i, d); },
         "header counts 2 frames, the index 3"},
        {"negative header frame count",
         [](auto& d, auto& i) { Put32(d, 16 + 64, 0xFFFFFFFF); SealDataHeader(d); SealIndex(i, d); },
         "header counts -1 frames"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BimfFolder folder;
        const auto reader = openDamaged(folder, row.damage);
        EXPECT_FALSE(reader);
        EXPECT_NE(std::string(BIMFLastErrorText()).find(row.reason), std::string::npos)
            << "reason given: " << BIMFLastErrorText();
    }
}

TEST(BimfDamagedFile, MissingOrUnusualPathsAreRefused)
{
    BimfFolder folder;
    WriteBimf(folder.data(), folder.index(), SampleHeader(), MakeFrames(2));
    const std::string dir = folder.path("");
    const struct
    {
        std::string data, index;
        const char* reason;
    } rows[] = {
        {folder.path("none.bimf"), folder.index(), "cannot open"},
        {folder.data(), folder.path("none.dex"), "cannot open"},
        {dir, folder.index(), "not a regular file"},
        {folder.data(), "", "no path given"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.data + " / " + row.index);
        EXPECT_EQ(BIMFReaderReadBimfFileAndIndex(row.data.c_str(), row.index.c_str(), 0), nullptr);
        EXPECT_NE(std::string(BIMFLastErrorText()).find(row.reason), std::string::npos) << BIMFLastErrorText();
    }
    EXPECT_EQ(BIMFReaderReadBimfFileAndIndex(nullptr, folder.index().c_str(), 0), nullptr);
}

// Opening reads only the index; damage inside the data file's frame records
// is found when that frame is fetched, and only that frame is refused.
TEST(BimfDamagedFile, DamageInsideAFrameRefusesThatFrameOnly)
{
    const Row rows[] = {
        {"JPEG byte flipped", [](auto& d, auto& i) { d[recordOffset(i, 2) + 48 + 100] ^= 0x40; },
         "JPEG checksum"},
        {"record header damaged", [](auto& d, auto& i) { d[recordOffset(i, 2) + 9] ^= 0x01; },
         "record header checksum"},
        {"record magic gone", [](auto& d, auto& i) { d[recordOffset(i, 2)] = 'X'; }, "no frame record magic"},
        {"entry points into JPEG bytes",
         [](auto& d, auto& i) { Put64(i, kEntry + kEntrySize, recordOffset(i, 2) + 60); Put32(i, kEntry + kEntrySize + 8, 100); SealIndex(i, d); },
         "no frame record magic"},
        {"entry disagrees with its record",
         [](auto& d, auto& i) { Put16(i, kEntry + kEntrySize + 18, 123); SealIndex(i, d); },
         "disagrees with its index entry"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BimfFolder folder;
        const auto reader = openDamaged(folder, row.damage);
        ASSERT_TRUE(reader) << BIMFLastErrorText();
        TrackImageJPG_ image{};
        EXPECT_EQ(reader->GetTrackImage(&image, 2), 0);
        EXPECT_NE(std::string(BIMFLastErrorText()).find(row.reason), std::string::npos) << BIMFLastErrorText();
        EXPECT_EQ(image.pJpgData, nullptr);
        EXPECT_EQ(reader->GetTrackImage(&image, 1), 1);
        reader->ReleaseImage(&image);
        EXPECT_EQ(reader->GetTrackImage(&image, 3), 1);
    }
}

TEST(BimfDamagedFile, FrameChecksumCanBeLeftToTheCaller)
{
    BimfFolder folder;
    const auto reader = openDamaged(folder, [](auto& d, auto& i) { d[recordOffset(i, 1) + 48 + 5] ^= 0x40; },
                                    BIMF_READ_NO_FRAME_CHECKSUM);
    ASSERT_TRUE(reader);
    TrackImageJPG_ image{};
    EXPECT_EQ(reader->GetTrackImage(&image, 1), 1);
}
