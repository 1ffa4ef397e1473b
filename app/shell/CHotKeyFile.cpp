#include "CHotKeyFile.h"

#include <QSettings>

namespace {
constexpr int MaxTextLength = 124;
}

std::vector<_HOT_KEY_STRUCT_> CHotKeyFile::Load() const
{
    QSettings ini(path_, QSettings::IniFormat);
    const int count = ini.value(QStringLiteral("HOTKEY/COUNT"), 0).toInt();
    std::vector<_HOT_KEY_STRUCT_> hotKeys;
    for (int i = 0; i < count; ++i) {
        ini.beginGroup(QStringLiteral("Key_%1").arg(i));
        _HOT_KEY_STRUCT_ hotKey;
        bool ok = false;
        hotKey.KeyID = ini.value(QStringLiteral("KeyID"), -1).toInt(&ok);
        if (!ok)
            hotKey.KeyID = -1;
        hotKey.AlphaKey = ini.value(QStringLiteral("AlphaKey")).toString().left(MaxTextLength);
        hotKey.Modifier = ini.value(QStringLiteral("Fuction")).toString().left(MaxTextLength);
        ini.endGroup();
        hotKeys.push_back(hotKey);
    }
    return hotKeys;
}

bool CHotKeyFile::Save(const std::vector<_HOT_KEY_STRUCT_>& hotKeys) const
{
    QSettings ini(path_, QSettings::IniFormat);
    ini.setValue(QStringLiteral("HOTKEY/COUNT"), QString::number(hotKeys.size()));
    for (size_t i = 0; i < hotKeys.size(); ++i) {
        ini.beginGroup(QStringLiteral("Key_%1").arg(i));
        ini.setValue(QStringLiteral("KeyID"), QString::number(hotKeys[i].KeyID));
        ini.setValue(QStringLiteral("AlphaKey"), hotKeys[i].AlphaKey);
        ini.setValue(QStringLiteral("Fuction"), hotKeys[i].Modifier);
        ini.endGroup();
    }
    ini.sync();
    return ini.status() == QSettings::NoError;
}
