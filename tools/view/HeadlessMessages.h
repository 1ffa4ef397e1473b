#pragma once
// While an object lives, the prompts of the program's classes and the
// control's own message boxes are written to standard error instead of
// waiting for an answer nobody can give (snapshots run without a screen).
// Prompts answer as a closed box would. User-interface thread.

#include <QString>
#include <QStringList>

class HeadlessMessages
{
public:
    HeadlessMessages();
    ~HeadlessMessages();
    HeadlessMessages(const HeadlessMessages&) = delete;
    HeadlessMessages& operator=(const HeadlessMessages&) = delete;

    // Every text shown so far, in order.
    const QStringList& Texts() const { return texts_; }

private:
    void Write(const QString& text);

    QStringList texts_;
};
