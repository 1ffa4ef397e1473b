#include "CSqlServerObject.h"

#include "CConnectionDescriptor.h"
#include "CDBErrorReporter.h"
#include "SqlStatement.h"
#include "StoreTexts.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

CSqlServerObject::CSqlServerObject() : lastErrorText_(StoreTexts::Success) {}

CSqlServerObject::~CSqlServerObject() { DisconnectDB(); }

int CSqlServerObject::ConnectDB(const QString& connectionString)
{
    connectionString_ = connectionString;
    if (connectionString.isEmpty()) {
        lastErrorText_ = StoreTexts::ConnectionStringEmpty;
        return 0;
    }
    return Connect();
}

int CSqlServerObject::Connect()
{
    lastErrorText_ = StoreTexts::Success;
    if (connection_.IsOpen())
        return 1;
    connection_.Close();
    QString path;
    QString error;
    if (!CConnectionDescriptor::ParseSQLiteFile(connectionString_, &path, &error)
        || !connection_.OpenExisting(path, &error)) {
        lastErrorText_ = StoreTexts::ConnectFailed.arg(error);
        return 0;
    }
    return 1;
}

int CSqlServerObject::DisconnectDB()
{
    connection_.Close();
    return 1;
}

QString CSqlServerObject::ReadDBConfigFile(const QString& directory, const QString& fileName)
{
    lastErrorText_ = StoreTexts::Success;
    QFile file(QDir(directory).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        lastErrorText_ = StoreTexts::ConfigFileUnreadable;
        return QString();
    }
    if (file.size() <= 0) {
        lastErrorText_ = StoreTexts::ConfigFileEmpty;
        return QString();
    }
    QByteArray bytes = file.readAll();
    // The content is used as a C string: it ends at the first NUL byte.
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    return QString::fromUtf8(bytes);
}

void CSqlServerObject::Release() { delete this; }

QString CSqlServerObject::GetLastErrorText() { return lastErrorText_; }

int CSqlServerObject::RunStatement(const QString& sql, const QVariantList& values)
{
    try {
        const int affected = Execute(sql, values);
        return affected < 0 ? 0 : affected;
    } catch (const CDatabaseError&) {
        return 0;
    }
}

int CSqlServerObject::Execute(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(OpenDatabase());
    if (!SqlStatement::Execute(query, sql, values))
        throw CDatabaseError(query.lastError().text());
    return query.numRowsAffected();
}

const QSqlDatabase& CSqlServerObject::OpenDatabase() const
{
    if (!connection_.IsOpen())
        throw CDatabaseError(QStringLiteral("no open connection to the base database"));
    return connection_.Database();
}

std::optional<CRecordSet> CSqlServerObject::OpenReporting(const QString& sql, const QVariantList& values)
{
    return OpenRecordSet(sql, values, true);
}

std::optional<CRecordSet> CSqlServerObject::OpenQuiet(const QString& sql, const QVariantList& values)
{
    return OpenRecordSet(sql, values, false);
}

std::optional<CRecordSet> CSqlServerObject::OpenRecordSet(const QString& sql, const QVariantList& values, bool report)
{
    lastErrorText_ = StoreTexts::Success;
    if (!Connect())
        return std::nullopt;
    CRecordSet set = CRecordSet::Open(connection_.Database(), sql, values);
    if (!set.IsOpen()) {
        lastErrorText_ = StoreTexts::ExecuteFailed.arg(set.OpenError());
        if (report)
            CDBErrorReporter::Report(lastErrorText_);
    }
    return set;
}

bool CSqlServerObject::ProbeTable(const QString& emptySelection)
{
    std::optional<CRecordSet> set = OpenQuiet(emptySelection);
    if (!set)
        return false;
    set->IsEmpty();  // a set the opener could not open fails here
    set->Close();
    return true;
}

int CSqlServerObject::InsertRow(const QString& emptySelection, const CRowWriter& writer, int* newKey)
{
    try {
        if (!ProbeTable(emptySelection))
            return 0;
        const qint64 key = writer.Insert(connection_.Database());
        if (newKey)
            *newKey = int(key);
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}

int CSqlServerObject::UpdateRow(const QString& rowSelection, const QString& keyColumn, int key, const CRowWriter& writer)
{
    std::optional<CRecordSet> set = OpenQuiet(rowSelection, {key});
    if (!set)
        return 0;
    try {
        if (set->IsEmpty()) {
            set->Close();
            lastErrorText_ = StoreTexts::NoSuchRecord;
            return 0;
        }
        set->Close();
        writer.Update(connection_.Database(), keyColumn, key);
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}
