#include "CWriteTransaction.h"

#include "CDatabaseError.h"

#include <QSqlError>
#include <QSqlQuery>

CWriteTransaction::CWriteTransaction(const QSqlDatabase& db) : db_(db)
{
    Run(QStringLiteral("BEGIN IMMEDIATE"));
    active_ = true;
}

CWriteTransaction::~CWriteTransaction()
{
    if (!active_)
        return;
    // Nothing to report from here: an uncommitted transaction means the
    // operation has already failed and said why.
    QSqlQuery query(db_);
    query.exec(QStringLiteral("ROLLBACK"));
}

void CWriteTransaction::Commit()
{
    Run(QStringLiteral("COMMIT"));
    active_ = false;
}

void CWriteTransaction::Run(const QString& sql)
{
    QSqlQuery query(db_);
    if (!query.exec(sql))
        throw CDatabaseError(query.lastError().text());
}
