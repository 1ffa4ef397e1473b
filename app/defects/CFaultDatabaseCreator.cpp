#include "CFaultDatabaseCreator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace
{
// FaultID is the row key; every column holds a 32-bit integer.
const char* const CreateFaultTable =
    "CREATE TABLE FAULT_DETAIL ("
    " FaultID INTEGER NOT NULL PRIMARY KEY,"
    " FaultChannelID INTEGER NOT NULL DEFAULT 0,"
    " FaultStandardID INTEGER NOT NULL DEFAULT 0,"
    " FaultImage INTEGER NOT NULL DEFAULT 0,"
    " FaultKM INTEGER NOT NULL DEFAULT 0,"
    " FaultM INTEGER NOT NULL DEFAULT 0,"
    " FaultX INTEGER NOT NULL DEFAULT 0,"
    " FaultY INTEGER NOT NULL DEFAULT 0,"
    " FaultCx INTEGER NOT NULL DEFAULT 0,"
    " FaultCy INTEGER NOT NULL DEFAULT 0,"
    " FaultState INTEGER NOT NULL DEFAULT 0)";

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString ErrnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

QString TemporaryPathBeside(const QString& target)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("%1.building-%2-%3").arg(target).arg(QCoreApplication::applicationPid()).arg(++counter);
}

QString UniqueConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("LumetraFaultCreator-%1").arg(++counter);
}

// Removes the temporary file (and a journal SQLite may have left).
class TemporaryFile
{
public:
    explicit TemporaryFile(QString path) : path_(std::move(path)) { Remove(); }
    ~TemporaryFile() { Remove(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const QString& Path() const { return path_; }

private:
    void Remove()
    {
        QFile::remove(path_);
        QFile::remove(path_ + QStringLiteral("-journal"));
    }
    QString path_;
};

bool ExecuteCreate(const QSqlDatabase& db, QString* error)
{
    QSqlQuery query(db);
    if (!query.exec(QString::fromLatin1(CreateFaultTable)))
        return Fail(error, query.lastError().text());
    return true;
}

bool BuildInto(const QString& path, QString* error)
{
    const QString name = UniqueConnectionName();
    bool built = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.isValid() || !db.open())
            Fail(error, QStringLiteral("cannot create %1: %2").arg(path, db.lastError().text()));
        else if (!ExecuteCreate(db, error))
            Fail(error, QStringLiteral("cannot build %1: %2").arg(path, error ? *error : QString()));
        else
            built = true;
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return built;
}

bool LinkingUnsupported(int error) { return error == EPERM || error == EOPNOTSUPP || error == ENOSYS; }

// link(2) fails when the target exists, so a file made by someone else
// meanwhile is never replaced. File systems without hard links get a rename
// after a last existence check.
bool LinkIntoPlace(const QString& from, const QString& to, QString* error)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::link(source.constData(), target.constData()) == 0)
        return true;
    if (errno == EEXIST)
        return Fail(error, QStringLiteral("the defect file %1 already exists").arg(to));
    if (LinkingUnsupported(errno) && !QFileInfo::exists(to) && std::rename(source.constData(), target.constData()) == 0)
        return true;
    return Fail(error, QStringLiteral("cannot move the new defect file to %1: %2").arg(to, ErrnoText()));
}
}

bool CFaultDatabaseCreator::Create(const QString& path, QString* error)
{
    if (path.trimmed().isEmpty())
        return Fail(error, QStringLiteral("no defect file path given"));
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        return Fail(error, QStringLiteral("the defect file %1 already exists").arg(path));
    if (!QDir().mkpath(target.absolutePath()))
        return Fail(error, QStringLiteral("cannot create the folder %1").arg(target.absolutePath()));

    TemporaryFile temporary(TemporaryPathBeside(target.absoluteFilePath()));
    return BuildInto(temporary.Path(), error) && LinkIntoPlace(temporary.Path(), target.absoluteFilePath(), error);
}
