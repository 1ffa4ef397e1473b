#include "BimfTestFiles.h"

#include "BimfFormat.h"
#include "BimfMaintenance.h"
#include "Crc32.h"
#include "WbimfFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

std::vector<SampleFrame> MakeFrames(int count)
{
    std::vector<SampleFrame> frames;
    for (int i = 0; i < count; ++i) {
        SampleFrame f;
        f.bytes.resize(size_t(300 + 37 * i));
        for (size_t b = 0; b < f.bytes.size(); ++b)
            f.bytes[b] = uint8_t(b * 7 + i * 13);
        f.number = i + 1;
        const int mm = 5990 + 2 * i;
        f.km = int16_t(mm / 1000);
        f.m = int16_t(mm % 1000);
        f.captureTime = 1700000000 + i;
        frames.push_back(std::move(f));
    }
    return frames;
}

UniversalTrackInfo_Ex SampleHeader()
{
    UniversalTrackInfo_Ex h{};
    BimfCopyText(h.LineCode, sizeof h.LineCode, "JH01");
    BimfCopyText(h.LineName, sizeof h.LineName, "京沪线");
    h.RunDirection = 1;
    h.CarDirection = 1;
    h.KMDirection = 0;
    h.RailSide = 'L';
    BimfCopyText(h.TrainNo, sizeof h.TrainNo, "GJC-07");
    BimfCopyText(h.StartRunDate, sizeof h.StartRunDate, "2023-11-14");
    BimfCopyText(h.StartRunTime, sizeof h.StartRunTime, "22:13:20");
    h.StartKm = 5;
    h.StartM = 990;
    h.EndKM = 6;
    h.EndM = 10;
    h.VResolution = 1;
    h.HResolution = 2;
    h.VPixelNum = 1000;
    h.HPixelNum = 2048;
    h.PhotoType = 3;
    BimfCopyText(h.SectionName, sizeof h.SectionName, "济南西—泰安");
    return h;
}

void WriteBimf(const std::string& dataPath, const std::string& indexPath, const UniversalTrackInfo_Ex& header,
               const std::vector<SampleFrame>& frames, bool finish)
{
    std::unique_ptr<WbimfFile> writer(BIMFWirterCreateBimfFileAndIndex(dataPath.c_str(), indexPath.c_str()));
    ASSERT_TRUE(writer) << BIMFLastErrorText();
    ASSERT_EQ(writer->SetFileHead(&header), 1);
    for (const SampleFrame& f : frames) {
        TrackImageJPG_ image{};
        image.pJpgData = const_cast<unsigned char*>(f.bytes.data());
        image.JpgSize = int32_t(f.bytes.size());
        image.ImageNumber = f.number;
        image.Km = f.km;
        image.M = f.m;
        image.CaptureTime = f.captureTime;
        ASSERT_EQ(writer->SaveImage(&image), 1) << BIMFLastErrorText();
    }
    if (finish) {
        ASSERT_EQ(writer->Final(1, "2023-11-14", "22:20:00"), 1) << BIMFLastErrorText();
    }
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

namespace {

void putLittleEndian(std::vector<uint8_t>& bytes, size_t offset, uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes.at(offset + i) = uint8_t(value >> (8 * i));
}

} // namespace

void Put16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) { putLittleEndian(bytes, offset, value, 2); }
void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) { putLittleEndian(bytes, offset, value, 4); }
void Put64(std::vector<uint8_t>& bytes, size_t offset, uint64_t value) { putLittleEndian(bytes, offset, value, 8); }

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(bytes.at(offset + i)) << (8 * i);
    return v;
}

void SealDataHeader(std::vector<uint8_t>& data) { Put32(data, 252, bimf::Crc32(data.data(), 252)); }

void SealIndex(std::vector<uint8_t>& index, const std::vector<uint8_t>& data)
{
    Put32(index, 32, Get32(data, 252));
    Put32(index, 36, bimf::Crc32(index.data() + 64, index.size() - 64));
    Put32(index, 60, bimf::Crc32(index.data(), 60));
}

std::string BimfFolder::path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }

std::unique_ptr<RbimfFile> OpenPair(const BimfFolder& folder, int flags)
{
    return std::unique_ptr<RbimfFile>(
        BIMFReaderReadBimfFileAndIndex(folder.data().c_str(), folder.index().c_str(), flags));
}

void DamagePair(const BimfFolder& folder, const PairDamage& damage)
{
    std::vector<uint8_t> data = ReadBytes(folder.data());
    std::vector<uint8_t> index = ReadBytes(folder.index());
    damage(data, index);
    WriteBytes(folder.data(), data);
    WriteBytes(folder.index(), index);
}
