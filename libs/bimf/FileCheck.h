#pragma once
// The integrity check behind BimfCheckFile: the data file's records walked on
// their own, then the index compared with what was found. Each problem is
// one line; the caller decides where lines go.

#include "BimfFormat.h"
#include "BimfMaintenance.h"
#include "MappedFile.h"
#include "RecordScanner.h"

#include <string>
#include <vector>

namespace bimf {

class FileCheck
{
public:
    FileCheck(BimfLineSink sink, void* context) : sink_(sink), context_(context) {}

    // -1 when the data file cannot be read or has no valid header, else the
    // number of problems.
    int run(const char* dataPath, const char* indexPath);

private:
    void problem(const std::string& line);
    void walkRecords();
    void noteFrame(const RecordScanner::Item& item);
    void checkIndex(const char* indexPath);
    void compareEntries(const uint8_t* entries, uint64_t count);

    BimfLineSink sink_;
    void* context_;
    int problems_ = 0;
    MappedFile data_;
    DataHeader header_;
    std::vector<IndexEntry> records_;  // every frame record found, in file order
    int32_t lastFrameNumber_ = 0;
};

} // namespace bimf
