#include "WbimfFile.h"

#include "BimfError.h"
#include "BimfWriter.h"

WbimfFile::~WbimfFile() = default;

extern "C" WbimfFile* BIMFWirterCreateBimfFileAndIndex(const char* dataPath, const char* indexPath)
{
    bimf::ClearError();
    if (!dataPath || !indexPath || !*dataPath || !*indexPath) {
        bimf::SetError("no data or index path given");
        return nullptr;
    }
    return bimf::BimfWriter::create(dataPath, indexPath).release();
}
