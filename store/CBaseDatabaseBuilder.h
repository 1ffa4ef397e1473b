#pragma once
// Makes a fresh base database from the project's schema and seed rows (built
// into the library). The database is built in a temporary file beside the
// target and renamed over it only when complete, so a failure never leaves a
// half-made database and an existing one is replaced in one step. Costs a few
// milliseconds of file work; any thread; errors come back as text.

#include "LumetraDBApi.h"

#include <QString>

class LUMETRADB_API CBaseDatabaseBuilder
{
public:
    // Creates the database file `dbPath`, making its folder when needed. An
    // existing file is refused unless `overwrite` is set. On failure returns
    // false with a description in *error (when error is not null).
    static bool Create(const QString& dbPath, bool overwrite, QString* error);
};
