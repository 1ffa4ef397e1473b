#include "CGlobalObject.h"

#include "CFaultStore.h"
#include "CHotKeyFile.h"
#include "LumetraDBExport.h"
#include "ProgramDirectory.h"

CGlobalObject::CGlobalObject()
    : FaultStore(std::make_unique<CFaultStore>()), HotKeyFile(ProgramPath(QStringLiteral("hotkey.ini")))
{
    CreateDBInstance(&DBInterface);
}

CGlobalObject::~CGlobalObject()
{
    OpenReaders.Clear();
    // The application releases the store at exit; one still held here (a test,
    // an early return) is released so that nothing is left behind.
    ReleaseDBInterface();
}

void CGlobalObject::ReleaseDBInterface()
{
    if (DBInterface) {
        DBInterface->Release();
        DBInterface = nullptr;
    }
}

int CGlobalObject::LoadTrackDefines()
{
    TrackDefines.clear();
    return DBInterface ? DBInterface->GetAllTracks(TrackDefines) : 0;
}

const _TRACK_DEFINE_STRUCT_* CGlobalObject::FindTrackDefine(int trackId) const
{
    for (const _TRACK_DEFINE_STRUCT_& define : TrackDefines)
        if (define.TrackID == trackId)
            return &define;
    return nullptr;
}

const QBrush* CGlobalObject::GetBackgroundBrush() const
{
    return BackgroundBrush.style() == Qt::NoBrush ? nullptr : &BackgroundBrush;
}

void CGlobalObject::LoadHotKeys() { HotKeys = CHotKeyFile(HotKeyFile).Load(); }

bool CGlobalObject::SaveHotKeys(const std::vector<_HOT_KEY_STRUCT_>& hotKeys)
{
    return CHotKeyFile(HotKeyFile).Save(hotKeys);
}

int CGlobalObject::MatchHotKey(int virtualKey, Qt::KeyboardModifiers modifiers) const
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    for (const _HOT_KEY_STRUCT_& hotKey : HotKeys) {
        if (hotKey.AlphaKey.size() != 1 || hotKey.AlphaKey[0].unicode() != virtualKey)
            continue;
        const bool fits = (hotKey.Modifier == QLatin1String("Ctrl") && ctrl)
                          || (hotKey.Modifier == QLatin1String("Shift") && shift)
                          || (hotKey.Modifier == QStringLiteral("无") && !ctrl && !shift);
        if (fits)
            return hotKey.KeyID;
    }
    return -1;
}

QString CGlobalObject::GetHotKeyLabel(int function) const
{
    for (const _HOT_KEY_STRUCT_& hotKey : HotKeys)
        if (hotKey.KeyID == function)
            return QStringLiteral("\t%1+%2").arg(hotKey.Modifier, hotKey.AlphaKey);
    return QString();
}

CGlobalObject& theGlobal()
{
    static CGlobalObject global;
    return global;
}
