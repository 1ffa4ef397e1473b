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
    out.clear();
    std::optional<CRecordSet> set = OpenReporting(QStringLiteral("SELECT * FROM Standard ORDER BY StandardID"));
    if (!set)
        return 0;
    try {
        for (; !set->IsEOF(); set->MoveNext())
            out.push_back(ReadStandard(*set));
        set->Close();
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}

int CSqlServerObject::AddFaultyStandard(const _FAULTY_STANDER_STRUCT_&) { return NotYetImplemented("AddFaultyStandard"); }

int CSqlServerObject::DeleteFaultyStandard(int) { return NotYetImplemented("DeleteFaultyStandard"); }

int CSqlServerObject::PurgeFaultTable() { return NotYetImplemented("PurgeFaultTable"); }
