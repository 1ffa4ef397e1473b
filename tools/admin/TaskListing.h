#pragma once
// `lumetra-admin tasks DIR|DB [--year Y] [--month M]`: the tasks of a base
// database, oldest first, each with its channel files. --month needs --year.
// Read-only; answers an exit code (Admin::Exit*).

#include <QStringList>
#include <QTextStream>

int ListTasks(const QStringList& args, QTextStream& out, QTextStream& err);
