#include "SqlStatement.h"

namespace
{
QVariant BindableValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QString(QLatin1String(""));
    return value;
}
}

namespace SqlStatement
{
bool Execute(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant& value : values)
        query.addBindValue(BindableValue(value));
    return query.exec();
}
}
