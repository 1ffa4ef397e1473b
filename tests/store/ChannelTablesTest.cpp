// Display channels and channel templates: what the channel editor writes,
// what it cannot change, and how templates follow their member channels.

#include "ConnectedStore.h"
#include "SqlFile.h"

#include <gtest/gtest.h>

namespace
{
using Template = ILumetraDBInterface::_channel_template_;

_TRACK_DEFINE_STRUCT_ MakeTrack(const QString& name, int channelId)
{
    _TRACK_DEFINE_STRUCT_ track;
    track.TrackName = name;
    track.TrackDisplayPos = 9;
    track.TrackScale = 0.75;
    track.TrackSubDirectory = QStringLiteral("XO");
    track.TrackRailSide = QStringLiteral("X");
    track.TrackVertResolution = 1.25;
    track.TrackHorzResolution = 0.5;
    track.TrackGoBack = name + QStringLiteral("-reversed");
    track.Track_ChannelID = channelId;
    return track;
}

class ChannelTables : public ConnectedStoreTest
{
protected:
    std::vector<_TRACK_DEFINE_STRUCT_> allTracks()
    {
        std::vector<_TRACK_DEFINE_STRUCT_> tracks;
        EXPECT_EQ(store->GetAllTracks(tracks), 1);
        return tracks;
    }

    std::vector<int> memberIds(int templateId)
    {
        std::vector<_TRACK_DEFINE_STRUCT_> tracks;
        EXPECT_EQ(store->GetTemplateTracks(templateId, tracks), 1);
        std::vector<int> ids;
        for (const auto& track : tracks)
            ids.push_back(track.TrackID);
        return ids;
    }

