#include "RbimfFile.h"

#include "BimfError.h"
#include "BimfReader.h"

RbimfFile::~RbimfFile() = default;

extern "C" RbimfFile* BIMFReaderReadBimfFileAndIndex(const char* dataPath, const char* indexPath, int flags)
{
    bimf::ClearError();
    if (!dataPath || !indexPath) {
        bimf::SetError("no data or index path given");
        return nullptr;
    }
    return bimf::BimfReader::open(dataPath, indexPath, flags).release();
}
