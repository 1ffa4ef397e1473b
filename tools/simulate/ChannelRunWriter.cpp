#include "ChannelRunWriter.h"

#include "BimfMaintenance.h"
#include "DeterministicRandom.h"
#include "JpegCodec.h"
#include "WbimfFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <optional>

namespace
{
constexpr int PhotoTypeGreyJpeg = 1;

int16_t ClampToInt16(double value) { return int16_t(std::clamp(std::lround(value), 0l, 32767l)); }

QString DateText(int64_t seconds) { return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd")); }
QString TimeText(int64_t seconds) { return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(QStringLiteral("HH:mm:ss")); }

template <size_t N>
void CopyText(char (&field)[N], const QString& text)
{
    BimfCopyText(field, N, text.toUtf8().constData());
}

// Makes a JPEG that a decoder must refuse: the frame header claims a zero
// width and height, while the stream still starts like a JPEG.
void CorruptJpeg(std::vector<uint8_t>& jpeg)
{
    for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            std::fill(jpeg.begin() + long(i) + 5, jpeg.begin() + long(i) + 9, uint8_t(0));
            return;
        }
    }
    std::fill(jpeg.begin() + 2, jpeg.end(), uint8_t(0x5A));
}
}

ChannelRunWriter::ChannelRunWriter(const SimulatorOptions& options, const RunLayout& layout, const ChannelPlan& plan,
                                   const RailSurfaceModel& rail, const SurfaceTextures& textures)
    : options_(options), layout_(layout), plan_(plan), rail_(rail), textures_(textures)
{
}

UniversalTrackInfo_Ex ChannelRunWriter::makeHeader(const std::vector<FramePlacement>& frames) const
{
    UniversalTrackInfo_Ex header{};
    CopyText(header.LineCode, options_.lineCode);
    CopyText(header.LineName, options_.lineName);
    CopyText(header.TrainNo, options_.trainNumber);
    CopyText(header.SectionName, options_.sectionName);
    header.RunDirection = options_.descending ? 1 : 0;
    header.CarDirection = 0;
    header.KMDirection = options_.descending ? 1 : 0;
    const QByteArray side = plan_.track.TrackRailSide.toLatin1();
    header.RailSide = side.isEmpty() ? (plan_.geometry.railIndex == 0 ? 'L' : 'R') : side[0];
    const FramePlacement& first = frames.front();
    const FramePlacement& last = frames.back();
    CopyText(header.StartRunDate, DateText(first.captureTime));
    CopyText(header.StartRunTime, TimeText(first.captureTime));
    CopyText(header.EndRunDate, DateText(last.captureTime));
    CopyText(header.EndRunTime, TimeText(last.captureTime));
    header.StartKm = int16_t(first.km);
    header.StartM = int16_t(first.m);
    header.EndKM = int16_t(last.km);
    header.EndM = int16_t(last.m);
    // Micrometres of track per pixel, along and across.
    header.VResolution = ClampToInt16(1000.0 * options_.stepMm / options_.height);
    header.HResolution = ClampToInt16(1000.0 * plan_.track.TrackHorzResolution);
    header.VPixelNum = int16_t(options_.height);
    header.HPixelNum = int16_t(options_.width);
    header.PhotoType = PhotoTypeGreyJpeg;
    return header;
}

const FaultInjection* ChannelRunWriter::frameInjection(FaultInjectionKind kind, int runFrame) const
{
    for (const FaultInjection& injection : options_.injections)
        if (injection.kind == kind && injection.channel == plan_.ordinal && injection.firstFrame == runFrame)
            return &injection;
    return nullptr;
}

ChannelRunResult ChannelRunWriter::write() const
{
    ChannelRunResult result;
    const std::vector<FramePlacement> frames = layout_.framesOfChannel(plan_.ordinal);
    if (frames.empty()) {
        result.error = QStringLiteral("channel %1 has no frame left after the lost frames").arg(plan_.ordinal);
        return result;
    }
    result.header = makeHeader(frames);
    if (!writeFrames(frames, &result) || !applyFileInjections(&result))
        return result;
    result.dataBytes = QFileInfo(plan_.dataPath).size();
    result.ok = true;
    return result;
}

