#pragma once
// The control's own message box (caption "提示", information icon, no owner),
// with a seam so tests can read a message instead of answering a dialog.
// User-interface thread.

#include <QString>
#include <functional>

void ShowControlMessage(const QString& text);
// Replaces the dialog by `handler` (an empty function restores the dialog).
void SetControlMessageHandler(std::function<void(const QString&)> handler);
