#include "ControlMessage.h"

#include <QMessageBox>

namespace {

std::function<void(const QString&)>& MessageHandler()
{
    static std::function<void(const QString&)> handler;
    return handler;
}

} // namespace

void ShowControlMessage(const QString& text)
{
    if (const auto& handler = MessageHandler()) {
        handler(text);
        return;
    }
    // No owner: the box stands on its own, like the original's system box.
    QMessageBox box(QMessageBox::Information, QStringLiteral("提示"), text, QMessageBox::Ok);
    box.exec();
}

void SetControlMessageHandler(std::function<void(const QString&)> handler)
{
    MessageHandler() = std::move(handler);
}
