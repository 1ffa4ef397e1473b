// Tasks and their channel files: keys, the name rule, the year and month
// indexes, the join with the channels and what is written as typed.

#include "ConnectedStore.h"
#include "SqlFile.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <chrono>
#include <thread>

namespace
{
using Task = ILumetraDBInterface::_DB_TASK_STRUCT_;
using TaskFile = ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_;

const QString Success = QStringLiteral("操作成功");

Task MakeTask(const QString& name, const QDateTime& start)
{
    Task task;
    task.TaskName = name;
    task.LineName = QStringLiteral("京沪线");
    task.LineCode = QStringLiteral("JH");
    task.SectionName = QStringLiteral("徐州-蚌埠");
    task.StartTime = start;
    task.EndTime = start.addSecs(3600);
    task.CarDirection = 1;
    task.KMDirection = 0;
    task.StartKm = 12;
    task.StartM = 300;
    task.EndKm = 15;
    task.EndM = 450;
    return task;
}

TaskFile MakeFile(int taskId, int trackId)
{
    TaskFile file;
    file.TaskID = taskId;
    file.TrackID = trackId;
    file.ChannelID = 1000 + trackId;
    file.LineCode = QStringLiteral("JH");
    file.LineName = QStringLiteral("京沪线");
    file.RunDirection = 1;
    file.CarDirection = 1;
    file.KMDirection = 0;
    file.RailSide = QStringLiteral("L");
    file.TrainNo = QStringLiteral("GJC-07");
    file.PhotoNum = 5400;
    file.StartRunDate = QDateTime(QDate(2019, 5, 3), QTime(0, 0));
    file.StartRunTime = QDateTime(QDate(1899, 12, 30), QTime(8, 15, 30));
    file.EndRunDate = QDateTime(QDate(2019, 5, 4), QTime(0, 0));
    file.EndRunTime = QDateTime(QDate(1899, 12, 30), QTime(0, 5, 9));
    file.StartKm = 12;
    file.StartM = 300;
    file.EndKM = 15;
    file.EndM = 450;
    file.VResolution = 1;
    file.HResolution = 2;
    file.VPixelNum = 2000;
    file.HPixelNum = 2048;
    file.PhotoType = 1;
    file.FilePath = QStringLiteral("/data/任务/LO/run_%1.bimf").arg(trackId);
    return file;
}

class TaskTables : public ConnectedStoreTest
{
protected:
    int addTask(const QString& name, const QDateTime& start)
    {
        Task task = MakeTask(name, start);
        QString errorText;
        EXPECT_EQ(store->AddTask(task, errorText), 1) << errorText.toStdString();
        return task.TaskID;
    }

    int addFile(int taskId, int trackId)
    {
        TaskFile file = MakeFile(taskId, trackId);
        EXPECT_EQ(store->AddTaskFile(file), 1) << store->GetLastErrorText().toStdString();
        return file.FileID;
    }

    std::vector<Task> tasks(int year, int month)
    {
        std::vector<Task> out;
        EXPECT_EQ(store->GetTasks(year, month, out), 1);
        return out;
    }

    static std::vector<QString> names(const std::vector<Task>& list)
    {
        std::vector<QString> out;
        for (const Task& task : list)
            out.push_back(task.TaskName);
        return out;
    }

