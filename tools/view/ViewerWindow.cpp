#include "ViewerWindow.h"

#include "ChannelTrackLoader.h"
#include "CTrackImageDrawObject.h"
#include "ILumetraDrawControlCore.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace
{
constexpr QSize InitialSize(1280, 900);
constexpr double ZoomStep = 0.1;
}

ViewerWindow::ViewerWindow(const ViewOptions& options, const ChannelTrackLoader& loader, QWidget* parent)
    : QMainWindow(parent)
    , options_(options)
    , loader_(loader)
    , zoom_(options.zoom)
{
    setWindowTitle(QStringLiteral("lumetra-view — %1").arg(options.files.join(QStringLiteral(", "))));
    status_ = new QLabel(this);
    statusBar()->addWidget(status_);
    resize(InitialSize);
}

// The control stops reporting before it lets its tracks go (ViewerControl).
ViewerWindow::~ViewerWindow() = default;

bool ViewerWindow::Start(QString* error)
{
    if (!control_.Create(options_, this, QRect(QPoint(0, 0), InitialSize), error))
        return false;
    setCentralWidget(control_.Window());
    control_.Core().SetNotify(this);
    control_.ShowTracks(loader_, options_.image);
    control_.Core().SetFocusToControl();
    ShowStatus();
    return true;
}

QString ViewerWindow::StatusText() const
{
    return QStringLiteral("image %1 of %2   offset %3 rows   zoom %4")
        .arg(image_)
        .arg(loader_.MaxFrameCount())
        .arg(offsetRows_)
        .arg(zoom_, 0, 'f', 2);
}

void ViewerWindow::OnCurrentImageChanged(unsigned image, int offsetRows)
{
    image_ = image;
    offsetRows_ = offsetRows;
    ShowStatus();
}

void ViewerWindow::OnZoomChanged(double zoom)
{
    zoom_ = zoom;
    ShowStatus();
}

// The viewer stores nothing: drawn defects are not kept, changes are dropped.
int ViewerWindow::OnFaultAdded(_FAULT_*) { return 0; }
void ViewerWindow::OnFaultModified(_FAULT_) {}
void ViewerWindow::OnFaultDeleted(int) {}
void ViewerWindow::OnFaultSelected(int, int) {}
void ViewerWindow::OnSaveFaultImage(int, int) {}

void ViewerWindow::keyPressEvent(QKeyEvent* event)
{
    // A held key repeats; the control's scrolling runs until its release.
    if (!event->isAutoRepeat() && HandleKey(event->key())) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool ViewerWindow::HandleKey(int key)
{
    ILumetraDrawControlCore& core = control_.Core();
    const int screen = core.GetFramesPerScreen();
    const int current = control_.Object().GetCurrentImage();
    switch (key) {
    case Qt::Key_Up: core.ScrollVertLoop(0); return true;
    case Qt::Key_Down: core.ScrollVertLoop(1); return true;
    case Qt::Key_Left: core.ScrollHorzLoop(0); return true;
    case Qt::Key_Right: core.ScrollHorzLoop(1); return true;
    case Qt::Key_Space: core.AutoScroll(); return true;
    case Qt::Key_PageUp: GoToImage(current - screen); return true;
    case Qt::Key_PageDown: GoToImage(current + screen); return true;
    case Qt::Key_Home: GoToImage(1); return true;
    case Qt::Key_End: GoToImage(loader_.MaxFrameCount()); return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal: core.SetZoom(core.GetZoom() + ZoomStep); return true;
    case Qt::Key_Minus: core.SetZoom(core.GetZoom() - ZoomStep); return true;
    default: return false;
    }
}

void ViewerWindow::GoToImage(int image)
{
    control_.Core().GoToImage(image, 1);
}

void ViewerWindow::ShowStatus()
{
    status_->setText(StatusText());
}
