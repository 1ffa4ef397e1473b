#include "TempProgramDir.h"

#include "CBaseDatabaseBuilder.h"
#include "CConnectionDescriptor.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

TempProgramDir::TempProgramDir()
{
    hadHome_ = qEnvironmentVariableIsSet("LUMETRA_HOME");
    previousHome_ = qgetenv("LUMETRA_HOME");
    qputenv("LUMETRA_HOME", dir_.path().toUtf8());
}

TempProgramDir::~TempProgramDir()
{
    if (hadHome_)
        qputenv("LUMETRA_HOME", previousHome_);
    else
        qunsetenv("LUMETRA_HOME");
}

QString TempProgramDir::path() const { return dir_.path(); }

QString TempProgramDir::filePath(const QString& relative) const { return QDir(dir_.path()).filePath(relative); }

QString TempProgramDir::databasePath() const { return filePath("db/basedata.mdb"); }

QString TempProgramDir::connectionString() const { return CConnectionDescriptor::ForSQLiteFile(databasePath()); }

void TempProgramDir::createBaseDatabase()
{
    QString error;
    ASSERT_TRUE(CBaseDatabaseBuilder::Create(databasePath(), false, &error)) << error.toStdString();
}

void TempProgramDir::copyResources()
{
    const QDir source(QStringLiteral(LUMETRA_RESOURCE_SOURCE_DIR));
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = filePath("resource/" + source.relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
}
