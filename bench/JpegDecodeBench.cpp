// Decoding one real 2048 x 2000 greyscale rail frame with LumetraJpeg, the way
// the control decodes every frame it shows. Compare with
// bench/decode-vs-djpeg.sh, which times djpeg on the same frame.
#include "JpegCodec.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#define LUMETRA_BENCH_FRAME LUMETRA_RAIL_FRAMES_DIR "/1456470100032.jpg"

namespace {

std::vector<uint8_t> frameBytes()
{
    const char* path = std::getenv("LUMETRA_BENCH_FRAME");
    std::ifstream file(path ? path : LUMETRA_BENCH_FRAME, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void BM_DecodeRailFrame(benchmark::State& state)
{
    const std::vector<uint8_t> jpeg = frameBytes();
    JpegImageInfo info;
    if (!ReadJpegHeader(jpeg.data(), jpeg.size(), &info, nullptr) || info.components != 1) {
        state.SkipWithError("no greyscale frame at LUMETRA_BENCH_FRAME");
        return;
    }
    std::vector<uint8_t> raster(static_cast<size_t>((info.width + 3) & ~3) * info.height);
    for (auto _ : state) {
        std::string error;
        if (!DecodeJpegGray(jpeg.data(), jpeg.size(), raster.data(), (info.width + 3) & ~3,
                            info.width, info.height, nullptr, &error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(raster.data());
    }
    state.SetLabel(std::to_string(info.width) + "x" + std::to_string(info.height));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(jpeg.size()));
}
BENCHMARK(BM_DecodeRailFrame)->Unit(benchmark::kMillisecond);

void BM_ReadHeaderRailFrame(benchmark::State& state)
{
    const std::vector<uint8_t> jpeg = frameBytes();
    for (auto _ : state) {
        JpegImageInfo info;
        benchmark::DoNotOptimize(ReadJpegHeader(jpeg.data(), jpeg.size(), &info, nullptr));
    }
}
BENCHMARK(BM_ReadHeaderRailFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
