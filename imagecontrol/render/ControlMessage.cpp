#include "ControlMessage.h"
void ShowControlMessage(const QString&) {}
void SetControlMessageHandler(std::function<void(const QString&)>) {}
