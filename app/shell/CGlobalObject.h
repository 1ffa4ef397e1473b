#pragma once
// The main program's one shared object: the store, the open task, its readers
// and defect store, the channel definitions, millimetres per image, hotkeys and
// the six ribbon channel slots. Not locked: workers read it only while the
// user-interface thread waits behind a modal dialog.

#include "BaseDataRecords.h"
#include "CReaderSet.h"
#include "ControlRecords.h"
#include "ILumetraDBInterface.h"

#include <QBrush>
#include <QString>
#include <array>
#include <memory>
#include <vector>

class CFaultStore;
class CMainFrame;
class CTaskManageWnd;
class QAbstractButton;

class CGlobalObject
{
public:
    using Task = ILumetraDBInterface::_DB_TASK_STRUCT_;

    // Binding of one ribbon channel check box to a channel.
    struct ChannelSlot
    {
        QAbstractButton* Element = nullptr;  // null until a task is opened
        int32_t Shown = 0;
        int32_t CommandId = 0;
        int32_t TrackId = -1;
    };
    static constexpr int ChannelSlotCount = 6;
    static constexpr int DefaultMMPerImage = 2000;

    CGlobalObject();
    ~CGlobalObject();
    CGlobalObject(const CGlobalObject&) = delete;
    CGlobalObject& operator=(const CGlobalObject&) = delete;

    ILumetraDBInterface* GetDBInterface() const { return DBInterface; }
    // Releases the store (at exit); later calls see no store.
    void ReleaseDBInterface();

    int GetCurrentImageNo() const { return CurrentImageNo; }
    void SetCurrentImageNo(int image) { CurrentImageNo = image; }

    Task* GetCurrentTask() const { return CurrentTask.get(); }
    // Takes ownership; null closes the task and frees the previous record.
    void SetCurrentTask(std::unique_ptr<Task> task) { CurrentTask = std::move(task); }
    int IsTaskOpen() const { return CurrentTask ? 1 : 0; }

    CReaderSet* GetOpenReaders() { return &OpenReaders; }
    CFaultStore* GetFaultStore() { return FaultStore.get(); }

    void SetReportRailSide(int side) { ReportRailSide = side; }
    int GetReportRailSide() const { return ReportRailSide; }

    // Fills the channel definitions from the store; answers the store's result.
    int LoadTrackDefines();
    const std::vector<_TRACK_DEFINE_STRUCT_>& GetTrackDefines() const { return TrackDefines; }
    const _TRACK_DEFINE_STRUCT_* FindTrackDefine(int trackId) const;

    void SetTaskPane(CTaskManageWnd* pane) { TaskPane = pane; }
    CTaskManageWnd* GetTaskPane() const { return TaskPane; }
    void SetMainFrame(CMainFrame* frame) { MainFrame = frame; }
    CMainFrame* GetMainFrame() const { return MainFrame; }

    void SetDBConnected(int connected) { DBConnected = connected; }
    int IsDBConnected() const { return DBConnected; }

    void SetMMPerImage(int mm) { MMPerImage = mm > 0 ? mm : DefaultMMPerImage; }
    int GetMMPerImage() const { return MMPerImage > 0 ? MMPerImage : DefaultMMPerImage; }

    const QBrush* GetBackgroundBrush() const;

    QString GetHotKeyFile() const { return HotKeyFile; }
    void LoadHotKeys();
    bool SaveHotKeys(const std::vector<_HOT_KEY_STRUCT_>& hotKeys);
    void CopyHotKeys(std::vector<_HOT_KEY_STRUCT_>& out) const { out = HotKeys; }
    // KeyID of the first hotkey with that key whose modifier fits the keyboard
    // state, or -1.
    int MatchHotKey(int virtualKey, Qt::KeyboardModifiers modifiers) const;
    // "\t<modifier>+<key>" of the first hotkey of that function, or empty.
    QString GetHotKeyLabel(int function) const;

    std::array<ChannelSlot, ChannelSlotCount>& GetChannelSlots() { return ChannelSlots; }

private:
    int CurrentImageNo = 1;
    ILumetraDBInterface* DBInterface = nullptr;
    std::unique_ptr<Task> CurrentTask;
    CReaderSet OpenReaders;
    int ReportRailSide = 0;
    std::vector<_TRACK_DEFINE_STRUCT_> TrackDefines;
    std::unique_ptr<CFaultStore> FaultStore;
    CTaskManageWnd* TaskPane = nullptr;
    CMainFrame* MainFrame = nullptr;
    int DBConnected = 0;
    int MMPerImage = DefaultMMPerImage;
    std::vector<_HOT_KEY_STRUCT_> HotKeys;
    QBrush BackgroundBrush{QColor(0xFF, 0xFF, 0xFF)};
    QString HotKeyFile;
    std::array<ChannelSlot, ChannelSlotCount> ChannelSlots{};
};

// The program's one global object, made on first use (after the QApplication).
CGlobalObject& theGlobal();
