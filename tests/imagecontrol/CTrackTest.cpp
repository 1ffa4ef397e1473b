// The channel track: opening from its reader, its defect list, closing and
// releasing without freeing the lent reader.
#include "CTrack.h"
#include "FakeFrameReader.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

_FAULT_ MakeFault(int faultId, int state = FaultStateValid)
{
    _FAULT_ fault;
    fault.FaultID = faultId;
    fault.FaultStandardID = 3;
    fault.FaultImage = 12;
    fault.FaultX = 10;
    fault.FaultY = 20;
    fault.FaultCx = 30;
    fault.FaultCy = 40;
    fault.FaultState = state;
    fault.TrackID = 7;
    fault.FaultChannelID = 2;
    return fault;
}

struct TrackDeleter
{
    void operator()(CTrack* track) const { track->Release(); }
};
using TrackPtr = std::unique_ptr<CTrack, TrackDeleter>;

} // namespace

TEST(CTrackTest, OpensOnlyWithAReaderThatHasAFrameSize)
{
    TrackPtr track(new CTrack);
    EXPECT_EQ(track->OpenTrack(), 0);
    EXPECT_EQ(track->GetFrameWidth(), 0);
    EXPECT_EQ(track->GetFrameCount(), 0);

    FakeFrameReader sizeless(10, 0, 480);
    track->SetReader(&sizeless);
    EXPECT_EQ(track->OpenTrack(), 0);
    EXPECT_EQ(track->GetFrameWidth(), 0);

    // Without a rendering engine the track opens its cache all the same but
    // answers 0, as it has nothing to draw with.
    FakeFrameReader reader(250, 1024, 768);
    track->SetReader(&reader);
    EXPECT_EQ(track->OpenTrack(), 0);
    EXPECT_EQ(track->GetFrameWidth(), 1024);
    EXPECT_EQ(track->GetFrameHeight(), 768);
    EXPECT_EQ(track->GetFrameCount(), 250);
}

TEST(CTrackTest, CloseTrackForgetsFrameSizeAndCurrentFrame)
{
    FakeFrameReader reader(50, 640, 480);
    TrackPtr track(new CTrack);
    track->SetReader(&reader);
    track->OpenTrack();
    ASSERT_EQ(track->GetFrameWidth(), 640);
    track->SetCurrentFrame(17);

    track->CloseTrack();
    EXPECT_EQ(track->GetFrameWidth(), 0);
    EXPECT_EQ(track->GetFrameHeight(), 0);
    EXPECT_EQ(track->GetCurrentFrame(), 1);
    EXPECT_TRUE(track->HasReader());
}

TEST(CTrackTest, IdentityComesFromInfoAndDefinition)
{
    TrackPtr track(new CTrack);
    _TRACK_DEFINE_STRUCT_ define;
    define.TrackID = 4;
    define.Track_ChannelID = 9;
    track->SetTrackInfo(4, QStringLiteral("左轨内侧"));
    track->SetTrackDefine(define);
    track->SetTag(77);
    track->SetFastenSize(120, 90);

    EXPECT_EQ(track->GetTrackId(), 4);
    EXPECT_EQ(track->GetTrackName(), QStringLiteral("左轨内侧"));
    EXPECT_EQ(track->GetChannelId(), 9);
    EXPECT_EQ(track->GetTag(), 77);
    EXPECT_EQ(track->GetFastenCx(), 120);
    EXPECT_EQ(track->GetFastenCy(), 90);
    EXPECT_EQ(track->GetVisible(), 1);
}

TEST(CTrackTest, DefectListFindsAndRemovesTheFirstMatch)
{
    TrackPtr track(new CTrack);
    track->SetFaults({MakeFault(5), MakeFault(6), MakeFault(5, FaultStatePending)});
    track->AppendFault(MakeFault(8));
    ASSERT_EQ(track->GetFaults().size(), 4u);

    ASSERT_NE(track->FindFault(5), nullptr);
    EXPECT_EQ(track->FindFault(5)->FaultState, FaultStateValid);
    EXPECT_EQ(track->FindFault(99), nullptr);

    EXPECT_FALSE(track->RemoveFault(99));
    EXPECT_EQ(track->GetFaults().size(), 4u);

    EXPECT_TRUE(track->RemoveFault(5));
    ASSERT_EQ(track->GetFaults().size(), 3u);
    EXPECT_EQ(track->GetFaults()[0].FaultID, 6);
    EXPECT_EQ(track->FindFault(5)->FaultState, FaultStatePending);

    EXPECT_EQ(track->ClearFaults(), 1);
    EXPECT_TRUE(track->GetFaults().empty());
}

TEST(CTrackTest, UpdateFaultCopiesUpToStateAndKeepsChannelFields)
{
    TrackPtr track(new CTrack);
    _FAULT_ stored = MakeFault(5);
    stored.Extra = 1;
    track->SetFaults({stored});

    _FAULT_ change = MakeFault(5, FaultStateInvalid);
    change.Tag = 3;
    change.FaultStandardID = 11;
    change.FaultImage = 13;
    change.FaultKM = 101;
    change.FaultM = 250;
    change.FaultX = 1;
    change.FaultY = 2;
    change.FaultCx = 3;
    change.FaultCy = 4;
    change.TrackID = 99;
    change.FaultChannelID = 98;
    change.Extra = 0;
    EXPECT_TRUE(track->UpdateFault(change));

    const _FAULT_& result = track->GetFaults().front();
    EXPECT_EQ(result.Tag, 3);
    EXPECT_EQ(result.FaultStandardID, 11);
    EXPECT_EQ(result.FaultImage, 13);
    EXPECT_EQ(result.FaultKM, 101);
    EXPECT_EQ(result.FaultM, 250);
    EXPECT_EQ(result.FaultX, 1);
    EXPECT_EQ(result.FaultY, 2);
    EXPECT_EQ(result.FaultCx, 3);
    EXPECT_EQ(result.FaultCy, 4);
    EXPECT_EQ(result.FaultState, FaultStateInvalid);
    EXPECT_EQ(result.TrackID, 7);
    EXPECT_EQ(result.FaultChannelID, 2);
    EXPECT_EQ(result.Extra, 1);

    change.FaultID = 6;
    EXPECT_FALSE(track->UpdateFault(change));
}

TEST(CTrackTest, ReleaseLeavesTheReaderAlive)
{
    FakeFrameReader::destructions = 0;
    FakeFrameReader reader(30, 640, 480);
    auto* track = new CTrack;
    track->SetReader(&reader);
    track->SetFaults({MakeFault(1)});
    track->OpenTrack();
    ASSERT_EQ(track->GetFrameWidth(), 640);

    track->Release();
    EXPECT_EQ(FakeFrameReader::destructions, 0);
    EXPECT_EQ(reader.GetFrameCount(), 30);
}
