#pragma once
// Opens channel big files without a database and hands them to the image
// display control as tracks: one reader per file, TrackIDs 1, 2, … in the
// order given, the file's base name as the track name, and the defects of a
// defect file for each channel.
//
// The loader owns the readers; the control's tracks only borrow them, so the
// control must drop its tracks (RemoveAll) before the loader goes.
// Threads: the user-interface thread. Errors: the opening operations answer
// false with one line naming the file and what is wrong; nothing is shown.
// Cost: Open maps each file and its index; LoadFaults reads the defect file
// once per channel.

#include "ControlRecords.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class CFileReader;
class ILumetraDrawControlCore;

class ChannelTrackLoader
{
public:
    ChannelTrackLoader();
    ~ChannelTrackLoader();
    ChannelTrackLoader(const ChannelTrackLoader&) = delete;
    ChannelTrackLoader& operator=(const ChannelTrackLoader&) = delete;

    // Opens every file (a previous set is dropped first); false at the first
    // file that cannot be opened, with no reader kept.
    bool Open(const QStringList& files, QString* error);
    // Reads the defects of each open channel from `defectFile`: the rows whose
    // FaultChannelID is channelIdOfTrack(TrackID), marked with that TrackID.
    bool LoadFaults(const QString& defectFile, const std::function<int(int trackId)>& channelIdOfTrack,
                    QString* error);

    // NewTrack … AddTrack for every open file, then EndAddTracks. Set the
    // control's ThreadLoad and paint mode before: tracks follow them.
    void AddTracksTo(ILumetraDrawControlCore& control) const;

    int TrackCount() const;
    // Frames of the longest channel (the control's reference), 0 when none.
    int MaxFrameCount() const;
    QString TrackName(int trackId) const;
    const std::vector<_FAULT_>& Faults(int trackId) const;

private:
    struct Channel;
    std::vector<std::unique_ptr<Channel>> channels_;
};
