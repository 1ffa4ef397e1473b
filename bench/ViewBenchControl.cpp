#include "ViewBenchControl.h"

#include "VisibleFrames.h"

#include <QCoreApplication>
#include <QVBoxLayout>
#include <chrono>
#include <thread>

ViewBenchControl::ViewBenchControl(const ViewOptions& options, QSize clientSize)
{
    host_.setAttribute(Qt::WA_DontShowOnScreen);
    auto* layout = new QVBoxLayout(&host_);
    layout->setContentsMargins(0, 0, 0, 0);
    QString error;
    if (!loader_.Open(options.files, &error) || !control_.Create(options, &host_, QRect(QPoint(), clientSize), &error))
        qFatal("cannot set the control up: %s", qPrintable(error));
    if (!control_.EngineReady())
        qFatal("the rendering engine of paint mode %d did not start", options.paintMode);
    layout->addWidget(control_.Window());
    host_.resize(clientSize);
    host_.show();
    control_.ShowTracks(loader_, options.image);
    if (!control_.FitClientArea(host_, clientSize))
        qFatal("the client area did not settle at %d x %d", clientSize.width(), clientSize.height());
    WaitUntilLoaded();
}

void ViewBenchControl::WaitUntilLoaded()
{
    // Far beyond any real load; a row that never loads is a fault, not a figure.
    constexpr auto Limit = std::chrono::seconds(60);
    const auto start = std::chrono::steady_clock::now();
    while (!VisibleFrames::AllLoaded(control_.Object())) {
        if (std::chrono::steady_clock::now() - start > Limit)
            qFatal("frames on screen still not loaded after a minute");
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}
