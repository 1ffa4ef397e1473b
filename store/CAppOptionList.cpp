#include "CAppOptionList.h"

#include "CSQLiteConnection.h"
#include "ColumnConversions.h"

#include <QSqlError>
#include <QSqlQuery>

bool CAppOptionList::Read(const QString& dbPath, std::vector<Option>* options, QString* error)
{
    options->clear();
    CSQLiteConnection connection;
    if (!connection.OpenExistingReadOnly(dbPath, error))
        return false;
    QSqlQuery query(connection.Database());
    if (!query.exec(QStringLiteral("SELECT AppKey, AppValue FROM AppOption ORDER BY AppKey"))) {
        *error = query.lastError().text();
        return false;
    }
    while (query.next())
        options->push_back({ColumnConversions::ToText(query.value(0)), ColumnConversions::ToText(query.value(1))});
    if (query.lastError().isValid()) {
        *error = query.lastError().text();
        return false;
    }
    return true;
}
