#pragma once
// One cached frame of a channel track: its JPEG bytes, the decoded grey rows
// and the engine texture it is drawn from. Every field is guarded by Lock
// while a loader thread exists; readers (drawing, hit testing, palette and
// flip) take it too.

#include "CPageBuffer.h"

#include <mutex>

class CGpuTexture;

struct CFrameSlot
{
    int Valid = 0;              // 1 when the slot holds the decoded image of FrameNo
    std::mutex Lock;
    int LockReady = 0;          // 1 while the track is open
    CGpuTexture* Texture = nullptr; // owned by the engine; null without an engine
    CPageBuffer Pixels;         // grey rows, bottom row first, stride FrameStride(DecodedWidth)
    CPageBuffer Image;          // staging bitmap: header, palette, rows after palette and flip
    CPageBuffer Jpeg;           // the frame's JPEG bytes as read
    int Capacity = 0;           // FrameWidth x FrameHeight
    int JpegBytes = 0;
    int DecodedWidth = 0;
    int DecodedHeight = 0;
    int FrameNo = 0;            // 1-based frame the slot is meant to hold
    int FrameKm = 0;
    int FrameM = 0;
};
