#include "ShowPrompt.h"

#include "CMessageBox.h"

#include <QCoreApplication>
#include <QThread>
#include <mutex>

namespace {

std::mutex handlerMutex;
PromptHandler installedHandler;

PromptHandler currentHandler()
{
    std::lock_guard lock(handlerMutex);
    return installedHandler;
}

} // namespace

int ShowPrompt(QWidget* parent, const QString& text, const QString& caption, unsigned type)
{
    if (const PromptHandler handler = currentHandler())
        return handler(PromptRequest{text, caption, type});
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return MessageBoxCodes::IdClosed;
    // Workers (task loading, the store during an import) may prompt too: the
    // box is shown by the user-interface thread while the worker waits.
    if (QThread::currentThread() != application->thread()) {
        int result = MessageBoxCodes::IdClosed;
        QMetaObject::invokeMethod(
            application, [&] { result = ShowPrompt(nullptr, text, caption, type); }, Qt::BlockingQueuedConnection);
        return result;
    }
    CMessageBox box(parent, text, caption, type);
    return box.RunModal();
}

PromptHandler SetPromptHandler(PromptHandler handler)
{
    std::lock_guard lock(handlerMutex);
    std::swap(installedHandler, handler);
    return handler;
}
