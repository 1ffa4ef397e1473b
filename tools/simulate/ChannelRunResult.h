#pragma once
// What writing one channel produced: the header it wrote, its frames and the
// defects drawn into them, or why it failed.

#include "BimfRecords.h"
#include "DefectPainter.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// A defect box in one written frame.
struct RecordedDefect
{
    PaintedDefect painted;
    int frame = 0;  // 1-based position in the channel's big file
    int km = 0;
    int m = 0;
};

struct ChannelRunResult
{
    bool ok = false;
    QString error;
    UniversalTrackInfo_Ex header{};
    int framesWritten = 0;
    int64_t dataBytes = 0;
    std::vector<RecordedDefect> defects;
    QStringList injected;  // one line per injection applied
};
