// A base database that is not one: the table operations answer 0 with a
// clear text, never crash, and leave the file as it was; whether the damage
// was there before connecting or appeared under an open connection.

#include "CConnectionDescriptor.h"
#include "ConnectedStore.h"
#include "ReportRecorder.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace
{
const QString Success = QStringLiteral("操作成功");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Overwrites the file in place, so an open connection keeps its handle.
void Overwrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(0));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray RandomBytes(const QByteArray&)
{
    QByteArray bytes(16384, '\0');
    QRandomGenerator generator(77);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

QByteArray Nothing(const QByteArray&) { return QByteArray(); }

QByteArray FirstHalf(const QByteArray& base) { return base.left(base.size() / 2); }

struct DamageCase
{
    const char* name;
    QByteArray (*damage)(const QByteArray& base);
    bool underOpenConnection;
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedBaseDatabase : public ::testing::TestWithParam<DamageCase>
{
protected:
    void SetUp() override
    {
        dir.createBaseDatabase();
        const DamageCase& c = GetParam();
        if (c.underOpenConnection) {
            ASSERT_EQ(store->ConnectDB(dir.connectionString()), 1);
        }
        damaged = c.damage(ReadAll(dir.databasePath()));
        Overwrite(dir.databasePath(), damaged);
        if (!c.underOpenConnection) {
            EXPECT_EQ(store->ConnectDB(dir.connectionString()), 0);
        }
    }

    // Runs one operation that must fail; answers its last error text.
    template <typename Operation>
    QString fails(const char* name, Operation operation)
    {
        EXPECT_EQ(operation(), 0) << name;
        return store->GetLastErrorText();
    }

    TempProgramDir dir;
    StoreHandle store = NewStore();
    QByteArray damaged;
};

TEST_P(DamagedBaseDatabase, OperationsFailWithATextAndTheFileIsKept)
{
    ReportRecorder reports;
    using Task = ILumetraDBInterface::_DB_TASK_STRUCT_;

    std::vector<Task> tasks;
    EXPECT_NE(fails("GetTasks", [&] { return store->GetTasks(0, 0, tasks); }), Success);
    Task task;
    EXPECT_NE(fails("GetTask", [&] { return store->GetTask(1, task); }), Success);
    std::vector<int> years;
    EXPECT_NE(fails("GetTaskYears", [&] { return store->GetTaskYears(years); }), Success);
    task.TaskName = QStringLiteral("new");
    QString errorText;
    fails("AddTask", [&] { return store->AddTask(task, errorText); });
    EXPECT_FALSE(errorText.isEmpty());
    ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_ file;
    EXPECT_NE(fails("AddTaskFile", [&] { return store->AddTaskFile(file); }), Success);
    fails("DeleteTask", [&] { return store->DeleteTask(1); });

    std::vector<ILumetraDBInterface::_LINE_INFO_STRUCT_> lines;
    EXPECT_NE(fails("GetLines", [&] { return store->GetLines(lines); }), Success);
    ILumetraDBInterface::_LINE_INFO_STRUCT_ line;
    EXPECT_NE(fails("AddLine", [&] { return store->AddLine(line); }), Success);
    _TRACK_DEFINE_STRUCT_ track;
    EXPECT_NE(fails("AddTrackDefine", [&] { return store->AddTrackDefine(track); }), Success);
    EXPECT_NE(fails("UpdateTemplateTracks", [&] { return store->UpdateTemplateTracks(1, {1, 2}); }), Success);
    int used = 0;
    EXPECT_NE(fails("IsSectionNameUsed", [&] { return store->IsSectionNameUsed(0, QStringLiteral("a"), QString(), used); }),
              Success);
    fails("DeleteLine", [&] { return store->DeleteLine(1); });

    EXPECT_EQ(ReadAll(dir.databasePath()), damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedBaseDatabase,
    ::testing::Values(DamageCase{"RandomBytes", RandomBytes, false},
                      DamageCase{"EmptyFile", Nothing, false},
                      DamageCase{"TruncatedCopy", FirstHalf, false},
                      DamageCase{"RandomBytesUnderOpenConnection", RandomBytes, true},
                      DamageCase{"EmptiedUnderOpenConnection", Nothing, true}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });
}
