#include "CConnectionDescriptor.h"

#include <QStringList>

namespace
{
const QString ProviderKey = QStringLiteral("provider");
const QString DataSourceKey = QStringLiteral("data source");
const QString SQLiteProvider = QStringLiteral("SQLite");

// Splits at the semicolons that are not inside a quoted value.
QStringList SplitItems(const QString& descriptor)
{
    QStringList items;
    QString current;
    bool quoted = false;
    for (const QChar c : descriptor) {
        if (c == u'"')
            quoted = !quoted;
        if (c == u';' && !quoted) {
            items << current;
            current.clear();
        } else {
            current += c;
        }
    }
    items << current;
    return items;
}

// A value in double quotes, where "" stands for one quote.
bool Unquote(const QString& value, QString* text, QString* error)
{
    if (!value.startsWith(u'"')) {
        *error = QStringLiteral("Data Source must be a path in double quotes");
        return false;
    }
    text->clear();
    for (qsizetype i = 1; i < value.size(); ++i) {
        if (value.at(i) != u'"') {
            *text += value.at(i);
            continue;
        }
        if (i + 1 < value.size() && value.at(i + 1) == u'"') {
            *text += u'"';
            ++i;
            continue;
        }
        if (i + 1 != value.size()) {
            *error = QStringLiteral("unexpected text after the quoted Data Source");
            return false;
        }
        return true;
    }
    *error = QStringLiteral("the quoted Data Source has no closing quote");
    return false;
}
}

QString CConnectionDescriptor::ForSQLiteFile(const QString& path)
{
    QString quoted = path;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return QStringLiteral("Provider=SQLite;Data Source=\"%1\"").arg(quoted);
}

bool CConnectionDescriptor::ParseSQLiteFile(const QString& descriptor, QString* path, QString* error)
{
    if (descriptor.trimmed().isEmpty()) {
        *error = QStringLiteral("the connection string is empty");
        return false;
    }
    QString provider;
    QString source;
    bool hasProvider = false;
    bool hasSource = false;
    for (const QString& item : SplitItems(descriptor)) {
        if (item.trimmed().isEmpty())
            continue;
        const qsizetype equals = item.indexOf(u'=');
        if (equals < 0) {
            *error = QStringLiteral("'%1' is not of the form key=value").arg(item.trimmed());
            return false;
        }
        const QString key = item.left(equals).trimmed().toLower();
        const QString value = item.mid(equals + 1).trimmed();
        bool* seen = key == ProviderKey ? &hasProvider : key == DataSourceKey ? &hasSource : nullptr;
        if (!seen) {
            *error = QStringLiteral("unknown key '%1'").arg(item.left(equals).trimmed());
            return false;
        }
        if (*seen) {
            *error = QStringLiteral("the key '%1' is given twice").arg(item.left(equals).trimmed());
            return false;
        }
        *seen = true;
        (key == ProviderKey ? provider : source) = value;
    }
    if (!hasProvider) {
        *error = QStringLiteral("the connection string names no Provider");
        return false;
    }
    if (provider.compare(SQLiteProvider, Qt::CaseInsensitive) != 0) {
        *error = QStringLiteral("unsupported provider '%1' (only SQLite)").arg(provider);
        return false;
    }
    if (!hasSource) {
        *error = QStringLiteral("the connection string names no Data Source");
        return false;
    }
    QString file;
    if (!Unquote(source, &file, error))
        return false;
    if (file.trimmed().isEmpty()) {
        *error = QStringLiteral("the Data Source path is empty");
        return false;
    }
    *path = file;
    return true;
}
