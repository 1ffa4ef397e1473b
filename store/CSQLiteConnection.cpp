#include "CSQLiteConnection.h"

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
    return QStringLiteral("LumetraDB-%1").arg(++counter);
}

// A file URI with mode=rw or ro: SQLite itself refuses to create a missing
// file, even if the file disappears between our check and the open.
QString FileUri(const QString& filePath, const char* mode)
{
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
    return QStringLiteral("file:%1?mode=%2")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(absolute, "/")), QLatin1String(mode));
}

// Waits this long for another writer's lock before a statement fails.
constexpr int BusyTimeoutMs = 5000;
}

CSQLiteConnection::CSQLiteConnection() : name_(UniqueConnectionName()) {}

CSQLiteConnection::~CSQLiteConnection() { Close(); }

bool CSQLiteConnection::OpenExisting(const QString& filePath, QString* error)
{
    return OpenExistingFile(filePath, "rw", error);
}

bool CSQLiteConnection::OpenExistingReadOnly(const QString& filePath, QString* error)
{
    return OpenExistingFile(filePath, "ro", error);
}

bool CSQLiteConnection::OpenExistingFile(const QString& filePath, const char* mode, QString* error)
{
    const QFileInfo file(filePath);
    if (!file.exists()) {
        *error = QStringLiteral("database file not found: %1").arg(filePath);
        return false;
    }
    if (!file.isFile()) {
        *error = QStringLiteral("not a database file: %1").arg(filePath);
        return false;
    }
    const QString options = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
    if (!Open(FileUri(filePath, mode), options, error))
        return false;
    if (!HasBaseTables(error)) {
        *error = QStringLiteral("%1: %2").arg(filePath, *error);
        Close();
        return false;
    }
    return true;
}

bool CSQLiteConnection::OpenForBuilding(const QString& filePath, QString* error)
{
    return Open(filePath, QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs), error);
}

bool CSQLiteConnection::IsOpen() const { return db_.isValid() && db_.isOpen(); }

void CSQLiteConnection::Close()
{
    if (db_.isValid())
        db_.close();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(name_))
        QSqlDatabase::removeDatabase(name_);
}

bool CSQLiteConnection::Open(const QString& databaseName, const QString& options, QString* error)
{
    Close();
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    if (!db_.isValid()) {
        *error = QStringLiteral("the SQLite driver of Qt SQL is not available");
        Close();
        return false;
    }
    db_.setDatabaseName(databaseName);
    db_.setConnectOptions(options);
    if (!db_.open()) {
        *error = db_.lastError().text();
        Close();
        return false;
    }
    return true;
}

// Reading the schema is the first access to the file: it fails for a file
// that is not a database or is damaged, and tells an empty database (SQLite
// accepts a 0-byte file as one) from a base database.
bool CSQLiteConnection::HasBaseTables(QString* error)
{
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral(
            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'AppOption' COLLATE NOCASE"))) {
        *error = query.lastError().text();
        return false;
    }
    if (!query.next() || query.value(0).toInt() == 0) {
        *error = QStringLiteral("not a base database (no table AppOption)");
        return false;
    }
    return true;
}
