// How failures reach the caller: the reporting opener, the last error text,
// column data that does not convert, and the configuration file read.

#include "CConnectionDescriptor.h"
#include "ReportRecorder.h"
#include "SqlFile.h"
#include "ConnectedStore.h"
#include "TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace
{
const QString Success = QStringLiteral("操作成功");

using StoreErrors = ConnectedStoreTest;

TEST_F(StoreErrors, FailedListReadIsReportedOnceAndExplained)
{
    SqlFile::Exec(dir.databasePath(), QStringLiteral("DROP TABLE Standard"));
    ReportRecorder reports;
    std::vector<_FAULTY_STANDER_STRUCT_> standards(2);

    EXPECT_EQ(store->GetFaultyStandards(standards), 0);
    EXPECT_TRUE(standards.empty());
    ASSERT_EQ(reports.texts().size(), 1);
    EXPECT_TRUE(reports.texts().first().startsWith(QStringLiteral("Excute FAILED:")));
    EXPECT_TRUE(reports.texts().first().contains(QStringLiteral("Standard")));
    // The operation's own text replaces the opener's.
    EXPECT_TRUE(store->GetLastErrorText().startsWith(QStringLiteral("SQL FAILED:")))
        << store->GetLastErrorText().toStdString();
}

TEST_F(StoreErrors, TrackReadFailureKeepsTheOpenersText)
{
    SqlFile::Exec(dir.databasePath(), QStringLiteral("DROP TABLE Track"));
    ReportRecorder reports;
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;

    EXPECT_EQ(store->GetAllTracks(tracks), 0);
    ASSERT_EQ(reports.texts().size(), 1);
    EXPECT_EQ(store->GetLastErrorText(), reports.texts().first());
}

TEST_F(StoreErrors, SuccessfulReadsAndConnectFailuresReportNothing)
{
    ReportRecorder reports;
    std::vector<_FAULTY_STANDER_STRUCT_> standards;
    EXPECT_EQ(store->GetFaultyStandards(standards), 1);
    EXPECT_EQ(store->GetLastErrorText(), Success);

    StoreHandle unconnected = NewStore();
    unconnected->ConnectDB(CConnectionDescriptor::ForSQLiteFile(dir.filePath(QStringLiteral("missing.mdb"))));
    EXPECT_EQ(unconnected->GetFaultyStandards(standards), 0);
    EXPECT_TRUE(unconnected->GetLastErrorText().startsWith(QStringLiteral("DB connect Failed::")));
    EXPECT_TRUE(reports.texts().isEmpty()) << reports.texts().join(u'\n').toStdString();
}

TEST_F(StoreErrors, ChannelWithoutPhysicalChannelReadsAsZero)
{
    SqlFile::Exec(dir.databasePath(), QStringLiteral("UPDATE Track SET Track_ChannelID = NULL WHERE TrackID = 2"));
    SqlFile::Exec(dir.databasePath(), QStringLiteral("UPDATE Track SET Track_ChannelID = '' WHERE TrackID = 3"));
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    ASSERT_EQ(store->GetAllTracks(tracks), 1);
    EXPECT_EQ(tracks.at(0).Track_ChannelID, 1010);
    EXPECT_EQ(tracks.at(1).Track_ChannelID, 0);
    EXPECT_EQ(tracks.at(2).Track_ChannelID, 0);
}

TEST_F(StoreErrors, UnconvertibleColumnEndsTheReadKeepingEarlierRows)
{
    SqlFile::Exec(dir.databasePath(),
                  QStringLiteral("INSERT INTO Track (TrackID, TrackName, TrackScale) VALUES (7, 'bad', 'wide')"));
    SqlFile::Exec(dir.databasePath(),
                  QStringLiteral("INSERT INTO Standard (StandardID, StandardName, StandardClass) VALUES (2000, 'x', 'device')"));
    ReportRecorder reports;

    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    EXPECT_EQ(store->GetAllTracks(tracks), 0);
    EXPECT_EQ(tracks.size(), 6u);

    std::vector<_FAULTY_STANDER_STRUCT_> standards;
    EXPECT_EQ(store->GetFaultyStandards(standards), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(QStringLiteral("SQL FAILED:")));
    EXPECT_TRUE(store->GetLastErrorText().contains(QStringLiteral("StandardClass")));
    EXPECT_FALSE(standards.empty());
    EXPECT_TRUE(reports.texts().isEmpty());
}

// Without the file table a task still reads, without its files; each write
// answers with its own text.
TEST_F(StoreErrors, MissingTaskTablesGiveEachOperationItsOwnAnswer)
{
    SqlFile::Exec(dir.databasePath(), QStringLiteral("DROP TABLE Track_Task_File"));
    ReportRecorder reports;
    ILumetraDBInterface::_DB_TASK_STRUCT_ task;
    task.TaskName = QStringLiteral("T");
    QString errorText;
    ASSERT_EQ(store->AddTask(task, errorText), 1) << errorText.toStdString();
    ILumetraDBInterface::_DB_TASK_STRUCT_ read;
    EXPECT_EQ(store->GetTask(task.TaskID, read), 1);
    EXPECT_TRUE(read.files.empty());
    EXPECT_EQ(reports.texts().size(), 1);

    ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_ file;
    file.TaskID = task.TaskID;
    EXPECT_EQ(store->AddTaskFile(file), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(QStringLiteral("Excute FAILED:")));
    EXPECT_EQ(store->DeleteTask(task.TaskID), 0);

    SqlFile::Exec(dir.databasePath(), QStringLiteral("DROP TABLE Track_Task"));
    ILumetraDBInterface::_DB_TASK_STRUCT_ another;
    another.TaskID = 5;
    EXPECT_EQ(store->AddTask(another, errorText), 0);
    EXPECT_EQ(errorText, QStringLiteral("任务ID不存在 track_task"));
    std::vector<int> years;
    EXPECT_EQ(store->GetTaskYears(years), 0);
    EXPECT_EQ(store->ReservedTaskOperation(5, QStringLiteral("x")), 1);
}

TEST_F(StoreErrors, AddTaskWithoutADatabaseCountsTheNameAsTaken)
{
    StoreHandle unconnected = NewStore();
    unconnected->ConnectDB(CConnectionDescriptor::ForSQLiteFile(dir.filePath(QStringLiteral("missing.mdb"))));
    ILumetraDBInterface::_DB_TASK_STRUCT_ task;
    task.TaskID = 3;
    QString errorText;
    EXPECT_EQ(unconnected->AddTask(task, errorText), 0);
    EXPECT_EQ(errorText, QStringLiteral("当前任务名已经存在!"));
    EXPECT_TRUE(unconnected->GetLastErrorText().startsWith(QStringLiteral("DB connect Failed::")));
    EXPECT_EQ(task.TaskID, 3);
}

class ReadDBConfigFile : public ::testing::Test
{
protected:
    QString write(const QByteArray& bytes)
    {
        QFile file(dir.filePath(QStringLiteral("db.cfg")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return QStringLiteral("db.cfg");
    }

    TempProgramDir dir;
    StoreHandle store = NewStore();
};

TEST_F(ReadDBConfigFile, MissingFileGivesEmptyTextAndItsMessage)
{
    EXPECT_EQ(store->ReadDBConfigFile(dir.path(), QStringLiteral("missing.cfg")), QString());
    EXPECT_EQ(store->GetLastErrorText(), QStringLiteral("无法打开数据库配置文件!"));
    EXPECT_EQ(store->ReadDBConfigFile(dir.path(), QString()), QString());
    EXPECT_EQ(store->GetLastErrorText(), QStringLiteral("无法打开数据库配置文件!"));
}

TEST_F(ReadDBConfigFile, EmptyFileGivesEmptyTextAndItsMessage)
{
    EXPECT_EQ(store->ReadDBConfigFile(dir.path(), write(QByteArray())), QString());
    EXPECT_EQ(store->GetLastErrorText(), QStringLiteral("数据库配置文件为空!"));
}

TEST_F(ReadDBConfigFile, ContentComesBackUnchangedAsUtf8)
{
    const QString content = QStringLiteral("  Provider=SQLite;Data Source=\"/数据/basedata.mdb\"\r\n");
    EXPECT_EQ(store->ReadDBConfigFile(dir.path(), write(content.toUtf8())), content);
    EXPECT_EQ(store->GetLastErrorText(), Success);
}
}
