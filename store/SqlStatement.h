#pragma once
// Runs one SQL statement with its values bound in order: texts, numbers and
// keys never become part of the statement text. A null text is bound as empty
// text, so no record's default-constructed string writes a null. Costs one
// statement; the calling thread must own the query's connection for the call.

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace SqlStatement
{
// Prepares `sql` on `query`, binds `values` and executes it. On failure the
// query's lastError() holds the description.
bool Execute(QSqlQuery& query, const QString& sql, const QVariantList& values);
}
