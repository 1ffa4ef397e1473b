// Tasks and their channel files: tables Track_Task and Track_Task_File.

#include "CDatabaseError.h"
#include "CSqlServerObject.h"
#include "CWriteTransaction.h"
#include "ColumnConversions.h"
#include "StoreTexts.h"

namespace
{
ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_ ReadTaskFile(const CRecordSet& set,
                                                            const ILumetraDBInterface::_DB_TASK_STRUCT_& task)
{
    const auto dateTime = [&set](const char* column) {
        return ColumnConversions::DateTimeFromText(set.Text(QLatin1String(column)));
    };
    ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_ file;
    file.FileID = set.Int(QStringLiteral("FileID"));
    file.TaskID = task.TaskID;
    file.TaskName = task.TaskName;
    file.LineCode = set.Text(QStringLiteral("LineCode"));
    file.LineName = set.Text(QStringLiteral("LineName"));
    file.RunDirection = set.Int(QStringLiteral("RunDirection"));
    file.CarDirection = set.Int(QStringLiteral("CarDirection"));
    file.KMDirection = set.Int(QStringLiteral("KMDirection"));
    file.RailSide = set.Text(QStringLiteral("RailSide"));
    file.TrainNo = set.Text(QStringLiteral("TrainNo"));
    file.PhotoNum = set.Int(QStringLiteral("PhotoNum"));
    file.StartRunDate = dateTime("StartRunDate");
    file.StartRunTime = dateTime("StartRunTime");
    file.EndRunDate = dateTime("EndRunDate");
    file.EndRunTime = dateTime("EndRunTime");
    file.StartKm = set.Int(QStringLiteral("StartKM"));
    file.StartM = set.Int(QStringLiteral("StartM"));
    file.EndKM = set.Int(QStringLiteral("EndKM"));
    file.EndM = set.Int(QStringLiteral("EndM"));
    file.VResolution = set.Int(QStringLiteral("VResolution"));
    file.HResolution = set.Int(QStringLiteral("HResolution"));
    file.VPixelNum = set.Int(QStringLiteral("VPixelNum"));
    file.HPixelNum = set.Int(QStringLiteral("HPixelNum"));
    file.PhotoType = set.Int(QStringLiteral("PhotoType"));
    file.FilePath = set.Text(QStringLiteral("FilePath"));
    file.TrackID = set.Int(QStringLiteral("TrackID"));
    file.ChannelID = set.Int(QStringLiteral("ChannelID"));
    file.TrackName = set.Text(QStringLiteral("TrackName"));
    file.TrackSubDirectory = set.Text(QStringLiteral("TrackSubDirectory"));
    return file;
}

CRowWriter TaskColumns(const ILumetraDBInterface::_DB_TASK_STRUCT_& task)
{
    const QDate startDay = task.StartTime.date();
    CRowWriter row(QStringLiteral("Track_Task"));
    row.Set(QStringLiteral("TaskID"), task.TaskID)
        .Set(QStringLiteral("TaskName"), task.TaskName)
        .Set(QStringLiteral("LineCode"), task.LineCode)
        .Set(QStringLiteral("LineName"), task.LineName)
        .Set(QStringLiteral("SectionName"), task.SectionName)
        .Set(QStringLiteral("StartYear"), startDay.year())
        .Set(QStringLiteral("StartMonth"), startDay.month())
        .Set(QStringLiteral("StartTime"), ColumnConversions::TaskTimeText(task.StartTime))
        .Set(QStringLiteral("EndTime"), ColumnConversions::TaskTimeText(task.EndTime))
        .Set(QStringLiteral("CarDirection"), task.CarDirection)
        .Set(QStringLiteral("KMDirection"), task.KMDirection)
        // Every task the program imports has its channels swapped into place.
        .Set(QStringLiteral("IsSwap"), 1)
        .Set(QStringLiteral("StartKM"), task.StartKm)
        .Set(QStringLiteral("StartM"), task.StartM)
        .Set(QStringLiteral("EndKM"), task.EndKm)
        .Set(QStringLiteral("EndM"), task.EndM);
    return row;
}

CRowWriter TaskFileColumns(const ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_& file)
{
    CRowWriter row(QStringLiteral("Track_Task_File"));
    row.Set(QStringLiteral("FileID"), file.FileID)
        .Set(QStringLiteral("LineCode"), file.LineCode)
        .Set(QStringLiteral("LineName"), file.LineName)
        .Set(QStringLiteral("RunDirection"), file.RunDirection)
        .Set(QStringLiteral("CarDirection"), file.CarDirection)
        .Set(QStringLiteral("KMDirection"), file.KMDirection)
        .Set(QStringLiteral("RailSide"), file.RailSide)
        .Set(QStringLiteral("TrainNo"), file.TrainNo)
        .Set(QStringLiteral("PhotoNum"), file.PhotoNum)
        .Set(QStringLiteral("StartRunDate"), ColumnConversions::RunDateText(file.StartRunDate))
        .Set(QStringLiteral("StartRunTime"), ColumnConversions::RunTimeText(file.StartRunTime))
        .Set(QStringLiteral("EndRunDate"), ColumnConversions::RunDateText(file.EndRunDate))
        .Set(QStringLiteral("EndRunTime"), ColumnConversions::RunTimeText(file.EndRunTime))
        .Set(QStringLiteral("StartKM"), file.StartKm)
        .Set(QStringLiteral("StartM"), file.StartM)
        .Set(QStringLiteral("EndKM"), file.EndKM)
        .Set(QStringLiteral("EndM"), file.EndM)
        .Set(QStringLiteral("VResolution"), file.VResolution)
        .Set(QStringLiteral("HResolution"), file.HResolution)
        .Set(QStringLiteral("VPixelNum"), file.VPixelNum)
        .Set(QStringLiteral("HPixelNum"), file.HPixelNum)
        .Set(QStringLiteral("PhotoType"), file.PhotoType)
        .Set(QStringLiteral("FilePath"), file.FilePath)
        .Set(QStringLiteral("TaskID"), file.TaskID)
        .Set(QStringLiteral("TrackID"), file.TrackID)
        .Set(QStringLiteral("ChannelID"), file.ChannelID);
    return row;
}

const QString TaskColumnsSelection = QStringLiteral("SELECT * FROM Track_Task");
}

