// The read-only listings of lumetra-admin, run as processes.

#include "AdminProcess.h"
#include "ConnectedStore.h"
#include "SqlFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{
class AdminListing : public ConnectedStoreTest
{
protected:
    void addTask(const QString& name, const QDate& day)
    {
        ILumetraDBInterface::_DB_TASK_STRUCT_ task;
        task.TaskName = name;
        task.StartTime = QDateTime(day, QTime(8, 0));
        QString errorText;
        ASSERT_EQ(store->AddTask(task, errorText), 1);
        ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_ file;
        file.TaskID = task.TaskID;
        file.TrackID = 3;
        file.FilePath = QStringLiteral("/data/%1/LI/run.bimf").arg(name);
        ASSERT_EQ(store->AddTaskFile(file), 1);
    }
};

// Each listing of a fresh database, by directory and by file, with a line
// it must show.
TEST_F(AdminListing, FreshDatabaseListsByDirectoryAndByFile)
{
    const QList<QPair<QString, QString>> listings = {
        {QStringLiteral("tasks"), QStringLiteral("tasks: 0")},
        {QStringLiteral("channels"), QStringLiteral("1070\t右内\tRI")},
        {QStringLiteral("templates"), QStringLiteral("六通道标准模板\t6 channels")},
        {QStringLiteral("types"), QStringLiteral("1009\t接头夹板断裂\tdevice\tbuilt-in")},
        {QStringLiteral("options"), QStringLiteral("options: 0")},
        {QStringLiteral("lines"), QStringLiteral("lines: 0")},
    };
    for (const QString& target : {dir.path(), dir.databasePath()}) {
        for (const auto& [command, expected] : listings) {
            const AdminResult result = RunAdmin({command, target});
            EXPECT_EQ(result.exitCode, 0) << command.toStdString() << ": " << result.output.toStdString();
            EXPECT_TRUE(result.output.contains(expected)) << command.toStdString() << ": " << result.output.toStdString();
        }
    }
}

TEST_F(AdminListing, TasksWithTheirFilesFilteredByYearAndMonth)
{
    addTask(QStringLiteral("May run"), QDate(2019, 5, 3));
    addTask(QStringLiteral("June run"), QDate(2019, 6, 1));
    addTask(QStringLiteral("2020 run"), QDate(2020, 1, 9));

    const AdminResult all = RunAdmin({QStringLiteral("tasks"), dir.path()});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_TRUE(all.output.contains(QStringLiteral("tasks: 3")));
    EXPECT_TRUE(all.output.contains(QStringLiteral("/data/May run/LI/run.bimf")));
    EXPECT_TRUE(all.output.contains(QStringLiteral("左内 (LI)"))) << all.output.toStdString();

    const AdminResult may = RunAdmin({QStringLiteral("tasks"), dir.path(), QStringLiteral("--year"),
                                      QStringLiteral("2019"), QStringLiteral("--month"), QStringLiteral("5")});
    EXPECT_EQ(may.exitCode, 0);
    EXPECT_TRUE(may.output.contains(QStringLiteral("tasks: 1")));
    EXPECT_TRUE(may.output.contains(QStringLiteral("May run")));
    EXPECT_FALSE(may.output.contains(QStringLiteral("June run")));
}

TEST_F(AdminListing, OptionsLinesAndSectionsAsStored)
{
    ASSERT_EQ(store->SetAppOption(QStringLiteral("ZhenCount"), QStringLiteral("3")), 1);
    ILumetraDBInterface::_LINE_INFO_STRUCT_ line{0, QStringLiteral("京沪线"), QStringLiteral("JH"), 12, 5, 80, 300};
    ASSERT_EQ(store->AddLine(line), 1);
    ILumetraDBInterface::_SECTION_INFO_STRUCT_ section{0, line.LineID, QStringLiteral("徐州-蚌埠"), QStringLiteral("XB"),
                                                       20, 0, 30, 40};
    ASSERT_EQ(store->AddSection(section), 1);

    EXPECT_TRUE(RunAdmin({QStringLiteral("options"), dir.path()}).output.contains(QStringLiteral("ZhenCount = 3")));
    const AdminResult lines = RunAdmin({QStringLiteral("lines"), dir.path()});
    EXPECT_TRUE(lines.output.contains(QStringLiteral("京沪线\tJH\tK12+005 - K80+300\t1 sections")))
        << lines.output.toStdString();
    EXPECT_TRUE(lines.output.contains(QStringLiteral("徐州-蚌埠\tXB\tK20+000 - K30+040")));
}

TEST_F(AdminListing, UnopenableDatabaseExitsWithOne)
{
    QFile notADatabase(dir.filePath(QStringLiteral("random.mdb")));
    ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write(QByteArray(4096, '\x5a'));
    notADatabase.close();

    for (const QString& target : {dir.filePath(QStringLiteral("missing.mdb")), notADatabase.fileName()}) {
        for (const QString& command : {QStringLiteral("tasks"), QStringLiteral("options")}) {
            const AdminResult result = RunAdmin({command, target});
            EXPECT_EQ(result.exitCode, 1) << command.toStdString() << " " << target.toStdString();
            EXPECT_TRUE(result.output.contains(QStringLiteral("cannot"))) << result.output.toStdString();
        }
    }
}

TEST_F(AdminListing, WrongUsageExitsWithTwo)
{
    const QList<QStringList> wrongUsages = {
        {QStringLiteral("tasks")},
        {QStringLiteral("channels"), dir.path(), dir.path()},
        {QStringLiteral("types"), dir.path(), QStringLiteral("--year"), QStringLiteral("2019")},
        {QStringLiteral("tasks"), dir.path(), QStringLiteral("--month"), QStringLiteral("5")},
        {QStringLiteral("tasks"), dir.path(), QStringLiteral("--year")},
        {QStringLiteral("tasks"), dir.path(), QStringLiteral("--year"), QStringLiteral("last")},
        {QStringLiteral("tasks"), dir.path(), QStringLiteral("--year"), QStringLiteral("2019"), QStringLiteral("--month"),
         QStringLiteral("13")},
    };
    for (const QStringList& arguments : wrongUsages) {
        const AdminResult result = RunAdmin(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.output.contains(QStringLiteral("usage:"))) << result.output.toStdString();
    }
}
}
