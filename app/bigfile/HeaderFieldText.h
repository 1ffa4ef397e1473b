#pragma once
// A text field of a big file's header or record as a QString. Header texts are
// UTF-8, zero-padded, and may fill their field completely (no terminating
// zero). Any thread; cost: one scan of the field.

#include <QString>

#include <cstring>

template <size_t N>
QString HeaderFieldText(const char (&field)[N])
{
    return QString::fromUtf8(field, static_cast<qsizetype>(strnlen(field, N)));
}
