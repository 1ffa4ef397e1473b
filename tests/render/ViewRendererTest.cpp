// What the control draws with its engine: frames where the layout puts them,
// placeholders and dividers, the rows an offset brings in, the headers, the
// defect outlines and marks, and the texts of the status line.
#include "RenderFixture.h"

#include "CTrackResources.h"
#include "GatedFrameReader.h"

#include <limits>

namespace {

constexpr int FrameWidth = 120;
constexpr int FrameHeight = 100;
constexpr int TopBandRows = 20;
constexpr int TopBandLevel = 15;

// Frames with a dark band along their top, so a picture upside down shows.
uint8_t BandedFrame(int frame, int, int y)
{
    return y < TopBandRows ? TopBandLevel : JpegFrameReader::FlatLevel(frame);
}

uint8_t OtherChannelLevel(int frame)
{
    return static_cast<uint8_t>(250 - JpegFrameReader::FlatLevel(frame));
}

_FAULT_ MakeFault(int faultId, int image, QRect box, int state)
{
    _FAULT_ fault;
    fault.FaultID = faultId;
    fault.FaultStandardID = 1;
    fault.FaultImage = image;
    fault.FaultX = box.x();
    fault.FaultY = box.y();
    fault.FaultCx = box.width();
    fault.FaultCy = box.height();
    fault.FaultState = state;
    return fault;
}

// Columns of the image where two pictures differ inside `area`.
int RightmostDifference(const QImage& a, const QImage& b, const QRect& area)
{
    int rightmost = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                rightmost = std::max(rightmost, x);
    return rightmost;
}

// The rightmost column with dark ink inside `area`, -1 without any.
int RightmostInk(const QImage& image, const QRect& area)
{
    int rightmost = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                rightmost = std::max(rightmost, x);
    return rightmost;
}

class ViewRendererTest : public RenderFixture
{
protected:
    CTrack* AddBandedChannel(int trackId = 1, int frames = 10)
    {
        return AddChannel(trackId, QStringLiteral("A"), frames, FrameWidth, FrameHeight, BandedFrame);
    }
};

} // namespace

TEST_F(ViewRendererTest, FramesAppearInTheirColumnsAndRowsTopUp)
{
    control->SetTrackScale(2, 0.5);
    CTrack* left = AddBandedChannel(1);
    CTrack* right = AddChannel(2, QStringLiteral("B"), 10, FrameWidth, FrameHeight,
                               [](int frame, int, int) { return OtherChannelLevel(frame); });
    control->EndAddTracks();
    const auto reads = [this] { return readers[0].TotalReads() + readers[1].TotalReads(); };

    for (int image : {1, 5}) {
        control->GoToImage(image, 1);
        const int readsAtImage = reads();
        // Frames stored at one zoom are rebuilt for the next from their
        // decoded rows: full size, smaller, smaller again.
        for (double zoom : {1.0, 0.45, 0.8}) {
            control->SetZoom(zoom);
            const QImage shot = Grab();
            EXPECT_EQ(reads(), readsAtImage) << "zoom " << zoom << " read frames again";
            for (int frame = image; frame < image + FramesPerScreen; ++frame) {
                SCOPED_TRACE(testing::Message() << "zoom " << zoom << " frame " << frame);
                EXPECT_TRUE(PixelIs(shot, InFrame(*left, frame, FrameWidth / 2, 60),
                                    Grey(JpegFrameReader::FlatLevel(frame))));
                EXPECT_TRUE(PixelIs(shot, InFrame(*left, frame, FrameWidth / 2, 5), Grey(TopBandLevel)));
                EXPECT_TRUE(PixelIs(shot, InFrame(*right, frame, FrameWidth / 2, 50), Grey(OtherChannelLevel(frame))));
                // Each column ends where its width (frame width x zoom x scale) says.
                for (CTrack* track : {left, right}) {
                    const int y = RowTop(*track, frame) + RowHeight(*track) / 2;
                    EXPECT_FALSE(IsNear(shot.pixel(ColumnX(*track) + ColumnWidth(*track) - 3, y), White));
                    EXPECT_TRUE(PixelIs(shot, {ColumnX(*track) + ColumnWidth(*track) + 2, y}, White));
                }
            }
        }
    }
}

