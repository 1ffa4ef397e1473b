// Lines and their sections: tables Line and Section_PR.

#include "CDatabaseError.h"
#include "CSqlServerObject.h"
#include "ColumnConversions.h"
#include "StoreTexts.h"

namespace
{
ILumetraDBInterface::_LINE_INFO_STRUCT_ ReadLine(const CRecordSet& set)
{
    ILumetraDBInterface::_LINE_INFO_STRUCT_ line;
    line.LineID = set.RawInteger(QStringLiteral("LineID"));
    line.LineName = set.RawText(QStringLiteral("LineName"));
    line.LineCode = set.RawText(QStringLiteral("LineCode"));
    line.LineFromKM = set.RawInteger(QStringLiteral("LineFromKM"));
    line.LineFromM = set.RawInteger(QStringLiteral("LineFromM"));
    line.LinetoKM = set.RawInteger(QStringLiteral("LinetoKM"));
    line.LineToM = set.RawInteger(QStringLiteral("LineToM"));
    return line;
}

ILumetraDBInterface::_SECTION_INFO_STRUCT_ ReadSection(const CRecordSet& set)
{
    ILumetraDBInterface::_SECTION_INFO_STRUCT_ section;
    section.SectionID = set.RawInteger(QStringLiteral("SectionID"));
    section.SectionLineID = set.RawInteger(QStringLiteral("SectionLineID"));
    section.SectionName = set.RawText(QStringLiteral("SectionName"));
    section.SectionCode = set.RawText(QStringLiteral("SectionCode"));
    section.SectionFromKM = set.RawInteger(QStringLiteral("SectionFromKM"));
    section.SectionFromM = set.RawInteger(QStringLiteral("SectionFromM"));
    section.SectionToKM = set.RawInteger(QStringLiteral("SectionToKM"));
    section.SectionToM = set.RawInteger(QStringLiteral("SectionToM"));
    return section;
}

CRowWriter LineColumns(const ILumetraDBInterface::_LINE_INFO_STRUCT_& line)
{
    CRowWriter row(QStringLiteral("Line"));
    row.Set(QStringLiteral("LineName"), line.LineName)
        .Set(QStringLiteral("LineCode"), line.LineCode)
        .Set(QStringLiteral("LineFromKM"), line.LineFromKM)
        .Set(QStringLiteral("LineFromM"), line.LineFromM)
        .Set(QStringLiteral("LinetoKM"), line.LinetoKM)
        .Set(QStringLiteral("LineToM"), line.LineToM);
    return row;
}

CRowWriter SectionColumns(const ILumetraDBInterface::_SECTION_INFO_STRUCT_& section)
{
    CRowWriter row(QStringLiteral("Section_PR"));
    row.Set(QStringLiteral("SectionLineID"), section.SectionLineID)
        .Set(QStringLiteral("SectionName"), section.SectionName)
        .Set(QStringLiteral("SectionCode"), section.SectionCode)
        .Set(QStringLiteral("SectionFromKM"), section.SectionFromKM)
        .Set(QStringLiteral("SectionFromM"), section.SectionFromM)
        .Set(QStringLiteral("SectionToKM"), section.SectionToKM)
        .Set(QStringLiteral("SectionToM"), section.SectionToM);
    return row;
}
}

int CSqlServerObject::GetLines(std::vector<_LINE_INFO_STRUCT_>& out)
{
    return ReadList(QStringLiteral("SELECT * FROM Line ORDER BY LineID"), out, ReadLine, OnRowError::RecordSqlFailed);
}

int CSqlServerObject::UpdateLine(const _LINE_INFO_STRUCT_& line)
{
    return UpdateRow(QStringLiteral("SELECT * FROM Line WHERE LineID = ?"), QStringLiteral("LineID"), line.LineID,
                     LineColumns(line));
}

// A line is added on the connection as it is, without reconnecting: the line
// editor only runs with the base database open.
int CSqlServerObject::AddLine(_LINE_INFO_STRUCT_& line)
{
    try {
        line.LineID = int(LineColumns(line).Insert(OpenDatabase()));
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}

// Answers 1 only when sections went with the line: the line editor reads
// the result as "the line's sections were removed too".
int CSqlServerObject::DeleteLine(int lineId)
{
    if (RunStatement(QStringLiteral("DELETE FROM Line WHERE LineID = ?"), {lineId}) <= 0)
        return 0;
    return RunStatement(QStringLiteral("DELETE FROM Section_PR WHERE SectionLineID = ?"), {lineId}) > 0 ? 1 : 0;
}

int CSqlServerObject::GetSections(int lineId, std::vector<_SECTION_INFO_STRUCT_>& out)
{
    return ReadList(QStringLiteral("SELECT * FROM Section_PR WHERE SectionLineID = ? ORDER BY SectionID"), out,
                    ReadSection, OnRowError::RecordSqlFailed, {lineId});
}

int CSqlServerObject::UpdateSection(const _SECTION_INFO_STRUCT_& section)
{
    return UpdateRow(QStringLiteral("SELECT * FROM Section_PR WHERE SectionID = ?"), QStringLiteral("SectionID"),
                     section.SectionID, SectionColumns(section));
}

int CSqlServerObject::AddSection(_SECTION_INFO_STRUCT_& section)
{
    return InsertRow(QStringLiteral("SELECT * FROM Section_PR WHERE SectionID = -1"), SectionColumns(section),
                     &section.SectionID);
}

int CSqlServerObject::DeleteSection(int sectionId)
{
    return RunStatement(QStringLiteral("DELETE FROM Section_PR WHERE SectionID = ?"), {sectionId}) > 0 ? 1 : 0;
}

// Another section (any line) with the same name or the same code makes the
// pair used; names and codes compare ignoring letter case.
int CSqlServerObject::IsSectionNameUsed(int sectionId, const QString& name, const QString& code, int& used)
{
    used = 0;
    std::optional<CRecordSet> set = OpenReporting(
        QStringLiteral("SELECT COUNT(*) FROM Section_PR WHERE SectionID <> ? AND (SectionName = ? OR SectionCode = ?)"),
        {sectionId, name, code});
    if (!set)
        return 0;
    try {
        if (set->IsEmpty())
            return 1;
        const int count = ColumnConversions::ToInt(set->Value(0), QStringLiteral("COUNT(*)"));
        set->Close();
        used = count >= 1 ? 1 : 0;
        return 1;
    } catch (const CDatabaseError& error) {
        lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}
