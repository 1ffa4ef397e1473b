#include "ColumnConversions.h"

#include "CDatabaseError.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <limits>

namespace
{
bool IsIntegerType(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool IsRealType(const QVariant& value)
{
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

[[noreturn]] void Fail(const QString& column, const QString& problem)
{
    throw CDatabaseError(QStringLiteral("column %1: %2").arg(column, problem));
}

int CheckedInt(qlonglong number, const QString& column)
{
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        Fail(column, QStringLiteral("%1 does not fit a 32-bit integer").arg(number));
    return static_cast<int>(number);
}

int IntFromReal(double real, const QString& column)
{
    if (!std::isfinite(real) || std::fabs(real) > double(std::numeric_limits<int>::max()) + 0.5)
        Fail(column, QStringLiteral("%1 does not fit a 32-bit integer").arg(real));
    return CheckedInt(std::llround(real), column);
}

int IntFromText(const QString& text, const QString& column)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        Fail(column, QStringLiteral("'%1' is not a whole number").arg(text));
    return CheckedInt(number, column);
}
}

namespace ColumnConversions
{
int ToInt(const QVariant& value, const QString& column)
{
    if (value.isNull())
        Fail(column, QStringLiteral("null where a number is needed"));
    if (IsIntegerType(value))
        return CheckedInt(value.toLongLong(), column);
    if (IsRealType(value))
        return IntFromReal(value.toDouble(), column);
    if (value.typeId() == QMetaType::QString)
        return IntFromText(value.toString(), column);
    Fail(column, QStringLiteral("a %1 is not a number").arg(QString::fromLatin1(value.typeName())));
}

double ToDouble(const QVariant& value, const QString& column)
{
    if (value.isNull())
        Fail(column, QStringLiteral("null where a number is needed"));
    if (IsIntegerType(value) || IsRealType(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(number))
            Fail(column, QStringLiteral("'%1' is not a number").arg(value.toString()));
        return number;
    }
    Fail(column, QStringLiteral("a %1 is not a number").arg(QString::fromLatin1(value.typeName())));
}

QString ToText(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

int RawInteger(const QVariant& value, const QString& column)
{
    if (value.isNull())
        return 0;
    if (!IsIntegerType(value))
        Fail(column, QStringLiteral("holds a %1, not an integer").arg(QString::fromLatin1(value.typeName())));
    return CheckedInt(value.toLongLong(), column);
}

QString RawText(const QVariant& value, const QString& column)
{
    if (value.isNull())
        return QString();
    if (value.typeId() != QMetaType::QString)
        Fail(column, QStringLiteral("holds a %1, not a text").arg(QString::fromLatin1(value.typeName())));
    return value.toString();
}

bool IsNullOrEmpty(const QVariant& value)
{
    return value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

QString TrimRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}
}

namespace
{
// The day a time without a date belongs to: day zero of the date-time
// values the records were designed around.
const QDate ZeroDay(1899, 12, 30);

QTime TimeFromText(const QString& text)
{
    for (const char* format : {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"}) {
        const QTime time = QTime::fromString(text, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    return QTime();
}

QDate DateFromText(const QString& text)
{
    for (const char* format : {"yyyy-MM-dd", "yyyy-M-d", "yyyy/MM/dd", "yyyy/M/d"}) {
        const QDate date = QDate::fromString(text, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return QDate();
}
}

namespace ColumnConversions
{
QDateTime DateTimeFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype split = trimmed.indexOf(QRegularExpression(QStringLiteral("[ T]")));
    if (split < 0) {
        if (const QDate date = DateFromText(trimmed); date.isValid())
            return QDateTime(date, QTime(0, 0));
        if (const QTime time = TimeFromText(trimmed); time.isValid())
            return QDateTime(ZeroDay, time);
        return QDateTime();
    }
    const QDate date = DateFromText(trimmed.left(split));
    const QTime time = TimeFromText(trimmed.mid(split + 1).trimmed());
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

QString TaskTimeText(const QDateTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

QString RunDateText(const QDateTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString RunTimeText(const QDateTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")) : QString();
}
}