void CSqlServerObject::ReadTaskRow(const CRecordSet& set, _DB_TASK_STRUCT_& task)
{
    task.TaskID = set.RawInteger(QStringLiteral("TaskID"));
    task.TaskName = set.RawText(QStringLiteral("TaskName"));
    task.LineCode = set.RawText(QStringLiteral("LineCode"));
    task.LineName = set.RawText(QStringLiteral("LineName"));
    task.SectionName = set.RawText(QStringLiteral("SectionName"));
    task.StartTime = ColumnConversions::DateTimeFromText(set.RawText(QStringLiteral("StartTime")));
    task.EndTime = ColumnConversions::DateTimeFromText(set.RawText(QStringLiteral("EndTime")));
    task.CarDirection = set.Int(QStringLiteral("CarDirection"));
    task.KMDirection = set.Int(QStringLiteral("KMDirection"));
    task.IsSwap = set.Int(QStringLiteral("IsSwap"));
    task.StartKm = set.Int(QStringLiteral("StartKm"));
    task.StartM = set.Int(QStringLiteral("StartM"));
    task.EndKm = set.Int(QStringLiteral("EndKm"));
    task.EndM = set.Int(QStringLiteral("EndM"));
    AppendTaskFiles(task);
}

// Appends rather than replaces: the task record may already hold files.
// A file whose channel row is gone has nowhere to be shown, so the join
// leaves it out.
void CSqlServerObject::AppendTaskFiles(_DB_TASK_STRUCT_& task)
{
    std::optional<CRecordSet> set =
        OpenReporting(QStringLiteral("SELECT a.*, b.TrackName, b.TrackSubDirectory FROM Track_Task_File a, Track b"
                                     " WHERE a.TaskID = ? AND a.TrackID = b.TrackID"),
                      {task.TaskID});
    if (!set)
        return;
    try {
        for (; !set->IsEOF(); set->MoveNext())
            task.files.push_back(ReadTaskFile(*set, task));
        set->Close();
    } catch (const CDatabaseError&) {
    }
}

int CSqlServerObject::GetTask(int taskId, _DB_TASK_STRUCT_& task)
{
    std::optional<CRecordSet> set = OpenReporting(TaskColumnsSelection + QStringLiteral(" WHERE TaskID = ?"), {taskId});
    if (!set)
        return 0;
    try {
        if (set->IsEmpty()) {
            set->Close();
            return 0;
        }
        ReadTaskRow(*set, task);
        set->Close();
        return 1;
    } catch (const CDatabaseError&) {
        set->Close();
        return 0;
    }
}

// Oldest first: start times are stored as sortable text.
int CSqlServerObject::GetTasks(int year, int month, std::vector<_DB_TASK_STRUCT_>& out)
{
    QString filter;
    QVariantList values;
    if (year != 0) {
        filter = QStringLiteral(" WHERE StartYear = ?");
        values << year;
        if (month >= 1) {
            filter += QStringLiteral(" AND StartMonth = ?");
            values << month;
        }
    }
    const auto readTask = [this](const CRecordSet& set) {
        _DB_TASK_STRUCT_ task;
        ReadTaskRow(set, task);
        return task;
    };
    return ReadList(TaskColumnsSelection + filter + QStringLiteral(" ORDER BY StartTime"), out, readTask,
                    OnRowError::ReturnZero, values);
}

