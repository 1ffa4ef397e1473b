#pragma once
// Every application option of a base database file, for listing them: the
// store interface reads options only by key. Opens the file read-only with a
// connection of its own; costs one query; any thread; errors come back as
// text.

#include "LumetraDBApi.h"

#include <QString>
#include <vector>

class LUMETRADB_API CAppOptionList
{
public:
    struct Option
    {
        QString key;
        QString value;
    };

    // The options of the base database `dbPath`, ordered by key. False with
    // a description in *error when the file is missing, is not a base
    // database or cannot be read.
    static bool Read(const QString& dbPath, std::vector<Option>* options, QString* error);
};
