// lumetra-admin: maintenance commands for a program directory.
//
//   lumetra-admin init-db DIR [--force]
//       makes DIR/db/basedata.mdb, a fresh base database; an existing one is
//       replaced only with --force.
//
// Exit codes: 0 done, 1 the command failed, 2 wrong usage.

#include "CBaseDatabaseBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace
{
constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

const char* const UsageText =
    "usage: lumetra-admin init-db DIR [--force]\n"
    "  init-db   make DIR/db/basedata.mdb, a fresh base database\n"
    "  --force   replace an existing base database\n";

void PrintError(const QString& text)
{
    std::fprintf(stderr, "lumetra-admin: %s\n", qPrintable(text));
}

int Usage(const QString& problem)
{
    if (!problem.isEmpty())
        PrintError(problem);
    std::fputs(UsageText, stderr);
    return ExitUsage;
}

int InitDatabase(const QStringList& arguments)
{
    QStringList folders;
    bool force = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--force"))
            force = true;
        else if (argument.startsWith(u'-'))
            return Usage(QStringLiteral("unknown option %1").arg(argument));
        else
            folders << argument;
    }
    if (folders.size() != 1)
        return Usage(QStringLiteral("init-db needs exactly one program directory"));

    const QString database = QDir(folders.first()).filePath(QStringLiteral("db/basedata.mdb"));
    if (QFileInfo::exists(database) && !force) {
        PrintError(QStringLiteral("%1 already exists; add --force to replace it").arg(database));
        return ExitFailed;
    }
    QString error;
    if (!CBaseDatabaseBuilder::Create(database, force, &error)) {
        PrintError(error);
        return ExitFailed;
    }
    std::printf("made %s\n", qPrintable(QDir::toNativeSeparators(database)));
    return ExitDone;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty())
        return Usage(QString());
    const QString command = arguments.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(UsageText, stdout);
        return ExitDone;
    }
    if (command == QLatin1String("init-db"))
        return InitDatabase(arguments.mid(1));
    return Usage(QStringLiteral("unknown command %1").arg(command));
}
