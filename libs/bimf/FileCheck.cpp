#include "FileCheck.h"

#include "BimfError.h"
#include "Crc32.h"

namespace bimf {
namespace {

std::string at(uint64_t offset) { return " at offset " + std::to_string(offset); }

// The recorder numbers frames one by one and a split keeps the distance of
// frames it could not read, so a jump between records written one after
// the other means frames that never reached the file.
std::string missingFramesLine(int32_t before, int32_t after, uint64_t offset)
{
    const int64_t first = int64_t(before) + 1;
    const int64_t last = int64_t(after) - 1;
    const std::string range = first == last ? "frame " + std::to_string(first)
                                            : "frames " + std::to_string(first) + ".." + std::to_string(last);
    return range + " missing (frame number " + std::to_string(after) + " follows " + std::to_string(before)
           + at(offset) + ")";
}

std::string notIndexedLine(const IndexEntry& record)
{
    return "frame record" + at(record.offset) + " (frame number " + std::to_string(record.frameNumber)
           + ") is not in the index";
}

} // namespace

void FileCheck::problem(const std::string& line)
{
    ++problems_;
    if (sink_)
        sink_(line.c_str(), context_);
}

int FileCheck::run(const char* dataPath, const char* indexPath)
{
    ClearError();
    std::string why;
    if (!dataPath || !data_.open(dataPath, &why)
        || !DecodeDataHeader(data_.data(), data_.size(), &header_, &why)) {
        SetError(std::string("data file ") + (dataPath ? dataPath : "") + ": " + why);
        return -1;
    }
    if (!(header_.flags & kDataFlagComplete))
        problem("the data file was never finished (its writer stopped early): rebuild the index");
    walkRecords();
    checkIndex(indexPath);
    return problems_;
}

void FileCheck::walkRecords()
{
    RecordScanner scanner(data_.data(), data_.size());
    RecordScanner::Item item;
    while (scanner.next(&item)) {
        if (item.kind == RecordScanner::Item::Kind::Damaged)
            problem(std::to_string(item.length) + " bytes" + at(item.offset)
                    + " belong to no frame record: " + item.why);
        else if (item.kind == RecordScanner::Item::Kind::Frame)
            noteFrame(item);
    }
}

void FileCheck::noteFrame(const RecordScanner::Item& item)
{
    const RecordHeader& r = item.record;
    const std::string name = "frame record " + std::to_string(records_.size() + 1) + " (frame number "
                             + std::to_string(r.frameNumber) + ")" + at(item.offset);
    if (!item.jpegIntact)
        problem(name + ": JPEG checksum does not match");
    if (r.sequence != records_.size())
        problem(name + ": written as record " + std::to_string(r.sequence + 1)
                + ", so records before it are missing");
    if (!records_.empty() && r.frameNumber <= lastFrameNumber_)
        problem(name + ": frame numbers out of order (after " + std::to_string(lastFrameNumber_) + ")");
    else if (!records_.empty() && int64_t(r.frameNumber) - lastFrameNumber_ > 1)
        problem(missingFramesLine(lastFrameNumber_, r.frameNumber, item.offset));
    lastFrameNumber_ = r.frameNumber;
    records_.push_back(EntryFor(r, item.offset));
}

void FileCheck::checkIndex(const char* indexPath)
{
    MappedFile index;
    std::string why;
    IndexHeader ih;
    if (!indexPath || !index.open(indexPath, &why)) {
        problem("index: " + why);
        return;
    }
    if (!DecodeIndexHeader(index.data(), index.size(), &ih, &why)) {
        problem("index: " + why);
        return;
    }
    const uint64_t entryBytes = index.size() - kIndexHeaderSize;
    const uint8_t* entries = index.data() + kIndexHeaderSize;
    if (entryBytes % kIndexEntrySize != 0 || entryBytes / kIndexEntrySize != ih.frameCount)
        problem("index: declares " + std::to_string(ih.frameCount) + " frames but holds "
                + std::to_string(entryBytes) + " bytes of entries");
    if (ih.dataFileSize != data_.size())
        problem("index: made for a data file of " + std::to_string(ih.dataFileSize) + " bytes, the data file has "
                + std::to_string(data_.size()));
    if (ih.dataHeaderCrc != header_.crc)
        problem("index: made for another data file header");
    if (!ChecksumMatches(ih.entriesCrc, Crc32(entries, entryBytes)))
        problem("index: entries checksum does not match");
    if (header_.track.PhotoNum < 0 || uint64_t(header_.track.PhotoNum) != ih.frameCount)
        problem("the data file header counts " + std::to_string(header_.track.PhotoNum) + " frames, the index "
                + std::to_string(ih.frameCount));
    compareEntries(entries, entryBytes / kIndexEntrySize);
}

// Entries and records are both in file order, so one merge finds entries
// that point nowhere, disagree with their record, or records left out.
void FileCheck::compareEntries(const uint8_t* entries, uint64_t count)
{
    size_t r = 0;
    for (uint64_t i = 0; i < count; ++i) {
        const IndexEntry e = DecodeIndexEntry(entries + i * kIndexEntrySize);
        const std::string name = "index entry " + std::to_string(i + 1);
        while (r < records_.size() && records_[r].offset < e.offset) {
            problem(notIndexedLine(records_[r]));
            ++r;
        }
        if (r == records_.size() || records_[r].offset != e.offset) {
            problem(name + ": no frame record starts" + at(e.offset));
            continue;
        }
        if (records_[r] != e)
            problem(name + ": disagrees with the frame record" + at(e.offset));
        ++r;
    }
    for (; r < records_.size(); ++r)
        problem(notIndexedLine(records_[r]));
}

} // namespace bimf

extern "C" int BimfCheckFile(const char* dataPath, const char* indexPath, BimfLineSink sink, void* context)
{
    return bimf::FileCheck(sink, context).run(dataPath, indexPath);
}
