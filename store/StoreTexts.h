#pragma once
// The store's own texts, as the program shows them to the user.

#include <QString>

namespace StoreTexts
{
inline const QString Success = QStringLiteral("操作成功");
inline const QString ConnectionStringEmpty = QStringLiteral("DB connection string is empty!");
inline const QString ConnectFailed = QStringLiteral("DB connect Failed::%1");
inline const QString ExecuteFailed = QStringLiteral("Excute FAILED:%1");
inline const QString SqlFailed = QStringLiteral("SQL FAILED:%1");
inline const QString NoSuchRecord = QStringLiteral("数据库中没有对应的记录");
inline const QString ConfigFileUnreadable = QStringLiteral("无法打开数据库配置文件!");
inline const QString ConfigFileEmpty = QStringLiteral("数据库配置文件为空!");
inline const QString TaskNameExists = QStringLiteral("当前任务名已经存在!");
inline const QString TaskIdUnavailable = QStringLiteral("任务ID不存在 track_task");
inline const QString TaskTableMissing = QStringLiteral("数据库表不存在 track_task");
}