TEST_F(ViewRendererTest, ABrokenFrameShowsThePlaceholderOnlyWithBlueBox)
{
    JpegFrameReader& reader = readers.emplace_back(10, FrameWidth, FrameHeight, BandedFrame);
    reader.BreakFrame(2);
    CTrack* track = AddChannel(1, QStringLiteral("A"), reader);
    control->EndAddTracks();

    for (int blueBox : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "BlueBox " << blueBox);
        control->SetBlueBox(blueBox);
        const QImage shot = Grab();
        const bool expected = blueBox == 1;
        EXPECT_EQ(HasColorNear(shot, InFrame(*track, 2, FrameWidth / 2, 0), CTrackResources::PlaceholderColor), expected);
        EXPECT_EQ(HasColorNear(shot, InFrame(*track, 2, 0, FrameHeight / 2), CTrackResources::PlaceholderColor), expected);
        EXPECT_TRUE(PixelIs(shot, InFrame(*track, 2, FrameWidth / 2, FrameHeight / 2), White));
        EXPECT_TRUE(PixelIs(shot, InFrame(*track, 1, FrameWidth / 2, 60), Grey(JpegFrameReader::FlatLevel(1))));
    }
}

TEST_F(ViewRendererTest, DividerIsATickOrAFullLineAtEachRowTop)
{
    CTrack* track = AddBandedChannel();
    control->EndAddTracks();

    struct Case { int divLine; int divFull; bool tick; bool fullLine; };
    for (const Case& c : {Case{0, 0, false, false}, Case{1, 0, true, false}, Case{1, 1, true, true},
                          Case{0, 1, false, false}}) {
        SCOPED_TRACE(testing::Message() << "DivLine " << c.divLine << " DivFull " << c.divFull);
        control->SetDivLine(c.divLine);
        control->SetDivFull(c.divFull);
        const QImage shot = Grab();
        const int rowTop = RowTop(*track, 2);
        // The tick starts 3 pixels left of the column and is 4 long.
        EXPECT_EQ(HasColorNear(shot, {ColumnX(*track) - 2, rowTop}, CTrackResources::DividerColor, 1), c.tick);
        EXPECT_EQ(HasColorNear(shot, {ColumnX(*track) + FrameWidth / 2, rowTop}, CTrackResources::DividerColor, 1),
                  c.fullLine);
    }
}

TEST_F(ViewRendererTest, AnOffsetBringsInOneMoreRowAndTheColumnClipsIt)
{
    CTrack* track = AddBandedChannel(1, 20);
    track->SetFaults({MakeFault(5, 6, QRect(10, 30, 20, 20), 1)});
    control->EndAddTracks();
    control->GoToImage(5, 1);
    ASSERT_EQ(control->GetCurrentOffset(), 0);
    const int belowLastRow = track->GetY() + FramesPerScreen * RowHeight(*track);
    const int middle = ColumnX(*track) + FrameWidth / 2;

    QImage shot = Grab();
    EXPECT_TRUE(PixelIs(shot, {middle, belowLastRow}, White));

    // Centring on the defect scrolls part of a frame out at the top.
    control->GoToFault(1, 5);
    const int offset = control->GetCurrentOffset();
    ASSERT_GT(offset, 0);
    const int image = control->GetCurrentImage();
    shot = Grab();
    EXPECT_TRUE(PixelIs(shot, {middle, belowLastRow}, Grey(JpegFrameReader::FlatLevel(image + FramesPerScreen))));
    EXPECT_TRUE(PixelIs(shot, {middle, track->GetY() + 1}, Grey(JpegFrameReader::FlatLevel(image))));
    // Nothing of the first frame shows above the column.
    EXPECT_TRUE(PixelIs(shot, {middle, track->GetY() - 3}, White));
}

TEST_F(ViewRendererTest, AFlippedChannelsHeaderReadsOnAfterItsName)
{
    CTrack* track = AddBandedChannel();
    control->EndAddTracks();
    // The header's glyphs, below the reach of the status line's descenders.
    const QRect header(ColumnX(*track), track->GetY() - 12, 200, 11);

    const QImage plain = Grab();
    track->ToggleFlip();
    const QImage flipped = Grab();

    const int nameEnd = RightmostInk(plain, header);
    ASSERT_GT(nameEnd, header.left());
    // " [翻转]" is several glyphs wide beyond the name.
    EXPECT_GT(RightmostDifference(plain, flipped, header), nameEnd + 30);
    EXPECT_EQ(RightmostInk(flipped, header), RightmostDifference(plain, flipped, header));
}

TEST_F(ViewRendererTest, DefectOutlinesTakeTheirStateColourUntilSelected)
{
    CTrack* track = AddBandedChannel();
    struct Case { int faultId; int state; uint32_t color; };
    const Case cases[] = {{11, 0, CTrackResources::InvalidColor}, {12, 1, CTrackResources::ValidColor},
                          {13, 2, CTrackResources::PendingColor}, {14, 7, CTrackResources::PendingColor}};
    std::vector<_FAULT_> faults;
    for (const Case& c : cases)
        faults.push_back(MakeFault(c.faultId, 1, QRect(10 + 25 * int(faults.size()), 30, 20, 40), c.state));
    track->SetFaults(faults);
    control->EndAddTracks();

    auto topEdgeOf = [&](const _FAULT_& fault) {
        return InFrame(*track, fault.FaultImage, fault.FaultX + fault.FaultCx / 2, fault.FaultY);
    };
    const QImage shot = Grab();
    for (size_t i = 0; i < faults.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "state " << cases[i].state);
        EXPECT_TRUE(HasColorNear(shot, topEdgeOf(faults[i]), cases[i].color));
    }

    control->GoToFault(1, 13);
    const QImage selected = Grab();
    EXPECT_TRUE(HasColorNear(selected, topEdgeOf(faults[2]), CTrackResources::SelectedColor));
    EXPECT_FALSE(HasColorNear(selected, topEdgeOf(faults[2]), CTrackResources::PendingColor));
    EXPECT_TRUE(HasColorNear(selected, topEdgeOf(faults[1]), CTrackResources::ValidColor));
}

