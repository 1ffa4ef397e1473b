// Tasks and their channel files: tables Track_Task and Track_Task_File.

#include "CSqlServerObject.h"

int CSqlServerObject::GetTask(int, _DB_TASK_STRUCT_&) { return NotYetImplemented("GetTask"); }

int CSqlServerObject::GetTasks(int, int, std::vector<_DB_TASK_STRUCT_>& out)
{
    out.clear();
    return NotYetImplemented("GetTasks");
}

int CSqlServerObject::DeleteTask(int) { return NotYetImplemented("DeleteTask"); }

int CSqlServerObject::AddTask(_DB_TASK_STRUCT_&, QString& errorText)
{
    NotYetImplemented("AddTask");
    errorText = lastErrorText_;
    return 0;
}

int CSqlServerObject::AddTaskFile(_TASK_TRACK_FILE_STRUCT_&) { return NotYetImplemented("AddTaskFile"); }

// Kept for the calling contract; it has no work to do.
int CSqlServerObject::ReservedTaskOperation(int, const QString&) { return 1; }

int CSqlServerObject::GetTaskYears(std::vector<int>& years)
{
    years.clear();
    return NotYetImplemented("GetTaskYears");
}

int CSqlServerObject::GetTaskMonths(int, std::vector<int>& months)
{
    months.clear();
    return NotYetImplemented("GetTaskMonths");
}
