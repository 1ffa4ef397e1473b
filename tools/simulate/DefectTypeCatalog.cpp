#include "DefectTypeCatalog.h"

#include <QString>

namespace
{
const char* TypeName(SurfaceDefectKind kind)
{
    switch (kind) {
    case SurfaceDefectKind::Squat: return "轨面凹陷";
    case SurfaceDefectKind::Spalling: return "剥离掉块";
    case SurfaceDefectKind::Crack: return "轨头裂纹";
    case SurfaceDefectKind::Corrugation: return "波浪磨耗";
    }
    return "";
}
}

DefectTypeCatalog::DefectTypeCatalog(const std::vector<_FAULTY_STANDER_STRUCT_>& standards)
{
    int fallback = 0;
    for (const auto& standard : standards) {
        if (fallback == 0 && standard.StandardClass == 0)
            fallback = standard.StandardID;
    }
    if (fallback == 0 && !standards.empty())
        fallback = standards.front().StandardID;
    for (int kind = 0; kind < 4; ++kind) {
        ids_[kind] = fallback;
        const QString name = QString::fromUtf8(TypeName(SurfaceDefectKind(kind)));
        for (const auto& standard : standards)
            if (standard.StandardName == name)
                ids_[kind] = standard.StandardID;
    }
}

int DefectTypeCatalog::standardIdFor(SurfaceDefectKind kind) const
{
    return ids_[int(kind)];
}
