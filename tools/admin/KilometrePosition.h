#pragma once
// A kilometre position as the listings print it: "K12+300".

#include <QString>

inline QString KilometrePosition(int kilometres, int metres)
{
    return QStringLiteral("K%1+%2").arg(kilometres).arg(metres, 3, 10, QLatin1Char('0'));
}
