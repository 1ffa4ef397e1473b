#include "CFaultConnection.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>

namespace
{
QString UniqueConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("LumetraFaults-%1").arg(++counter);
}

// mode=rw makes SQLite itself refuse to create the file, even when it
// disappears between our existence check and the open.
QString ReadWriteUri(const QString& filePath)
{
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
    return QStringLiteral("file:%1?mode=rw").arg(QString::fromLatin1(QUrl::toPercentEncoding(absolute, "/")));
}

// SQLite opens lazily; the first read of the schema is what meets a damaged
// file or one that is no database at all.
bool ReadsSchema(const QSqlDatabase& db, QString* error)
{
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return true;
    *error = probe.lastError().text();
    return false;
}
}

CFaultConnection::CFaultConnection() : name_(UniqueConnectionName()) {}

CFaultConnection::~CFaultConnection() { Close(); }

bool CFaultConnection::Open(const QString& filePath, QString* error)
{
    Close();
    if (!QFileInfo(filePath).isFile()) {
        *error = QStringLiteral("no defect file at %1").arg(filePath);
        return false;
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    owner_ = std::this_thread::get_id();
    if (!db_.isValid()) {
        *error = QStringLiteral("the SQLite driver of Qt SQL is not available");
        Close();
        return false;
    }
    db_.setDatabaseName(ReadWriteUri(filePath));
    db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db_.open()) {
        *error = db_.lastError().text();
        Close();
        return false;
    }
    if (!ReadsSchema(db_, error)) {
        Close();
        return false;
    }
    filePath_ = filePath;
    return true;
}

void CFaultConnection::Close()
{
    if (db_.isValid())
        db_.close();
    db_ = QSqlDatabase();
    filePath_.clear();
    owner_ = std::thread::id();
    if (QSqlDatabase::contains(name_))
        QSqlDatabase::removeDatabase(name_);
}

bool CFaultConnection::IsOpen() const { return db_.isValid() && db_.isOpen(); }
