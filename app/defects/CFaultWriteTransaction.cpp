#include "CFaultWriteTransaction.h"

#include <QSqlQuery>

CFaultWriteTransaction::CFaultWriteTransaction(const QSqlDatabase& db) : db_(db)
{
    QSqlQuery begin(db_);
    active_ = begin.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

CFaultWriteTransaction::~CFaultWriteTransaction()
{
    if (!active_)
        return;
    // The operation has already failed and answered 0; nothing to add here.
    QSqlQuery rollback(db_);
    rollback.exec(QStringLiteral("ROLLBACK"));
}

bool CFaultWriteTransaction::Commit()
{
    QSqlQuery commit(db_);
    if (!commit.exec(QStringLiteral("COMMIT")))
        return false;
    active_ = false;
    return true;
}
