#pragma once
// Small big files for the tests: synthetic frames with distinct bytes and
// sizes, written through the library's writer, and byte-level access to the
// files so damage can be applied at the documented offsets.

#include "BimfRecords.h"
#include "RbimfFile.h"

#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct SampleFrame
{
    std::vector<uint8_t> bytes;
    int32_t number = 0;
    int16_t km = 0;
    int16_t m = 0;
    int32_t captureTime = 0;
};

// `count` frames numbered from 1, each 2 m after the one before from 5 km 990 m.
std::vector<SampleFrame> MakeFrames(int count);
UniversalTrackInfo_Ex SampleHeader();

// Writes the pair; `finish` false leaves it as a writer stopped before Final.
void WriteBimf(const std::string& dataPath, const std::string& indexPath, const UniversalTrackInfo_Ex& header,
               const std::vector<SampleFrame>& frames, bool finish = true);

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

void Put16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value);
void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
void Put64(std::vector<uint8_t>& bytes, size_t offset, uint64_t value);
uint32_t Get32(const std::vector<uint8_t>& bytes, size_t offset);

// Recomputes the data header checksum after a field was changed on purpose.
void SealDataHeader(std::vector<uint8_t>& data);
// Recomputes the index checksums (and its tie to `data`'s header), so a
// deliberate lie in the index is what the reader must find.
void SealIndex(std::vector<uint8_t>& index, const std::vector<uint8_t>& data);

// A temporary folder with the paths of one pair in it.
class BimfFolder
{
public:
    std::string path(const std::string& name) const;
    std::string data() const { return path("run.bimf"); }
    std::string index() const { return path("run.dex"); }

private:
    QTemporaryDir dir_;
};

// The folder's pair opened through the library; null with BIMFLastErrorText().
std::unique_ptr<RbimfFile> OpenPair(const BimfFolder& folder, int flags = 0);

// Reads the folder's pair, lets `damage` change the bytes and writes them back.
using PairDamage = std::function<void(std::vector<uint8_t>& data, std::vector<uint8_t>& index)>;
void DamagePair(const BimfFolder& folder, const PairDamage& damage);
