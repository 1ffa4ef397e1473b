#pragma once
// One channel column of the image display control as the task loader fills it.
// Tracks are created by the control (NewTrack) and owned by it after AddTrack.

#include "BaseDataRecords.h"
#include "ControlRecords.h"

#include <QString>
#include <vector>

class IDataReaderInterface;

class ITrackInterface
{
public:
    virtual ~ITrackInterface() = default;

    virtual void SetTrackInfo(int trackId, const QString& name) = 0;        // 1
    virtual void SetReader(IDataReaderInterface* reader) = 0;               // 2: not owned
    virtual void SetTrackDefine(const _TRACK_DEFINE_STRUCT_& define) = 0;   // 3
    virtual int GetTrackId() = 0;                                           // 4
    virtual void SetTag(int tag) = 0;                                       // 5
    virtual int GetTag() = 0;                                               // 6
    virtual void SetFastenSize(int cx, int cy) = 0;                         // 7
    virtual int GetChannelId() = 0;                                         // 8
    virtual int OpenTrack() = 0;                                            // 9: 1 ready, 0 not
    virtual void SetFaults(const std::vector<_FAULT_>& faults) = 0;         // 10
    virtual void AppendFault(const _FAULT_& fault) = 0;                     // 11
    virtual int ClearFaults() = 0;                                          // 12
    virtual void CloseTrack() = 0;                                          // 13
    // Forgets the reader (leaving it alive), empties the defects, closes and
    // deletes the track.
    virtual void Release() = 0;                                             // 14
};
