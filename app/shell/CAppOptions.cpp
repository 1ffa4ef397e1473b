#include "CAppOptions.h"

#include "ILumetraDBInterface.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcOptions, "lumetra.options")

const std::vector<CAppOptions::Key>& CAppOptions::Keys()
{
    static const std::vector<Key> keys = {
        {"BGColorEx", ReadAs::Long, 0xFFFFFF},
        {"FGColorEx", ReadAs::Long, 0x000000},
        {"HorzAlign", ReadAs::Long, 0},
        {"VertAlign", ReadAs::Long, 0},
        {"ZhenCount", ReadAs::Long, 2},
        {"PaintMode", ReadAs::Long, 0},
        {"HScrollSpeed", ReadAs::Long, 4},
        {"VScrollSpeed", ReadAs::Long, 4},
        {"DefaultZoomMany", ReadAs::Double, 1.0},
        {"DivLine", ReadAs::Int, QVariant()},
        {"DivFull", ReadAs::Int, QVariant()},
        {"BlueBox", ReadAs::Int, QVariant()},
        {"DropBox", ReadAs::Int, QVariant()},
        {"ThreadLoad", ReadAs::Int, QVariant()},
        {"ExchangeLR", ReadAs::Int, QVariant()},
        {"ReadOnly", ReadAs::Int, QVariant()},
        {"AppLook", ReadAs::Int, 215},
        {"MMPerImage", ReadAs::Int, 2000},
        {"FastenCx", ReadAs::Int, 0},
        {"FastenCy", ReadAs::Int, 0},
        {"Door", ReadAs::Text, 15},
        {"LastPath", ReadAs::Text, QString()},
    };
    return keys;
}

const CAppOptions::Key* CAppOptions::Find(const QString& name)
{
    for (const Key& key : Keys())
        if (name == QLatin1String(key.name))
            return &key;
    return nullptr;
}

QVariant CAppOptions::defaultOf(const char* name) const
{
    const Key* key = Find(QLatin1String(name));
    if (!key)
        qCWarning(lcOptions) << "unknown option key" << name;
    return key ? key->defaultValue : QVariant();
}

namespace
{
// One read through the store's typed getter: the value when the key is stored.
template <typename Value>
std::optional<Value> ReadStored(ILumetraDBInterface* store, const char* name,
                                int (ILumetraDBInterface::*get)(const QString&, Value&))
{
    Value value{};
    if (store && (store->*get)(QLatin1String(name), value) == 1)
        return value;
    return std::nullopt;
}
}

std::optional<int> CAppOptions::StoredInt(const char* name) const
{
    return ReadStored(store_, name, &ILumetraDBInterface::GetAppOptionInt);
}

std::optional<int> CAppOptions::StoredLong(const char* name) const
{
    return ReadStored(store_, name, &ILumetraDBInterface::GetAppOptionLong);
}

std::optional<double> CAppOptions::StoredDouble(const char* name) const
{
    return ReadStored(store_, name, &ILumetraDBInterface::GetAppOptionDouble);
}

int CAppOptions::Int(const char* name) const { return StoredInt(name).value_or(defaultOf(name).toInt()); }

int CAppOptions::Long(const char* name) const { return StoredLong(name).value_or(defaultOf(name).toInt()); }

double CAppOptions::Double(const char* name) const
{
    return StoredDouble(name).value_or(defaultOf(name).toDouble());
}

QString CAppOptions::Text(const char* name) const
{
    if (auto stored = ReadStored(store_, name, &ILumetraDBInterface::GetAppOptionText))
        return *stored;
    return defaultOf(name).toString();
}

int CAppOptions::ContinuityThreshold() const
{
    const int fallback = defaultOf("Door").toInt();
    bool ok = false;
    const int value = Text("Door").trimmed().toInt(&ok);
    return ok && value > 0 ? value : fallback;
}
