#pragma once
// The columns of one row to write, by name, and the statement that writes
// them: the insert and update halves of the store's record-set patterns.
// Table and column names come from the store's own code; every value is
// bound, never pasted into the statement. Costs one statement; throws
// CDatabaseError when the database refuses it; the calling thread must own
// the connection for the call.

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVector>

class CRowWriter
{
public:
    explicit CRowWriter(QString table);

    // Adds a column in writing order; returns *this for chaining.
    CRowWriter& Set(const QString& column, const QVariant& value);

    // Inserts the row and answers the key the database gave it (the rowid,
    // which is the key column of the tables with a database-assigned key).
    qint64 Insert(const QSqlDatabase& db) const;

    // Writes the columns into the rows whose `keyColumn` equals `key` and
    // answers how many rows changed.
    int Update(const QSqlDatabase& db, const QString& keyColumn, const QVariant& key) const;

private:
    QString table_;
    QStringList columns_;
    QVariantList values_;
};