bool ChannelRunWriter::writeFrames(const std::vector<FramePlacement>& frames, ChannelRunResult* result) const
{
    const QByteArray dataPath = QFile::encodeName(plan_.dataPath);
    const QByteArray indexPath = QFile::encodeName(plan_.indexPath);
    std::unique_ptr<WbimfFile> writer(BIMFWirterCreateBimfFileAndIndex(dataPath.constData(), indexPath.constData()));
    auto fail = [&](const QString& what) {
        result->error = QStringLiteral("%1: %2 (%3)").arg(plan_.dataPath, what, QString::fromUtf8(BIMFLastErrorText()));
        return false;
    };
    if (!writer)
        return fail(QStringLiteral("cannot create the big file"));
    if (!writer->SetFileHead(&result->header))
        return fail(QStringLiteral("cannot write the header"));

    const ChannelCamera camera(plan_.geometry, rail_, textures_, options_.width, options_.height);
    // An other-size frame comes from the same camera at three quarters of the size.
    std::optional<ChannelCamera> otherCamera;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> jpeg;
    std::string jpegError;
    for (size_t i = 0; i < frames.size(); ++i) {
        const FramePlacement& frame = frames[i];
        const bool otherSize = frameInjection(FaultInjectionKind::OtherSize, frame.runFrame) != nullptr;
        if (otherSize && !otherCamera)
            otherCamera.emplace(plan_.geometry, rail_, textures_, std::max(16, options_.width * 3 / 4),
                                std::max(16, options_.height * 3 / 4));
        const ChannelCamera& frameCamera = otherSize ? *otherCamera : camera;
        const FrameSpan span{frame.chainageMm, layout_.mmPerRow(frameCamera.height())};
        pixels.resize(size_t(frameCamera.width()) * size_t(frameCamera.height()));
        frameCamera.renderFrame(span, pixels.data(), frameCamera.width());
        const std::vector<PaintedDefect> painted = DefectPainter(frameCamera).paintFrame(span, pixels.data(), frameCamera.width());
        if (!EncodeJpegGray(pixels.data(), frameCamera.width(), frameCamera.height(), frameCamera.width(), options_.quality, &jpeg, &jpegError))
            return fail(QStringLiteral("cannot encode frame %1: %2").arg(frame.runFrame).arg(QString::fromStdString(jpegError)));
        if (frameInjection(FaultInjectionKind::CorruptJpeg, frame.runFrame)) {
            CorruptJpeg(jpeg);
            result->injected << QStringLiteral("corrupt-jpeg: frame %1 (file frame %2) cannot be decoded").arg(frame.runFrame).arg(i + 1);
        }
        if (otherSize)
            result->injected << QStringLiteral("other-size: frame %1 (file frame %2) is %3x%4, the header says %5x%6")
                                    .arg(frame.runFrame).arg(i + 1).arg(frameCamera.width()).arg(frameCamera.height())
                                    .arg(options_.width).arg(options_.height);

        TrackImageJPG_ image{};
        image.pJpgData = jpeg.data();
        image.JpgSize = int32_t(jpeg.size());
        image.ImageNumber = frame.runFrame;
        image.Km = int16_t(frame.km);
        image.M = int16_t(frame.m);
        image.CaptureTime = int32_t(frame.captureTime);
        if (!writer->SaveImage(&image))
            return fail(QStringLiteral("cannot append frame %1").arg(frame.runFrame));
        for (const PaintedDefect& defect : painted)
            result->defects.push_back(RecordedDefect{defect, int(i + 1), frame.km, frame.m});
        ++result->framesWritten;
        if (i > 0 && frames[i - 1].runFrame + 1 != frame.runFrame)
            result->injected << QStringLiteral("lost-frames: frames %1-%2 missing, K%3+%4 follows K%5+%6")
                                    .arg(frames[i - 1].runFrame + 1).arg(frame.runFrame - 1)
                                    .arg(frame.km).arg(frame.m, 3, 10, QLatin1Char('0'))
                                    .arg(frames[i - 1].km).arg(frames[i - 1].m, 3, 10, QLatin1Char('0'));
    }
    if (!writer->Final(1, result->header.EndRunDate, result->header.EndRunTime))
        return fail(QStringLiteral("cannot complete the files"));
    result->header.PhotoNum = result->framesWritten;
    return true;
}

bool ChannelRunWriter::applyFileInjections(ChannelRunResult* result) const
{
    for (const FaultInjection& injection : options_.injections) {
        if (injection.channel != plan_.ordinal)
            continue;
        if (injection.kind == FaultInjectionKind::MissingIndex) {
            if (QFile::exists(plan_.indexPath) && !QFile::remove(plan_.indexPath)) {
                result->error = QStringLiteral("%1: cannot remove the index").arg(plan_.indexPath);
                return false;
            }
            result->injected << QStringLiteral("missing-index: %1 removed").arg(QFileInfo(plan_.indexPath).fileName());
        } else if (injection.kind == FaultInjectionKind::TruncatedData) {
            // Cut inside the last frame's JPEG, as a copy broken off would be.
            QFile data(plan_.dataPath);
            const qint64 size = data.size();
            const qint64 cut = std::max<qint64>(1, size - 1 - int64_t(HashKey(options_.seed, 0x7C07ull) % 512));
            if (!data.resize(cut)) {
                result->error = QStringLiteral("%1: cannot truncate: %2").arg(plan_.dataPath, data.errorString());
                return false;
            }
            result->injected << QStringLiteral("truncated-data: %1 cut from %2 to %3 bytes")
                                    .arg(QFileInfo(plan_.dataPath).fileName()).arg(size).arg(cut);
        }
    }
    return true;
}
