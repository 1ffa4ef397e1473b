#pragma once
// Writes real channel big files (.bimf + .dex) for tests and benchmarks with
// the big-file library's writer. Frames are JPEGs made by LumetraJpeg, or any
// bytes a test wants to store as a damaged frame.

#include "BimfRecords.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

struct BigFileHeader
{
    QByteArray lineCode = "L01";
    QByteArray lineName = "京沪线";
    uint8_t carDirection = 0;
    char railSide = 'L';
    int frameWidth = 64;   // written to the header; frames may differ
    int frameHeight = 64;
    int16_t endKm = 12;
    int16_t endM = 345;
    QByteArray startDate = "2024-03-05";
    QByteArray startTime = "08:09:10";
};

// A grey frame filled by `pixel(x, y)`.
std::vector<uint8_t> MakeGreyJpeg(int width, int height, const std::function<uint8_t(int, int)>& pixel);
std::vector<uint8_t> MakeFlatJpeg(int width, int height, uint8_t value);

class BigFileMaker
{
public:
    explicit BigFileMaker(const BigFileHeader& header = {});
    // Frame number, km and m follow the order of the calls (m counts up).
    void addFrame(std::vector<uint8_t> jpeg);
    // Writes `dataPath` and the ".dex" beside it; false on any library failure.
    bool write(const QString& dataPath) const;
    const std::vector<uint8_t>& frame(int number) const { return frames_.at(number - 1); }
    static QString indexPathFor(const QString& dataPath);

private:
    UniversalTrackInfo_Ex header_{};
    QByteArray endDate_, endTime_;
    std::vector<std::vector<uint8_t>> frames_;
};