    int rows(const QString& sql) { return SqlFile::Scalar(dir.databasePath(), sql).toInt(); }
};

TEST_F(ChannelTables, AddedChannelGetsItsKeyAndDisplayPositionZero)
{
    _TRACK_DEFINE_STRUCT_ track = MakeTrack(QStringLiteral("左轨外侧"), 1080);
    ASSERT_EQ(store->AddTrackDefine(track), 1) << store->GetLastErrorText().toStdString();
    EXPECT_EQ(track.TrackID, 7);

    const auto tracks = allTracks();
    ASSERT_EQ(tracks.size(), 7u);
    const _TRACK_DEFINE_STRUCT_& read = tracks.back();
    EXPECT_EQ(read.TrackID, 7);
    EXPECT_EQ(read.TrackName, track.TrackName);
    EXPECT_EQ(read.TrackDisplayPos, 0);
    EXPECT_EQ(read.TrackScale, 0.75);
    EXPECT_EQ(read.TrackSubDirectory, QStringLiteral("XO"));
    EXPECT_EQ(read.TrackRailSide, QStringLiteral("X"));
    EXPECT_EQ(read.TrackVertResolution, 1.25);
    EXPECT_EQ(read.TrackHorzResolution, 0.5);
    EXPECT_EQ(read.TrackGoBack, track.TrackGoBack);
    EXPECT_EQ(read.Track_ChannelID, 1080);
}

TEST_F(ChannelTables, UpdateWritesTheEditorsColumnsButNeverThePhysicalChannel)
{
    _TRACK_DEFINE_STRUCT_ edited = MakeTrack(QStringLiteral("改名"), 9999);
    edited.TrackID = 2;
    ASSERT_EQ(store->UpdateTrackDefine(edited), 1) << store->GetLastErrorText().toStdString();
    EXPECT_EQ(store->GetLastErrorText(), QStringLiteral("操作成功"));

    const _TRACK_DEFINE_STRUCT_ read = allTracks().at(1);
    EXPECT_EQ(read.TrackName, QStringLiteral("改名"));
    EXPECT_EQ(read.TrackScale, 0.75);
    EXPECT_EQ(read.TrackGoBack, edited.TrackGoBack);
    EXPECT_EQ(read.TrackDisplayPos, 0);
    EXPECT_EQ(read.Track_ChannelID, 1020);
    EXPECT_EQ(allTracks().at(0).TrackName, QStringLiteral("左外"));

    edited.TrackID = 42;
    EXPECT_EQ(store->UpdateTrackDefine(edited), 0);
    EXPECT_EQ(store->GetLastErrorText(), QStringLiteral("数据库中没有对应的记录"));
}

TEST_F(ChannelTables, ScaleAndDeleteAnswerWhetherARowChanged)
{
    EXPECT_EQ(store->UpdateTrackScale(3, 1.23456789), 1);
    EXPECT_DOUBLE_EQ(allTracks().at(2).TrackScale, 1.234568);
    EXPECT_EQ(store->UpdateTrackScale(42, 2.0), 0);
    EXPECT_EQ(store->UpdateTrackScale(3, std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_DOUBLE_EQ(allTracks().at(2).TrackScale, 1.234568);

    EXPECT_EQ(store->DeleteTrackDefine(3), 1);
    EXPECT_EQ(store->DeleteTrackDefine(3), 0);
    EXPECT_EQ(allTracks().size(), 5u);
    // Nothing cascades: the template still names the channel.
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM TEMPLATE_TRACK WHERE TRACK_ID = 3")), 1);
}

TEST_F(ChannelTables, TemplateMembersComeInPhysicalChannelOrderWhileTheyExist)
{
    Template templ{0, QStringLiteral("右轨模板")};
    ASSERT_EQ(store->AddChannelTemplate(templ, {6, 4, 5, 77}), 1) << store->GetLastErrorText().toStdString();
    EXPECT_EQ(templ.TEMPLATE_ID, 2);
    EXPECT_EQ(memberIds(2), (std::vector<int>{4, 5, 6}));

    ASSERT_EQ(store->DeleteTrackDefine(5), 1);
    EXPECT_EQ(memberIds(2), (std::vector<int>{4, 6}));
    EXPECT_EQ(memberIds(1), (std::vector<int>{1, 2, 3, 4, 6}));
    EXPECT_TRUE(memberIds(42).empty());
}

TEST_F(ChannelTables, TemplateReadsTrimTheirNames)
{
    SqlFile::Exec(dir.databasePath(), QStringLiteral("UPDATE CHANNEL_TEMPLATE SET TEMPLATE_NAME = '六通道  ' WHERE TEMPLATE_ID = 1"));
    SqlFile::Exec(dir.databasePath(),
                  QStringLiteral("UPDATE Track SET TrackName = '左外 ', TrackSubDirectory = 'LO  ', TrackRailSide = 'L ',"
                                 " TRackGoBack = '右外 ' WHERE TrackID = 1"));
    std::vector<Template> templates;
    ASSERT_EQ(store->GetChannelTemplates(templates), 1);
    ASSERT_EQ(templates.size(), 1u);
    EXPECT_EQ(templates.front().TEMPLATE_NAME, QStringLiteral("六通道"));

    std::vector<_TRACK_DEFINE_STRUCT_> members;
    ASSERT_EQ(store->GetTemplateTracks(1, members), 1);
    EXPECT_EQ(members.front().TrackName, QStringLiteral("左外"));
    EXPECT_EQ(members.front().TrackSubDirectory, QStringLiteral("LO"));
    EXPECT_EQ(members.front().TrackRailSide, QStringLiteral("L"));
    EXPECT_EQ(members.front().TrackGoBack, QStringLiteral("右外 "));
}

TEST_F(ChannelTables, UpdateTemplateTracksReplacesTheMembers)
{
    ASSERT_EQ(store->UpdateTemplateTracks(1, {3, 1}), 1);
    EXPECT_EQ(memberIds(1), (std::vector<int>{1, 3}));
    ASSERT_EQ(store->UpdateTemplateTracks(1, {}), 1);
    EXPECT_TRUE(memberIds(1).empty());
    std::vector<Template> templates;
    ASSERT_EQ(store->GetChannelTemplates(templates), 1);
    EXPECT_EQ(templates.size(), 1u);
}

TEST_F(ChannelTables, FailedMemberUpdateKeepsTheOldMembers)
{
    // A membership table that refuses a second row makes the update fail
    // after its delete.
    SqlFile::Exec(dir.databasePath(), QStringLiteral("CREATE UNIQUE INDEX OneMember ON TEMPLATE_TRACK (TEMPLATE_ID, TRACK_ID)"));
    EXPECT_EQ(store->UpdateTemplateTracks(1, {2, 2}), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(QStringLiteral("SQL FAILED:")));
    EXPECT_EQ(memberIds(1), (std::vector<int>{1, 2, 3, 4, 5, 6}));

    Template templ{0, QStringLiteral("doubled")};
    EXPECT_EQ(store->AddChannelTemplate(templ, {2, 2}), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM CHANNEL_TEMPLATE")), 1);
}

TEST_F(ChannelTables, DeletingATemplateTakesOnlyItsMembers)
{
    Template templ{0, QStringLiteral("second")};
    ASSERT_EQ(store->AddChannelTemplate(templ, {1, 2}), 1);
    EXPECT_EQ(store->DeleteChannelTemplate(1), 1);
    EXPECT_EQ(store->DeleteChannelTemplate(1), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM TEMPLATE_TRACK WHERE TEMPLATE_ID = 1")), 0);
    EXPECT_EQ(memberIds(templ.TEMPLATE_ID), (std::vector<int>{1, 2}));
    EXPECT_EQ(allTracks().size(), 6u);
}

TEST_F(ChannelTables, NamesWithQuotesAndPercentSignsAreStoredAsTyped)
{
    for (const QString& name : {QStringLiteral("O'Brien's rail"), QStringLiteral("the \"inner\" rail"),
                                QStringLiteral("50% _scale_")}) {
        _TRACK_DEFINE_STRUCT_ track = MakeTrack(name, 1090);
        ASSERT_EQ(store->AddTrackDefine(track), 1) << name.toStdString();
        EXPECT_EQ(allTracks().back().TrackName, name);
        track.TrackGoBack = name;
        ASSERT_EQ(store->UpdateTrackDefine(track), 1);
        EXPECT_EQ(allTracks().back().TrackGoBack, name);

        Template templ{0, name};
        ASSERT_EQ(store->AddChannelTemplate(templ, {track.TrackID}), 1);
        std::vector<Template> templates;
        ASSERT_EQ(store->GetChannelTemplates(templates), 1);
        EXPECT_EQ(templates.back().TEMPLATE_NAME, name);
    }
}
}
