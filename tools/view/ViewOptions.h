#pragma once
// What one run of lumetra-view shows and how. The defaults are the program's
// own drawing defaults (two frames per screen, zoom 0.4, raster painting);
// ViewOptionParser fills the record from a command line.

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

struct ViewOptions
{
    QStringList files;            // channel big files, TrackIDs 1, 2, … in this order
    int image = 1;                // first image shown
    double zoom = 0.4;
    int framesPerScreen = 2;
    bool threadLoad = false;
    int paintMode = 0;            // 1 = OpenGL, anything else = raster
    QString faultsPath;           // defect file; empty = no defects
    // Channel of each file in the defect file (FaultChannelID), in file order;
    // empty = the channel of a file is its TrackID.
    std::vector<int> channelIds;
    QString snapshotPath;         // non-empty: write a picture and exit, no window
    QSize snapshotSize;           // client area of the snapshot

    bool snapshot() const { return !snapshotPath.isEmpty(); }
    // FaultChannelID of the defects shown on the track of `trackId` (1-based).
    int channelIdOfTrack(int trackId) const
    {
        return channelIds.empty() ? trackId : channelIds.at(size_t(trackId - 1));
    }
};
