#include "SnapshotWriter.h"

#include "ChannelTrackLoader.h"
#include "CTrackImageDrawObject.h"
#include "ViewOptions.h"
#include "ViewerControl.h"
#include "VisibleFrames.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

namespace
{
bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

// The grabbed client area on a canvas of exactly `size`, should the scroll
// bars have kept the client area from settling there.
QImage OnCanvas(const QImage& picture, const QSize& size)
{
    if (picture.size() == size)
        return picture;
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, picture);
    return canvas;
}
}

bool SnapshotWriter::Write(const ViewOptions& options, const ChannelTrackLoader& loader, QString* error)
{
    QWidget host;
    host.setAttribute(Qt::WA_DontShowOnScreen);
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);

    ViewerControl control;
    if (!control.Create(options, &host, QRect(QPoint(0, 0), options.snapshotSize), error))
        return false;
    if (!control.EngineReady())
        return Fail(error, QStringLiteral("the rendering engine of paint mode %1 did not start").arg(options.paintMode));
    layout->addWidget(control.Window());
    host.resize(options.snapshotSize);
    host.show();
    control.FitClientArea(host, options.snapshotSize);

    control.ShowTracks(loader, options.image);
    // The vertical bar appears with the tracks.
    const bool fitted = control.FitClientArea(host, options.snapshotSize);
    const int timeout = options.threadLoad ? LoadTimeoutMs : 0;
    if (!VisibleFrames::WaitUntilLoaded(control.Object(), timeout))
        std::fprintf(stderr, "lumetra-view: some frames on screen were not loaded; they show as not loaded\n");
    if (!fitted)
        std::fprintf(stderr, "lumetra-view: the client area did not settle at the asked size\n");

    const QImage picture = OnCanvas(control.ClientArea()->grab().toImage(), options.snapshotSize);
    if (!picture.save(options.snapshotPath, "PNG"))
        return Fail(error, QStringLiteral("cannot write \"%1\"").arg(options.snapshotPath));
    return true;
}
