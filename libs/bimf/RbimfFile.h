#pragma once
// Reader of one channel big file (.bimf) and its index (.dex). The data file is
// memory-mapped: fetched frames point into the mapping and copy nothing.
// Every operation is safe from several threads at once; errors are answered
// with 0 / null, and the reason is kept in BIMFLastErrorText() of that thread.

#include "BimfApi.h"
#include "BimfRecords.h"

class BIMF_API RbimfFile
{
public:
    virtual ~RbimfFile();

    // The header, owned by the reader. Cost: none.
    virtual const UniversalTrackInfo_Ex* GetUniversalTrackInfo() const = 0;
    // Fills `image` with frame `frameNumber` (1-based). 0 beyond the last frame
    // or for a record that fails its checks. Cost: one index lookup.
    virtual int GetTrackImage(TrackImageJPG_* image, int frameNumber) = 0;
    // Gives a fetched frame back (zeroes the record).
    virtual void ReleaseImage(TrackImageJPG_* image) = 0;
    // Frame numbers recorded at km + m, owned by the reader, ascending; null
    // and count 0 when none. Cost: a binary search.
    virtual int* GetTrackImagesNumber(int16_t km, int16_t m, int* count) = 0;
    // Unmaps and closes both files; every later fetch answers 0.
    virtual void Final() = 0;
};

// Opens the pair; null with BIMFLastErrorText() set when either file is
// missing, damaged, foreign, or the two disagree. `flags` is 0.
extern "C" BIMF_API RbimfFile* BIMFReaderReadBimfFileAndIndex(const char* dataPath, const char* indexPath, int flags);

// The reason for the last failure of a library call on the calling thread
// (UTF-8, empty after success).
extern "C" BIMF_API const char* BIMFLastErrorText();