// The files go first and both deletions form one transaction, so no task is
// left half deleted. The program ignores the result.
int CSqlServerObject::DeleteTask(int taskId)
{
    try {
        CWriteTransaction transaction(OpenDatabase());
        Execute(QStringLiteral("DELETE FROM Track_Task_File WHERE TaskID = ?"), {taskId});
        Execute(QStringLiteral("DELETE FROM Track_Task WHERE TaskID = ?"), {taskId});
        transaction.Commit();
        return 1;
    } catch (const CDatabaseError&) {
        return 0;
    }
}

int CSqlServerObject::AllocateKey(const QString& maxSelection, const QString& maxColumn)
{
    std::optional<CRecordSet> set = OpenReporting(maxSelection);
    if (!set)
        return -1;
    try {
        if (set->IsEmpty()) {
            set->Close();
            return 1;
        }
        const int key = set->IsNullOrEmpty(maxColumn) ? 1 : set->Int(maxColumn) + 1;
        set->Close();
        return key;
    } catch (const CDatabaseError&) {
        return -1;
    }
}

int CSqlServerObject::CheckTaskNameFree(const QString& taskName)
{
    std::optional<CRecordSet> set = OpenReporting(
        QStringLiteral("SELECT COUNT(*) AS _TASK_COUNT FROM Track_Task WHERE TaskName = ?"), {taskName});
    if (!set)
        return 0;
    try {
        const int count = set->Int(QStringLiteral("_TASK_COUNT"));
        set->Close();
        return count > 0 ? 0 : 1;
    } catch (const CDatabaseError&) {
        return -1;
    }
}

// The name check, the key and the row form one write transaction, so two
// writers can neither take the same key nor add the same name.
int CSqlServerObject::AddTask(_DB_TASK_STRUCT_& task, QString& errorText)
{
    // Without a connection the name cannot be checked, which counts as taken;
    // the last error text says why.
    if (!Connect()) {
        errorText = StoreTexts::TaskNameExists;
        return 0;
    }
    try {
        CWriteTransaction transaction(connection_.Database());
        if (CheckTaskNameFree(task.TaskName) == 0) {
            errorText = StoreTexts::TaskNameExists;
            return 0;
        }
        if (!InsertTask(task, errorText))
            return 0;
        transaction.Commit();
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        errorText = lastErrorText_;
        return 0;
    }
}

int CSqlServerObject::InsertTask(_DB_TASK_STRUCT_& task, QString& errorText)
{
    task.TaskID = AllocateKey(QStringLiteral("SELECT max(TaskID) AS MaxTaskID FROM Track_Task"),
                              QStringLiteral("MaxTaskID"));
    if (task.TaskID <= 0) {
        errorText = StoreTexts::TaskIdUnavailable;
        return 0;
    }
    if (!ProbeTable(TaskColumnsSelection + QStringLiteral(" WHERE TaskID = -1"))) {
        errorText = StoreTexts::TaskTableMissing;
        return 0;
    }
    TaskColumns(task).Insert(connection_.Database());
    return 1;
}

int CSqlServerObject::AddTaskFile(_TASK_TRACK_FILE_STRUCT_& file)
{
    if (!Connect())
        return 0;
    try {
        CWriteTransaction transaction(connection_.Database());
        if (!InsertTaskFile(file))
            return 0;
        transaction.Commit();
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}

int CSqlServerObject::InsertTaskFile(_TASK_TRACK_FILE_STRUCT_& file)
{
    file.FileID = AllocateKey(QStringLiteral("SELECT max(FileID) AS MaxFileID FROM Track_Task_File"),
                              QStringLiteral("MaxFileID"));
    if (file.FileID <= 0)
        return 0;
    if (!ProbeTable(QStringLiteral("SELECT * FROM Track_Task_File WHERE FileID = -1")))
        return 0;
    TaskFileColumns(file).Insert(connection_.Database());
    return 1;
}

// Kept for the calling contract; it has no work to do.
int CSqlServerObject::ReservedTaskOperation(int, const QString&) { return 1; }

// Newest year first.
int CSqlServerObject::GetTaskYears(std::vector<int>& years)
{
    return ReadList(QStringLiteral("SELECT StartYear FROM Track_Task GROUP BY StartYear ORDER BY StartYear DESC"), years,
                    [](const CRecordSet& set) { return set.Int(QStringLiteral("StartYear")); }, OnRowError::ReturnZero);
}

// Latest month first.
int CSqlServerObject::GetTaskMonths(int year, std::vector<int>& months)
{
    return ReadList(QStringLiteral("SELECT StartMonth FROM Track_Task WHERE StartYear = ?"
                                   " GROUP BY StartMonth ORDER BY StartMonth DESC"),
                    months, [](const CRecordSet& set) { return set.Int(QStringLiteral("StartMonth")); },
                    OnRowError::ReturnZero, {year});
}
