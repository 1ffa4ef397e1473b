#include "BaseDataReader.h"

#include "CConnectionDescriptor.h"
#include "LumetraDBExport.h"

#include <QFileInfo>
#include <algorithm>
#include <memory>

namespace
{
struct StoreReleaser
{
    void operator()(ILumetraDBInterface* store) const
    {
        if (store)
            store->Release();
    }
};
}

bool BaseDataReader::Read(const QString& databasePath, std::vector<_TRACK_DEFINE_STRUCT_>* tracks,
                          std::vector<_FAULTY_STANDER_STRUCT_>* standards, QString* error)
{
    if (!QFileInfo(databasePath).isFile()) {
        *error = QStringLiteral("no base database at %1").arg(databasePath);
        return false;
    }
    ILumetraDBInterface* raw = nullptr;
    CreateDBInstance(&raw);
    const std::unique_ptr<ILumetraDBInterface, StoreReleaser> store(raw);
    if (!store || !store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(databasePath))) {
        *error = QStringLiteral("cannot open the base database %1: %2").arg(databasePath, store ? store->GetLastErrorText() : QString());
        return false;
    }
    if (!store->GetAllTracks(*tracks) || !store->GetFaultyStandards(*standards)) {
        *error = QStringLiteral("cannot read the base database %1: %2").arg(databasePath, store->GetLastErrorText());
        return false;
    }
    std::sort(tracks->begin(), tracks->end(), [](const auto& a, const auto& b) { return a.TrackID < b.TrackID; });
    store->DisconnectDB();
    return true;
}
