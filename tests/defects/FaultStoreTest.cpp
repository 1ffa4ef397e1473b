#include "FaultFileFixture.h"

#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace
{
using FaultStoreTest = FaultFileFixture;

std::vector<int> IdsOf(const std::vector<_FAULT_>& faults)
{
    std::vector<int> ids;
    for (const _FAULT_& fault : faults)
        ids.push_back(fault.FaultID);
    std::sort(ids.begin(), ids.end());
    return ids;
}

TEST_F(FaultStoreTest, OpensTheDefectFileInTheTaskDirectory)
{
    const Task task = MakeTask(QStringLiteral("A:B 1"), true);
    CFaultStore store;
    EXPECT_EQ(store.IsFaultDBOpen(), 0);
    EXPECT_TRUE(store.FaultFilePath().isEmpty());

    EXPECT_EQ(store.OpenTaskFaultDB(task), 1);
    EXPECT_EQ(store.IsFaultDBOpen(), 1);
    EXPECT_EQ(store.FaultFilePath(), root_.filePath(QStringLiteral("task1/缺陷浏览_A_B_1.accdb")));
    EXPECT_TRUE(prompts_.Prompts().isEmpty());
}

TEST_F(FaultStoreTest, MissingDefectFileIsReportedOnceAndEveryOperationFails)
{
    const Task task = MakeTask(QStringLiteral("T1"), false);
    CFaultStore store;
    EXPECT_EQ(store.OpenTaskFaultDB(task), 1);
    ASSERT_EQ(prompts_.Prompts().size(), 1);
    EXPECT_EQ(prompts_.Prompts()[0].text, MissingFaultFileText);
    EXPECT_EQ(prompts_.Prompts()[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(prompts_.Prompts()[0].type, 64u);

    _FAULT_ fault = MakeFault(5, 1, 3);
    std::vector<_FAULT_> faults(2);
    EXPECT_EQ(store.IsFaultDBOpen(), 0);
    EXPECT_EQ(store.AddFaultRecord(fault), 0);
    EXPECT_EQ(fault.FaultID, -1);
    EXPECT_EQ(store.LoadChannelFaults(5, faults), 0);
    EXPECT_TRUE(faults.empty());
    EXPECT_EQ(store.QueryFaults(-1, -1, -1, faults), 0);
    EXPECT_EQ(store.UpdateFaultRecord(fault), 0);
    EXPECT_EQ(store.DeleteFaultRecord(1), 0);
    EXPECT_EQ(prompts_.Prompts().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(store.FaultFilePath())) << "a missing defect file is never created";
}

TEST_F(FaultStoreTest, AddedDefectsGetKeysFromOneAndReadBackWithTheirTrack)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    CFaultStore store;
    ASSERT_EQ(store.OpenTaskFaultDB(task), 1);

    _FAULT_ marked{-1, 7, 3, 120, 12, 345, 10, 20, 30, 40, 2, 99, 5, 8};
    ASSERT_EQ(store.AddFaultRecord(marked), 1);
    EXPECT_EQ(marked.FaultID, 1);
    _FAULT_ other = MakeFault(6, 1, 4);
    ASSERT_EQ(store.AddFaultRecord(other), 1);
    EXPECT_EQ(other.FaultID, 2);
    _FAULT_ orphan = MakeFault(42, 1, 4);
    ASSERT_EQ(store.AddFaultRecord(orphan), 1);
    EXPECT_EQ(orphan.FaultID, 3);

    std::vector<_FAULT_> loaded;
    ASSERT_EQ(store.LoadChannelFaults(5, loaded), 1);
    ASSERT_EQ(loaded.size(), 1u);
    // Tag and Extra are not stored; TrackID comes from the task's channel 5 file.
    const _FAULT_ expected{1, 0, 3, 120, 12, 345, 10, 20, 30, 40, 2, 11, 5, 0};
    EXPECT_EQ(std::memcmp(&loaded[0], &expected, sizeof expected), 0);

    ASSERT_EQ(store.LoadChannelFaults(42, loaded), 1);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].TrackID, -1);
    ASSERT_EQ(store.LoadChannelFaults(77, loaded), 1);
    EXPECT_TRUE(loaded.empty());
}

struct QueryCase
{
    int channel;
    int state;
    int standard;
    std::vector<int> ids;
};

