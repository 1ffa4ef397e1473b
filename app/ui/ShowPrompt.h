#pragma once
// The program's message box function. Modal on the user-interface thread;
// answers the result code of the type (see CMessageBoxStyle). While a prompt
// handler is installed (tests, headless runs) the handler answers instead and
// nothing is shown.

#include <QString>
#include <functional>

class QWidget;

struct PromptRequest
{
    QString text;
    QString caption;
    unsigned type = 0;
};

using PromptHandler = std::function<int(const PromptRequest&)>;

int ShowPrompt(QWidget* parent, const QString& text, const QString& caption = QStringLiteral("提示"),
               unsigned type = 64);

// Replaces the handler for the whole process; returns the previous one.
PromptHandler SetPromptHandler(PromptHandler handler);
