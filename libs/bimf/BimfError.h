#pragma once
// The reason for the last failure, kept per thread so readers used from
// several threads never see each other's reasons. Cost: a string copy.

#include <string>

namespace bimf {

void ClearError();
// Always answers false, so a failing path can `return SetError(...)`.
bool SetError(std::string text);
const std::string& LastError();

} // namespace bimf