TEST_F(FaultStoreTest, QueryFiltersOnEveryGivenColumn)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    CFaultStore store;
    ASSERT_EQ(store.OpenTaskFaultDB(task), 1);
    // ids 1..6: (channel, state, standard)
    const _FAULT_ rows[] = {MakeFault(5, 1, 3), MakeFault(5, 0, 3), MakeFault(6, 1, 3),
                            MakeFault(5, 1, 4), MakeFault(6, 2, 4), MakeFault(5, 2, 3)};
    for (_FAULT_ row : rows)
        ASSERT_EQ(store.AddFaultRecord(row), 1);

    const QueryCase cases[] = {
        {-1, -1, -1, {1, 2, 3, 4, 5, 6}},
        {5, 1, -1, {1, 4}},
        {-1, -1, 4, {4, 5}},
        {6, -1, -1, {3, 5}},
        {5, 2, 3, {6}},
        {7, -1, -1, {}},
    };
    for (const QueryCase& c : cases) {
        std::vector<_FAULT_> found(1);
        ASSERT_EQ(store.QueryFaults(c.channel, c.state, c.standard, found), 1);
        EXPECT_EQ(IdsOf(found), c.ids) << c.channel << ' ' << c.state << ' ' << c.standard;
    }
}

TEST_F(FaultStoreTest, UpdateChangesTheReviewColumnsOfAnExistingDefectOnly)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    CFaultStore store;
    ASSERT_EQ(store.OpenTaskFaultDB(task), 1);
    _FAULT_ fault = MakeFault(5, 2, 3);
    ASSERT_EQ(store.AddFaultRecord(fault), 1);

    _FAULT_ changed{fault.FaultID, 0, 9, 121, 13, 1, 11, 21, 31, 41, 1, 0, 6, 0};
    EXPECT_EQ(store.UpdateFaultRecord(changed), 1);
    std::vector<_FAULT_> faults;
    ASSERT_EQ(store.QueryFaults(-1, -1, -1, faults), 1);
    ASSERT_EQ(faults.size(), 1u);
    const _FAULT_ expected{1, 0, 9, 121, 13, 1, 11, 21, 31, 41, 1, 11, 5, 0};   // channel stays 5
    EXPECT_EQ(std::memcmp(&faults[0], &expected, sizeof expected), 0);

    changed.FaultID = 2;
    changed.FaultStandardID = 55;
    EXPECT_EQ(store.UpdateFaultRecord(changed), 0);
    ASSERT_EQ(store.QueryFaults(-1, -1, -1, faults), 1);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].FaultStandardID, 9);
}

TEST_F(FaultStoreTest, DeleteRemovesTheRowAndTheTopKeyIsReused)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    CFaultStore store;
    ASSERT_EQ(store.OpenTaskFaultDB(task), 1);
    for (int i = 0; i < 3; ++i) {
        _FAULT_ fault = MakeFault(5, 1, 3);
        ASSERT_EQ(store.AddFaultRecord(fault), 1);
    }
    EXPECT_EQ(store.DeleteFaultRecord(3), 1);
    EXPECT_EQ(store.DeleteFaultRecord(99), 1);
    std::vector<_FAULT_> faults;
    ASSERT_EQ(store.QueryFaults(-1, -1, -1, faults), 1);
    EXPECT_EQ(IdsOf(faults), std::vector<int>({1, 2}));
    EXPECT_EQ(store.NextFaultID(), 3);
}

TEST_F(FaultStoreTest, ChosenFileWithoutFaultTableIsRefusedAndThePreviousFileStaysOpen)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    CFaultStore store;
    ASSERT_EQ(store.OpenTaskFaultDB(task), 1);
    const QString taskFile = store.FaultFilePath();

    const QString foreign = RootPath(QStringLiteral("foreign.accdb"));
    ASSERT_TRUE(ExecuteOn(foreign, QStringLiteral("CREATE TABLE OTHER (a INTEGER)")));
    EXPECT_EQ(store.OpenFaultDBFile(foreign), 0);
    ASSERT_EQ(prompts_.Prompts().size(), 1);
    EXPECT_EQ(prompts_.Prompts()[0].text, NotFaultFileText);
    EXPECT_EQ(prompts_.Prompts()[0].type, 64u);
    EXPECT_EQ(store.FaultFilePath(), taskFile);
    EXPECT_EQ(store.IsFaultDBOpen(), 1);
    _FAULT_ fault = MakeFault(5, 1, 3);
    EXPECT_EQ(store.AddFaultRecord(fault), 1);

    EXPECT_EQ(store.OpenFaultDBFile(RootPath(QStringLiteral("absent.accdb"))), 1);
    ASSERT_EQ(prompts_.Prompts().size(), 2);
    EXPECT_EQ(prompts_.Prompts()[1].text, MissingFaultFileText);
    EXPECT_EQ(store.FaultFilePath(), taskFile);
}

TEST_F(FaultStoreTest, ChosenDefectFileReplacesTheTaskFileAndKeepsTheTask)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    CFaultStore store;
    ASSERT_EQ(store.OpenTaskFaultDB(task), 1);
    const QString chosen = NewDefectFile(QStringLiteral("chosen.accdb"));
    ASSERT_TRUE(ExecuteOn(chosen, QStringLiteral("INSERT INTO FAULT_DETAIL (FaultID, FaultChannelID) VALUES (40, 6)")));

    EXPECT_EQ(store.OpenFaultDBFile(chosen), 1);
    EXPECT_EQ(store.FaultFilePath(), chosen);
    std::vector<_FAULT_> faults;
    ASSERT_EQ(store.LoadChannelFaults(6, faults), 1);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].FaultID, 40);
    EXPECT_EQ(faults[0].TrackID, 12);
    _FAULT_ fault = MakeFault(5, 1, 3);
    ASSERT_EQ(store.AddFaultRecord(fault), 1);
    EXPECT_EQ(fault.FaultID, 41);
    EXPECT_TRUE(prompts_.Prompts().isEmpty());
}

