#include "TaskListing.h"

#include "AdminCommand.h"
#include "KilometrePosition.h"

using namespace Admin;

namespace
{
// The value of a number option, 0 when it is absent; false after a usage
// message when it is not a whole number in `low`..`high`.
bool NumberOption(const ListingArguments& parsed, const QString& name, int low, int high, int* value,
                  QTextStream& err)
{
    const auto found = parsed.options.find(name);
    if (found == parsed.options.end())
        return true;
    bool ok = false;
    *value = found->second.toInt(&ok);
    if (!ok || *value < low || *value > high) {
        err << "lumetra-admin: " << name << " needs a number from " << low << " to " << high << Qt::endl;
        return false;
    }
    return true;
}

QString TimeText(const QDateTime& time, const char* format)
{
    return time.isValid() ? time.toString(QLatin1String(format)) : QStringLiteral("-");
}

void PrintFile(const ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_& file, QTextStream& out)
{
    out << "    file " << file.FileID << '\t' << "channel " << file.TrackID << ' ' << file.TrackName << " ("
        << file.TrackSubDirectory << ")\t" << "photos " << file.PhotoNum << '\t'
        << TimeText(file.StartRunDate, "yyyy-MM-dd") << ' ' << TimeText(file.StartRunTime, "HH:mm:ss") << '\t'
        << file.FilePath << '\n';
}

void PrintTask(const ILumetraDBInterface::_DB_TASK_STRUCT_& task, QTextStream& out)
{
    out << "  task " << task.TaskID << '\t' << task.TaskName << '\t' << "line " << task.LineName << " ("
        << task.LineCode << ")\t" << "section " << task.SectionName << '\t'
        << TimeText(task.StartTime, "yyyy-MM-dd HH:mm:ss") << " - " << TimeText(task.EndTime, "yyyy-MM-dd HH:mm:ss")
        << '\t' << KilometrePosition(task.StartKm, task.StartM) << " - " << KilometrePosition(task.EndKm, task.EndM)
        << '\t' << task.files.size() << " files\n";
    for (const auto& file : task.files)
        PrintFile(file, out);
}
}

int ListTasks(const QStringList& args, QTextStream& out, QTextStream& err)
{
    ListingArguments parsed;
    if (!ParseListingArguments(args, {QStringLiteral("--year"), QStringLiteral("--month")}, &parsed, err))
        return ExitUsage;
    int year = 0;
    int month = 0;
    if (!NumberOption(parsed, QStringLiteral("--year"), 1, 9999, &year, err)
        || !NumberOption(parsed, QStringLiteral("--month"), 1, 12, &month, err))
        return ExitUsage;
    if (month != 0 && year == 0) {
        err << "lumetra-admin: --month needs --year" << Qt::endl;
        return ExitUsage;
    }

    StoreHandle store = OpenBaseStore(parsed.target, err);
    if (!store)
        return ExitFailed;
    std::vector<ILumetraDBInterface::_DB_TASK_STRUCT_> tasks;
    if (!store->GetTasks(year, month, tasks))
        return ReadFailed(*store, "the tasks", err);
    out << "tasks: " << tasks.size() << '\n';
    for (const auto& task : tasks)
        PrintTask(task, out);
    return ExitDone;
}