TEST_F(ViewRendererTest, HiddenDefectTypesAreNotDrawn)
{
    CTrack* track = AddBandedChannel();
    _FAULT_ fault = MakeFault(21, 1, QRect(20, 30, 40, 40), 1);
    fault.FaultStandardID = 4;
    track->SetFaults({fault});
    control->EndAddTracks();
    const QPoint topEdge = InFrame(*track, 1, 40, 30);

    control->SetFaultTypeFilter({3});
    EXPECT_FALSE(HasColorNear(Grab(), topEdge, CTrackResources::ValidColor));
    control->SetFaultTypeFilter({3, 4});
    EXPECT_TRUE(HasColorNear(Grab(), topEdge, CTrackResources::ValidColor));
}

// A damaged record's size must not wrap the box round to the left.
TEST_F(ViewRendererTest, ADefectWiderThanAnyNumberStillStartsAtItsCorner)
{
    CTrack* track = AddBandedChannel();
    _FAULT_ fault = MakeFault(22, 1, QRect(20, 30, 40, 40), 1);
    fault.FaultCx = std::numeric_limits<int>::max();
    track->SetFaults({fault});
    control->EndAddTracks();

    const QImage shot = Grab();
    EXPECT_TRUE(HasColorNear(shot, InFrame(*track, 1, 40, 30), CTrackResources::ValidColor));
    EXPECT_FALSE(HasColorNear(shot, InFrame(*track, 1, 10, 30), CTrackResources::ValidColor));
}

TEST_F(ViewRendererTest, DefectMarksAreTheLockWhenReadOnlyElseTheStateSquareWithDropBox)
{
    CTrack* track = AddBandedChannel();
    track->SetFaults({MakeFault(31, 1, QRect(20, 30, 40, 40), 2)});
    control->EndAddTracks();
    // Inside the square (7 x 7 at the box's corner) and on the padlock's
    // shackle bar (row 3 of 9, one pixel in from the corner).
    const QPoint mark = InFrame(*track, 1, 20, 30) + QPoint(4, 4);

    struct Case { int readOnly; int dropBox; uint32_t color; };
    for (const Case& c : {Case{0, 0, Grey(JpegFrameReader::FlatLevel(1))}, Case{0, 1, CTrackResources::PendingColor},
                          Case{1, 1, CTrackResources::LockColor}, Case{1, 0, CTrackResources::LockColor}}) {
        SCOPED_TRACE(testing::Message() << "ReadOnly " << c.readOnly << " DropBox " << c.dropBox);
        control->SetReadOnly(c.readOnly);
        control->SetDropBox(c.dropBox);
        EXPECT_TRUE(PixelIs(Grab(), mark, c.color));
    }
}

TEST_F(ViewRendererTest, ADefectOfTheFrameAboveTheViewIsDrawnWhereItReachesIn)
{
    CTrack* track = AddBandedChannel();
    // Frame 2, rows 80 … 140: its last 40 rows lie in frame 3.
    track->SetFaults({MakeFault(41, 2, QRect(30, 80, 40, 60), 1)});
    control->EndAddTracks();
    control->GoToImage(3, 1);
    ASSERT_EQ(control->GetCurrentOffset(), 0);

    const QImage shot = Grab();
    const int x = ColumnX(*track);
    const int y = track->GetY();
    EXPECT_TRUE(HasColorNear(shot, {x + 30, y + 20}, CTrackResources::ValidColor));
    EXPECT_TRUE(HasColorNear(shot, {x + 50, y + 40}, CTrackResources::ValidColor));
    EXPECT_FALSE(HasColorNear(shot, {x + 30, y - 10}, CTrackResources::ValidColor));
}