    int count(const QString& sql) { return SqlFile::Scalar(dir.databasePath(), sql).toInt(); }
};

TEST_F(TaskTables, KeysStartAtOneAndReuseAFreedTopKey)
{
    const QDateTime start(QDate(2019, 5, 3), QTime(8, 0));
    EXPECT_EQ(addTask(QStringLiteral("A"), start), 1);
    EXPECT_EQ(addFile(1, 1), 1);
    EXPECT_EQ(addTask(QStringLiteral("B"), start), 2);
    EXPECT_EQ(addFile(2, 2), 2);
    EXPECT_EQ(addTask(QStringLiteral("C"), start), 3);

    EXPECT_EQ(store->DeleteTask(3), 1);
    EXPECT_EQ(addTask(QStringLiteral("D"), start), 3);

    // Deleting a task takes its files; the top FileID is free again.
    EXPECT_EQ(store->DeleteTask(2), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Track_Task_File WHERE TaskID = 2")), 0);
    EXPECT_EQ(addFile(3, 1), 2);

    // A key below the top stays unused.
    EXPECT_EQ(store->DeleteTask(1), 1);
    EXPECT_EQ(addTask(QStringLiteral("E"), start), 4);
    EXPECT_EQ(store->DeleteTask(99), 1);
}

TEST_F(TaskTables, DuplicateNameIsRefusedWithoutARowOrANewTaskID)
{
    addTask(QStringLiteral("巡检 2019-05"), QDateTime(QDate(2019, 5, 3), QTime(8, 0)));
    addTask(QStringLiteral("Run A"), QDateTime(QDate(2019, 5, 4), QTime(8, 0)));
    // Names compare ignoring letter case, as the task list shows them.
    for (const QString& name : {QStringLiteral("巡检 2019-05"), QStringLiteral("run a")}) {
        Task again = MakeTask(name, QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
        again.TaskID = 77;
        QString errorText;
        EXPECT_EQ(store->AddTask(again, errorText), 0);
        EXPECT_EQ(errorText, QStringLiteral("当前任务名已经存在!"));
        EXPECT_EQ(again.TaskID, 77);
    }
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Track_Task")), 2);
    EXPECT_EQ(addTask(QStringLiteral("巡检 2019-06"), QDateTime(QDate(2019, 6, 3), QTime(8, 0))), 3);
}

TEST_F(TaskTables, TaskAndFilesReadBackAsWrittenWithTheirChannels)
{
    Task written = MakeTask(QStringLiteral("往返检测"), QDateTime(QDate(2019, 5, 3), QTime(8, 15, 30)));
    written.IsSwap = 0;
    QString errorText;
    ASSERT_EQ(store->AddTask(written, errorText), 1);
    const TaskFile file = MakeFile(written.TaskID, 4);
    TaskFile added = file;
    ASSERT_EQ(store->AddTaskFile(added), 1);

    Task read;
    ASSERT_EQ(store->GetTask(written.TaskID, read), 1);
    EXPECT_EQ(store->GetLastErrorText(), Success);
    EXPECT_EQ(read.TaskID, written.TaskID);
    EXPECT_EQ(read.TaskName, written.TaskName);
    EXPECT_EQ(read.LineName, written.LineName);
    EXPECT_EQ(read.LineCode, written.LineCode);
    EXPECT_EQ(read.SectionName, written.SectionName);
    EXPECT_EQ(read.StartTime, written.StartTime);
    EXPECT_EQ(read.EndTime, written.EndTime);
    EXPECT_EQ(read.CarDirection, 1);
    EXPECT_EQ(read.IsSwap, 1);  // whatever the record held
    EXPECT_EQ(read.StartKm, 12);
    EXPECT_EQ(read.StartM, 300);
    EXPECT_EQ(read.EndKm, 15);
    EXPECT_EQ(read.EndM, 450);
    EXPECT_EQ(SqlFile::Scalar(dir.databasePath(), QStringLiteral("SELECT StartTime FROM Track_Task")).toString(),
              QStringLiteral("2019-05-03 08:15:30"));
    EXPECT_EQ(count(QStringLiteral("SELECT StartYear * 100 + StartMonth FROM Track_Task")), 201905);

    ASSERT_EQ(read.files.size(), 1u);
    const TaskFile& got = read.files.front();
    EXPECT_EQ(got.FileID, 1);
    EXPECT_EQ(got.TaskID, written.TaskID);
    EXPECT_EQ(got.TaskName, written.TaskName);
    EXPECT_EQ(got.TrackName, QStringLiteral("右外"));
    EXPECT_EQ(got.TrackSubDirectory, QStringLiteral("RO"));
    EXPECT_EQ(got.StartRunDate.date(), file.StartRunDate.date());
    EXPECT_EQ(got.StartRunTime.time(), file.StartRunTime.time());
    EXPECT_EQ(got.EndRunDate.date(), file.EndRunDate.date());
    EXPECT_EQ(got.EndRunTime.time(), file.EndRunTime.time());
    EXPECT_EQ(SqlFile::Scalar(dir.databasePath(), QStringLiteral("SELECT StartRunDate || ' ' || EndRunTime FROM Track_Task_File"))
                  .toString(),
              QStringLiteral("2019-05-03 00:05:09"));
    const auto numbers = [](const TaskFile& f) {
        return std::vector<int>{f.RunDirection, f.CarDirection, f.KMDirection, f.PhotoNum, f.StartKm,
                                f.StartM,       f.EndKM,        f.EndM,        f.VResolution, f.HResolution,
                                f.VPixelNum,    f.HPixelNum,    f.PhotoType,   f.TrackID,     f.ChannelID};
    };
    EXPECT_EQ(numbers(got), numbers(file));
    EXPECT_EQ(got.LineCode, file.LineCode);
    EXPECT_EQ(got.LineName, file.LineName);
    EXPECT_EQ(got.RailSide, file.RailSide);
    EXPECT_EQ(got.TrainNo, file.TrainNo);
    EXPECT_EQ(got.FilePath, file.FilePath);
}

TEST_F(TaskTables, AnotherWritersIsSwapZeroReadsBackAsZero)
{
    SqlFile::Exec(dir.databasePath(),
                  QStringLiteral("INSERT INTO Track_Task (TaskID, TaskName, StartYear, StartMonth, StartTime, IsSwap)"
                                 " VALUES (5, 'imported', 2018, 2, '2018-02-01 10:00:00', 0)"));
    Task read;
    ASSERT_EQ(store->GetTask(5, read), 1);
    EXPECT_EQ(read.IsSwap, 0);
    EXPECT_EQ(read.StartTime, QDateTime(QDate(2018, 2, 1), QTime(10, 0)));
    EXPECT_EQ(addTask(QStringLiteral("next"), QDateTime(QDate(2018, 3, 1), QTime(0, 0))), 6);
}

TEST_F(TaskTables, GetTaskOfAMissingIdFailsQuietly)
{
    Task read;
    read.TaskName = QStringLiteral("untouched");
    EXPECT_EQ(store->GetTask(42, read), 0);
    EXPECT_EQ(store->GetLastErrorText(), Success);
    EXPECT_EQ(read.TaskName, QStringLiteral("untouched"));
}

TEST_F(TaskTables, GetTaskAppendsFilesSoASecondCallDoublesThem)
{
    const int id = addTask(QStringLiteral("T"), QDateTime(QDate(2019, 5, 3), QTime(8, 0)));
    addFile(id, 1);
    addFile(id, 2);
    Task read;
    ASSERT_EQ(store->GetTask(id, read), 1);
    ASSERT_EQ(store->GetTask(id, read), 1);
    EXPECT_EQ(read.files.size(), 4u);
}

TEST_F(TaskTables, FilesOfDeletedChannelsAreInvisible)
{
    const int lost = addTask(QStringLiteral("lost"), QDateTime(QDate(2019, 5, 3), QTime(8, 0)));
    const int mixed = addTask(QStringLiteral("mixed"), QDateTime(QDate(2019, 5, 4), QTime(8, 0)));
    addFile(lost, 97);
    addFile(lost, 98);
    addFile(mixed, 3);
    addFile(mixed, 99);
    addFile(mixed, 5);

    const std::vector<Task> all = tasks(0, 0);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_TRUE(all.at(0).files.empty());
    ASSERT_EQ(all.at(1).files.size(), 2u);
    EXPECT_EQ(all.at(1).files.at(0).TrackName, QStringLiteral("左内"));
    EXPECT_EQ(all.at(1).files.at(1).TrackName, QStringLiteral("右中"));

    ASSERT_EQ(store->DeleteTrackDefine(3), 1);
    Task read;
    ASSERT_EQ(store->GetTask(mixed, read), 1);
    EXPECT_EQ(read.files.size(), 1u);
}

TEST_F(TaskTables, ListsFilterByYearAndMonthInTimeOrder)
{
    addTask(QStringLiteral("2019-05 late"), QDateTime(QDate(2019, 5, 30), QTime(23, 0)));
    addTask(QStringLiteral("2020-01"), QDateTime(QDate(2020, 1, 2), QTime(9, 0)));
    addTask(QStringLiteral("2019-05 early"), QDateTime(QDate(2019, 5, 1), QTime(7, 0)));
    addTask(QStringLiteral("2019-11"), QDateTime(QDate(2019, 11, 11), QTime(11, 0)));
    addTask(QStringLiteral("2019-05 noon"), QDateTime(QDate(2019, 5, 1), QTime(12, 0)));

    using Names = std::vector<QString>;
    EXPECT_EQ(names(tasks(0, 0)), (Names{"2019-05 early", "2019-05 noon", "2019-05 late", "2019-11", "2020-01"}));
    EXPECT_EQ(names(tasks(0, 11)), names(tasks(0, 0)));
    EXPECT_EQ(names(tasks(2019, 0)), (Names{"2019-05 early", "2019-05 noon", "2019-05 late", "2019-11"}));
    EXPECT_EQ(names(tasks(2019, -1)), names(tasks(2019, 0)));
    EXPECT_EQ(names(tasks(2019, 5)), (Names{"2019-05 early", "2019-05 noon", "2019-05 late"}));
    EXPECT_TRUE(tasks(2019, 6).empty());
    EXPECT_TRUE(tasks(2018, 0).empty());

    std::vector<int> years{1};
    EXPECT_EQ(store->GetTaskYears(years), 1);
    EXPECT_EQ(years, (std::vector<int>{2020, 2019}));
    std::vector<int> months{1};
    EXPECT_EQ(store->GetTaskMonths(2019, months), 1);
    EXPECT_EQ(months, (std::vector<int>{11, 5}));
    EXPECT_EQ(store->GetTaskMonths(2017, months), 1);
    EXPECT_TRUE(months.empty());
}

TEST_F(TaskTables, EmptyTablesGiveEmptyLists)
{
    std::vector<int> years{2019};
    EXPECT_EQ(store->GetTaskYears(years), 1);
    EXPECT_TRUE(years.empty());
    std::vector<Task> list(3);
    EXPECT_EQ(store->GetTasks(0, 0, list), 1);
    EXPECT_TRUE(list.empty());
}

TEST_F(TaskTables, NamesWithQuotesAndPercentSignsAreStoredAsTyped)
{
    const QStringList taskNames = {QStringLiteral("O'Brien's run"), QStringLiteral("the \"fast\" run"),
                                   QStringLiteral("100% coverage_%"), QStringLiteral("x'); DELETE FROM Track; --")};
    for (const QString& name : taskNames) {
        Task task = MakeTask(name, QDateTime(QDate(2019, 5, 3), QTime(8, 0)));
        task.LineName = name;
        QString errorText;
        ASSERT_EQ(store->AddTask(task, errorText), 1) << name.toStdString() << errorText.toStdString();
        TaskFile file = MakeFile(task.TaskID, 1);
        file.FilePath = QStringLiteral("/data/%1/LO.bimf").arg(name);
        ASSERT_EQ(store->AddTaskFile(file), 1);

        Task read;
        ASSERT_EQ(store->GetTask(task.TaskID, read), 1);
        EXPECT_EQ(read.TaskName, name);
        EXPECT_EQ(read.LineName, name);
        ASSERT_EQ(read.files.size(), 1u);
        EXPECT_EQ(read.files.front().FilePath, file.FilePath);

        // The name check sees the stored name, apostrophes and all.
        Task again = MakeTask(name, QDateTime(QDate(2019, 5, 3), QTime(8, 0)));
        EXPECT_EQ(store->AddTask(again, errorText), 0) << name.toStdString();
        EXPECT_EQ(errorText, QStringLiteral("当前任务名已经存在!"));
    }
    // A percent sign or an underscore is no wildcard in the name check.
    EXPECT_EQ(addTask(QStringLiteral("100x coverageZ"), QDateTime(QDate(2019, 5, 3), QTime(8, 0))), 5);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Track")), 6);
}

// Another writer holds the database while AddTask starts: the key must be
// read after that writer's row is in, not before, or both rows would claim
// the same TaskID.
TEST_F(TaskTables, KeyIsReadAfterAnotherWritersRowIsIn)
{
    const QString name = QStringLiteral("other-writer");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        other.setDatabaseName(dir.databasePath());
        ASSERT_TRUE(other.open());
        QSqlQuery query(other);
        ASSERT_TRUE(query.exec(QStringLiteral("BEGIN IMMEDIATE")));
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO Track_Task (TaskID, TaskName) VALUES (1, 'outside')")));

        int insideId = 0;
        QString errorText;
        std::thread importer([&] {
            Task task = MakeTask(QStringLiteral("inside"), QDateTime(QDate(2019, 5, 3), QTime(8, 0)));
            EXPECT_EQ(store->AddTask(task, errorText), 1) << errorText.toStdString();
            insideId = task.TaskID;
        });
        // Gives the importer time to reach the database; it waits there for
        // the other writer whether it got there or not.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(query.exec(QStringLiteral("COMMIT")));
        importer.join();
        EXPECT_EQ(insideId, 2);
    }
    QSqlDatabase::removeDatabase(name);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Track_Task")), 2);
}
}
