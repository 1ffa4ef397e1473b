#pragma once
// A channel reader without files: it answers a frame count and a frame size,
// and counts its own destruction so tests can see that the control never
// frees a reader.

#include "IDataReaderInterface.h"

class FakeFrameReader : public IDataReaderInterface
{
public:
    FakeFrameReader(int frameCount, int width, int height, int channelId = 0)
        : frameCount_(frameCount), width_(width), height_(height), channelId_(channelId)
    {
    }
    ~FakeFrameReader() override { ++destructions; }

    int GetFrameCount() override { return frameCount_; }
    int GetFrameWidth() override { return width_; }
    int GetFrameHeight() override { return height_; }
    QString GetLineName() override { return {}; }
    QString GetLineCode() override { return {}; }
    int GetEndPosition() override { return 0; }
    QString GetCarDirectionText() override { return {}; }
    int GetCarDirection() override { return 0; }
    QString GetRailSide() override { return {}; }
    int GetTrackId() override { return 0; }
    int GetChannelId() override { return channelId_; }
    QString GetStartTimeText() override { return {}; }
    int Reopen() override { return 1; }
    int ReadFrame(int, char*, int, int* byteCount, int*, int*) override
    {
        if (byteCount)
            *byteCount = 0;
        return 0;
    }
    void Reserved() override {}

    static inline int destructions = 0;

private:
    int frameCount_;
    int width_;
    int height_;
    int channelId_;
};
