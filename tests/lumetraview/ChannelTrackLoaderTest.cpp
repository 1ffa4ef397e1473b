// The viewer's loader against real big files and defect files: tracks in
// the order given with their names and defects, and every file it cannot use
// refused with the file named and no dialog.

#include "ChannelFiles.h"
#include "ChannelTrackLoader.h"
#include "CPromptRecorder.h"
#include "CTrack.h"
#include "CTrackImageDrawObject.h"
#include "ViewerControl.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace
{
class ChannelTrackLoaderTest : public ::testing::Test
{
protected:
    ChannelFiles files;
    QWidget host;
    CPromptRecorder prompts;
};
}

TEST_F(ChannelTrackLoaderTest, EachFileBecomesATrackInTheOrderGiven)
{
    const QStringList paths = {files.write("right-outer", 7), files.write("left.inner", 3, 32, 24)};
    ChannelTrackLoader loader;
    QString error;
    ASSERT_TRUE(loader.Open(paths, &error)) << error.toStdString();
    EXPECT_EQ(loader.TrackCount(), 2);
    EXPECT_EQ(loader.MaxFrameCount(), 7);

    ViewerControl control;
    ASSERT_TRUE(control.Create(ViewOptions(), &host, QRect(0, 0, 400, 300), nullptr));
    control.ShowTracks(loader, 1);
    const std::vector<CTrack*>& tracks = control.Object().GetAllTracks();
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(tracks[0]->GetTrackId(), 1);
    EXPECT_EQ(tracks[0]->GetTrackName(), "right-outer");
    EXPECT_EQ(tracks[0]->GetFrameCount(), 7);
    EXPECT_EQ(tracks[1]->GetTrackId(), 2);
    EXPECT_EQ(tracks[1]->GetTrackName(), "left.inner");
    EXPECT_EQ(tracks[1]->GetFrameWidth(), 32);
    EXPECT_EQ(control.Object().GetTotalFrames(), 7);
    EXPECT_TRUE(prompts.Prompts().isEmpty());
}

TEST_F(ChannelTrackLoaderTest, DefectsGoToTheTrackOfTheirChannel)
{
    const QStringList paths = {files.write("a", 4), files.write("b", 4), files.write("c", 4)};
    const QString defects = files.writeDefects("defects.accdb", {FaultOn(1010, 1), FaultOn(1020, 2), FaultOn(1010, 3),
                                                                 FaultOn(1030, 1)});
    ChannelTrackLoader loader;
    QString error;
    ASSERT_TRUE(loader.Open(paths, &error)) << error.toStdString();
    // Track 1 is channel 1020, track 2 channel 1010, track 3 a channel without rows.
    const int channels[] = {1020, 1010, 1040};
    ASSERT_TRUE(loader.LoadFaults(defects, [&](int trackId) { return channels[trackId - 1]; }, &error))
        << error.toStdString();

    ViewerControl control;
    ASSERT_TRUE(control.Create(ViewOptions(), &host, QRect(0, 0, 400, 300), nullptr));
    control.ShowTracks(loader, 1);
    const std::vector<CTrack*>& tracks = control.Object().GetAllTracks();
    ASSERT_EQ(tracks.size(), 3u);
    ASSERT_EQ(tracks[0]->GetFaults().size(), 1u);
    EXPECT_EQ(tracks[0]->GetFaults()[0].FaultImage, 2);
    EXPECT_EQ(tracks[0]->GetFaults()[0].TrackID, 1);
    ASSERT_EQ(tracks[1]->GetFaults().size(), 2u);
    EXPECT_EQ(tracks[1]->GetFaults()[0].FaultImage, 1);
    EXPECT_EQ(tracks[1]->GetFaults()[1].FaultImage, 3);
    EXPECT_EQ(tracks[1]->GetFaults()[1].TrackID, 2);
    EXPECT_EQ(tracks[1]->GetChannelId(), 1010);
    EXPECT_TRUE(tracks[2]->GetFaults().empty());
    EXPECT_TRUE(prompts.Prompts().isEmpty());
}

TEST_F(ChannelTrackLoaderTest, BigFilesItCannotOpenAreNamedAndNothingStaysOpen)
{
    const QString good = files.write("good", 2);
    const QString withoutIndex = files.write("lonely", 2);
    QFile::remove(BigFileMaker::indexPathFor(withoutIndex));
    const QString garbage = files.writeBytes("garbage.bimf", QByteArray(4096, 'x'));
    QFile::copy(BigFileMaker::indexPathFor(good), BigFileMaker::indexPathFor(garbage));
    const QString folder = files.path("");
    const QString missing = files.path("missing.bimf");
    for (const QString& bad : {withoutIndex, garbage, folder, missing}) {
        ChannelTrackLoader loader;
        QString error;
        EXPECT_FALSE(loader.Open({good, bad}, &error)) << bad.toStdString();
        EXPECT_TRUE(error.contains(bad)) << error.toStdString();
        EXPECT_EQ(loader.TrackCount(), 0) << bad.toStdString();
    }
    EXPECT_TRUE(prompts.Prompts().isEmpty());
}

TEST_F(ChannelTrackLoaderTest, DefectFilesItCannotReadAreNamedWithoutAPrompt)
{
    ChannelTrackLoader loader;
    QString error;
    ASSERT_TRUE(loader.Open({files.write("a", 2)}, &error)) << error.toStdString();
    const QString notSqlite = files.writeBytes("text.accdb", "no database here");
    const QString otherDatabase = files.writeDefects("other.accdb", {});
    ASSERT_TRUE(files.execute(otherDatabase, QStringLiteral("DROP TABLE FAULT_DETAIL")));
    for (const QString& bad : {files.path("missing.accdb"), notSqlite, otherDatabase}) {
        EXPECT_FALSE(loader.LoadFaults(bad, [](int id) { return id; }, &error)) << bad.toStdString();
        EXPECT_TRUE(error.contains(bad)) << error.toStdString();
    }
    EXPECT_TRUE(prompts.Prompts().isEmpty());
}