TEST_F(FaultStoreTest, OpeningAnotherTaskRepointsTheStore)
{
    const Task first = MakeTask(QStringLiteral("T1"), true);
    const Task second = MakeTask(QStringLiteral("T2"), true);
    CFaultStore store;
    ASSERT_EQ(store.OpenTaskFaultDB(first), 1);
    _FAULT_ fault = MakeFault(5, 1, 3);
    ASSERT_EQ(store.AddFaultRecord(fault), 1);

    ASSERT_EQ(store.OpenTaskFaultDB(second), 1);
    std::vector<_FAULT_> faults;
    ASSERT_EQ(store.QueryFaults(-1, -1, -1, faults), 1);
    EXPECT_TRUE(faults.empty());

    // A task without files has no defect file: nothing may land in the previous one.
    Task empty;
    empty.TaskName = QStringLiteral("T3");
    EXPECT_EQ(store.OpenTaskFaultDB(empty), 1);
    EXPECT_EQ(store.IsFaultDBOpen(), 0);
    EXPECT_EQ(store.AddFaultRecord(fault), 0);
    EXPECT_TRUE(prompts_.Prompts().isEmpty());
}

TEST_F(FaultStoreTest, OpenedOnAWorkerAndUsedOnTheMainThread)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    CFaultStore store;
    int opened = 0;
    std::vector<_FAULT_> loaded(1);
    std::thread worker([&] {
        opened = store.OpenTaskFaultDB(task);
        store.LoadChannelFaults(5, loaded);
    });
    worker.join();
    ASSERT_EQ(opened, 1);
    EXPECT_TRUE(loaded.empty());

    _FAULT_ fault = MakeFault(5, 1, 3);
    EXPECT_EQ(store.AddFaultRecord(fault), 1);
    ASSERT_EQ(store.LoadChannelFaults(5, loaded), 1);
    EXPECT_EQ(loaded.size(), 1u);
}

// The main frame asks whether a defect file is open while the progress
// dialog's worker re-points and reloads the store.
TEST_F(FaultStoreTest, OpenStateCanBeAskedWhileAWorkerReopensTheStore)
{
    const Task tasks[] = {MakeTask(QStringLiteral("T1"), true), MakeTask(QStringLiteral("T2"), false)};
    CFaultStore store;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        std::vector<_FAULT_> loaded;
        for (int i = 0; i < 200; ++i) {
            store.OpenTaskFaultDB(tasks[i % 2]);
            store.LoadChannelFaults(5, loaded);
        }
        store.OpenTaskFaultDB(tasks[0]);
        done = true;
    });
    int answers = 0;
    while (!done)
        answers += store.IsFaultDBOpen() + !store.FaultFilePath().isEmpty();
    worker.join();
    EXPECT_GT(answers, 0);
    EXPECT_EQ(store.IsFaultDBOpen(), 1);
    EXPECT_EQ(prompts_.Prompts().size(), 100);
}

TEST_F(FaultStoreTest, ValuesThatAreNo32BitIntegerFailTheRead)
{
    const Task task = MakeTask(QStringLiteral("T1"), true);
    const QString path = FaultFilePathFor(task);
    CFaultStore store;
    ASSERT_EQ(store.OpenTaskFaultDB(task), 1);
    const char* const badRows[] = {
        "INSERT INTO FAULT_DETAIL (FaultID, FaultChannelID, FaultX) VALUES (1, 5, 'left')",
        "INSERT INTO FAULT_DETAIL (FaultID, FaultChannelID, FaultX) VALUES (1, 5, 4294967296)",
    };
    for (const char* row : badRows) {
        ASSERT_TRUE(ExecuteOn(path, QStringLiteral("DELETE FROM FAULT_DETAIL")));
        ASSERT_TRUE(ExecuteOn(path, QString::fromLatin1(row)));
        std::vector<_FAULT_> faults(1);
        EXPECT_EQ(store.LoadChannelFaults(5, faults), 0) << row;
        EXPECT_TRUE(faults.empty());
    }
    ASSERT_TRUE(ExecuteOn(path, QStringLiteral("UPDATE FAULT_DETAIL SET FaultID = 2147483647")));
    _FAULT_ fault = MakeFault(5, 1, 3);
    EXPECT_EQ(store.AddFaultRecord(fault), 0) << "no key above the 32-bit range";
}
}
