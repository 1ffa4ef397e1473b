#pragma once
// The program's connection string for the base database:
//     Provider=SQLite;Data Source="<path>"
// Keys ignore letter case and surrounding blanks; the path is always quoted,
// a quote inside it is written twice. Pure text work: cheap, any thread.

#include "LumetraDBApi.h"

#include <QString>

class LUMETRADB_API CConnectionDescriptor
{
public:
    // The descriptor of an SQLite database file.
    static QString ForSQLiteFile(const QString& path);

    // The database file named by `descriptor`. On anything else (empty text,
    // another provider, an unknown or repeated key, an unquoted or empty
    // path) returns false and leaves a description in *error.
    static bool ParseSQLiteFile(const QString& descriptor, QString* path, QString* error);
};
