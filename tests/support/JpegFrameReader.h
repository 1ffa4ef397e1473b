#pragma once
// A channel reader that serves real JPEG frames made in memory, so the
// control's loading, decoding and drawing run on real data without big files.
// Frame n is `width` x `height` grey, its pixels given by `Pattern` (by
// default one flat level per frame, FlatLevel(n)). Frames can be made
// undecodable, colour, or of another size; reads are counted. ReadFrame is
// safe from several threads, as a real reader's is. Link LumetraJpeg.

#include "IDataReaderInterface.h"
#include "JpegCodec.h"

#include <QString>
#include <atomic>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <vector>

class JpegFrameReader : public IDataReaderInterface
{
public:
    using Pattern = std::function<uint8_t(int frame, int x, int y)>;

    JpegFrameReader(int frameCount, int width, int height, Pattern pattern = {})
        : frameCount_(frameCount), width_(width), height_(height),
          pattern_(pattern ? std::move(pattern) : Pattern([](int frame, int, int) { return FlatLevel(frame); }))
    {
    }

    // The grey level of frame n under the default pattern: distinct for
    // neighbouring frames and never black or white.
    static uint8_t FlatLevel(int frame) { return static_cast<uint8_t>(40 + (frame * 37) % 170); }

    // Frame n answers bytes that are not a JPEG.
    void BreakFrame(int frame)
    {
        std::lock_guard lock(mutex_);
        broken_.insert(frame);
        cache_.erase(frame);
    }
    void MendFrame(int frame)
    {
        std::lock_guard lock(mutex_);
        broken_.erase(frame);
        cache_.erase(frame);
    }
    // Frame n is encoded at another size (still one component).
    void ResizeFrame(int frame, int width, int height)
    {
        std::lock_guard lock(mutex_);
        sizes_[frame] = {width, height};
        cache_.erase(frame);
    }
    int ReadCount(int frame) const
    {
        std::lock_guard lock(mutex_);
        const auto it = reads_.find(frame);
        return it == reads_.end() ? 0 : it->second;
    }
    int TotalReads() const { return totalReads_.load(); }

    int GetFrameCount() override { return frameCount_; }
    int GetFrameWidth() override { return width_; }
    int GetFrameHeight() override { return height_; }
    QString GetLineName() override { return QStringLiteral("京沪线"); }
    QString GetLineCode() override { return QStringLiteral("JH"); }
    int GetEndPosition() override { return 0; }
    QString GetCarDirectionText() override { return QStringLiteral("上行"); }
    int GetCarDirection() override { return 0; }
    QString GetRailSide() override { return QStringLiteral("L"); }
    int GetTrackId() override { return 0; }
    int GetChannelId() override { return 0; }
    QString GetStartTimeText() override { return {}; }
    int Reopen() override { return 1; }
    void Reserved() override {}

    // Km and m of frame n: frame n lies n * 2 m along from km 100.
    static int KmOf(int frame) { return 100 + frame * 2 / 1000; }
    static int MOf(int frame) { return frame * 2 % 1000; }

    int ReadFrame(int frame, char* buffer, int capacity, int* byteCount, int* km, int* m) override
    {
        ++totalReads_;
        std::lock_guard lock(mutex_);
        ++reads_[frame];
        if (frame < 1 || frame > frameCount_)
            return 0;
        const std::vector<uint8_t>& bytes = FrameBytes(frame);
        if (static_cast<int>(bytes.size()) > capacity)
            return 0;
        if (buffer)
            std::memcpy(buffer, bytes.data(), bytes.size());
        if (byteCount)
            *byteCount = static_cast<int>(bytes.size());
        if (km)
            *km = KmOf(frame);
        if (m)
            *m = MOf(frame);
        return 1;
    }

private:
    const std::vector<uint8_t>& FrameBytes(int frame)
    {
        auto it = cache_.find(frame);
        if (it != cache_.end())
            return it->second;
        std::vector<uint8_t> bytes;
        if (broken_.count(frame)) {
            bytes.assign(600, 0x5A);
        } else {
            const auto size = sizes_.count(frame) ? sizes_[frame] : std::pair{width_, height_};
            std::vector<uint8_t> grey(static_cast<size_t>(size.first) * size.second);
            for (int y = 0; y < size.second; ++y)
                for (int x = 0; x < size.first; ++x)
                    grey[static_cast<size_t>(y) * size.first + x] = pattern_(frame, x, y);
            EncodeJpegGray(grey.data(), size.first, size.second, size.first, 100, &bytes, nullptr);
        }
        return cache_.emplace(frame, std::move(bytes)).first->second;
    }

    int frameCount_;
    int width_;
    int height_;
    Pattern pattern_;
    mutable std::mutex mutex_;
    std::set<int> broken_;
    std::map<int, std::pair<int, int>> sizes_;
    std::map<int, std::vector<uint8_t>> cache_;
    std::map<int, int> reads_;
    std::atomic<int> totalReads_ = 0;
};
