// Lines and their sections: tables Line and Section_PR.

#include "CSqlServerObject.h"

int CSqlServerObject::GetLines(std::vector<_LINE_INFO_STRUCT_>& out)
{
    out.clear();
    return NotYetImplemented("GetLines");
}

int CSqlServerObject::UpdateLine(const _LINE_INFO_STRUCT_&) { return NotYetImplemented("UpdateLine"); }

int CSqlServerObject::AddLine(_LINE_INFO_STRUCT_&) { return NotYetImplemented("AddLine"); }

int CSqlServerObject::DeleteLine(int) { return NotYetImplemented("DeleteLine"); }

int CSqlServerObject::GetSections(int, std::vector<_SECTION_INFO_STRUCT_>& out)
{
    out.clear();
    return NotYetImplemented("GetSections");
}

int CSqlServerObject::UpdateSection(const _SECTION_INFO_STRUCT_&) { return NotYetImplemented("UpdateSection"); }

int CSqlServerObject::AddSection(_SECTION_INFO_STRUCT_&) { return NotYetImplemented("AddSection"); }

int CSqlServerObject::DeleteSection(int) { return NotYetImplemented("DeleteSection"); }

int CSqlServerObject::IsSectionNameUsed(int, const QString&, const QString&, int&)
{
    return NotYetImplemented("IsSectionNameUsed");
}
