#pragma once
// A control with its window in a shown parent, so the client area has a real
// size, scroll bars show and hide, and events reach the control as they do in
// the program. Channels come from NewTrack with in-memory readers.

#include "../imagecontrol/AddReaderChannel.h"
#include "../imagecontrol/RecordingNotify.h"
#include "CTrack.h"
#include "CTrackImageDrawObject.h"
#include "FakeFrameReader.h"
#include "JpegFrameReader.h"
#include "TempProgramDir.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <deque>
#include <gtest/gtest.h>

class ViewFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.resize(2400, 1200);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        ASSERT_EQ(control->Create(QRect(0, 0, 800, 600), &parent, 106, nullptr), 1);
        // Channels keep their reader only while the control has an engine.
        control->SetPaintMode(0);
        ASSERT_EQ(control->IsEngineReady(), 1);
        control->SetNotify(&notify);
    }
    void TearDown() override { control->Destroy(); }

    QAbstractScrollArea* Window() const { return qobject_cast<QAbstractScrollArea*>(control->GetWindowHandle()); }
    QWidget* Viewport() const { return Window()->viewport(); }
    QScrollBar* VerticalBar() const { return Window()->verticalScrollBar(); }
    QScrollBar* HorizontalBar() const { return Window()->horizontalScrollBar(); }

    // Resizes the window until its client area (the viewport) has this size;
    // bars that appear or vanish on the way change what the window needs.
    void SetClientSize(QSize client)
    {
        for (int attempt = 0; attempt < 4 && Viewport()->size() != client; ++attempt) {
            Window()->resize(Window()->size() + client - Viewport()->size());
            QApplication::processEvents(); // the bars settle on a posted layout pass
        }
        ASSERT_EQ(Viewport()->size(), client);
    }

    // A channel whose reader has no frames to give (frame size only).
    CTrack* AddFakeChannel(int trackId, int frames, int width, int height)
    {
        return AddChannel(trackId, fakeReaders.emplace_back(frames, width, height));
    }
    // A channel whose reader serves real JPEG frames.
    CTrack* AddJpegChannel(int trackId, int frames, int width, int height)
    {
        return AddChannel(trackId, jpegReaders.emplace_back(frames, width, height));
    }

    CTrack* AddChannel(int trackId, IDataReaderInterface& reader)
    {
        return AddReaderChannel(*control, trackId, QStringLiteral("通道%1").arg(trackId), reader);
    }

    int CurrentImage() const { return control->GetCurrentImage(); }
    int CurrentOffset() const { return control->GetCurrentOffset(); }
    // Rows from the top of image 1 to the top of the view.
    long long RowPosition(int frameHeight) const
    {
        return static_cast<long long>(CurrentImage() - 1) * frameHeight + CurrentOffset();
    }

    TempProgramDir programDir;
    QWidget parent;
    RecordingNotify notify;
    std::deque<FakeFrameReader> fakeReaders;
    std::deque<JpegFrameReader> jpegReaders;
    CTrackImageDrawObject* control = new CTrackImageDrawObject;
};
