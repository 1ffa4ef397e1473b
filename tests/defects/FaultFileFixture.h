#pragma once
// A task laid out on disk as the inspection side leaves it: <root>/<task>/
// with one folder per channel, and the task's defect file beside them.
// Prompts are recorded, never shown.

#include "CFaultDatabaseCreator.h"
#include "CFaultStore.h"
#include "CPromptRecorder.h"
#include "FaultFileLocation.h"
#include "ILumetraDBInterface.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Task = ILumetraDBInterface::_DB_TASK_STRUCT_;
using TaskFile = ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_;

inline const QString MissingFaultFileText = QStringLiteral("当前打开任务目录下不存在缺陷数据文件！无法加载缺陷数据!");
inline const QString NotFaultFileText = QStringLiteral("当前打开的数据库导出文件，不是浏览版支持的缺陷导出文件!");

inline _FAULT_ MakeFault(int channel, int state, int standard, int image = 1)
{
    _FAULT_ fault;
    fault.FaultID = -1;
    fault.FaultChannelID = channel;
    fault.FaultState = state;
    fault.FaultStandardID = standard;
    fault.FaultImage = image;
    return fault;
}

inline QString NextTestConnectionName()
{
    static int counter = 0;
    return QStringLiteral("fault-test-%1").arg(++counter);
}

// Hands `use` a connection of the test's own to the file (when it opens) and
// removes the connection afterwards.
template <typename Use>
void WithConnectionTo(const QString& path, Use use)
{
    const QString name = NextTestConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open())
            use(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Runs SQL on a file through a connection of the test's own.
inline bool ExecuteOn(const QString& path, const QString& statement)
{
    bool ok = false;
    WithConnectionTo(path, [&](const QSqlDatabase& db) { ok = QSqlQuery(db).exec(statement); });
    return ok;
}

class FaultFileFixture : public ::testing::Test
{
protected:
    // Channel files: channel 5 on track 11 ("L"), channel 6 on track 12 ("R").
    Task MakeTask(const QString& name, bool withDefectFile)
    {
        Task task;
        task.TaskID = ++taskCounter_;
        task.TaskName = name;
        const QString taskDir = root_.filePath(QStringLiteral("task%1").arg(task.TaskID));
        const std::pair<int, int> channels[] = {{5, 11}, {6, 12}};
        for (const auto& [channel, track] : channels) {
            const QString channelDir = taskDir + QStringLiteral("/C%1").arg(channel);
            QDir().mkpath(channelDir);
            TaskFile file;
            file.ChannelID = channel;
            file.TrackID = track;
            file.FilePath = channelDir + QStringLiteral("/run.bimf");
            task.files.push_back(file);
        }
        if (withDefectFile) {
            QString error;
            EXPECT_TRUE(CFaultDatabaseCreator::Create(FaultFilePathFor(task), &error)) << error.toStdString();
        }
        return task;
    }

    QString NewDefectFile(const QString& name)
    {
        const QString path = root_.filePath(name);
        QString error;
        EXPECT_TRUE(CFaultDatabaseCreator::Create(path, &error)) << error.toStdString();
        return path;
    }

    QString RootPath(const QString& name) const { return root_.filePath(name); }

    QTemporaryDir root_;
    CPromptRecorder prompts_;
    int taskCounter_ = 0;
};
