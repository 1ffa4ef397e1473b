#include "LumetraImageExport.h"

#include "CTrackImageDrawObject.h"

extern "C" LUMETRAIMAGE_EXPORT int CreateImageCoreInstance(void** out)
{
    if (!out)
        return 0;
    ILumetraDrawControlCore* control = new CTrackImageDrawObject;
    *out = control;
    return 1;
}
