#include "CDBErrorReporter.h"

#include <QLoggingCategory>
#include <mutex>

Q_LOGGING_CATEGORY(lcStore, "lumetra.store")

namespace
{
std::mutex reporterMutex;
CDBErrorReporter::Reporter installedReporter;

void LogReport(const QString& text)
{
    qCWarning(lcStore).noquote() << text;
}
}

CDBErrorReporter::Reporter CDBErrorReporter::Install(Reporter reporter)
{
    const std::lock_guard lock(reporterMutex);
    std::swap(installedReporter, reporter);
    return reporter;
}

void CDBErrorReporter::Report(const QString& text)
{
    Reporter reporter;
    {
        const std::lock_guard lock(reporterMutex);
        reporter = installedReporter;
    }
    // Called outside the lock: the reporter may wait for the user.
    if (reporter)
        reporter(text);
    else
        LogReport(text);
}
