// Opening a channel of 50,000 frames and fetching frames from it, through the
// big-file library and through the program's channel reader. The file is made
// once per run in a temporary folder from tiny JPEGs.
#include "CFileReader.h"
#include "JpegCodec.h"
#include "BimfMaintenance.h"
#include "RbimfFile.h"
#include "WbimfFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kFrames = 50000;

struct Channel
{
    QTemporaryDir dir;
    QString dataPath;
    QString indexPath;
};

std::vector<uint8_t> tinyJpeg(uint8_t shade)
{
    std::vector<uint8_t> raster(16 * 16, shade);
    std::vector<uint8_t> jpeg;
    EncodeJpegGray(raster.data(), 16, 16, 16, 90, &jpeg, nullptr);
    return jpeg;
}

bool writeChannel(const Channel& channel)
{
    std::unique_ptr<WbimfFile> writer(BIMFWirterCreateBimfFileAndIndex(
        QFile::encodeName(channel.dataPath).constData(), QFile::encodeName(channel.indexPath).constData()));
    UniversalTrackInfo_Ex header{};
    BimfCopyText(header.LineCode, sizeof header.LineCode, "B01");
    BimfCopyText(header.LineName, sizeof header.LineName, "bench");
    BimfCopyText(header.StartRunDate, sizeof header.StartRunDate, "2024-01-01");
    BimfCopyText(header.StartRunTime, sizeof header.StartRunTime, "00:00:00");
    header.VPixelNum = 16;
    header.HPixelNum = 16;
    if (!writer || !writer->SetFileHead(&header))
        return false;
    std::vector<std::vector<uint8_t>> shades;
    for (int s = 0; s < 8; ++s)
        shades.push_back(tinyJpeg(uint8_t(s * 30)));
    for (int i = 1; i <= kFrames; ++i) {
        TrackImageJPG_ image{};
        const auto& jpeg = shades[i % shades.size()];
        image.pJpgData = const_cast<uint8_t*>(jpeg.data());
        image.JpgSize = int32_t(jpeg.size());
        image.ImageNumber = i;
        image.Km = int16_t(i / 500);
        image.M = int16_t((i / 2) % 1000);
        if (!writer->SaveImage(&image))
            return false;
    }
    return writer->Final(1, "2024-01-01", "01:00:00") != 0;
}

const Channel& channel()
{
    static Channel made = [] {
        Channel c;
        c.dataPath = c.dir.filePath("bench.bimf");
        c.indexPath = c.dir.filePath("bench.dex");
        if (!writeChannel(c))
            qFatal("could not write the benchmark channel");
        return c;
    }();
    return made;
}

CFileReader::TaskFileRecord channelRecord()
{
    CFileReader::TaskFileRecord record;
    record.FilePath = channel().dataPath;
    return record;
}

void BM_LibraryOpen50k(benchmark::State& state)
{
    const QByteArray data = QFile::encodeName(channel().dataPath);
    const QByteArray index = QFile::encodeName(channel().indexPath);
    for (auto _ : state) {
        RbimfFile* reader = BIMFReaderReadBimfFileAndIndex(data.constData(), index.constData(), 0);
        if (!reader) {
            state.SkipWithError("open failed");
            return;
        }
        reader->Final();
        delete reader;
    }
}
BENCHMARK(BM_LibraryOpen50k)->Unit(benchmark::kMicrosecond);

void BM_CFileReaderOpen50k(benchmark::State& state)
{
    const CFileReader::TaskFileRecord record = channelRecord();
    for (auto _ : state) {
        CFileReader reader;
        if (!reader.OpenFromTaskFile(record)) {
            state.SkipWithError("open failed");
            return;
        }
    }
}
BENCHMARK(BM_CFileReaderOpen50k)->Unit(benchmark::kMicrosecond);

void BM_GetTrackImageRelease(benchmark::State& state)
{
    CFileReader reader;
    reader.OpenFromTaskFile(channelRecord());
    RbimfFile* file = reader.GetFile();
    std::mt19937 random(1);
    std::uniform_int_distribution<int> frames(1, kFrames);
    for (auto _ : state) {
        TrackImageJPG_ image{};
        if (!file->GetTrackImage(&image, frames(random))) {
            state.SkipWithError("fetch failed");
            return;
        }
        benchmark::DoNotOptimize(image.pJpgData);
        file->ReleaseImage(&image);
    }
}
BENCHMARK(BM_GetTrackImageRelease);

void BM_CFileReaderReadFrame(benchmark::State& state)
{
    CFileReader reader;
    reader.OpenFromTaskFile(channelRecord());
    // The buffer a channel track passes: frame width x height + 1536.
    std::vector<char> buffer(16 * 16 + 1536);
    std::mt19937 random(2);
    std::uniform_int_distribution<int> frames(1, kFrames);
    for (auto _ : state) {
        int bytes = 0, km = 0, m = 0;
        if (!reader.ReadFrame(frames(random), buffer.data(), int(buffer.size()), &bytes, &km, &m)) {
            state.SkipWithError("read failed");
            return;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_CFileReaderReadFrame);

} // namespace
