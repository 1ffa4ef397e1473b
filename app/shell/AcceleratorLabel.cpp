#include "AcceleratorLabel.h"

#include <array>

namespace {

constexpr int LetterCount = 26;
constexpr int LabelCount = 36;

std::array<QString, LabelCount> buildLabels()
{
    std::array<QString, LabelCount> labels;
    const QString digits = QStringLiteral("1234567890");
    for (int i = 0; i < LabelCount; ++i) {
        const QChar key = i < LetterCount ? QChar(u'A' + i) : digits[i - LetterCount];
        labels[i] = QStringLiteral("(&%1)").arg(key);
    }
    return labels;
}

} // namespace

QString AcceleratorLabel(int index)
{
    // A function-local static is built once, thread-safely, on first use.
    static const std::array<QString, LabelCount> labels = buildLabels();
    if (index < 0 || index >= LabelCount)
        return QString();
    return labels[index];
}
