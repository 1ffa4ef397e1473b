#pragma once
// One channel of a simulated run: its definition from the base database,
// the camera it stands for and where its files go.

#include "BaseDataRecords.h"
#include "ChannelCamera.h"

#include <QString>

struct ChannelPlan
{
    int ordinal = 1;                 // 1-based, in channel order
    _TRACK_DEFINE_STRUCT_ track;
    ChannelGeometry geometry;
    QString dataPath;                // <out>/<TrackSubDirectory>/<name>.bimf
    QString indexPath;               // the same with ".dex"

    // Rail and camera position from the channel's rail side and name (外/中/内)
    // or sub-directory (…O/…C/…I); centre when neither tells.
    static ChannelGeometry GeometryOf(const _TRACK_DEFINE_STRUCT_& track);
};
