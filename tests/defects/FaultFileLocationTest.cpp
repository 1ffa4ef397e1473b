#include "FaultFileLocation.h"

#include <gtest/gtest.h>

namespace
{
struct NameCase
{
    const char* taskName;
    const char* fileName;
};

TEST(FaultFileLocationTest, FileNameReplacesTheTenCharactersOnly)
{
    const NameCase cases[] = {
        {"A:B 1", "缺陷浏览_A_B_1.accdb"},
        {"?*:\"<>\\/| ", "缺陷浏览___________.accdb"},
        {"京沪线-上行.2019", "缺陷浏览_京沪线-上行.2019.accdb"},
        {"", "缺陷浏览_.accdb"},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(FaultFileNameFor(QString::fromUtf8(c.taskName)), QString::fromUtf8(c.fileName)) << c.taskName;
}

struct DirectoryCase
{
    const char* firstFilePath;
    const char* taskDirectory;
};

TEST(FaultFileLocationTest, TaskDirectoryIsTheParentOfTheChannelFolder)
{
    const DirectoryCase cases[] = {
        {"/data/T1/L/x.bimf", "/data/T1"},
        {"//data//T1//L//x.bimf", "/data/T1"},
        {"/data///T1/L/x.bimf", "/data/T1"},
        {"/data/T1/L/", "/data/T1"},
        {"/L/x.bimf", "/L"},          // the second cut needs a separator after the first character
        {"T1/L/x.bimf", "T1"},
        {"L/x.bimf", "L"},
        {"x.bimf", ""},
        {"/x.bimf", ""},
        {"", ""},
    };
    for (const DirectoryCase& c : cases)
        EXPECT_EQ(TaskDirectoryOf(QString::fromUtf8(c.firstFilePath)), QString::fromUtf8(c.taskDirectory))
            << c.firstFilePath;
}

TEST(FaultFileLocationTest, PathUsesTheFirstFileAndTheSanitisedName)
{
    ILumetraDBInterface::_DB_TASK_STRUCT_ task;
    task.TaskName = QStringLiteral("A:B 1");
    EXPECT_TRUE(FaultFilePathFor(task).isEmpty());

    task.files.resize(2);
    task.files[0].FilePath = QStringLiteral("//data//T1//L//x.bimf");
    task.files[1].FilePath = QStringLiteral("/elsewhere/T9/R/y.bimf");
    EXPECT_EQ(FaultFilePathFor(task), QStringLiteral("/data/T1/缺陷浏览_A_B_1.accdb"));

    task.files[0].FilePath = QStringLiteral("x.bimf");
    EXPECT_TRUE(FaultFilePathFor(task).isEmpty());
}
}
