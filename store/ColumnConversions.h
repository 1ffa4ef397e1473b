#pragma once
// How a column value read from SQLite becomes a record member. The converting
// readers mirror a variant type change: a null or a text that is not a number
// is a database error. The raw readers take a value that must already be of
// the column's declared kind. All throw CDatabaseError; cheap; any thread.

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace ColumnConversions
{
// 32-bit integer from an integer, a real (rounded) or a text holding an
// integer; null, other texts and values outside 32 bits are errors.
int ToInt(const QVariant& value, const QString& column);

// Double from a number or a text holding a decimal number; null is an error.
double ToDouble(const QVariant& value, const QString& column);

// Any value as text; null gives empty text.
QString ToText(const QVariant& value);

// The integer a column stores; null gives 0, a text or a real is an error.
int RawInteger(const QVariant& value, const QString& column);

// The text a column stores; null gives empty text, a number is an error.
QString RawText(const QVariant& value, const QString& column);

// True for null and for empty text.
bool IsNullOrEmpty(const QVariant& value);

// The text without trailing white space.
QString TrimRight(const QString& text);

// A date-time stored as text: "yyyy-MM-dd HH:mm:ss", a date alone (midnight)
// or a time alone (on the zero day 1899-12-30, as the task files store run
// times apart from run dates); also with "/" or "T". Anything else, empty
// text included, gives an invalid date-time, not an error.
QDateTime DateTimeFromText(const QString& text);

// The texts date-times are written as: task times "yyyy-MM-dd HH:mm:ss"
// (ordering them as text orders them in time), run dates "yyyy-MM-dd", run
// times "HH:mm:ss". An invalid date-time gives empty text.
QString TaskTimeText(const QDateTime& time);
QString RunDateText(const QDateTime& time);
QString RunTimeText(const QDateTime& time);
}
