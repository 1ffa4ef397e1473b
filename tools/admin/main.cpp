// lumetra-admin: maintenance commands for a program directory.
//
//   lumetra-admin init-db DIR [--force]
//       makes DIR/db/basedata.mdb, a fresh base database; an existing one is
//       replaced only with --force.
//   lumetra-admin tasks|channels|templates|types|options|lines DIR|DB ...
//       lists a base database (read-only). DIR is a program directory (its
//       db/basedata.mdb is read), DB a base database file.
//   lumetra-admin defects FILE [--channel N] [--state S] [--type T]
//       lists the defects of a task's defect file (read-only).
//
// Exit codes: 0 done, 1 the command failed (the database cannot be opened
// or read), 2 wrong usage.

#include "AdminCommand.h"
#include "BaseListings.h"
#include "CBaseDatabaseBuilder.h"
#include "DefectListing.h"
#include "TaskListing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>
#include <algorithm>

using namespace Admin;

namespace
{
int InitDatabase(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList folders;
    bool force = false;
    for (const QString& argument : args) {
        if (argument == QLatin1String("--force")) {
            force = true;
        } else if (argument.startsWith(u'-')) {
            err << "lumetra-admin: unknown option " << argument << Qt::endl;
            return ExitUsage;
        } else {
            folders << argument;
        }
    }
    if (folders.size() != 1) {
        err << "lumetra-admin: init-db needs exactly one program directory" << Qt::endl;
        return ExitUsage;
    }

    const QString database = QDir(folders.first()).filePath(QStringLiteral("db/basedata.mdb"));
    if (QFileInfo::exists(database) && !force) {
        err << "lumetra-admin: " << database << " already exists; add --force to replace it" << Qt::endl;
        return ExitFailed;
    }
    QString error;
    if (!CBaseDatabaseBuilder::Create(database, force, &error)) {
        err << "lumetra-admin: " << error << Qt::endl;
        return ExitFailed;
    }
    out << "made " << QDir::toNativeSeparators(database) << Qt::endl;
    return ExitDone;
}

struct CommandEntry
{
    const char* name;
    Command run;
    const char* synopsis;
    const char* summary;
};

// The commands, in the order the usage lists them.
const CommandEntry Commands[] = {
    {"init-db", InitDatabase, "init-db DIR [--force]", "make DIR/db/basedata.mdb, a fresh base database"},
    {"tasks", ListTasks, "tasks DIR|DB [--year Y] [--month M]", "tasks with their channel files"},
    {"channels", ListChannels, "channels DIR|DB", "display and physical channels"},
    {"templates", ListTemplates, "templates DIR|DB", "channel templates with their channels"},
    {"types", ListTypes, "types DIR|DB", "defect types"},
    {"options", ListOptions, "options DIR|DB", "application options"},
    {"lines", ListLines, "lines DIR|DB", "lines with their sections"},
    {"defects", ListDefects, "defects FILE [--channel N] [--state S] [--type T]", "defects of a defect file"},
};

void PrintUsage(QTextStream& stream)
{
    qsizetype width = 0;
    for (const CommandEntry& command : Commands)
        width = std::max(width, qsizetype(qstrlen(command.synopsis)));
    stream << "usage: lumetra-admin COMMAND ARGUMENTS\n";
    for (const CommandEntry& command : Commands)
        stream << "  " << QString::fromLatin1(command.synopsis).leftJustified(width + 2) << command.summary << '\n';
    stream << "DIR is a program directory (its db/basedata.mdb is used), DB a base database file.\n"
              "--force replaces an existing base database. Listings only read.\n";
    stream.flush();
}

const CommandEntry* FindCommand(const QString& name)
{
    for (const CommandEntry& command : Commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty()) {
        PrintUsage(err);
        return ExitUsage;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        PrintUsage(out);
        return ExitDone;
    }
    const CommandEntry* command = FindCommand(name);
    if (!command) {
        err << "lumetra-admin: unknown command " << name << Qt::endl;
        PrintUsage(err);
        return ExitUsage;
    }
    const int exitCode = command->run(arguments.mid(1), out, err);
    out.flush();
    if (exitCode == ExitUsage)
        PrintUsage(err);
    return exitCode;
}
