#include "CMessageBoxStyle.h"

using namespace MessageBoxCodes;

QStringList CMessageBoxStyle::ButtonTexts(unsigned type)
{
    if (type & TypeYesNo)
        return {QStringLiteral("是"), QStringLiteral("否")};
    if (type & TypeOkCancel)
        return {QStringLiteral("确定"), QStringLiteral("取消")};
    return {QStringLiteral("确定")};
}

CMessageBoxStyle::Icon CMessageBoxStyle::IconFor(unsigned type)
{
    if ((type & TypeWarning) == TypeWarning)
        return Icon::Warning;
    if (type & TypeError)
        return Icon::Error;
    if (type & TypeQuestion)
        return Icon::Question;
    return Icon::Information;
}

int CMessageBoxStyle::ResultFor(unsigned type, int button)
{
    const bool yesNo = (type & TypeYesNo) != 0;
    switch (button) {
    case 1:
        return yesNo ? IdYes : IdOk;
    case 2:
        return yesNo ? IdNo : IdCancel;
    default:
        return IdClosed;
    }
}
