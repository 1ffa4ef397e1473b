#include "HeadlessMessages.h"

#include "CMessageBoxStyle.h"
#include "ControlMessage.h"
#include "ShowPrompt.h"

#include <cstdio>

HeadlessMessages::HeadlessMessages()
{
    SetPromptHandler([this](const PromptRequest& request) {
        Write(request.text);
        return int(MessageBoxCodes::IdClosed);
    });
    SetControlMessageHandler([this](const QString& text) { Write(text); });
}

HeadlessMessages::~HeadlessMessages()
{
    SetControlMessageHandler({});
    SetPromptHandler({});
}

void HeadlessMessages::Write(const QString& text)
{
    texts_ << text;
    std::fprintf(stderr, "lumetra-view: %s\n", qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
}
