#pragma once
// The rows of one query, read forward the way the store's operations expect.
// A record set that could not be opened still exists: every access to it
// throws CDatabaseError, so the operation using it fails like on any other
// database error. Columns are found by name, ignoring letter case. Lives
// inside one operation on the calling thread; accessors cost a lookup.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVariantList>

class CRecordSet
{
public:
    // Runs `sql` with `values` bound on `db`; positioned on the first row.
    static CRecordSet Open(const QSqlDatabase& db, const QString& sql, const QVariantList& values);

    bool IsOpen() const { return open_; }
    // Why the set is not open: the database's description of the failure.
    const QString& OpenError() const { return openError_; }

    bool IsEmpty() const;   // no row at all (BOF and EOF)
    bool IsEOF() const;     // moved past the last row
    void MoveNext();

    QVariant Value(const QString& column) const;
    QVariant Value(int index) const;

    // Value(column) through ColumnConversions.
    int Int(const QString& column) const;
    double Double(const QString& column) const;
    QString Text(const QString& column) const;
    QString TrimmedText(const QString& column) const;  // right-trimmed
    int RawInteger(const QString& column) const;
    QString RawText(const QString& column) const;
    bool IsNullOrEmpty(const QString& column) const;

    void Close();

private:
    // Never default-constructs the query: that would look up Qt SQL's
    // default connection, which may belong to another thread.
    explicit CRecordSet(const QSqlDatabase& db) : query_(db) {}
    void RequireOpen() const;
    void RequireRow() const;

    QSqlQuery query_;
    QSqlRecord columns_;
    QString openError_;
    bool open_ = false;
    bool empty_ = true;
};
