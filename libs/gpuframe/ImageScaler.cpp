#include "ImageScaler.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Weights are fractions of 2^14; every sum stays inside 32 bits.
constexpr int WeightBits = 14;
constexpr uint32_t WeightOne = 1u << WeightBits;
constexpr int RowSumShift = 6;

// What one axis of the destination reads: for destination index i the source
// indices First[i] … First[i] + Count[i] − 1 with weights summing to WeightOne.
struct AxisTaps
{
    std::vector<int> First;
    std::vector<int> Count;
    std::vector<int> Offset;
    std::vector<uint32_t> Weights;
};

void AddNearestTap(AxisTaps& taps, int sourceLength, int targetLength, int index)
{
    const int64_t centre = (int64_t(2) * index + 1) * sourceLength / (int64_t(2) * targetLength);
    taps.First.push_back(std::min(int(centre), sourceLength - 1));
    taps.Count.push_back(1);
    taps.Weights.push_back(WeightOne);
}

// Destination pixel i covers [i·S, (i+1)·S) and source pixel j covers
// [j·D, (j+1)·D) in units of 1/D source pixels; the overlaps are exact
// integers summing to S. Rounding the running sum keeps the weights' total
// exactly WeightOne, so flat areas keep their value.
void AddAreaTaps(AxisTaps& taps, int sourceLength, int targetLength, int index)
{
    const int64_t begin = int64_t(index) * sourceLength;
    const int64_t end = begin + sourceLength;
    const int firstSource = int(begin / targetLength);
    const int lastSource = int((end - 1) / targetLength);
    int64_t covered = 0;
    uint32_t given = 0;
    for (int j = firstSource; j <= lastSource; ++j) {
        const int64_t overlap = std::min<int64_t>(int64_t(j + 1) * targetLength, end) - std::max<int64_t>(int64_t(j) * targetLength, begin);
        covered += overlap;
        const uint32_t upTo = uint32_t((covered * WeightOne + sourceLength / 2) / sourceLength);
        taps.Weights.push_back(upTo - given);
        given = upTo;
    }
    taps.First.push_back(firstSource);
    taps.Count.push_back(lastSource - firstSource + 1);
}

AxisTaps BuildTaps(int sourceLength, int targetLength)
{
    AxisTaps taps;
    taps.First.reserve(targetLength);
    taps.Count.reserve(targetLength);
    taps.Offset.reserve(targetLength);
    for (int i = 0; i < targetLength; ++i) {
        taps.Offset.push_back(int(taps.Weights.size()));
        if (targetLength >= sourceLength)
            AddNearestTap(taps, sourceLength, targetLength, i);
        else
            AddAreaTaps(taps, sourceLength, targetLength, i);
    }
    return taps;
}

// sums[k] (+)= weight × line[k], in blocks of 16 that the compiler turns
// into vector instructions even at -O2 (16-bit factors widened to 32 bits,
// which plain SSE2 multiplies).
template <bool Accumulate>
void WeighRow(const uint8_t* __restrict line, uint16_t weight, int samples, uint32_t* __restrict sums)
{
    constexpr int Block = 16;
    int k = 0;
    for (; k + Block <= samples; k += Block) {
        for (int i = 0; i < Block; ++i) {
            const uint32_t product = uint32_t(weight) * uint32_t(uint16_t(line[k + i]));
            sums[k + i] = Accumulate ? sums[k + i] + product : product;
        }
    }
    for (; k < samples; ++k) {
        const uint32_t product = uint32_t(weight) * line[k];
        sums[k] = Accumulate ? sums[k] + product : product;
    }
}

// One destination row's weighted sum of source rows, per source sample.
void SumSourceRows(const SourceRowReader& rowAt, const AxisTaps& rows, int row, int samples, uint32_t* sums)
{
    const uint32_t* weights = &rows.Weights[rows.Offset[row]];
    WeighRow<false>(rowAt(rows.First[row]), uint16_t(weights[0]), samples, sums);
    for (int t = 1; t < rows.Count[row]; ++t)
        WeighRow<true>(rowAt(rows.First[row] + t), uint16_t(weights[t]), samples, sums);
}

