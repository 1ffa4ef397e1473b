// Channels: tables Track, CHANNEL_DEFINE, CHANNEL_TEMPLATE and TEMPLATE_TRACK.

#include "CDatabaseError.h"
#include "CSqlServerObject.h"

namespace
{
_TRACK_DEFINE_STRUCT_ ReadTrack(const CRecordSet& set)
{
    _TRACK_DEFINE_STRUCT_ track;
    track.TrackID = set.Int(QStringLiteral("TrackID"));
    track.TrackName = set.Text(QStringLiteral("TrackName"));
    track.TrackDisplayPos = set.Int(QStringLiteral("TrackDisplayPos"));
    track.TrackScale = set.Double(QStringLiteral("TrackScale"));
    track.TrackSubDirectory = set.Text(QStringLiteral("TrackSubDirectory"));
    track.TrackRailSide = set.Text(QStringLiteral("TrackRailSide"));
    track.TrackVertResolution = set.Double(QStringLiteral("TrackVertResolution"));
    track.TrackHorzResolution = set.Double(QStringLiteral("TrackHorzResolution"));
    track.TrackGoBack = set.Text(QStringLiteral("TRackGoBack"));
    // A channel without a physical channel reads as 0.
    if (!set.IsNullOrEmpty(QStringLiteral("Track_ChannelID")))
        track.Track_ChannelID = set.Int(QStringLiteral("Track_ChannelID"));
    return track;
}

ILumetraDBInterface::_channel_define_ ReadChannelDefine(const CRecordSet& set)
{
    ILumetraDBInterface::_channel_define_ define;
    define.CHANNEL_ID = set.Int(QStringLiteral("CHANNEL_ID"));
    define.CHANNEL_NAME = set.TrimmedText(QStringLiteral("CHANNEL_NAME"));
    define.TRACK_IDF = set.TrimmedText(QStringLiteral("TRACK_IDF"));
    return define;
}
}

int CSqlServerObject::GetAllTracks(std::vector<_TRACK_DEFINE_STRUCT_>& out)
{
    out.clear();
    if (!Connect())
        return 0;
    return ReadList(QStringLiteral("SELECT * FROM Track ORDER BY TrackID"),
                    out, ReadTrack, OnRowError::ReturnZero);
}

int CSqlServerObject::GetChannelDefines(std::vector<_channel_define_>& out)
{
    return ReadList(QStringLiteral("SELECT * FROM CHANNEL_DEFINE ORDER BY CHANNEL_ID"),
                    out, ReadChannelDefine, OnRowError::ReturnZero);
}

int CSqlServerObject::UpdateTrackScale(int, double) { return NotYetImplemented("UpdateTrackScale"); }

int CSqlServerObject::DeleteTrackDefine(int) { return NotYetImplemented("DeleteTrackDefine"); }

int CSqlServerObject::AddTrackDefine(_TRACK_DEFINE_STRUCT_&) { return NotYetImplemented("AddTrackDefine"); }

int CSqlServerObject::UpdateTrackDefine(const _TRACK_DEFINE_STRUCT_&) { return NotYetImplemented("UpdateTrackDefine"); }

int CSqlServerObject::GetChannelTemplates(std::vector<_channel_template_>& out)
{
    out.clear();
    return NotYetImplemented("GetChannelTemplates");
}

int CSqlServerObject::GetTemplateTracks(int, std::vector<_TRACK_DEFINE_STRUCT_>& out)
{
    out.clear();
    return NotYetImplemented("GetTemplateTracks");
}

int CSqlServerObject::AddChannelTemplate(_channel_template_&, const std::vector<int32_t>&)
{
    return NotYetImplemented("AddChannelTemplate");
}

int CSqlServerObject::UpdateTemplateTracks(int, const std::vector<int32_t>&)
{
    return NotYetImplemented("UpdateTemplateTracks");
}

int CSqlServerObject::DeleteChannelTemplate(int) { return NotYetImplemented("DeleteChannelTemplate"); }
