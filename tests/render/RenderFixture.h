#pragma once
// A shown control with the raster engine, channels fed by JpegFrameReaders,
// and helpers that say where the layout puts a frame and what the window
// shows there.

#include "../imagecontrol/AddReaderChannel.h"
#include "CTrack.h"
#include "CTrackImageDrawObject.h"
#include "JpegFrameReader.h"
#include "LumetraImageExport.h"
#include "TempProgramDir.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <deque>
#include <gtest/gtest.h>

inline bool IsNear(QRgb actual, uint32_t expectedArgb, int tolerance = 3)
{
    return qAbs(qRed(actual) - qRed(expectedArgb)) <= tolerance
        && qAbs(qGreen(actual) - qGreen(expectedArgb)) <= tolerance
        && qAbs(qBlue(actual) - qBlue(expectedArgb)) <= tolerance;
}

inline uint32_t Grey(int level)
{
    return qRgb(level, level, level);
}

// True when some pixel within `radius` of `centre` has the colour: outlines
// are two pixels wide and may fall a pixel either side of their edge.
inline bool HasColorNear(const QImage& image, QPoint centre, uint32_t argb, int radius = 2)
{
    for (int y = centre.y() - radius; y <= centre.y() + radius; ++y)
        for (int x = centre.x() - radius; x <= centre.x() + radius; ++x)
            if (image.rect().contains(x, y) && IsNear(image.pixel(x, y), argb, 8))
                return true;
    return false;
}

inline ::testing::AssertionResult PixelIs(const QImage& image, QPoint at, uint32_t argb, int tolerance = 3)
{
    if (!image.rect().contains(at))
        return ::testing::AssertionFailure() << at.x() << "," << at.y() << " is outside the window";
    const QRgb pixel = image.pixel(at);
    if (IsNear(pixel, argb, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << at.x() << "," << at.y() << ": " << std::hex << (pixel & 0xFFFFFFu)
                                         << " instead of " << (argb & 0xFFFFFFu);
}

class RenderFixture : public ::testing::Test
{
protected:
    static constexpr uint32_t White = 0xFFFFFFFFu;
    static constexpr int FramesPerScreen = 2;

    void SetUp() override
    {
        parent.resize(720, 600);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        void* out = nullptr;
        ASSERT_EQ(CreateImageCoreInstance(&out), 1);
        control = dynamic_cast<CTrackImageDrawObject*>(static_cast<ILumetraDrawControlCore*>(out));
        ASSERT_NE(control, nullptr);
        ASSERT_EQ(control->Create(QRect(0, 0, 700, 580), &parent, 106, nullptr), 1);
        control->SetPaintMode(0);
        ASSERT_EQ(control->IsEngineReady(), 1);
        control->SetHorzAlign(1);
        control->SetVertAlign(1);
        control->SetZoom(1.0);
        control->SetFramesPerScreen(FramesPerScreen);
    }

    // The control lets go of its channels before their readers go.
    void TearDown() override
    {
        if (control)
            control->Destroy();
        control = nullptr;
    }

    // A channel filled the way the task loader fills one, then added.
    CTrack* AddChannel(int trackId, const QString& name, int frames, int width, int height,
                       JpegFrameReader::Pattern pattern = {})
    {
        return AddChannel(trackId, name, readers.emplace_back(frames, width, height, std::move(pattern)));
    }
    // The same with a reader of the test's own (from `readers`, so it
    // outlives the control).
    CTrack* AddChannel(int trackId, const QString& name, JpegFrameReader& reader)
    {
        return AddReaderChannel(*control, trackId, name, reader);
    }

    QImage Grab() const
    {
        auto* window = qobject_cast<QAbstractScrollArea*>(control->GetWindowHandle());
        return window ? window->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
    }

    // Where the layout puts a channel's column and the top of a frame's row.
    int ColumnX(CTrack& track) const { return track.GetX() + control->GetHorzScroll(); }
    int ColumnWidth(CTrack& track) const
    {
        return static_cast<int>(track.GetFrameWidth() * control->GetZoom() * control->GetTrackScale(track.GetTrackId()));
    }
    int RowHeight(CTrack& track) const { return static_cast<int>(control->GetZoom() * track.GetFrameHeight()); }
    int RowTop(CTrack& track, int frame) const
    {
        return track.GetY() + static_cast<int>(control->GetZoom() * -control->GetCurrentOffset())
            + (frame - control->GetCurrentImage()) * RowHeight(track);
    }
    // A point `fx`, `fy` frame pixels into frame `frame` of the channel.
    QPoint InFrame(CTrack& track, int frame, int fx, int fy) const
    {
        const double scale = control->GetTrackScale(track.GetTrackId());
        return {ColumnX(track) + static_cast<int>(fx * control->GetZoom() * scale),
                RowTop(track, frame) + static_cast<int>(fy * control->GetZoom())};
    }

    TempProgramDir programDir;
    QWidget parent;
    std::deque<JpegFrameReader> readers;
    CTrackImageDrawObject* control = nullptr;
};
