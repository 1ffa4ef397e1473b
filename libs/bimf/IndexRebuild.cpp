// Rebuilding the index of a data file from its own frame records.

#include "BimfError.h"
#include "BimfFormat.h"
#include "BimfMaintenance.h"
#include "FileHandle.h"
#include "MappedFile.h"
#include "RecordScanner.h"

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <vector>

namespace bimf {
namespace {

void tell(BimfLineSink sink, void* context, const std::string& line)
{
    if (sink)
        sink(line.c_str(), context);
}

// A writer that never finished left the end of the run unknown: the last
// frame found is where the file ends.
void completeEnd(UniversalTrackInfo_Ex* track, const IndexEntry& last)
{
    track->EndKM = last.km;
    track->EndM = last.m;
    const time_t seconds = last.captureTime;
    tm local{};
    if (!localtime_r(&seconds, &local))
        return;
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    BimfCopyText(track->EndRunDate, sizeof track->EndRunDate, date);
    BimfCopyText(track->EndRunTime, sizeof track->EndRunTime, time);
}

std::vector<IndexEntry> scanFrames(const MappedFile& data, BimfLineSink sink, void* context)
{
    std::vector<IndexEntry> frames;
    RecordScanner scanner(data.data(), data.size());
    RecordScanner::Item item;
    while (scanner.next(&item)) {
        const std::string at = " at offset " + std::to_string(item.offset);
        if (item.kind == RecordScanner::Item::Kind::Damaged)
            tell(sink, context, "skipped " + std::to_string(item.length) + " bytes" + at + ": " + item.why);
        else if (item.kind == RecordScanner::Item::Kind::Frame && !item.jpegIntact)
            tell(sink, context, "skipped frame number " + std::to_string(item.record.frameNumber) + at
                                    + ": JPEG checksum does not match");
        else if (item.kind == RecordScanner::Item::Kind::Frame)
            frames.push_back(EntryFor(item.record, item.offset));
    }
    return frames;
}

bool writeIndexFile(const char* indexPath, const std::vector<uint8_t>& bytes)
{
    // Written beside and renamed, so a failure never leaves half an index.
    const std::string temporary = std::string(indexPath) + ".rebuild";
    FileHandle file;
    std::string why;
    if (!file.openForWriting(temporary.c_str(), O_CREAT | O_TRUNC, &why)
        || !file.writeAt(0, bytes.data(), bytes.size(), &why) || !file.sync(&why)) {
        std::remove(temporary.c_str());
        return SetError("index: " + why);
    }
    file.close();
    if (std::rename(temporary.c_str(), indexPath) != 0) {
        std::remove(temporary.c_str());
        return SetError(std::string("cannot replace the index ") + indexPath);
    }
    return true;
}

int64_t refuse(std::string why)
{
    SetError(std::move(why));
    return -1;
}

} // namespace
} // namespace bimf

using namespace bimf;

extern "C" int64_t BimfRebuildIndexReport(const char* dataPath, const char* indexPath, BimfLineSink sink,
                                          void* context)
{
    ClearError();
    if (!dataPath || !indexPath)
        return refuse("no data or index path given");
    MappedFile data;
    std::string why;
    DataHeader header;
    if (!data.open(dataPath, &why) || !DecodeDataHeader(data.data(), data.size(), &header, &why))
        return refuse(std::string("data file ") + dataPath + ": " + why);
    const std::vector<IndexEntry> frames = scanFrames(data, sink, context);
    if (frames.size() > size_t(INT32_MAX))
        return refuse("more frames than a header can count");
    header.track.PhotoNum = int32_t(frames.size());
    if (!(header.flags & kDataFlagComplete) && !frames.empty())
        completeEnd(&header.track, frames.back());
    header.flags |= kDataFlagComplete;
    uint8_t block[kDataHeaderSize];
    const uint32_t headerCrc = EncodeDataHeader(header, block);
    FileHandle file;
    if (!file.openForWriting(dataPath, 0, &why) || !file.writeAt(0, block, sizeof block, &why)
        || !file.sync(&why))
        return refuse(std::string("data file ") + dataPath + ": " + why);
    if (!writeIndexFile(indexPath, EncodeIndex(frames, data.size(), headerCrc)))
        return -1;
    return int64_t(frames.size());
}

extern "C" int64_t BIMFRebuildIndex(const char* dataPath, const char* indexPath)
{
    return BimfRebuildIndexReport(dataPath, indexPath, nullptr, nullptr);
}
