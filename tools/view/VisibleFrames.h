#pragma once
// Whether every frame row the image display control shows has its frame
// decoded: the rows of each visible channel with a reader (F rows, F + 1
// while the first image is scrolled by some rows) whose frame exists in that
// channel. Rows past a channel's end never load and are not waited for.
//
// Threads: the user-interface thread; each slot is read under its lock, so
// loader threads may be running. Cost: one lock per row.

class CTrackImageDrawObject;

class VisibleFrames
{
public:
    static bool AllLoaded(CTrackImageDrawObject& control);
    // Runs the event loop (the loaders' repaints go on) until AllLoaded or
    // `timeoutMs` has passed; answers AllLoaded.
    static bool WaitUntilLoaded(CTrackImageDrawObject& control, int timeoutMs);
};
