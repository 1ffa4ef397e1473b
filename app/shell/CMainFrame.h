#pragma once
// The program's one top-level window: the view hosting the image control and
// the status bar. It receives the control's notifications. User-interface
// thread only.

#include "IImageNotifyInterface.h"

#include <QMainWindow>

class CGlobalObject;
class CLumetraView;
class ILumetraDrawControlCore;
class QKeyEvent;
class QLabel;
class QTimer;

class CMainFrame : public QMainWindow, public IImageNotifyInterface
{
    Q_OBJECT
public:
    static constexpr unsigned ControlId = 106;
    // Ribbon check boxes of the six channel slots, in slot order.
    static constexpr int ChannelCommandIds[] = {32790, 32793, 32794, 32795, 32792, 32796};
    static constexpr int DefaultLook = 215;

    explicit CMainFrame(CGlobalObject& global, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Creates the image control in the view and brings it into its initial
    // state; called once the window has been shown.
    void CreateImageControl();
    // Hands the stored drawing options to the control.
    void ApplyDrawingOptions(bool startUp);
    // Stores the visual style and writes it back to the options.
    void SwitchLook(int lookId);
    // The fixed keys of an open task; true when the key was handled.
    bool HandleFixedKey(QKeyEvent* event);

    ILumetraDrawControlCore* ImageControl() const { return control_; }
    CLumetraView* View() const { return view_; }
    int CurrentLook() const { return look_; }
    QString DatabaseStatusText() const;
    QString TaskStatusText() const;

    // IImageNotifyInterface
    void OnCurrentImageChanged(unsigned image, int offsetRows) override;
    void OnZoomChanged(double zoom) override;
    int OnFaultAdded(_FAULT_* fault) override;
    void OnFaultModified(_FAULT_ fault) override;
    void OnFaultDeleted(int faultId) override;
    void OnFaultSelected(int trackId, int faultId) override;
    void OnSaveFaultImage(int faultId, int mode) override;

protected:
    void customEvent(QEvent* event) override;

private:
    void bindChannelSlotCommands();
    void createStatusBar();
    QLabel* addStatusElement(const QString& label, const QString& text, const QString& objectName,
                             bool permanent);
    void showTime();
    void updateDatabaseStatus();
    void destroyImageControl();

    CGlobalObject& global_;
    CLumetraView* view_ = nullptr;
    ILumetraDrawControlCore* control_ = nullptr;
    QLabel* databaseStatus_ = nullptr;   // element 105
    QLabel* taskStatus_ = nullptr;       // element 104
    QLabel* timeStatus_ = nullptr;       // element 121
    QTimer* clock_ = nullptr;            // timer 1
    int look_ = DefaultLook;
};
