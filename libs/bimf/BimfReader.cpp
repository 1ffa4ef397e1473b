#include "BimfReader.h"

#include "BimfError.h"
#include "BimfMaintenance.h"
#include "Crc32.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <numeric>

namespace bimf {

std::unique_ptr<BimfReader> BimfReader::open(const char* dataPath, const char* indexPath, int flags)
{
    std::unique_ptr<BimfReader> reader(new BimfReader);
    reader->verifyFrameChecksum_ = (flags & BIMF_READ_NO_FRAME_CHECKSUM) == 0;
    std::string why;
    if (!reader->data_.open(dataPath, &why)) {
        SetError("data file: " + why);
        return nullptr;
    }
    DataHeader header;
    if (!DecodeDataHeader(reader->data_.data(), reader->data_.size(), &header, &why)) {
        SetError(std::string("data file ") + dataPath + ": " + why);
        return nullptr;
    }
    if (!reader->readIndex(indexPath, header))
        return nullptr;
    reader->track_ = header.track;
    reader->buildPositionTable();
    reader->open_ = true;
    return reader;
}

BimfReader::~BimfReader() = default;

bool BimfReader::readIndex(const char* indexPath, const DataHeader& header)
{
    MappedFile index;
    std::string why;
    if (!index.open(indexPath, &why))
        return SetError("index: " + why);
    const std::string name = std::string("index ") + indexPath + ": ";
    IndexHeader ih;
    if (!DecodeIndexHeader(index.data(), index.size(), &ih, &why))
        return SetError(name + why);
    const uint64_t entryBytes = index.size() - kIndexHeaderSize;
    if (ih.frameCount > uint64_t(INT32_MAX) || entryBytes / kIndexEntrySize != ih.frameCount
        || entryBytes % kIndexEntrySize != 0)
        return SetError(name + "it declares " + std::to_string(ih.frameCount) + " frames but holds "
                        + std::to_string(entryBytes) + " bytes of entries");
    if (ih.dataFileSize != data_.size())
        return SetError(name + "it was made for a data file of " + std::to_string(ih.dataFileSize)
                        + " bytes, the data file has " + std::to_string(data_.size()));
    if (ih.dataHeaderCrc != header.crc)
        return SetError(name + "it was made for another data file header (the two do not belong together)");
    const uint8_t* entries = index.data() + kIndexHeaderSize;
    if (!ChecksumMatches(ih.entriesCrc, Crc32(entries, entryBytes)))
        return SetError(name + "the entries checksum does not match (index damaged)");
    if (uint64_t(uint32_t(header.track.PhotoNum)) != ih.frameCount || header.track.PhotoNum < 0)
        return SetError(name + "the data file header counts " + std::to_string(header.track.PhotoNum)
                        + " frames, the index " + std::to_string(ih.frameCount));
    frames_.resize(ih.frameCount);
    return checkEntries(entries);
}

// Every entry must point at a record that lies inside the data file after the
// header and after the previous record, so no fetch can reach outside the
// mapping whatever the index says.
bool BimfReader::checkEntries(const uint8_t* entries)
{
    uint64_t previousEnd = kDataHeaderSize;
    for (size_t i = 0; i < frames_.size(); ++i) {
        const IndexEntry e = DecodeIndexEntry(entries + i * kIndexEntrySize);
        const std::string where = "index entry of frame " + std::to_string(i + 1) + ": ";
        if (e.jpegSize == 0 || e.jpegSize > uint32_t(INT32_MAX))
            return SetError(where + "impossible JPEG size " + std::to_string(e.jpegSize));
        if (e.offset < previousEnd)
            return SetError(where + "offset " + std::to_string(e.offset) + " overlaps the previous record");
        const uint64_t room = data_.size() - previousEnd;  // previousEnd <= size holds
        const uint64_t span = kRecordHeaderSize + uint64_t(e.jpegSize);
        if (e.offset - previousEnd > room || span > data_.size() - e.offset)
            return SetError(where + "the record at " + std::to_string(e.offset) + " (" + std::to_string(span)
                            + " bytes) lies past the end of the data file (" + std::to_string(data_.size())
                            + " bytes)");
        frames_[i] = e;
        previousEnd = e.offset + span;
    }
    return true;
}

void BimfReader::buildPositionTable()
{
    std::vector<int> order(frames_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return PositionKey(frames_[a].km, frames_[a].m) < PositionKey(frames_[b].km, frames_[b].m);
    });
    positionKeys_.reserve(order.size());
    positionFrames_.reserve(order.size());
    for (int i : order) {
        positionKeys_.push_back(PositionKey(frames_[i].km, frames_[i].m));
        positionFrames_.push_back(i + 1);
    }
}

const UniversalTrackInfo_Ex* BimfReader::GetUniversalTrackInfo() const { return &track_; }

bool BimfReader::recordMatches(const IndexEntry& entry, int frameNumber) const
{
    RecordHeader record;
    std::string why;
    const std::string where = "frame " + std::to_string(frameNumber) + ": ";
    if (!DecodeRecordHeader(data_.data() + entry.offset, kRecordHeaderSize, &record, &why))
        return SetError(where + why + " at offset " + std::to_string(entry.offset));
    if (record.gap || EntryFor(record, entry.offset) != entry)
        return SetError(where + "the record in the data file disagrees with its index entry");
    if (verifyFrameChecksum_
        && !ChecksumMatches(entry.jpegCrc, Crc32(data_.data() + entry.offset + kRecordHeaderSize, entry.jpegSize)))
        return SetError(where + "JPEG checksum does not match (frame data damaged)");
    return true;
}

int BimfReader::GetTrackImage(TrackImageJPG_* image, int frameNumber)
{
    ClearError();
    if (!image)
        return SetError("no image record given");
    std::shared_lock lock(stateLock_);
    if (!open_)
        return SetError("the reader is closed");
    if (frameNumber < 1 || size_t(frameNumber) > frames_.size())
        return SetError("frame " + std::to_string(frameNumber) + " is outside 1.."
                        + std::to_string(frames_.size()));
    const IndexEntry& entry = frames_[size_t(frameNumber) - 1];
    if (!recordMatches(entry, frameNumber))
        return 0;
    std::memset(image, 0, sizeof *image);
    image->pJpgData = const_cast<unsigned char*>(data_.data() + entry.offset + kRecordHeaderSize);
    image->FileOffset = int64_t(entry.offset);
    image->ImageNumber = entry.frameNumber;
    image->Km = entry.km;
    image->M = entry.m;
    image->CaptureTime = entry.captureTime;
    image->JpgSize = int32_t(entry.jpegSize);
    return 1;
}

void BimfReader::ReleaseImage(TrackImageJPG_* image)
{
    if (image)
        std::memset(image, 0, sizeof *image);
}

int* BimfReader::GetTrackImagesNumber(int16_t km, int16_t m, int* count)
{
    ClearError();
    if (count)
        *count = 0;
    std::shared_lock lock(stateLock_);
    if (!open_)
        return nullptr;
    const auto range = std::equal_range(positionKeys_.begin(), positionKeys_.end(), PositionKey(km, m));
    if (range.first == range.second)
        return nullptr;
    if (count)
        *count = int(range.second - range.first);
    return positionFrames_.data() + (range.first - positionKeys_.begin());
}

void BimfReader::Final()
{
    std::unique_lock lock(stateLock_);
    open_ = false;
    data_.close();
}

} // namespace bimf
