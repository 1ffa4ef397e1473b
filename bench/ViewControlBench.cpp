// The image control's drawing and loading speed over six channels of real
// 2048 x 2000 frames (see SixChannelRun):
//   BM_RenderSixChannels  one full paint of a 1920 x 1080 client area at zoom
//                         0.4, three frames per screen, raster engine, every
//                         frame loaded;
//   BM_BlitFloor          the least that paint can cost: the same destination
//                         rectangles drawn from pre-scaled RGB32 pictures with
//                         one drawImage each. Goal: render <= 2 x floor.
//   BM_GoToImageFarThreaded        loader threads on; a jump to an image whose
//                         frames are all outside the cache, until every row
//                         on screen is loaded;
//   BM_DecodeVisibleFramesOneCore  the same number of frames decoded one after
//                         the other on one core.

#include "CTrack.h"
#include "CTrackImageDrawObject.h"
#include "CFileReader.h"
#include "ILumetraDrawControlCore.h"
#include "JpegCodec.h"
#include "SixChannelRun.h"
#include "ViewBenchControl.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace
{
const QSize ClientSize(1920, 1080);
constexpr double Zoom = 0.4;
constexpr int FramesPerScreen = 3;

ViewOptions BenchOptions(bool threadLoad)
{
    ViewOptions options;
    options.files = SixChannelRun::Files();
    options.zoom = Zoom;
    options.framesPerScreen = FramesPerScreen;
    options.threadLoad = threadLoad;
    options.paintMode = 0;
    return options;
}

// Where the control draws each frame row: one rectangle per visible row of
// every visible channel, in client coordinates.
std::vector<QRect> FrameRectangles(CTrackImageDrawObject& control)
{
    std::vector<QRect> rectangles;
    const double zoom = control.GetZoom();
    for (CTrack* track : control.GetVisibleTracks()) {
        const int width = int(track->GetFrameWidth() * zoom * control.GetTrackScale(track->GetTrackId()));
        const int height = int(zoom * track->GetFrameHeight());
        const int x = track->GetX() + control.GetHorzScroll();
        for (int row = 0; row < control.GetFramesPerScreen(); ++row)
            rectangles.emplace_back(x, track->GetY() + row * height, width, height);
    }
    return rectangles;
}

void BM_RenderSixChannels(benchmark::State& state)
{
    ViewBenchControl bench(BenchOptions(false), ClientSize);
    CTrackImageDrawObject& control = bench.Object();
    const QRect client = control.GetClientRect();
    QImage target(client.size(), QImage::Format_RGB32);
    const auto paint = [&] {
        QPainter painter(&target);
        control.PaintWindow(painter, client);
    };
    paint();   // a warm-up: every visible texture holds its drawing-size copy from here on
    for (auto _ : state) {
        paint();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetLabel(SixChannelRun::Source());
    state.counters["rows"] = double(FrameRectangles(control).size());
}
BENCHMARK(BM_RenderSixChannels)->Unit(benchmark::kMillisecond);

void BM_BlitFloor(benchmark::State& state)
{
    std::vector<QRect> rectangles;
    {
        ViewBenchControl bench(BenchOptions(false), ClientSize);
        rectangles = FrameRectangles(bench.Object());
    }
    // One picture per row, so no blit reads another's cached pixels.
    std::vector<QImage> pictures;
    for (const QRect& rectangle : rectangles) {
        QImage picture(rectangle.size(), QImage::Format_RGB32);
        auto* words = reinterpret_cast<quint32*>(picture.bits());
        QRandomGenerator::global()->fillRange(words, picture.sizeInBytes() / 4);
        pictures.push_back(std::move(picture));
    }
    QImage target(ClientSize, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        for (size_t i = 0; i < rectangles.size(); ++i)
            painter.drawImage(rectangles[i].topLeft(), pictures[i]);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["rows"] = double(rectangles.size());
}
BENCHMARK(BM_BlitFloor)->Unit(benchmark::kMillisecond);

void BM_GoToImageFarThreaded(benchmark::State& state)
{
    ViewBenchControl bench(BenchOptions(true), ClientSize);
    ILumetraDrawControlCore& core = bench.Control().Core();
    // Two places whose cache windows (F + 4 frames) do not overlap.
    const int places[] = {5, SixChannelRun::FramesPerChannel - 10};
    int next = 0;
    for (auto _ : state) {
        next = 1 - next;
        core.GoToImage(places[next], 1);
        bench.WaitUntilLoaded();
    }
    state.SetLabel(SixChannelRun::Source());
    state.counters["frames_on_screen"] = double(SixChannelRun::Channels * FramesPerScreen);
}
BENCHMARK(BM_GoToImageFarThreaded)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeVisibleFramesOneCore(benchmark::State& state)
{
    // The JPEGs of one screen: frames 5 … 5 + F − 1 of every channel.
    std::vector<QByteArray> jpegs;
    for (const QString& path : SixChannelRun::Files()) {
        CFileReader reader;
        CFileReader::TaskFileRecord record;
        record.FilePath = path;
        if (!reader.OpenFromTaskFile(record))
            qFatal("cannot open %s", qPrintable(path));
        for (int frame = 5; frame < 5 + FramesPerScreen; ++frame) {
            QByteArray jpeg(reader.GetFrameWidth() * reader.GetFrameHeight(), Qt::Uninitialized);
            int bytes = 0;
            if (!reader.ReadFrame(frame, jpeg.data(), int(jpeg.size()), &bytes, nullptr, nullptr))
                qFatal("cannot read frame %d of %s", frame, qPrintable(path));
            jpeg.truncate(bytes);
            jpegs.push_back(jpeg);
        }
    }
    constexpr int Width = 2048, Height = 2000;
    const int stride = (Width + 3) & ~3;
    std::vector<uint8_t> raster(size_t(stride) * Height);
    for (auto _ : state) {
        for (const QByteArray& jpeg : jpegs) {
            std::string error;
            if (!DecodeJpegGray(reinterpret_cast<const uint8_t*>(jpeg.constData()), size_t(jpeg.size()),
                                raster.data() + size_t(stride) * (Height - 1), -stride, Width, Height, nullptr, &error)) {
                state.SkipWithError(error.c_str());
                return;
            }
        }
        benchmark::DoNotOptimize(raster.data());
    }
    state.SetLabel(SixChannelRun::Source());
    state.counters["frames"] = double(jpegs.size());
}
BENCHMARK(BM_DecodeVisibleFramesOneCore)->Unit(benchmark::kMillisecond);
}
