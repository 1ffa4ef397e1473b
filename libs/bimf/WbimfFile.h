#pragma once
// Writer of one channel big file and its index. Frames are appended as they
// come; a writer that never reaches Final leaves a data file whose index can
// be rebuilt (BIMFRebuildIndex). One thread at a time.

#include "BimfApi.h"
#include "BimfRecords.h"

class BIMF_API WbimfFile
{
public:
    virtual ~WbimfFile();

    // Header of the new file; call once before the first frame. 1/0.
    virtual int SetFileHead(const UniversalTrackInfo_Ex* head) = 0;
    // Appends one frame (pJpgData, JpgSize, ImageNumber, Km, M, CaptureTime). 1/0.
    virtual int SaveImage(const TrackImageJPG_* image) = 0;
    // Completes both files: PhotoNum, the end date and time ("%04d-%02d-%02d",
    // "%02d:%02d:%02d") go into the header and the index is written. `flag` is 1.
    virtual int Final(int flag, const char* endDate, const char* endTime) = 0;
};

// Creates (truncates) both files; null with BIMFLastErrorText() set on failure.
extern "C" BIMF_API WbimfFile* BIMFWirterCreateBimfFileAndIndex(const char* dataPath, const char* indexPath);
