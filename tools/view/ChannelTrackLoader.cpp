#include "ChannelTrackLoader.h"

#include "CFaultStore.h"
#include "CFileReader.h"
#include "ILumetraDrawControlCore.h"
#include "ITrackInterface.h"

#include <QFileInfo>
#include <algorithm>

struct ChannelTrackLoader::Channel
{
    int trackId = 0;
    int channelId = 0;   // FaultChannelID of its defects; 0 without a defect file
    QString name;
    CFileReader reader;
    std::vector<_FAULT_> faults;
};

namespace
{
bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool IsReadableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}
}

ChannelTrackLoader::ChannelTrackLoader() = default;

ChannelTrackLoader::~ChannelTrackLoader() = default;

bool ChannelTrackLoader::Open(const QStringList& files, QString* error)
{
    channels_.clear();
    std::vector<std::unique_ptr<Channel>> opened;
    for (const QString& path : files) {
        if (!IsReadableFile(path))
            return Fail(error, QStringLiteral("cannot open \"%1\": no such readable file").arg(path));
        auto channel = std::make_unique<Channel>();
        channel->trackId = int(opened.size()) + 1;
        channel->name = QFileInfo(path).completeBaseName();
        CFileReader::TaskFileRecord record;
        record.FilePath = path;
        record.TrackID = channel->trackId;
        record.TrackName = channel->name;
        if (!channel->reader.OpenFromTaskFile(record))
            return Fail(error, QStringLiteral("cannot open \"%1\": not a readable big file with its .dex index beside it")
                                   .arg(path));
        opened.push_back(std::move(channel));
    }
    channels_ = std::move(opened);
    return true;
}

bool ChannelTrackLoader::LoadFaults(const QString& defectFile, const std::function<int(int)>& channelIdOfTrack,
                                    QString* error)
{
    if (!IsReadableFile(defectFile))
        return Fail(error, QStringLiteral("cannot open the defect file \"%1\": no such readable file").arg(defectFile));
    CFaultStore store;
    // Checked first so that the store has no reason to prompt.
    if (!store.IsFaultExportFile(defectFile) || !store.OpenFaultDBFile(defectFile) || !store.IsFaultDBOpen())
        return Fail(error, QStringLiteral("cannot open the defect file \"%1\": not a defect file").arg(defectFile));
    for (const auto& channel : channels_) {
        std::vector<_FAULT_> faults;
        const int channelId = channelIdOfTrack(channel->trackId);
        if (!store.LoadChannelFaults(channelId, faults))
            return Fail(error, QStringLiteral("cannot read the defects of \"%1\" from \"%2\"").arg(channel->name, defectFile));
        // Without a task the store knows no TrackIDs; the viewer's are its own.
        for (_FAULT_& fault : faults)
            fault.TrackID = channel->trackId;
        channel->channelId = channelId;
        channel->faults = std::move(faults);
    }
    return true;
}

void ChannelTrackLoader::AddTracksTo(ILumetraDrawControlCore& control) const
{
    for (const auto& channel : channels_) {
        ITrackInterface* track = nullptr;
        control.NewTrack(&track);
        if (!track)
            continue;
        track->SetReader(&channel->reader);
        track->SetTrackInfo(channel->trackId, channel->name);
        _TRACK_DEFINE_STRUCT_ define;
        define.TrackID = channel->trackId;
        define.TrackName = channel->name;
        define.Track_ChannelID = channel->channelId;
        track->SetTrackDefine(define);
        track->SetFaults(channel->faults);
        control.AddTrack(track);
    }
    control.EndAddTracks();
}

int ChannelTrackLoader::TrackCount() const
{
    return int(channels_.size());
}

int ChannelTrackLoader::MaxFrameCount() const
{
    int frames = 0;
    for (const auto& channel : channels_)
        frames = std::max(frames, channel->reader.GetFrameCount());
    return frames;
}

QString ChannelTrackLoader::TrackName(int trackId) const
{
    return trackId >= 1 && trackId <= TrackCount() ? channels_[size_t(trackId - 1)]->name : QString();
}

const std::vector<_FAULT_>& ChannelTrackLoader::Faults(int trackId) const
{
    static const std::vector<_FAULT_> none;
    return trackId >= 1 && trackId <= TrackCount() ? channels_[size_t(trackId - 1)]->faults : none;
}
