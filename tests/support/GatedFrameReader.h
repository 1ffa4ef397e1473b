#pragma once
// A JpegFrameReader whose reads all wait until the test opens its gate, so a
// test can hold a loader thread inside a read. It remembers the first frame
// asked for. Open it before the control that reads it goes, or the control's
// loaders wait for ever.

#include "JpegFrameReader.h"

#include <condition_variable>
#include <mutex>

class GatedFrameReader : public JpegFrameReader
{
public:
    using JpegFrameReader::JpegFrameReader;

    void Open()
    {
        {
            const std::lock_guard lock(gateMutex_);
            open_ = true;
        }
        gate_.notify_all();
    }

    int FirstFrameAsked()
    {
        const std::lock_guard lock(gateMutex_);
        return firstFrame_;
    }

    int ReadFrame(int frame, char* buffer, int capacity, int* byteCount, int* km, int* m) override
    {
        {
            std::unique_lock lock(gateMutex_);
            if (firstFrame_ == 0)
                firstFrame_ = frame;
            gate_.wait(lock, [this] { return open_; });
        }
        return JpegFrameReader::ReadFrame(frame, buffer, capacity, byteCount, km, m);
    }

private:
    std::mutex gateMutex_;
    std::condition_variable gate_;
    bool open_ = false;
    int firstFrame_ = 0;
};
