#pragma once
// Which defect type (StandardID of the base database) a drawn defect is
// recorded as. Types are found by name; a database without the name falls
// back to the first rail-fault type. Built once; const afterwards.

#include "BaseDataRecords.h"
#include "SurfaceDefect.h"

#include <vector>

class DefectTypeCatalog
{
public:
    explicit DefectTypeCatalog(const std::vector<_FAULTY_STANDER_STRUCT_>& standards);

    // 0 when the database has no defect type at all.
    int standardIdFor(SurfaceDefectKind kind) const;

private:
    int ids_[4] = {0, 0, 0, 0};
};
