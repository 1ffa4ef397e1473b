#pragma once
// One write transaction on a connection, begun IMMEDIATE so that reading a
// maximum key and inserting the row after it cannot interleave with another
// writer of the same file. Rolled back when it goes out of scope uncommitted.
// Begin and Commit throw CDatabaseError (Begin waits up to the connection's
// busy time-out for another writer). Lives inside one operation on the
// calling thread; declare it before the record sets it covers.

#include <QSqlDatabase>

class CWriteTransaction
{
public:
    explicit CWriteTransaction(const QSqlDatabase& db);
    ~CWriteTransaction();
    CWriteTransaction(const CWriteTransaction&) = delete;
    CWriteTransaction& operator=(const CWriteTransaction&) = delete;

    void Commit();

private:
    void Run(const QString& sql);

    QSqlDatabase db_;
    bool active_ = false;
};
