#include "ViewerControl.h"

#include "ChannelTrackLoader.h"
#include "CTrackImageDrawObject.h"
#include "ILumetraDrawControlCore.h"
#include "LumetraImageExport.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QWidget>

namespace
{
// Scroll bars show or hide with the client size, which changes the client
// size again; a few rounds settle it.
constexpr int FitRounds = 4;
// The program's start-up scrolling speeds.
constexpr int ScrollSpeed = 4;
}

ViewerControl::ViewerControl()
{
    void* created = nullptr;
    if (CreateImageCoreInstance(&created) && created) {
        core_ = static_cast<ILumetraDrawControlCore*>(created);
        object_ = dynamic_cast<CTrackImageDrawObject*>(core_);
    }
}

ViewerControl::~ViewerControl()
{
    if (!core_)
        return;
    core_->SetNotify(nullptr);
    core_->RemoveAll();
    core_->Destroy();
}

bool ViewerControl::Create(const ViewOptions& options, QWidget* parent, const QRect& rect, QString* error)
{
    if (!core_ || !object_) {
        if (error)
            *error = QStringLiteral("the image control library made no control");
        return false;
    }
    if (!core_->Create(rect, parent, ControlId, nullptr)) {
        if (error)
            *error = QStringLiteral("the image control's window could not be made at %1 x %2")
                         .arg(rect.width()).arg(rect.height());
        return false;
    }
    // ThreadLoad and the engine reach only the tracks added afterwards.
    core_->SetThreadLoad(options.threadLoad ? 1 : 0);
    core_->SetFramesPerScreen(options.framesPerScreen);
    core_->SetVScrollSpeed(ScrollSpeed);
    core_->SetHScrollSpeed(ScrollSpeed);
    core_->SetBlueBox(1);
    core_->SetDivLine(1);
    core_->SetDropBox(1);
    const _IMAGE_ADJUST_STRUCT_ startUpAdjust{0, 10, 1};
    core_->SetImageAdjust(&startUpAdjust);
    core_->SetPaintMode(options.paintMode);
    core_->SetZoom(options.zoom);
    return true;
}

bool ViewerControl::EngineReady() const
{
    return object_ && object_->IsEngineReady() == 1;
}

void ViewerControl::ShowTracks(const ChannelTrackLoader& loader, int image)
{
    loader.AddTracksTo(*core_);
    core_->GoToImage(image, 1);
}

bool ViewerControl::FitClientArea(QWidget& host, const QSize& size) const
{
    for (int round = 0; round < FitRounds; ++round) {
        QCoreApplication::sendPostedEvents();
        const QSize client = object_->GetClientRect().size();
        if (client == size)
            return true;
        host.resize(host.size() + (size - client));
    }
    QCoreApplication::sendPostedEvents();
    return object_->GetClientRect().size() == size;
}

ILumetraDrawControlCore& ViewerControl::Core() const
{
    return *core_;
}

CTrackImageDrawObject& ViewerControl::Object() const
{
    return *object_;
}

QWidget* ViewerControl::Window() const
{
    return core_ ? core_->GetWindowHandle() : nullptr;
}

QWidget* ViewerControl::ClientArea() const
{
    auto* area = qobject_cast<QAbstractScrollArea*>(Window());
    return area ? area->viewport() : nullptr;
}
