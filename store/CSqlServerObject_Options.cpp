// Application options: table AppOption (AppKey, AppValue).

#include "CDatabaseError.h"
#include "CSqlServerObject.h"
#include "ColumnConversions.h"

namespace
{
const QString AppValueColumn = QStringLiteral("AppValue");
}

// Options are read on the connection as it is: no reconnect, and no text on
// failure, because the program reads every option at start-up and falls back
// to its defaults for each one that is missing or unreadable.
template <typename T, typename Convert>
int CSqlServerObject::ReadAppOption(const QString& key, T& value, Convert convert)
{
    try {
        CRecordSet set =
            CRecordSet::Open(OpenDatabase(), QStringLiteral("SELECT * FROM AppOption WHERE AppKey = ?"), {key});
        if (set.IsEOF())
            return 0;
        const T converted = convert(set.Value(AppValueColumn));
        set.Close();
        value = converted;
        return 1;
    } catch (const CDatabaseError&) {
        return 0;
    }
}

int CSqlServerObject::GetAppOptionInt(const QString& key, int& value)
{
    return ReadAppOption(key, value, [](const QVariant& v) { return ColumnConversions::ToInt(v, AppValueColumn); });
}

int CSqlServerObject::GetAppOptionDouble(const QString& key, double& value)
{
    return ReadAppOption(key, value, [](const QVariant& v) { return ColumnConversions::ToDouble(v, AppValueColumn); });
}

int CSqlServerObject::GetAppOptionLong(const QString& key, int32_t& value)
{
    return ReadAppOption(key, value,
                         [](const QVariant& v) { return int32_t(ColumnConversions::ToInt(v, AppValueColumn)); });
}

int CSqlServerObject::GetAppOptionText(const QString& key, QString& value)
{
    return ReadAppOption(key, value, [](const QVariant& v) { return ColumnConversions::ToText(v); });
}

int CSqlServerObject::SetAppOption(const QString& key, const QString& value)
{
    if (RunStatement(QStringLiteral("UPDATE AppOption SET AppValue = ? WHERE AppKey = ?"), {value, key}) > 0)
        return 1;
    return RunStatement(QStringLiteral("INSERT INTO AppOption VALUES (?, ?)"), {key, value}) > 0 ? 1 : 0;
}
