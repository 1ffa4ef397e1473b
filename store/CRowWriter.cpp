#include "CRowWriter.h"

#include "CDatabaseError.h"
#include "SqlStatement.h"

#include <QSqlError>
#include <QSqlQuery>
#include <utility>

namespace
{
[[noreturn]] void Fail(const QSqlQuery& query)
{
    throw CDatabaseError(query.lastError().text());
}
}

CRowWriter::CRowWriter(QString table) : table_(std::move(table)) {}

CRowWriter& CRowWriter::Set(const QString& column, const QVariant& value)
{
    columns_ << column;
    values_ << value;
    return *this;
}

qint64 CRowWriter::Insert(const QSqlDatabase& db) const
{
    const QStringList placeholders(columns_.size(), QStringLiteral("?"));
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table_, columns_.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));
    QSqlQuery query(db);
    if (!SqlStatement::Execute(query, sql, values_))
        Fail(query);
    return query.lastInsertId().toLongLong();
}

int CRowWriter::Update(const QSqlDatabase& db, const QString& keyColumn, const QVariant& key) const
{
    QStringList assignments;
    for (const QString& column : columns_)
        assignments << QStringLiteral("%1 = ?").arg(column);
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                            .arg(table_, assignments.join(QStringLiteral(", ")), keyColumn);
    QSqlQuery query(db);
    if (!SqlStatement::Execute(query, sql, QVariantList(values_) << key))
        Fail(query);
    return query.numRowsAffected();
}
