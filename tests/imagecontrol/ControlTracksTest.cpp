// Track bookkeeping of the control: adding, the reference track, the visible
// list, removing everything, going to an image and the defect selection.
#include "AddReaderChannel.h"
#include "CTrack.h"
#include "CTrackImageDrawObject.h"
#include "FakeFrameReader.h"
#include "RecordingNotify.h"
#include "WarningCapture.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QWidget>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ControlTracksTest : public ::testing::Test
{
protected:
    void SetUp() override { control->SetNotify(&notify); }

    // Fills a new track the way the task loader does and adds it.
    CTrack* AddChannel(int trackId, int frames, int width = 640, int height = 480)
    {
        return AddReaderChannel(*control, trackId, QStringLiteral("通道%1").arg(trackId),
                                readers.emplace_back(frames, width, height));
    }

    std::vector<int> VisibleIds() const
    {
        std::vector<int> ids;
        for (CTrack* track : control->GetVisibleTracks())
            ids.push_back(track->GetTrackId());
        return ids;
    }

    std::deque<FakeFrameReader> readers;
    RecordingNotify notify;
    std::unique_ptr<CTrackImageDrawObject> control = std::make_unique<CTrackImageDrawObject>();
};

_FAULT_ MakeFault(int faultId)
{
    _FAULT_ fault;
    fault.FaultID = faultId;
    fault.FaultImage = 3;
    fault.FaultState = FaultStateValid;
    return fault;
}

} // namespace

TEST_F(ControlTracksTest, GetTracksAnswersOneWhenEmptyAndCopiesInAddingOrder)
{
    std::vector<ITrackInterface*> out{nullptr};
    EXPECT_EQ(control->GetTracks(out), 1);
    EXPECT_TRUE(out.empty());

    CTrack* first = AddChannel(5, 10);
    CTrack* second = AddChannel(2, 10);
    EXPECT_EQ(control->GetTracks(out), 0);
    EXPECT_EQ(out, (std::vector<ITrackInterface*>{first, second}));
}

TEST_F(ControlTracksTest, AddTrackOpensTheTrackForThisControl)
{
    CTrack* track = AddChannel(1, 40, 1024, 2000);
    EXPECT_EQ(track->GetOwner(), static_cast<IImageWnd*>(control.get()));
    EXPECT_EQ(track->GetFrameWidth(), 1024);
    EXPECT_EQ(track->GetFrameHeight(), 2000);
    EXPECT_EQ(track->GetCurrentFrame(), 1);
}

TEST_F(ControlTracksTest, ReferenceTrackChangesOnlyForStrictlyMoreFrames)
{
    CTrack* first = AddChannel(1, 300);
    AddChannel(2, 300);
    EXPECT_EQ(control->GetReferenceTrack(), first);
    EXPECT_EQ(control->GetMaxFrames(), 300);

    CTrack* longest = AddChannel(3, 301);
    AddChannel(4, 120);
    EXPECT_EQ(control->GetReferenceTrack(), longest);
    EXPECT_EQ(control->GetMaxFrames(), 301);
}

TEST_F(ControlTracksTest, BadTracksAreRefusedWithAWarning)
{
    WarningCapture warnings;
    control->AddTrack(nullptr);
    control->NewTrack(nullptr);
    CTrack* track = AddChannel(1, 10);
    control->AddTrack(track);
    EXPECT_EQ(control->GetAllTracks().size(), 1u);
    EXPECT_EQ(warnings.messages().size(), 3);
}

TEST_F(ControlTracksTest, EndAddTracksNeedsAReferenceTrack)
{
    control->EndAddTracks();
    EXPECT_TRUE(control->GetVisibleTracks().empty());
    EXPECT_TRUE(notify.imageChanges.empty());
}

