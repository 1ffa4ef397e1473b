#pragma once
// One write transaction on a defect file, begun IMMEDIATE: it takes the
// file's write lock at once (waiting up to the connection's busy time-out for
// another writer), so reading the largest FaultID and inserting the next one
// cannot interleave with another program instance. Rolled back when it goes
// out of scope uncommitted. Failures are answered as false, never thrown.
// Lives inside one operation on the calling thread; declare it before the
// queries it covers so they are finished before it rolls back.

#include <QSqlDatabase>

class CFaultWriteTransaction
{
public:
    explicit CFaultWriteTransaction(const QSqlDatabase& db);
    ~CFaultWriteTransaction();
    CFaultWriteTransaction(const CFaultWriteTransaction&) = delete;
    CFaultWriteTransaction& operator=(const CFaultWriteTransaction&) = delete;

    // False when the lock could not be had (busy, damaged or read-only file).
    bool IsActive() const { return active_; }
    bool Commit();

private:
    QSqlDatabase db_;
    bool active_ = false;
};
