#pragma once
// The control's own message box (caption "提示", information icon, no owner),
// with a seam so tests can read a message instead of answering a dialog.
// User-interface thread. ShowControlMessage blocks in the dialog until the
// user answers it (or returns at once through the seam).

#include "LumetraImageApi.h"

#include <QString>
#include <functional>

LUMETRAIMAGE_API void ShowControlMessage(const QString& text);
// Replaces the dialog by `handler` (an empty function restores the dialog).
LUMETRAIMAGE_API void SetControlMessageHandler(std::function<void(const QString&)> handler);
