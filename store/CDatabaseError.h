#pragma once
// A database error inside one store operation. Thrown by the record set and
// the column conversions, caught by the operation that started the work and
// turned into its result 0 (and, where designed, its "SQL FAILED:%s" text).
// It never leaves the library.

#include <QString>
#include <utility>

class CDatabaseError
{
public:
    explicit CDatabaseError(QString description) : description_(std::move(description)) {}

    const QString& Description() const { return description_; }

private:
    QString description_;
};
