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

int CSqlServerObject::AddFaultyStandard(const _FAULTY_STANDER_STRUCT_&) { return NotYetImplemented("AddFaultyStandard"); }

int CSqlServerObject::DeleteFaultyStandard(int) { return NotYetImplemented("DeleteFaultyStandard"); }

int CSqlServerObject::PurgeFaultTable() { return NotYetImplemented("PurgeFaultTable"); }
