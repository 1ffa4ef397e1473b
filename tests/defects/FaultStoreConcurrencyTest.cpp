#include "FaultFileFixture.h"

#include <atomic>
#include <set>
#include <thread>

namespace
{
using FaultStoreConcurrencyTest = FaultFileFixture;

// Two program instances marking defects in one task at once: each has its
// own store and connection; every defect must be kept under its own key.
TEST_F(FaultStoreConcurrencyTest, TwoStoresAddingAtOnceKeepEveryRowWithDistinctKeys)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    constexpr int PerWriter = 150;
    std::atomic<int> ready{0};
    std::atomic<int> failures{0};
    std::vector<int> keys[2];

    const auto writer = [&](int channel, std::vector<int>* ids) {
        CFaultStore store;
        if (store.OpenTaskFaultDB(task) != 1) {
            failures += PerWriter;
            return;
        }
        ++ready;
        while (ready < 2) {
        }
        for (int i = 0; i < PerWriter; ++i) {
            _FAULT_ fault = MakeFault(channel, 1, 3, i);
            if (store.AddFaultRecord(fault) == 1)
                ids->push_back(fault.FaultID);
            else
                ++failures;
        }
    };
    std::thread first(writer, 5, &keys[0]);
    std::thread second(writer, 6, &keys[1]);
    first.join();
    second.join();
    EXPECT_EQ(failures.load(), 0);

    std::set<int> distinct(keys[0].begin(), keys[0].end());
    distinct.insert(keys[1].begin(), keys[1].end());
    EXPECT_EQ(distinct.size(), 2u * PerWriter);
    EXPECT_EQ(*distinct.begin(), 1);
    EXPECT_EQ(*distinct.rbegin(), 2 * PerWriter);

    CFaultStore reader;
    ASSERT_EQ(reader.OpenTaskFaultDB(task), 1);
    std::vector<_FAULT_> stored;
    ASSERT_EQ(reader.QueryFaults(5, -1, -1, stored), 1);
    EXPECT_EQ(stored.size(), size_t(PerWriter));
    ASSERT_EQ(reader.QueryFaults(6, -1, -1, stored), 1);
    EXPECT_EQ(stored.size(), size_t(PerWriter));
}
}
