#include "BimfWriter.h"

#include "BimfError.h"
#include "BimfMaintenance.h"
#include "Crc32.h"

#include <cstring>
#include <fcntl.h>

namespace bimf {

std::unique_ptr<BimfWriter> BimfWriter::create(const char* dataPath, const char* indexPath)
{
    std::unique_ptr<BimfWriter> writer(new BimfWriter);
    std::string why;
    if (!writer->data_.openForWriting(dataPath, O_CREAT | O_TRUNC, &why)
        || !writer->index_.openForWriting(indexPath, O_CREAT | O_TRUNC, &why)) {
        SetError(why);
        return nullptr;
    }
    // A header from the start: a file cut short at any point still opens far
    // enough for a rebuild to find its frames.
    if (!writer->writeHeader())
        return nullptr;
    writer->data_.setEnd(kDataHeaderSize);
    return writer;
}

BimfWriter::~BimfWriter() = default;

bool BimfWriter::writeHeader()
{
    uint8_t block[kDataHeaderSize];
    const uint32_t crc = EncodeDataHeader(header_, block);
    std::string why;
    if (!data_.writeAt(0, block, sizeof block, &why))
        return SetError("data file header: " + why);
    writtenHeaderCrc_ = crc;
    return true;
}

bool BimfWriter::usable()
{
    if (finished_)
        return SetError("the writer is already finished");
    return true;
}

int BimfWriter::SetFileHead(const UniversalTrackInfo_Ex* head)
{
    ClearError();
    if (!head)
        return SetError("no header given");
    if (!usable())
        return 0;
    header_.track = *head;
    // The library-owned bytes stay zero; the frame count is the writer's to set.
    std::memset(header_.track.Reserved0, 0, sizeof header_.track.Reserved0);
    std::memset(header_.track.Reserved1, 0, sizeof header_.track.Reserved1);
    header_.track.PhotoNum = 0;
    return writeHeader() ? 1 : 0;
}

int BimfWriter::SaveImage(const TrackImageJPG_* image)
{
    ClearError();
    if (!image || !image->pJpgData || image->JpgSize <= 0)
        return SetError("a frame needs JPEG bytes and a positive byte count");
    if (!usable())
        return 0;
    if (entries_.size() >= size_t(INT32_MAX))
        return SetError("the file holds the most frames a header can count");
    RecordHeader record;
    record.frameNumber = image->ImageNumber;
    record.km = image->Km;
    record.m = image->M;
    record.captureTime = image->CaptureTime;
    record.jpegSize = uint32_t(image->JpgSize);
    record.jpegCrc = Crc32(image->pJpgData, record.jpegSize);
    record.sequence = entries_.size();
    uint8_t block[kRecordHeaderSize];
    EncodeRecordHeader(record, block);
    const iovec parts[] = {{block, sizeof block}, {image->pJpgData, record.jpegSize}};
    const uint64_t offset = data_.end();
    std::string why;
    if (!data_.append(parts, 2, &why))
        return SetError("frame " + std::to_string(image->ImageNumber) + ": " + why);
    entries_.push_back(EntryFor(record, offset));
    return 1;
}

bool BimfWriter::writeIndex()
{
    const std::vector<uint8_t> bytes = EncodeIndex(entries_, data_.end(), writtenHeaderCrc_);
    std::string why;
    if (!index_.truncate(0, &why) || !index_.writeAt(0, bytes.data(), bytes.size(), &why)
        || !index_.sync(&why))
        return SetError("index: " + why);
    return true;
}

int BimfWriter::Final(int flag, const char* endDate, const char* endTime)
{
    ClearError();
    if (!usable())
        return 0;
    header_.track.PhotoNum = int32_t(entries_.size());
    if (endDate)
        BimfCopyText(header_.track.EndRunDate, sizeof header_.track.EndRunDate, endDate);
    if (endTime)
        BimfCopyText(header_.track.EndRunTime, sizeof header_.track.EndRunTime, endTime);
    header_.flags |= kDataFlagComplete;
    std::string why;
    if (!writeHeader())
        return 0;
    if (!data_.truncate(data_.end(), &why) || !data_.sync(&why))
        return SetError("data file: " + why);
    if (!writeIndex())
        return 0;
    finished_ = true;
    data_.close();
    index_.close();
    return 1;
}

} // namespace bimf
