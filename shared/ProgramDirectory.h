#pragma once
// The program directory: the folder of the running executable, or LUMETRA_HOME
// when it is set (tests point it at a temporary folder of their own). Every
// program-relative file (db/, resource/, report/, hotkey.ini, ...) lives there.
// Needs a QCoreApplication for the executable's folder; any thread.

#include <QCoreApplication>
#include <QDir>
#include <QString>

inline QString ProgramDirectory()
{
    const QString home = qEnvironmentVariable("LUMETRA_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    return QCoreApplication::applicationDirPath();
}

// A path below the program directory, for example ProgramPath("db/basedata.mdb").
inline QString ProgramPath(const QString& relative)
{
    return QDir(ProgramDirectory()).filePath(relative);
}
