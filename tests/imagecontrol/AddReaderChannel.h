#pragma once
// A channel filled the way the task loader fills one (its reader, TrackID and
// name) and added to the control, which owns it from then on.

#include "CTrack.h"
#include "CTrackImageDrawObject.h"

#include <QString>

inline CTrack* AddReaderChannel(CTrackImageDrawObject& control, int trackId, const QString& name,
                                IDataReaderInterface& reader)
{
    ITrackInterface* track = nullptr;
    control.NewTrack(&track);
    track->SetReader(&reader);
    track->SetTrackInfo(trackId, name);
    control.AddTrack(track);
    return static_cast<CTrack*>(track);
}
