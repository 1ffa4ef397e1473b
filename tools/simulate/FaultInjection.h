#pragma once
// One damage the simulator puts into a run on purpose, so that verification
// and the reader's error paths can be tried on files that look real.

#include <QString>

enum class FaultInjectionKind
{
    MissingIndex,   // the channel's .dex is not written
    TruncatedData,  // the channel's .bimf is cut short after it was completed
    CorruptJpeg,    // one frame's JPEG bytes cannot be decoded
    OtherSize,      // one frame is encoded at a size other than the header's
    LostFrames,     // a range of frames is never recorded: numbers and positions jump
};

struct FaultInjection
{
    FaultInjectionKind kind = FaultInjectionKind::MissingIndex;
    int channel = 1;     // 1-based, in channel order
    int firstFrame = 0;  // 1-based frame of the complete run; 0 = chosen from the run's length
    int lastFrame = 0;   // LostFrames only

    static QString KindName(FaultInjectionKind kind);
};
