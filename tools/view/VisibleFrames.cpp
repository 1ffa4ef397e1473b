#include "VisibleFrames.h"

#include "CTrack.h"
#include "CTrackImageDrawObject.h"
#include "FrameGeometry.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <mutex>

namespace
{
constexpr int PollIntervalMs = 10;

bool RowLoaded(CTrack& track, int row, int frame)
{
    if (row >= track.GetRingSize())
        return false;
    CFrameSlot& slot = track.SlotAt(row);
    // A slot its loader holds is still loading; waiting for its lock would
    // wait for the reader.
    const std::unique_lock lock(slot.Lock, std::try_to_lock);
    return lock.owns_lock() && slot.Valid == 1 && slot.FrameNo == frame;
}

bool TrackLoaded(CTrack& track, int firstImage, int rows)
{
    if (track.GetVisible() != 1 || !track.HasReader())
        return true;
    const int frames = track.GetFrameCount();
    for (int row = 0; row < rows; ++row) {
        const int frame = firstImage + row;
        if (frame >= 1 && frame <= frames && !RowLoaded(track, row, frame))
            return false;
    }
    return true;
}
}

bool VisibleFrames::AllLoaded(CTrackImageDrawObject& control)
{
    const int rows = VisibleRowCount(control.GetFramesPerScreen(), control.GetCurrentOffset());
    for (CTrack* track : control.GetVisibleTracks()) {
        if (!TrackLoaded(*track, control.GetCurrentImage(), rows))
            return false;
    }
    return true;
}

bool VisibleFrames::WaitUntilLoaded(CTrackImageDrawObject& control, int timeoutMs)
{
    if (AllLoaded(control))
        return true;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (AllLoaded(control) || clock.elapsed() >= timeoutMs)
            loop.quit();
    });
    poll.start(PollIntervalMs);
    loop.exec();
    return AllLoaded(control);
}