TEST_F(ViewRendererTest, StatusLineShowsTheModeAndTheRulerTextIsRightAligned)
{
    AddBandedChannel();
    control->EndAddTracks();
    const QRect client = control->GetClientRect();
    const QRect textStrip(0, 9, client.width(), 20);

    const QImage browsing = Grab();
    EXPECT_GT(RightmostInk(browsing, QRect(9, 9, 300, 20)), 9);
    control->SetMarkMode(1);
    const QImage marking = Grab();
    EXPECT_GT(RightmostDifference(browsing, marking, QRect(9, 9, 400, 20)), 9);

    const int clientRight = client.width();
    EXPECT_LT(RightmostInk(marking, textStrip), clientRight - 100);
    control->SetRulerMode(1);
    control->SetRulerText(1, QStringLiteral(" x=101 y=11 距离=50.5毫米"));
    const int textEnd = RightmostInk(Grab(), textStrip);
    EXPECT_LE(textEnd, clientRight - 9);
    EXPECT_GE(textEnd, clientRight - 9 - 6);
}

TEST_F(ViewRendererTest, TheBoxBeingDrawnAndTheRulerLineShowOnTheActiveChannelOnly)
{
    // No press has chosen a channel yet, so the active one is TrackID 0.
    ASSERT_EQ(control->GetActiveTrackId(), 0);
    CTrack* active = AddBandedChannel(0);
    CTrack* other = AddBandedChannel(1);
    control->EndAddTracks();
    // Entering ruler mode ends any measurement, so the line comes after it.
    control->SetRulerMode(1);
    const QRect box(QPoint(10, 20), QPoint(50, 60));
    for (CTrack* track : {active, other}) {
        track->SetBox(box);
        track->SetRulerLine(QLine(10, 80, 100, 80));
    }
    control->SetSelectionBox(&box);
    control->SetRulerText(1, QStringLiteral(" x=100 y=80 距离=45.0毫米"));

    const QImage shot = Grab();
    for (CTrack* track : {active, other}) {
        const bool shown = track == active;
        SCOPED_TRACE(testing::Message() << "TrackID " << track->GetTrackId());
        EXPECT_EQ(HasColorNear(shot, InFrame(*track, 1, 30, 20), CTrackResources::DrawingColor), shown);
        EXPECT_EQ(HasColorNear(shot, InFrame(*track, 1, 50, 40), CTrackResources::DrawingColor), shown);
        EXPECT_EQ(HasColorNear(shot, InFrame(*track, 1, 70, 80), CTrackResources::RulerColor), shown);
    }
    // The box's text wins over the ruler's while a box is being drawn.
    const int clientWidth = control->GetClientRect().width();
    const QRect textEnd(clientWidth - 150, 9, 150, 20);
    control->SetRulerText(1, QString());
    const QImage boxTextOnly = Grab();
    EXPECT_GT(RightmostInk(boxTextOnly, textEnd), clientWidth - 20);
    EXPECT_EQ(shot.copy(textEnd), boxTextOnly.copy(textEnd));
    control->ClearSelectionBox();
    EXPECT_EQ(RightmostInk(Grab(), textEnd), -1);
}

TEST_F(ViewRendererTest, FramesFromLoaderThreadsAppearOnceLoaded)
{
    control->SetThreadLoad(1);
    CTrack* track = AddBandedChannel(1, 30);
    AddBandedChannel(2, 30);
    control->EndAddTracks();

    for (int image : {1, 9, 4, 20}) {
        control->GoToImage(image, 1);
        const QPoint middle = InFrame(*track, image + 1, FrameWidth / 2, 60);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return IsNear(Grab().pixel(middle), Grey(JpegFrameReader::FlatLevel(image + 1))); }, 5000))
            << "image " << image;
    }
}


TEST_F(ViewRendererTest, APaintNeverWaitsForAFrameItsLoaderIsReading)
{
    control->SetThreadLoad(1);
    control->SetBlueBox(1);
    GatedFrameReader reader(10, FrameWidth, FrameHeight);
    // However the test ends, the loader is let through and the control goes
    // before the reader does.
    struct Finish
    {
        GatedFrameReader& reader;
        CTrackImageDrawObject*& control;
        ~Finish()
        {
            reader.Open();
            if (control)
                control->Destroy();
            control = nullptr;
        }
    } finish{reader, control};
    CTrack* track = AddChannel(1, QStringLiteral("A"), reader);
    control->EndAddTracks();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader.FirstFrameAsked() != 0; }, 5000));
    // The rows on screen are fetched before the frames kept ready above.
    EXPECT_EQ(reader.FirstFrameAsked(), 1);

    // The loader holds the first row's slot while it waits at the gate.
    const QImage waiting = Grab();
    EXPECT_TRUE(HasColorNear(waiting, InFrame(*track, 1, FrameWidth / 2, 0), CTrackResources::PlaceholderColor));

    reader.Open();
    const QPoint middle = InFrame(*track, 1, FrameWidth / 2, FrameHeight / 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return IsNear(Grab().pixel(middle), Grey(JpegFrameReader::FlatLevel(1))); }, 5000));
}