TEST_F(ControlTracksTest, EndAddTracksShowsAllTracksFromImageOne)
{
    AddChannel(3, 200);
    AddChannel(1, 250);
    AddChannel(2, 180);
    control->EndAddTracks();

    // Shown by TrackID, highest first.
    EXPECT_EQ(VisibleIds(), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(control->GetTotalFrames(), 250);
    EXPECT_EQ(control->GetCurrentImage(), 1);
    EXPECT_EQ(control->GetCurrentOffset(), 0);
}

TEST_F(ControlTracksTest, OnlyVisibleFlagOneShowsAChannel)
{
    AddChannel(1, 20);
    AddChannel(2, 20);
    AddChannel(3, 20);
    control->EndAddTracks();

    control->SetTrackVisible(2, 2);
    EXPECT_EQ(VisibleIds(), (std::vector<int>{3, 1}));
    control->SetTrackVisible(1, 0);
    EXPECT_EQ(VisibleIds(), (std::vector<int>{3}));
    control->SetTrackVisible(2, 1);
    control->SetTrackVisible(1, 1);
    EXPECT_EQ(VisibleIds(), (std::vector<int>{3, 2, 1}));
    control->SetTrackVisible(99, 0);
    EXPECT_EQ(VisibleIds(), (std::vector<int>{3, 2, 1}));
}

TEST_F(ControlTracksTest, RemoveAllOnAnEmptyControlStillReports)
{
    control->RemoveAll();
    EXPECT_EQ(notify.imageChanges, (std::vector<std::pair<unsigned, int>>{{1u, 0}}));
}

TEST_F(ControlTracksTest, RemoveAllReleasesTracksKeepsReadersAndResetsTheView)
{
    FakeFrameReader::destructions = 0;
    AddChannel(1, 100);
    AddChannel(2, 100);
    control->EndAddTracks();
    control->GoToImage(40, 1);
    control->GoToFault(1, 5);
    const QRect box(1, 2, 3, 4);
    control->SetSelectionBox(&box);
    control->SetRulerText(1, QStringLiteral("x"));
    notify.imageChanges.clear();

    control->RemoveAll();
    EXPECT_EQ(FakeFrameReader::destructions, 0);
    EXPECT_EQ(readers.front().GetFrameCount(), 100);
    EXPECT_TRUE(control->GetAllTracks().empty());
    EXPECT_TRUE(control->GetVisibleTracks().empty());
    EXPECT_EQ(control->GetReferenceTrack(), nullptr);
    EXPECT_EQ(control->GetMaxFrames(), -1);
    EXPECT_EQ(control->GetTotalFrames(), 0);
    EXPECT_EQ(control->GetCurrentImage(), 1);
    EXPECT_EQ(control->GetSelectedFaultId(), 0);
    EXPECT_EQ(control->IsSelectionBoxShown(), 0);
    EXPECT_EQ(control->GetRulerState(), 0);
    EXPECT_TRUE(control->GetRulerText().isEmpty());
    EXPECT_EQ(control->GetFirstTrackTop(), 0);
    EXPECT_EQ(notify.imageChanges, (std::vector<std::pair<unsigned, int>>{{1u, 0}}));

    // A new task can be loaded afterwards.
    AddChannel(7, 12);
    control->EndAddTracks();
    EXPECT_EQ(control->GetTotalFrames(), 12);
}

TEST_F(ControlTracksTest, GoToImageClampsToTheFramesOfTheReferenceTrack)
{
    const struct { int frames; int requested; int shown; } cases[] = {
        {500, 600, 500}, {500, -3, 1}, {500, 250, 250}, {500, 0, 1}, {1, 7, 1}, {0, 3, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frames << " frames, image " << c.requested);
        control->RemoveAll();
        AddChannel(1, c.frames);
        CTrack* other = AddChannel(2, c.frames);
        control->EndAddTracks();
        notify.imageChanges.clear();

        control->GoToImage(c.requested, 0);
        EXPECT_EQ(control->GetCurrentImage(), c.shown);
        EXPECT_EQ(other->GetCurrentFrame(), c.shown);
        if (c.requested != 1) {
            ASSERT_EQ(notify.imageChanges.size(), 1u);
            EXPECT_EQ(notify.imageChanges[0], (std::pair<unsigned, int>{unsigned(c.shown), 0}));
        }
    }
}

TEST_F(ControlTracksTest, GoToImageDoesNothingWithoutTracks)
{
    control->GoToImage(5, 1);
    EXPECT_EQ(control->GetCurrentImage(), 1);
    EXPECT_TRUE(notify.imageChanges.empty());
}

TEST_F(ControlTracksTest, FindTrackAnswersTheFirstInAddingOrder)
{
    CTrack* first = AddChannel(4, 10);
    AddChannel(4, 10);
    EXPECT_EQ(control->FindTrack(4), first);
    EXPECT_EQ(control->FindTrack(5), nullptr);

    first->SetPosition(25, 70);
    EXPECT_EQ(control->GetFirstTrackTop(), 70);
}

TEST_F(ControlTracksTest, GoToFaultSelectsEvenWhenTheDefectIsUnknown)
{
    CTrack* track = AddChannel(1, 10);
    track->SetFaults({MakeFault(11)});
    control->EndAddTracks();

    EXPECT_EQ(control->GoToFault(1, 11), 1);
    EXPECT_EQ(control->GetSelectedFaultId(), 11);
    EXPECT_EQ(control->GoToFault(1, 12), 0);
    EXPECT_EQ(control->GetSelectedFaultId(), 12);
    EXPECT_EQ(control->GoToFault(9, 13), 0);
    EXPECT_EQ(control->GetSelectedFaultId(), 13);
}

TEST_F(ControlTracksTest, RemoveFaultRemovesFromTheFirstTrackAndClearsTheSelection)
{
    CTrack* first = AddChannel(1, 10);
    CTrack* second = AddChannel(1, 10);
    first->SetFaults({MakeFault(11), MakeFault(12)});
    second->SetFaults({MakeFault(11)});
    control->GoToFault(1, 11);

    EXPECT_EQ(control->RemoveFault(1, 11), 1);
    EXPECT_EQ(control->GetSelectedFaultId(), -1);
    EXPECT_EQ(first->FindFault(11), nullptr);
    EXPECT_NE(second->FindFault(11), nullptr);

    control->GoToFault(1, 12);
    EXPECT_EQ(control->RemoveFault(1, 99), 0);
    EXPECT_EQ(control->RemoveFault(9, 12), 0);
    EXPECT_EQ(control->GetSelectedFaultId(), -1);
    EXPECT_EQ(first->GetFaults().size(), 1u);
}

TEST_F(ControlTracksTest, UpdateFaultChangesTheDefectOfTheFirstTrackOnly)
{
    CTrack* first = AddChannel(1, 10);
    CTrack* second = AddChannel(1, 10);
    first->SetFaults({MakeFault(11)});
    second->SetFaults({MakeFault(11)});

    _FAULT_ change = MakeFault(11);
    change.FaultState = FaultStatePending;
    control->UpdateFault(1, change);
    EXPECT_EQ(first->FindFault(11)->FaultState, FaultStatePending);
    EXPECT_EQ(second->FindFault(11)->FaultState, FaultStateValid);

    control->UpdateFault(9, change);
    change.FaultID = 50;
    control->UpdateFault(1, change);
    EXPECT_EQ(first->GetFaults().size(), 1u);
}

TEST_F(ControlTracksTest, ScrollBarFollowsTheFramesOnceThereIsAWindow)
{
    QWidget parent;
    ASSERT_EQ(control->Create(QRect(0, 0, 400, 300), &parent, 106, nullptr), 1);
    auto* window = qobject_cast<QAbstractScrollArea*>(control->GetWindowHandle());
    ASSERT_NE(window, nullptr);
    QScrollBar* bar = window->verticalScrollBar();

    AddChannel(1, 500);
    control->EndAddTracks();
    // The range 1 … 510 includes the page of 10, so the last position is 501.
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 501);
    EXPECT_EQ(bar->pageStep(), 10);

    control->GoToImage(120, 1);
    EXPECT_EQ(bar->value(), 120);
    control->GoToImage(130, 0);
    EXPECT_EQ(bar->value(), 120);

    control->RemoveAll();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
}
