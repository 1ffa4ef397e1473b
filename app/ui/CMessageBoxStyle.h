#pragma once
// How a message box type (the platform's MB_* flags) turns into buttons, icon
// and result code. Kept apart from the dialog so it can be checked directly.

#include <QString>
#include <QStringList>

namespace MessageBoxCodes {
constexpr unsigned TypeOkCancel = 0x1;
constexpr unsigned TypeYesNo = 0x4;
constexpr unsigned TypeError = 0x10;
constexpr unsigned TypeQuestion = 0x20;
constexpr unsigned TypeWarning = 0x30;
constexpr unsigned TypeInformation = 0x40;

constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
constexpr int IdClosed = 8;   // closed without either button
}

class CMessageBoxStyle
{
public:
    enum class Icon { Information, Warning, Error, Question };

    // Texts of the shown buttons, first button first; one text means a single,
    // centred button.
    static QStringList ButtonTexts(unsigned type);
    static Icon IconFor(unsigned type);
    // button: 1 or 2 for the pressed button, anything else for a box closed
    // another way.
    static int ResultFor(unsigned type, int button);
};
