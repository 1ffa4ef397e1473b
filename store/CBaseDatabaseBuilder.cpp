#include "CBaseDatabaseBuilder.h"

#include "CSQLiteConnection.h"
#include "CSqlScript.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{
const char* const ScriptResources[] = {":/db/schema.sql", ":/db/seed.sql"};

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool ReadScript(const QString& resource, QString* text, QString* error)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("the script %1 is missing from the store library").arg(resource));
    *text = QString::fromUtf8(file.readAll());
    return true;
}

QString TemporaryPathBeside(const QString& target)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("%1.building-%2-%3").arg(target).arg(QCoreApplication::applicationPid()).arg(++counter);
}

// Removes the temporary database (and a journal SQLite may have left) unless
// it was renamed into place.
class TemporaryDatabaseFile
{
public:
    explicit TemporaryDatabaseFile(QString path) : path_(std::move(path)) { Remove(); }
    ~TemporaryDatabaseFile()
    {
        if (!kept_)
            Remove();
    }
    const QString& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    void Remove()
    {
        QFile::remove(path_);
        QFile::remove(path_ + QStringLiteral("-journal"));
    }

    QString path_;
    bool kept_ = false;
};

bool RunScript(const QSqlDatabase& db, const QString& resource, QString* error)
{
    QString script;
    if (!ReadScript(resource, &script, error))
        return false;
    for (const QString& statement : CSqlScript::Statements(script)) {
        QSqlQuery query(db);
        if (!query.exec(statement))
            return Fail(error, QStringLiteral("%1 failed at \"%2\": %3")
                                   .arg(resource, statement.left(80), query.lastError().text()));
    }
    return true;
}

bool BuildInto(const QString& path, QString* error)
{
    CSQLiteConnection connection;
    QString openError;
    if (!connection.OpenForBuilding(path, &openError))
        return Fail(error, QStringLiteral("cannot create %1: %2").arg(path, openError));
    QSqlDatabase db = connection.Database();
    if (!db.transaction())
        return Fail(error, QStringLiteral("cannot start building %1: %2").arg(path, db.lastError().text()));
    for (const char* resource : ScriptResources) {
        if (!RunScript(db, QString::fromLatin1(resource), error)) {
            db.rollback();
            return false;
        }
    }
    if (!db.commit())
        return Fail(error, QStringLiteral("cannot write %1: %2").arg(path, db.lastError().text()));
    return true;
}

// rename(2) replaces an existing target in one step.
bool MoveIntoPlace(const QString& from, const QString& to, QString* error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return Fail(error, QStringLiteral("cannot move the new database to %1: %2")
                               .arg(to, QString::fromLocal8Bit(std::strerror(errno))));
    return true;
}
}

bool CBaseDatabaseBuilder::Create(const QString& dbPath, bool overwrite, QString* error)
{
    if (dbPath.trimmed().isEmpty())
        return Fail(error, QStringLiteral("no database path given"));
    const QFileInfo target(dbPath);
    if (target.isDir())
        return Fail(error, QStringLiteral("%1 is a folder, not a database file").arg(dbPath));
    if (target.exists() && !overwrite)
        return Fail(error, QStringLiteral("the database %1 already exists and is not overwritten").arg(dbPath));
    if (!QDir().mkpath(target.absolutePath()))
        return Fail(error, QStringLiteral("cannot create the folder %1").arg(target.absolutePath()));

    TemporaryDatabaseFile temporary(TemporaryPathBeside(target.absoluteFilePath()));
    if (!BuildInto(temporary.Path(), error) || !MoveIntoPlace(temporary.Path(), target.absoluteFilePath(), error))
        return false;
    temporary.Keep();
    return true;
}
