#pragma once
// Where the defect file of a task lives and what it is called. Pure text
// work (no file access): any thread, microseconds, no errors.

#include "ILumetraDBInterface.h"

#include <QString>

// "缺陷浏览_<name>.accdb" with each of ? * : " < > \ / | and blank in the
// task name replaced by '_'.
QString FaultFileNameFor(const QString& taskName);

// The task directory: the parent of the folder that holds the task's first
// channel file. Runs of '/' count as one; the second cut is made only when
// the folder still has a '/' after its first character, so "/L/x.bimf"
// gives "/L". A path without a folder ("x.bimf", "/x.bimf") gives an empty
// text.
QString TaskDirectoryOf(const QString& firstFilePath);

// "<task directory>/<defect file name>", or an empty text when the task has
// no files or its first file gives no task directory.
QString FaultFilePathFor(const ILumetraDBInterface::_DB_TASK_STRUCT_& task);
