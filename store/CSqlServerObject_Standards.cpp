// Defect types (table Standard) and the purge of table Fault.

#include "CDatabaseError.h"
#include "CSqlServerObject.h"
#include "StoreTexts.h"

namespace
{
_FAULTY_STANDER_STRUCT_ ReadStandard(const CRecordSet& set)
{
    _FAULTY_STANDER_STRUCT_ standard;
    standard.StandardID = set.RawInteger(QStringLiteral("StandardID"));
    standard.StandardName = set.RawText(QStringLiteral("StandardName"));
    standard.StandardClass = set.RawInteger(QStringLiteral("StandardClass"));
    standard.StandardDetail = set.RawInteger(QStringLiteral("StandardDetail"));
    standard.StandardSystem = set.RawInteger(QStringLiteral("StandardSystem"));
    return standard;
}
}

int CSqlServerObject::GetFaultyStandards(std::vector<_FAULTY_STANDER_STRUCT_>& out)
{
    return ReadList(QStringLiteral("SELECT * FROM Standard ORDER BY StandardID"),
                    out, ReadStandard, OnRowError::RecordSqlFailed);
}

// The detail and system marks are the database's own: a type added by the
// operator is never a built-in one.
int CSqlServerObject::AddFaultyStandard(const _FAULTY_STANDER_STRUCT_& standard)
{
    CRowWriter row(QStringLiteral("Standard"));
    row.Set(QStringLiteral("StandardID"), standard.StandardID)
        .Set(QStringLiteral("StandardName"), standard.StandardName)
        .Set(QStringLiteral("StandardClass"), standard.StandardClass)
        .Set(QStringLiteral("StandardDetail"), 0)
        .Set(QStringLiteral("StandardSystem"), 0);
    return InsertRow(QStringLiteral("SELECT * FROM Standard WHERE StandardID = -1"), row, nullptr);
}

int CSqlServerObject::DeleteFaultyStandard(int standardId)
{
    return RunStatement(QStringLiteral("DELETE FROM Standard WHERE StandardID = ?"), {standardId}) > 0 ? 1 : 0;
}

// Valid defects (state 1) are kept; invalid and pending ones go.
int CSqlServerObject::PurgeFaultTable() { return RunStatement(QStringLiteral("DELETE FROM Fault WHERE FaultState <> 1")); }
