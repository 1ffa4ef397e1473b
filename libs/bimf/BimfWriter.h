#pragma once
// The library's WbimfFile: frame records are appended to the data file as
// they come, the index entries are kept in memory and written by Final, so a
// writer that stops early leaves a data file that a rebuild can index.

#include "BimfFormat.h"
#include "FileHandle.h"
#include "WbimfFile.h"

#include <memory>
#include <string>
#include <vector>

namespace bimf {

class BimfWriter final : public WbimfFile
{
public:
    // Null with the reason in LastError() when a file cannot be created.
    static std::unique_ptr<BimfWriter> create(const char* dataPath, const char* indexPath);

    ~BimfWriter() override;

    int SetFileHead(const UniversalTrackInfo_Ex* head) override;
    int SaveImage(const TrackImageJPG_* image) override;
    int Final(int flag, const char* endDate, const char* endTime) override;

private:
    BimfWriter() = default;
    bool writeHeader();
    bool writeIndex();
    bool usable();

    FileHandle data_;
    FileHandle index_;
    DataHeader header_;
    uint32_t writtenHeaderCrc_ = 0;
    std::vector<IndexEntry> entries_;
    bool finished_ = false;
};

} // namespace bimf
