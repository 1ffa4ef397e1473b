// The ring of cached frames: how it turns with the current frame, and that
// every window position finds a slot of its own for any frames per screen.
#include "FakeFrameReader.h"
#include "JpegFrameReader.h"
#include "TrackTestSupport.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

struct RingMove
{
    int FramesPerScreen;
    std::vector<int> Frames;      // SetCurrentFrame in turn, from frame 1
    std::vector<int> RingStarts;  // RingStart after each
};

class TrackRingMoveTest : public testing::TestWithParam<RingMove> {};

} // namespace

TEST_P(TrackRingMoveTest, RingStartTurnsByTheTruncatingRemainder)
{
    const RingMove& move = GetParam();
    FakeFrameReader reader(100, 16, 8);
    StubImageWnd owner(move.FramesPerScreen, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    ASSERT_EQ(track->GetRingStart(), 0);
    for (size_t step = 0; step < move.Frames.size(); ++step) {
        track->SetCurrentFrame(move.Frames[step]);
        EXPECT_EQ(track->GetRingStart(), move.RingStarts[step]) << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Moves, TrackRingMoveTest,
                         testing::Values(RingMove{2, {25, 1}, {4, 0}},
                                         RingMove{2, {8, 3}, {7, 2}},
                                         RingMove{2, {-3}, {6}},
                                         RingMove{6, {11, 12}, {0, 1}},
                                         RingMove{8, {25, 4, 1}, {0, 3, 0}},
                                         RingMove{8, {-3}, {8}}));

TEST(TrackRingTest, RingHasRoomForTheWholeWindow)
{
    const struct
    {
        int FramesPerScreen;
        int RingSize;
    } cases[] = {{-5, 10}, {0, 10}, {1, 10}, {6, 10}, {7, 11}, {8, 12}};
    for (const auto& c : cases) {
        FakeFrameReader reader(100, 16, 8);
        StubImageWnd owner(c.FramesPerScreen, 0);
        TrackPtr track = OpenedTrack(reader, owner);
        EXPECT_EQ(track->GetRingSize(), c.RingSize) << "F = " << c.FramesPerScreen;
    }
}

TEST(TrackRingTest, EightFramesPerScreenKeepEveryWindowFrameInItsOwnSlot)
{
    JpegFrameReader reader(60, 16, 8);
    StubImageWnd owner(8, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    for (int frame : {1, 37, 30, 41}) {
        track->SetCurrentFrame(frame);
        std::set<CFrameSlot*> distinct;
        for (int i = -2; i <= 9; ++i) {
            distinct.insert(&track->SlotAt(i));
            const SlotState state = ReadSlot(*track, i);
            EXPECT_EQ(state.FrameNo, frame + i) << "frame " << frame << " index " << i;
            EXPECT_EQ(state.Valid, frame + i >= 1 ? 1 : 0) << "frame " << frame << " index " << i;
        }
        EXPECT_EQ(distinct.size(), 12u) << "frame " << frame;
    }
}

TEST(TrackRingTest, MoreFramesPerScreenRebuildTheRingAroundTheCurrentFrame)
{
    JpegFrameReader reader(60, 16, 8);
    StubImageWnd owner(2, 0);
    TrackPtr track = OpenedTrack(reader, owner);
    track->SetCurrentFrame(20);
    ASSERT_EQ(track->GetRingSize(), 10);

    owner.SetFramesPerScreen(8);
    track->RefreshFrames();
    EXPECT_EQ(track->GetRingSize(), 12);
    EXPECT_EQ(track->GetRingStart(), 0);
    EXPECT_TRUE(WindowLoaded(*track, 8, 60));

    // Fewer frames per screen keep the bigger ring.
    owner.SetFramesPerScreen(3);
    track->SetCurrentFrame(21);
    EXPECT_EQ(track->GetRingSize(), 12);
    EXPECT_TRUE(WindowLoaded(*track, 3, 60));
}

TEST(TrackRingTest, ClosedTrackAnswersAnEmptySlot)
{
    TrackPtr track(new CTrack);
    EXPECT_EQ(track->GetRingSize(), 0);
    EXPECT_EQ(ReadSlot(*track, 3).Valid, 0);
    EXPECT_EQ(track->GetCurrentKm(), 0);
    track->SetCurrentFrame(9);
    EXPECT_EQ(track->GetCurrentFrame(), 9);
    EXPECT_EQ(track->GetRingStart(), 0);
}
