#pragma once
// The application options: keys, how each is read, and its default, as one
// table. Values live in the store's option table; a key that is absent (or a
// store that is not connected) gives the default. Reads are synchronous store
// calls on the calling thread.

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class ILumetraDBInterface;

class CAppOptions
{
public:
    enum class ReadAs { Int, Long, Double, Text };

    struct Key
    {
        const char* name;
        ReadAs readAs;
        QVariant defaultValue;   // null: "not applied" when absent
    };

    static const std::vector<Key>& Keys();
    static const Key* Find(const QString& name);

    static constexpr double ZoomWhenTaskOpens = 0.4;

    explicit CAppOptions(ILumetraDBInterface* store) : store_(store) {}

    // The stored value, or the table's default (0 / empty for keys without one).
    int Int(const char* name) const;
    int Long(const char* name) const;
    double Double(const char* name) const;
    QString Text(const char* name) const;

    // The stored value only: nothing when absent, for keys that are not applied
    // then.
    std::optional<int> StoredInt(const char* name) const;
    std::optional<int> StoredLong(const char* name) const;
    std::optional<double> StoredDouble(const char* name) const;

    // "Door", stored as text: 15 when absent, not a number, 0 or below.
    int ContinuityThreshold() const;

private:
    QVariant defaultOf(const char* name) const;

    ILumetraDBInterface* store_;
};
