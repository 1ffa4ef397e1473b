#pragma once
// lumetra-view's main window: the image control's window as the central
// widget, a status line with the image, its scrolled rows and the zoom (as
// the control reports them), and the viewer's keys for what the control
// leaves to its host: Up/Down and Left/Right scroll while held, Space pages
// automatically, PageUp/PageDown move a screen, Home/End go to the ends,
// +/- zoom. The wheel works through the control itself.
//
// The loader lends the tracks their readers and must outlive the window.
// Threads: the user-interface thread. Errors: Start answers false with a
// line of text when the control's window cannot be made.

#include "IImageNotifyInterface.h"
#include "ViewOptions.h"
#include "ViewerControl.h"

#include <QMainWindow>

class ChannelTrackLoader;
class QLabel;

class ViewerWindow : public QMainWindow, public IImageNotifyInterface
{
    Q_OBJECT

public:
    ViewerWindow(const ViewOptions& options, const ChannelTrackLoader& loader, QWidget* parent = nullptr);
    ~ViewerWindow() override;

    bool Start(QString* error);
    const ViewerControl& Control() const { return control_; }
    QString StatusText() const;

    // IImageNotifyInterface
    void OnCurrentImageChanged(unsigned image, int offsetRows) override;
    void OnZoomChanged(double zoom) override;
    int OnFaultAdded(_FAULT_* fault) override;
    void OnFaultModified(_FAULT_ fault) override;
    void OnFaultDeleted(int faultId) override;
    void OnFaultSelected(int trackId, int faultId) override;
    void OnSaveFaultImage(int faultId, int mode) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool HandleKey(int key);
    void GoToImage(int image);
    void ShowStatus();

    const ViewOptions& options_;
    const ChannelTrackLoader& loader_;
    ViewerControl control_;
    QLabel* status_ = nullptr;
    unsigned image_ = 1;
    int offsetRows_ = 0;
    double zoom_ = 0.0;
};
