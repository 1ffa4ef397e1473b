#include "SixChannelRun.h"

#include "BigFileMaker.h"
#include "JpegCodec.h"
#include "SimulatorOptions.h"
#include "TaskSimulator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{
constexpr int FrameWidth = 2048;
constexpr int FrameHeight = 2000;

std::vector<std::vector<uint8_t>> RailFrames()
{
    std::vector<std::vector<uint8_t>> frames;
    const QDir dir(QStringLiteral(LUMETRA_RAIL_FRAMES_DIR));
    for (const QString& name : dir.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        JpegImageInfo info;
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
        if (ReadJpegHeader(data, size_t(bytes.size()), &info, nullptr) && info.components == 1
            && info.width == FrameWidth && info.height == FrameHeight)
            frames.emplace_back(data, data + bytes.size());
    }
    return frames;
}

QStringList PackRailFrames(const QTemporaryDir& dir, const std::vector<std::vector<uint8_t>>& frames)
{
    QStringList files;
    for (int channel = 0; channel < SixChannelRun::Channels; ++channel) {
        BigFileHeader header;
        header.frameWidth = FrameWidth;
        header.frameHeight = FrameHeight;
        BigFileMaker maker(header);
        for (int frame = 0; frame < SixChannelRun::FramesPerChannel; ++frame)
            maker.addFrame(frames[size_t(frame + channel * 7) % frames.size()]);
        const QString path = dir.filePath(QStringLiteral("channel%1.bimf").arg(channel + 1));
        if (!maker.write(path))
            qFatal("cannot pack the rail frames into %s", qPrintable(path));
        files << path;
    }
    return files;
}

QStringList Simulate(const QTemporaryDir& dir)
{
    SimulatorOptions options;
    options.outputDirectory = dir.filePath(QStringLiteral("task"));
    options.databasePath = QStringLiteral(LUMETRA_BENCH_DATABASE);
    options.channels = SixChannelRun::Channels;
    options.frames = SixChannelRun::FramesPerChannel;
    options.width = FrameWidth;
    options.height = FrameHeight;
    SimulationSummary summary;
    QString error;
    if (!TaskSimulator(options).run(&summary, &error))
        qFatal("cannot simulate the benchmark run: %s", qPrintable(error));
    QStringList files;
    for (const ChannelPlan& channel : summary.channels)
        files << channel.dataPath;
    return files;
}

struct Made
{
    QTemporaryDir dir;
    QStringList files;
    const char* source = "";
};

const Made& MadeOnce()
{
    static Made made;
    static const bool filled = [] {
        const std::vector<std::vector<uint8_t>> frames = RailFrames();
        made.files = frames.empty() ? Simulate(made.dir) : PackRailFrames(made.dir, frames);
        made.source = frames.empty() ? "simulated frames" : "real frames";
        return true;
    }();
    (void)filled;
    return made;
}
}

const QStringList& SixChannelRun::Files()
{
    return MadeOnce().files;
}

const char* SixChannelRun::Source()
{
    return MadeOnce().source;
}
