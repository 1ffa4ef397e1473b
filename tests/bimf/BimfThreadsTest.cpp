// One reader used from several threads at once: every thread gets every
// frame intact and its own error text.

#include "BimfTestFiles.h"
#include "RbimfFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

TEST(BimfThreads, SeveralThreadsReadTheSameFramesAtOnce)
{
    BimfFolder folder;
    const auto frames = MakeFrames(40);
    WriteBimf(folder.data(), folder.index(), SampleHeader(), frames);
    const auto reader = OpenPair(folder);
    ASSERT_TRUE(reader);

    std::atomic<int> mismatches{0};
    std::atomic<int> wrongErrors{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 30; ++round) {
                for (int i = 0; i < int(frames.size()); ++i) {
                    const int n = 1 + (i * 7 + t * 11 + round) % int(frames.size());
                    const SampleFrame& f = frames[size_t(n - 1)];
                    TrackImageJPG_ image{};
                    if (!reader->GetTrackImage(&image, n) || size_t(image.JpgSize) != f.bytes.size()
                        || std::memcmp(image.pJpgData, f.bytes.data(), f.bytes.size()) != 0)
                        ++mismatches;
                    reader->ReleaseImage(&image);
                    int count = 0;
                    const int* at = reader->GetTrackImagesNumber(f.km, f.m, &count);
                    if (count != 1 || at[0] != n)
                        ++mismatches;
                    // A failure on this thread leaves its own reason, whatever the others do.
                    if (reader->GetTrackImage(&image, -t) != 0
                        || std::string(BIMFLastErrorText()).find(std::to_string(-t)) == std::string::npos)
                        ++wrongErrors;
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(wrongErrors.load(), 0);
}

TEST(BimfThreads, FinalWhileOtherThreadsFetchEndsTheirFetchesCleanly)
{
    BimfFolder folder;
    WriteBimf(folder.data(), folder.index(), SampleHeader(), MakeFrames(20));
    const auto reader = OpenPair(folder);
    ASSERT_TRUE(reader);
    std::atomic<bool> closed{false};
    std::atomic<int> fetchedAfterClose{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                const bool wasClosed = closed.load();
                TrackImageJPG_ image{};
                if (reader->GetTrackImage(&image, 1 + i % 20) && wasClosed)
                    ++fetchedAfterClose;
            }
        });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    reader->Final();
    closed = true;
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(fetchedAfterClose.load(), 0);
}
