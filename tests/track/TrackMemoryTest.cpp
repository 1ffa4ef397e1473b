// The frame cache's memory: six channels of full-size frames stay within the
// budget while the view moves, because only the window's slots keep pages.
#include "CGpuEngine.h"
#include "JpegFrameReader.h"
#include "TrackTestSupport.h"

#include <gtest/gtest.h>
#include <fstream>
#include <unistd.h>

namespace {

long long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long long size = 0;
    long long resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace

TEST(TrackMemoryTest, SixFullSizeChannelsStayUnderFourHundredMegabytes)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's own bookkeeping swamps the figure";
#endif
    constexpr long long Budget = 400LL * 1024 * 1024;
    std::unique_ptr<CGpuEngine, void (*)(CGpuEngine*)> engine(GpuframeCreateEngine(), GpuframeDestroyEngine);
    // One reader lent to every channel keeps the test's own frames small.
    JpegFrameReader reader(100, 2048, 2000, [](int frame, int x, int y) {
        return static_cast<uint8_t>(JpegFrameReader::FlatLevel(frame) + (x / 256 + y / 250) % 2 * 8);
    });
    StubImageWnd owner(2, 0);
    const long long before = ResidentBytes();
    std::vector<TrackPtr> tracks;
    for (int channel = 0; channel < 6; ++channel)
        tracks.push_back(OpenedTrack(reader, owner, engine.get()));
    for (int frame : {1, 5, 30, 31, 60}) {
        for (TrackPtr& track : tracks) {
            track->SetCurrentFrame(frame);
            ASSERT_TRUE(WindowLoaded(*track, 2, 100));
        }
        const long long used = ResidentBytes() - before;
        EXPECT_LT(used, Budget) << "at frame " << frame << ": " << used / (1024 * 1024) << " MB";
    }
}
