// What the snapshot and the benchmarks wait for: every frame row on screen
// loaded by the loader threads. A reader held shut keeps the loaders from
// finishing, so "not yet" is seen for sure; rows past a channel's end and
// hidden channels are never waited for.

#include "CTrackImageDrawObject.h"
#include "ILumetraDrawControlCore.h"
#include "ITrackInterface.h"
#include "GatedFrameReader.h"
#include "ViewerControl.h"
#include "VisibleFrames.h"

#include <QElapsedTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace
{
class VisibleFramesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ViewOptions options;
        options.threadLoad = true;
        options.framesPerScreen = 3;
        ASSERT_TRUE(control->Create(options, &host, QRect(0, 0, 600, 400), nullptr));
        // Channel 1 is shorter than a screen: its third row has no frame.
        add(1, shortReader);
        add(2, longReader);
        control->Core().EndAddTracks();
    }

    void TearDown() override
    {
        // The loaders are joined when the control goes; they must not wait then.
        shortReader.Open();
        longReader.Open();
        control.reset();
    }

    void add(int trackId, GatedFrameReader& reader)
    {
        ITrackInterface* track = nullptr;
        control->Core().NewTrack(&track);
        ASSERT_NE(track, nullptr);
        track->SetReader(&reader);
        track->SetTrackInfo(trackId, QStringLiteral("channel %1").arg(trackId));
        control->Core().AddTrack(track);
    }

    CTrackImageDrawObject& object() { return control->Object(); }

    QWidget host;
    GatedFrameReader shortReader{2, 64, 48};
    GatedFrameReader longReader{10, 64, 48};
    std::unique_ptr<ViewerControl> control = std::make_unique<ViewerControl>();
};
}

TEST_F(VisibleFramesTest, WaitsForTheLoadersAndGivesUpAtTheTimeLimit)
{
    EXPECT_FALSE(VisibleFrames::AllLoaded(object()));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(VisibleFrames::WaitUntilLoaded(object(), 100));
    EXPECT_GE(clock.elapsed(), 100);

    shortReader.Open();
    longReader.Open();
    EXPECT_TRUE(VisibleFrames::WaitUntilLoaded(object(), 10000));
    EXPECT_TRUE(VisibleFrames::AllLoaded(object()));
}

TEST_F(VisibleFramesTest, OneShutChannelKeepsTheScreenUnloadedUntilItIsHidden)
{
    longReader.Open();
    EXPECT_FALSE(VisibleFrames::WaitUntilLoaded(object(), 200)) << "channel 1 still waits at its gate";
    control->Core().SetTrackVisible(1, 0);
    EXPECT_TRUE(VisibleFrames::WaitUntilLoaded(object(), 10000));
}

TEST_F(VisibleFramesTest, FramesPastTheEndOfAChannelAreNotWaitedFor)
{
    shortReader.Open();
    longReader.Open();
    // Image 9 shows 9, 10 of channel 2 and nothing of channel 1 (2 frames).
    control->Core().GoToImage(9, 1);
    EXPECT_TRUE(VisibleFrames::WaitUntilLoaded(object(), 10000));
}
