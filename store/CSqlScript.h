#pragma once
// An SQL script of the project (schema, seed rows) cut into the statements
// that Qt SQL runs one at a time. Semicolons inside quotes and comments do
// not end a statement; comments are dropped. Scripts hold no triggers, whose
// bodies would need a real parser. Linear in the script's length.

#include <QString>
#include <QStringList>

class CSqlScript
{
public:
    static QStringList Statements(const QString& script);
};
