#pragma once
// Records that cross the boundary of the image display control.

#include <QString>
#include <cstdint>

// One defect. Every field is a 32-bit signed integer; the defect store and the
// defect list use the same record.
struct _FAULT_
{
    int32_t FaultID = 0;          // key in the task's defect database; -1 while being reported
    int32_t Tag = 0;              // copied from the channel's tag; not stored
    int32_t FaultStandardID = 0;  // defect type (StandardID)
    int32_t FaultImage = 0;       // 1-based frame in which the box starts
    int32_t FaultKM = 0;
    int32_t FaultM = 0;
    int32_t FaultX = 0;           // left edge, frame pixels
    int32_t FaultY = 0;           // top edge, rows below the top of FaultImage
    int32_t FaultCx = 0;
    int32_t FaultCy = 0;          // may run into the following frames
    int32_t FaultState = 0;       // 0 invalid, 1 valid, 2 pending
    int32_t TrackID = 0;          // filled in by the control whenever it reports
    int32_t FaultChannelID = 0;   // Track_ChannelID of the channel
    int32_t Extra = 0;            // not stored; non-zero draws the list row grey
};
static_assert(sizeof(_FAULT_) == 14 * sizeof(int32_t), "_FAULT_ is 14 packed int32 fields");

enum FaultStateValue : int32_t
{
    FaultStateInvalid = 0,
    FaultStateValid = 1,
    FaultStatePending = 2,
};

// One hotkey: a function number, a modifier text ("无", "Ctrl" or "Shift")
// and one key character (a digit or an upper-case letter).
struct _HOT_KEY_STRUCT_
{
    int32_t KeyID = -1;
    QString Modifier;
    QString AlphaKey;
};

// Horizontal display scale of one channel.
struct _track_scale_info_
{
    int TrackID = 0;
    double Scale = 1.0;
};

// Brightness, contrast and clarity as the image adjustment dialog sends them.
struct _IMAGE_ADJUST_STRUCT_
{
    int Brightness = 0;
    int Contrast = 10;
    int Clarity = 1;
};
