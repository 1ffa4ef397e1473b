// The store library's factory, the one entry point the program binds.

#include "CSqlServerObject.h"
#include "LumetraDBExport.h"

extern "C" LUMETRADB_EXPORT int CreateDBInstance(ILumetraDBInterface** out)
{
    if (!out)
        return 0;
    *out = new CSqlServerObject();
    return 1;
}
