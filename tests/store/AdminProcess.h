#pragma once
// Runs lumetra-admin as a process and collects its exit code and output.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

struct AdminResult
{
    int exitCode = -1;
    QString output;  // standard output and error, merged
};

inline AdminResult RunAdmin(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(LUMETRA_ADMIN_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << arguments.join(u' ').toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}
