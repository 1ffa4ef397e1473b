#include "BimfError.h"

#include "RbimfFile.h"

namespace bimf {
namespace {
thread_local std::string lastError;
}

void ClearError() { lastError.clear(); }

bool SetError(std::string text)
{
    lastError = std::move(text);
    return false;
}

const std::string& LastError() { return lastError; }

} // namespace bimf

extern "C" const char* BIMFLastErrorText() { return bimf::LastError().c_str(); }
