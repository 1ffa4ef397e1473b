#pragma once
// What the channel track tests share: a track that is released however a
// test ends, opening it over a reader and a stub control, reading a slot
// under its lock, and waiting for the loader thread.

#include "CTrack.h"
#include "StubImageWnd.h"

#include <QElapsedTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

struct TrackReleaser
{
    void operator()(CTrack* track) const { track->Release(); }
};
using TrackPtr = std::unique_ptr<CTrack, TrackReleaser>;

inline TrackPtr OpenedTrack(IDataReaderInterface& reader, IImageWnd& owner, CGpuEngine* engine = nullptr)
{
    TrackPtr track(new CTrack);
    track->SetOwner(&owner);
    if (engine)
        track->SetEngine(engine);
    track->SetReader(&reader);
    track->OpenTrack();
    return track;
}

// What a slot holds, read under its lock.
struct SlotState
{
    int Valid = 0;
    int FrameNo = 0;
};

inline SlotState ReadSlot(CTrack& track, int windowIndex)
{
    CFrameSlot& slot = track.SlotAt(windowIndex);
    std::lock_guard lock(slot.Lock);
    return SlotState{slot.Valid, slot.FrameNo};
}

// Grey value at (x, y), y counted from the top, of a slot's bottom-up rows.
inline int PixelOf(CFrameSlot& slot, int x, int y)
{
    std::lock_guard lock(slot.Lock);
    const int stride = FrameStride(slot.DecodedWidth);
    return slot.Pixels.Data()[static_cast<size_t>(slot.DecodedHeight - 1 - y) * stride + x];
}

// Polls `condition` until it holds or five seconds pass.
inline bool WaitFor(const std::function<bool()>& condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 5000)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// True when every window slot whose frame lies in 1 … frameCount is valid.
inline bool WindowLoaded(CTrack& track, int framesPerScreen, int frameCount)
{
    for (int i = -2; i <= framesPerScreen + 1; ++i) {
        const int frame = track.GetCurrentFrame() + i;
        const SlotState state = ReadSlot(track, i);
        if (frame >= 1 && frame <= frameCount && (!state.Valid || state.FrameNo != frame))
            return false;
    }
    return true;
}
