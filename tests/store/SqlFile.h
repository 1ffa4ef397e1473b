#pragma once
// Direct SQL on a database file, for arranging and checking what the store
// reads and writes. Each call uses a connection of its own and closes it.

#include <QString>
#include <QStringList>
#include <QVariant>

namespace SqlFile
{
// Runs one statement; fails the current test when it fails.
void Exec(const QString& dbPath, const QString& sql);

// The first column of every row of a query.
QVariantList Column(const QString& dbPath, const QString& sql);

// The first column of the first row of a query (invalid when no row).
QVariant Scalar(const QString& dbPath, const QString& sql);
}
