#pragma once
// How a column value read from SQLite becomes a record member. The converting
// readers mirror a variant type change: a null or a text that is not a number
// is a database error. The raw readers take a value that must already be of
// the column's declared kind. All throw CDatabaseError; cheap; any thread.

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
}
