// Resident memory of the image control with six channels of 2048 x 2000
// frames open at two frames per screen, after scrolling through 30 images
// one at a time, painting each screen (the raster engine keeps each frame
// only at the size it draws it, beside the slot's decoded rows). Counters in MB: the process before the control
// opened, and at the end (VmRSS) and at its peak (VmHWM) of
// /proc/self/status; the end figure also split into anonymous memory (the
// frame cache, pictures, heaps) and file pages (the libraries and the pages
// of the mapped big files the frames were read from, which the system can
// drop at will). Goal: VmRSS <= 400 MB. A binary of its own, so that no
// other benchmark's memory is counted.

#include "CTrackImageDrawObject.h"
#include "ILumetraDrawControlCore.h"
#include "SixChannelRun.h"
#include "ViewBenchControl.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace
{
constexpr int ImagesScrolled = 30;

// A "Name:   1234 kB" line of /proc/self/status in MB; 0 when absent.
double StatusMegabytes(const char* name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void BM_ScrollMemorySixChannels(benchmark::State& state)
{
    ViewOptions options;
    options.files = SixChannelRun::Files();
    options.zoom = 0.4;
    options.framesPerScreen = 2;
    options.threadLoad = state.range(0) != 0;
    const double before = StatusMegabytes("VmRSS");
    for (auto _ : state) {
        ViewBenchControl bench(options, QSize(1920, 1080));
        state.counters["opened_MB"] = StatusMegabytes("VmRSS");
        CTrackImageDrawObject& control = bench.Object();
        const QRect client = control.GetClientRect();
        QImage target(client.size(), QImage::Format_RGB32);
        for (int image = 1; image <= ImagesScrolled; ++image) {
            control.GoToImage(image, 1);
            bench.WaitUntilLoaded();
            QPainter painter(&target);
            control.PaintWindow(painter, client);
        }
        state.counters["VmRSS_MB"] = StatusMegabytes("VmRSS");
        state.counters["VmHWM_MB"] = StatusMegabytes("VmHWM");
        state.counters["RssAnon_MB"] = StatusMegabytes("RssAnon");
        state.counters["RssFile_MB"] = StatusMegabytes("RssFile");
    }
    state.counters["before_MB"] = before;
    state.SetLabel(std::string(SixChannelRun::Source()) + (options.threadLoad ? ", loader threads" : ""));
}
// Run one argument per process for a clean figure:
//   --benchmark_filter=BM_ScrollMemorySixChannels/0/ (or /1/).
BENCHMARK(BM_ScrollMemorySixChannels)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
}
