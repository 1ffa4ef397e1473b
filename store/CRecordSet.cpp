#include "CRecordSet.h"

#include "CDatabaseError.h"
#include "ColumnConversions.h"
#include "SqlStatement.h"

#include <QSqlError>

CRecordSet CRecordSet::Open(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    CRecordSet set(db);
    set.query_.setForwardOnly(true);
    if (!SqlStatement::Execute(set.query_, sql, values)) {
        set.openError_ = set.query_.lastError().text();
        return set;
    }
    set.open_ = true;
    set.columns_ = set.query_.record();
    set.empty_ = !set.query_.next();
    return set;
}

bool CRecordSet::IsEmpty() const
{
    RequireOpen();
    return empty_;
}

bool CRecordSet::IsEOF() const
{
    RequireOpen();
    return !query_.isValid();
}

void CRecordSet::MoveNext()
{
    RequireRow();
    if (!query_.next() && query_.lastError().isValid())
        throw CDatabaseError(query_.lastError().text());
}

QVariant CRecordSet::Value(const QString& column) const
{
    RequireRow();
    const int index = columns_.indexOf(column);
    if (index < 0)
        throw CDatabaseError(QStringLiteral("no column %1 in the record set").arg(column));
    return query_.value(index);
}

QVariant CRecordSet::Value(int index) const
{
    RequireRow();
    if (index < 0 || index >= columns_.count())
        throw CDatabaseError(QStringLiteral("no column %1 in the record set").arg(index));
    return query_.value(index);
}

int CRecordSet::Int(const QString& column) const { return ColumnConversions::ToInt(Value(column), column); }

double CRecordSet::Double(const QString& column) const { return ColumnConversions::ToDouble(Value(column), column); }

QString CRecordSet::Text(const QString& column) const { return ColumnConversions::ToText(Value(column)); }

QString CRecordSet::TrimmedText(const QString& column) const { return ColumnConversions::TrimRight(Text(column)); }

int CRecordSet::RawInteger(const QString& column) const { return ColumnConversions::RawInteger(Value(column), column); }

QString CRecordSet::RawText(const QString& column) const { return ColumnConversions::RawText(Value(column), column); }

bool CRecordSet::IsNullOrEmpty(const QString& column) const { return ColumnConversions::IsNullOrEmpty(Value(column)); }

void CRecordSet::Close()
{
    query_.finish();
    open_ = false;
}

void CRecordSet::RequireOpen() const
{
    if (!open_) {
        const QString reason = openError_.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(openError_);
        throw CDatabaseError(QStringLiteral("the record set is not open%1").arg(reason));
    }
}

void CRecordSet::RequireRow() const
{
    RequireOpen();
    if (!query_.isValid())
        throw CDatabaseError(QStringLiteral("the record set has no current row"));
}