// The values of destination column `column`, 0 … 255 per channel. The row
// sums lose their lowest fraction bits first, so that the column sum fits
// 32 bits: 255 × 2^8 per sample times weights summing to 2^14.
template <int Channels>
inline void ColumnValues(const AxisTaps& columns, int column, const uint32_t* sums, uint32_t* values)
{
    const int first = columns.First[column];
    const int count = columns.Count[column];
    const uint32_t* samples = sums + first * Channels;
    if (count == 1) {
        for (int channel = 0; channel < Channels; ++channel)
            values[channel] = (samples[channel] + WeightOne / 2) >> WeightBits;
        return;
    }
    const uint32_t* weights = &columns.Weights[columns.Offset[column]];
    uint32_t totals[Channels];
    for (int channel = 0; channel < Channels; ++channel)
        totals[channel] = 1u << (2 * WeightBits - RowSumShift - 1);
    for (int t = 0; t < count; ++t) {
        for (int channel = 0; channel < Channels; ++channel)
            totals[channel] += weights[t] * (samples[t * Channels + channel] >> RowSumShift);
    }
    for (int channel = 0; channel < Channels; ++channel)
        values[channel] = totals[channel] >> (2 * WeightBits - RowSumShift);
}

void WriteGreyRow(const AxisTaps& columns, const uint32_t* sums, uint32_t* out, int width)
{
    uint32_t grey = 0;
    for (int c = 0; c < width; ++c) {
        ColumnValues<1>(columns, c, sums, &grey);
        out[c] = 0xFF000000u | (grey * 0x010101u);
    }
}

// Four byte channels in memory order; averaging each byte on its own is the
// same on either byte order and right for premultiplied pixels.
void WriteFourChannelRow(const AxisTaps& columns, const uint32_t* sums, uint8_t* out, int width)
{
    uint32_t values[4];
    for (int c = 0; c < width; ++c) {
        ColumnValues<4>(columns, c, sums, values);
        for (int channel = 0; channel < 4; ++channel)
            out[4 * c + channel] = uint8_t(values[channel]);
    }
}

bool RepeatsPreviousRow(const AxisTaps& rows, int row)
{
    return row > 0 && rows.Count[row] == 1 && rows.Count[row - 1] == 1 && rows.First[row] == rows.First[row - 1];
}

void ScaleInto(QSize sourceSize, int channels, const SourceRowReader& rowAt, QImage& into)
{
    const AxisTaps columns = BuildTaps(sourceSize.width(), into.width());
    const AxisTaps rows = BuildTaps(sourceSize.height(), into.height());
    const int samples = sourceSize.width() * channels;
    std::vector<uint32_t> sums(static_cast<size_t>(samples));
    const size_t rowBytes = size_t(into.width()) * 4;
    for (int row = 0; row < into.height(); ++row) {
        uint8_t* out = into.scanLine(row);
        if (RepeatsPreviousRow(rows, row)) {
            std::memcpy(out, into.constScanLine(row - 1), rowBytes);
            continue;
        }
        SumSourceRows(rowAt, rows, row, samples, sums.data());
        if (channels == 1)
            WriteGreyRow(columns, sums.data(), reinterpret_cast<uint32_t*>(out), into.width());
        else
            WriteFourChannelRow(columns, sums.data(), out, into.width());
    }
}

} // namespace

QImage::Format ScaledImageFormat(QImage::Format format)
{
    return format == QImage::Format_Grayscale8 || format == QImage::Format_RGB32 ? QImage::Format_RGB32
                                                                                : QImage::Format_ARGB32_Premultiplied;
}

void ScaleImage(const QImage& source, QSize size, QImage& into)
{
    if (source.isNull() || size.isEmpty()) {
        into = QImage();
        return;
    }
    const QImage::Format format = ScaledImageFormat(source.format());
    QImage converted;
    const QImage* input = &source;
    if (format == QImage::Format_ARGB32_Premultiplied && source.format() != format) {
        converted = source.convertToFormat(format);
        input = &converted;
    }
    if (into.size() != size || into.format() != format)
        into = QImage(size, format);
    if (into.isNull())
        return;
    ScaleInto(input->size(), input->format() == QImage::Format_Grayscale8 ? 1 : 4,
              [input](int y) { return input->constScanLine(y); }, into);
}

void ScaleRows(QSize sourceSize, QImage::Format sourceFormat, const SourceRowReader& rowAt, QSize size, QImage& into)
{
    const bool readable = sourceFormat == QImage::Format_Grayscale8 || sourceFormat == QImage::Format_RGB32;
    if (!readable || sourceSize.isEmpty() || size.isEmpty() || !rowAt) {
        into = QImage();
        return;
    }
    if (into.size() != size || into.format() != QImage::Format_RGB32)
        into = QImage(size, QImage::Format_RGB32);
    if (into.isNull())
        return;
    ScaleInto(sourceSize, sourceFormat == QImage::Format_Grayscale8 ? 1 : 4, rowAt, into);
}
