#pragma once
// The read-only listings of a base database's reference tables. Each takes
// `DIR|DB` as its only argument and answers an exit code (Admin::Exit*).

#include <QStringList>
#include <QTextStream>

// Display channels (table Track) and physical channels (CHANNEL_DEFINE).
int ListChannels(const QStringList& args, QTextStream& out, QTextStream& err);
// Channel templates with their member channels.
int ListTemplates(const QStringList& args, QTextStream& out, QTextStream& err);
// Defect types.
int ListTypes(const QStringList& args, QTextStream& out, QTextStream& err);
// Application options, by key.
int ListOptions(const QStringList& args, QTextStream& out, QTextStream& err);
// Lines with their sections.
int ListLines(const QStringList& args, QTextStream& out, QTextStream& err);
