#pragma once
// The frame reader of one channel big file, lent by the program to a channel
// track of the control. The control never frees a reader.

#include <QString>

class IDataReaderInterface
{
public:
    virtual ~IDataReaderInterface() = default;

    virtual int GetFrameCount() = 0;              // 1
    virtual int GetFrameWidth() = 0;              // 2: pixels per frame row
    virtual int GetFrameHeight() = 0;             // 3: rows per frame
    virtual QString GetLineName() = 0;            // 4
    virtual QString GetLineCode() = 0;            // 5
    virtual int GetEndPosition() = 0;             // 6: km * 1000 + m
    virtual QString GetCarDirectionText() = 0;    // 7
    virtual int GetCarDirection() = 0;            // 8
    virtual QString GetRailSide() = 0;            // 9
    virtual int GetTrackId() = 0;                 // 10
    virtual int GetChannelId() = 0;               // 11
    virtual QString GetStartTimeText() = 0;       // 12
    virtual int Reopen() = 0;                     // 13
    // Copies frame `frame` (1-based) into `buffer` when one is given. The copy
    // never exceeds `capacity` bytes: a larger frame answers 0 and writes
    // nothing. Safe to call from a loader thread; calls on one reader are
    // serialised by the reader.
    virtual int ReadFrame(int frame, char* buffer, int capacity, int* byteCount, int* km, int* m) = 0; // 14
    virtual void Reserved() = 0;                  // 15
};
