#pragma once
// Collects the warnings Qt's logging writes while the object lives.

#include <QString>
#include <QStringList>
#include <QtGlobal>

class WarningCapture
{
public:
    WarningCapture() { previous_ = qInstallMessageHandler(&WarningCapture::Handle); }
    ~WarningCapture()
    {
        qInstallMessageHandler(previous_);
        messages().clear();
    }
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    static QStringList& messages()
    {
        static QStringList captured;
        return captured;
    }

private:
    static void Handle(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg)
            messages().append(message);
    }

    QtMessageHandler previous_ = nullptr;
};
