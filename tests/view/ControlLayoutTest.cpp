// Layout on the control: display order, column positions, centring in the
// client area and the horizontal scroll range, as the window's size changes.
#include "ViewFixture.h"

namespace {

class ControlLayoutTest : public ViewFixture
{
protected:
    // Three channels whose columns are 1000, 1000 and 500 frame pixels wide
    // in the default display order (TrackID descending), frames 400 rows.
    void AddThreeChannels()
    {
        first = AddFakeChannel(1, 30, 500, 400);
        second = AddFakeChannel(2, 30, 1000, 400);
        third = AddFakeChannel(3, 30, 1000, 400);
        control->SetFramesPerScreen(2);
        control->SetZoom(0.5);
        control->EndAddTracks();
    }

    std::vector<int> DisplayOrder() const
    {
        std::vector<int> ids;
        for (CTrack* track : control->GetVisibleTracks())
            ids.push_back(track->GetTrackId());
        return ids;
    }

    CTrack* first = nullptr;
    CTrack* second = nullptr;
    CTrack* third = nullptr;
};

} // namespace

TEST_F(ControlLayoutTest, ColumnsArePlacedAndCentredAsTheClientAllows)
{
    AddThreeChannels();
    // Block: W = 500 + 5 + 500 + 5 + 250 + 40 = 1300, H = 200 × 2 + 50 = 450.
    const struct {
        const char* name;
        int exchange, horzAlign, vertAlign;
        QSize client;
        std::vector<int> order;
        int x1, x2, x3, y;
        bool barShown;
    } cases[] = {
        {"narrow client", 0, 0, 0, {1000, 600}, {3, 2, 1}, 1030, 525, 20, 125, true},
        {"wide client centres", 0, 0, 0, {2000, 600}, {3, 2, 1}, 1380, 875, 370, 125, false},
        {"left aligned", 0, 1, 0, {2000, 600}, {3, 2, 1}, 1030, 525, 20, 125, false},
        {"top aligned", 0, 0, 1, {2000, 600}, {3, 2, 1}, 1380, 875, 370, 50, false},
        {"short client", 0, 0, 0, {2000, 300}, {3, 2, 1}, 1380, 875, 370, 50, false},
        // TrackID ascending: columns of 250, 500 and 500 pixels.
        {"exchanged order", 1, 0, 0, {2000, 600}, {1, 2, 3}, 370, 625, 1130, 125, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        control->SetExchangeLR(c.exchange);
        control->SetHorzAlign(c.horzAlign);
        control->SetVertAlign(c.vertAlign);
        SetClientSize(c.client);
        EXPECT_EQ(DisplayOrder(), c.order);
        EXPECT_EQ(first->GetX(), c.x1);
        EXPECT_EQ(second->GetX(), c.x2);
        EXPECT_EQ(third->GetX(), c.x3);
        for (CTrack* track : {first, second, third})
            EXPECT_EQ(track->GetY(), c.y);
        EXPECT_EQ(HorizontalBar()->isVisible(), c.barShown);
        EXPECT_EQ(control->GetHorzScrollPosition(), 0);
    }
}

TEST_F(ControlLayoutTest, NarrowClientGetsTheBlockAsItsScrollRange)
{
    AddThreeChannels();
    SetClientSize({1000, 600});
    // Range 0 … 1300 with a page of 1000: the last position is 301.
    EXPECT_EQ(HorizontalBar()->minimum(), 0);
    EXPECT_EQ(HorizontalBar()->maximum(), 301);
    EXPECT_EQ(HorizontalBar()->pageStep(), 1000);

    HorizontalBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(control->GetHorzScrollPosition(), 301);
    EXPECT_EQ(control->GetHorzScroll(), -301);

    // A wider client leaves less to scroll: the view comes back with the bar.
    SetClientSize({1200, 600});
    EXPECT_EQ(HorizontalBar()->maximum(), 101);
    EXPECT_EQ(control->GetHorzScrollPosition(), 101);
    // Narrower again: the view stays where it was.
    SetClientSize({1000, 600});
    EXPECT_EQ(control->GetHorzScrollPosition(), 101);
    // Once the block fits there is nothing to scroll.
    SetClientSize({1400, 600});
    EXPECT_EQ(control->GetHorzScrollPosition(), 0);
    EXPECT_FALSE(HorizontalBar()->isVisible());
}

TEST_F(ControlLayoutTest, ScalesZoomAndVisibilityChangeTheColumns)
{
    AddThreeChannels();
    SetClientSize({2000, 600});

    control->SetTrackScale(1, 2.0); // column 1 becomes 500 wide: W = 1550
    EXPECT_EQ(third->GetX(), (2000 - 1550) / 2 + 20);
    EXPECT_EQ(first->GetX(), (2000 - 1550) / 2 + 20 + 1010);

    control->SetTrackVisible(2, 0); // W = 500 + 5 + 500 + 40 = 1045
    EXPECT_EQ(DisplayOrder(), (std::vector<int>{3, 1}));
    EXPECT_EQ(third->GetX(), (2000 - 1045) / 2 + 20);
    EXPECT_EQ(first->GetX(), (2000 - 1045) / 2 + 20 + 505);

    control->SetZoom(1.0); // W = 1000 + 5 + 1000 + 40 = 2045: wider than the client
    EXPECT_EQ(third->GetX(), 20);
    EXPECT_EQ(first->GetX(), 1025);
    EXPECT_EQ(third->GetY(), 50); // H = 400 × 2 + 50 = 850 > 600
    QApplication::processEvents(); // the scroll area shows its bars later
    EXPECT_TRUE(HorizontalBar()->isVisible());
}

TEST_F(ControlLayoutTest, LayoutWaitsForTheVisibleChannels)
{
    control->Layout();
    EXPECT_EQ(HorizontalBar()->maximum(), 100); // as the window was created

    CTrack* track = AddFakeChannel(1, 10, 1000, 400);
    control->SetZoom(0.5);
    control->Layout();
    EXPECT_EQ(track->GetX(), 0);
    EXPECT_EQ(track->GetY(), 0);
    control->EndAddTracks();
    EXPECT_GT(track->GetX(), 0);
}
