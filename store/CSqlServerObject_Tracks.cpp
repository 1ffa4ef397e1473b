// Channels: tables Track, CHANNEL_DEFINE, CHANNEL_TEMPLATE and TEMPLATE_TRACK.

#include "CDatabaseError.h"
#include "CSqlServerObject.h"
#include "CWriteTransaction.h"
#include "ColumnConversions.h"

#include <cmath>

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

// A member of a template, with its names and track character right-trimmed
// of the blanks other writers may have padded them with.
_TRACK_DEFINE_STRUCT_ ReadTemplateTrack(const CRecordSet& set)
{
    _TRACK_DEFINE_STRUCT_ track = ReadTrack(set);
    track.TrackName = ColumnConversions::TrimRight(track.TrackName);
    track.TrackSubDirectory = ColumnConversions::TrimRight(track.TrackSubDirectory);
    track.TrackRailSide = ColumnConversions::TrimRight(track.TrackRailSide);
    return track;
}

ILumetraDBInterface::_channel_template_ ReadChannelTemplate(const CRecordSet& set)
{
    ILumetraDBInterface::_channel_template_ templ;
    templ.TEMPLATE_ID = set.Int(QStringLiteral("TEMPLATE_ID"));
    templ.TEMPLATE_NAME = set.TrimmedText(QStringLiteral("TEMPLATE_NAME"));
    return templ;
}

// The columns a channel editor writes. The display position is always
// written as 0: the program orders channels by their physical channel.
CRowWriter TrackColumns(const _TRACK_DEFINE_STRUCT_& track)
{
    CRowWriter row(QStringLiteral("Track"));
    row.Set(QStringLiteral("TrackName"), track.TrackName)
        .Set(QStringLiteral("TrackDisplayPos"), 0)
        .Set(QStringLiteral("TrackScale"), track.TrackScale)
        .Set(QStringLiteral("TrackSubDirectory"), track.TrackSubDirectory)
        .Set(QStringLiteral("TrackRailSide"), track.TrackRailSide)
        .Set(QStringLiteral("TrackVertResolution"), track.TrackVertResolution)
        .Set(QStringLiteral("TrackHorzResolution"), track.TrackHorzResolution)
        .Set(QStringLiteral("TRackGoBack"), track.TrackGoBack);
    return row;
}

void InsertTemplateMembers(const QSqlDatabase& db, int templateId, const std::vector<int32_t>& trackIds)
{
    for (const int32_t trackId : trackIds)
        CRowWriter(QStringLiteral("TEMPLATE_TRACK"))
            .Set(QStringLiteral("TEMPLATE_ID"), templateId)
            .Set(QStringLiteral("TRACK_ID"), trackId)
            .Insert(db);
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
    return ReadList(QStringLiteral("SELECT * FROM Track ORDER BY TrackID"),
                    out, ReadTrack, OnRowError::ReturnZero);
}

int CSqlServerObject::GetChannelDefines(std::vector<_channel_define_>& out)
{
    return ReadList(QStringLiteral("SELECT * FROM CHANNEL_DEFINE ORDER BY CHANNEL_ID"),
                    out, ReadChannelDefine, OnRowError::ReturnZero);
}

int CSqlServerObject::UpdateTrackScale(int trackId, double scale)
{
    // The scale reaches the table with six decimals; a value that has none
    // is refused like a statement that fails.
    if (!std::isfinite(scale))
        return 0;
    const double sixDecimals = QString::number(scale, 'f', 6).toDouble();
    return RunStatement(QStringLiteral("UPDATE Track SET TrackScale = ? WHERE TrackID = ?"), {sixDecimals, trackId}) > 0
               ? 1
               : 0;
}

int CSqlServerObject::DeleteTrackDefine(int trackId)
{
    return RunStatement(QStringLiteral("DELETE FROM Track WHERE TrackID = ?"), {trackId}) > 0 ? 1 : 0;
}

int CSqlServerObject::AddTrackDefine(_TRACK_DEFINE_STRUCT_& track)
{
    CRowWriter row = TrackColumns(track);
    row.Set(QStringLiteral("Track_ChannelID"), track.Track_ChannelID);
    return InsertRow(QStringLiteral("SELECT * FROM Track WHERE TrackID = -1"), row, &track.TrackID);
}

// The physical channel of a display channel is fixed when it is added.
int CSqlServerObject::UpdateTrackDefine(const _TRACK_DEFINE_STRUCT_& track)
{
    return UpdateRow(QStringLiteral("SELECT * FROM Track WHERE TrackID = ?"), QStringLiteral("TrackID"), track.TrackID,
                     TrackColumns(track));
}

int CSqlServerObject::GetChannelTemplates(std::vector<_channel_template_>& out)
{
    return ReadList(QStringLiteral("SELECT * FROM CHANNEL_TEMPLATE ORDER BY TEMPLATE_ID"),
                    out, ReadChannelTemplate, OnRowError::ReturnZero);
}

// Members whose Track row was deleted drop out of the join.
int CSqlServerObject::GetTemplateTracks(int templateId, std::vector<_TRACK_DEFINE_STRUCT_>& out)
{
    return ReadList(QStringLiteral("SELECT A.* FROM Track A, TEMPLATE_TRACK B"
                                   " WHERE B.TEMPLATE_ID = ? AND B.TRACK_ID = A.TrackID"
                                   " ORDER BY A.Track_ChannelID"),
                    out, ReadTemplateTrack, OnRowError::ReturnZero, {templateId});
}

// The template and its members are written in one transaction, so a failure
// leaves no template without its members.
int CSqlServerObject::AddChannelTemplate(_channel_template_& templ, const std::vector<int32_t>& trackIds)
{
    try {
        if (!ProbeTable(QStringLiteral("SELECT * FROM CHANNEL_TEMPLATE WHERE TEMPLATE_ID = -1")))
            return 0;
        CWriteTransaction transaction(connection_.Database());
        const qint64 templateId = CRowWriter(QStringLiteral("CHANNEL_TEMPLATE"))
                                      .Set(QStringLiteral("TEMPLATE_NAME"), templ.TEMPLATE_NAME)
                                      .Insert(connection_.Database());
        InsertTemplateMembers(connection_.Database(), int(templateId), trackIds);
        transaction.Commit();
        templ.TEMPLATE_ID = int(templateId);
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}

// The old members are replaced in one transaction: a failure keeps them.
int CSqlServerObject::UpdateTemplateTracks(int templateId, const std::vector<int32_t>& trackIds)
{
    if (!Connect())
        return 0;
    try {
        CWriteTransaction transaction(connection_.Database());
        Execute(QStringLiteral("DELETE FROM TEMPLATE_TRACK WHERE TEMPLATE_ID = ?"), {templateId});
        InsertTemplateMembers(connection_.Database(), templateId, trackIds);
        transaction.Commit();
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}

int CSqlServerObject::DeleteChannelTemplate(int templateId)
{
    RunStatement(QStringLiteral("DELETE FROM TEMPLATE_TRACK WHERE TEMPLATE_ID = ?"), {templateId});
    RunStatement(QStringLiteral("DELETE FROM CHANNEL_TEMPLATE WHERE TEMPLATE_ID = ?"), {templateId});
    return 1;
}
