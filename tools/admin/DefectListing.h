#pragma once
// lumetra-admin defects FILE [--channel N] [--state S] [--type T]
// Lists the defects of a defect file, one line each:
//   FaultID channel type image K<km>+<m> x y cx cy state
// separated by tabs, filtered like the defect list (-1 or a missing option
// means any). Reads only; costs one query. Call it on the thread that owns
// the application object. Exit status: 0 listed, 1 the file is no defect
// file (or cannot be read), 2 missing file or wrong usage.

#include <QStringList>
#include <QTextStream>

int ListDefects(const QStringList& args, QTextStream& out, QTextStream& err);
