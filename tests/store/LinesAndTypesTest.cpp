// Defect types, the fault purge, and lines with their sections.

#include "ConnectedStore.h"
#include "SqlFile.h"

#include <gtest/gtest.h>

namespace
{
using Line = ILumetraDBInterface::_LINE_INFO_STRUCT_;
using Section = ILumetraDBInterface::_SECTION_INFO_STRUCT_;

const QString Success = QStringLiteral("操作成功");

class LinesAndTypes : public ConnectedStoreTest
{
protected:
    int rows(const QString& sql) { return SqlFile::Scalar(dir.databasePath(), sql).toInt(); }

    int addLine(const QString& name, const QString& code)
    {
        Line line{0, name, code, 10, 200, 55, 30};
        EXPECT_EQ(store->AddLine(line), 1) << store->GetLastErrorText().toStdString();
        return line.LineID;
    }

    int addSection(int lineId, const QString& name, const QString& code)
    {
        Section section{0, lineId, name, code, 11, 0, 12, 500};
        EXPECT_EQ(store->AddSection(section), 1) << store->GetLastErrorText().toStdString();
        return section.SectionID;
    }

    std::vector<Section> sections(int lineId)
    {
        std::vector<Section> out;
        EXPECT_EQ(store->GetSections(lineId, out), 1);
        return out;
    }
};

TEST_F(LinesAndTypes, AddedDefectTypeIsNeverBuiltIn)
{
    const _FAULTY_STANDER_STRUCT_ standard{2001, QStringLiteral("道床 '翻浆' 50%"), 1, 7, 1};
    ASSERT_EQ(store->AddFaultyStandard(standard), 1) << store->GetLastErrorText().toStdString();
    std::vector<_FAULTY_STANDER_STRUCT_> standards;
    ASSERT_EQ(store->GetFaultyStandards(standards), 1);
    const _FAULTY_STANDER_STRUCT_& read = standards.back();
    EXPECT_EQ(read.StandardID, 2001);
    EXPECT_EQ(read.StandardName, standard.StandardName);
    EXPECT_EQ(read.StandardClass, 1);
    EXPECT_EQ(read.StandardDetail, 0);
    EXPECT_EQ(read.StandardSystem, 0);

    // The operator's id is the key: a taken one is refused.
    EXPECT_EQ(store->AddFaultyStandard(standard), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(QStringLiteral("SQL FAILED:")));

    EXPECT_EQ(store->DeleteFaultyStandard(2001), 1);
    EXPECT_EQ(store->DeleteFaultyStandard(2001), 0);
}

TEST_F(LinesAndTypes, PurgeKeepsOnlyValidFaultsAndCountsTheRest)
{
    SqlFile::Exec(dir.databasePath(), QStringLiteral("INSERT INTO Fault (FaultState) VALUES (0), (1), (2), (1), (2)"));
    EXPECT_EQ(store->PurgeFaultTable(), 3);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Fault WHERE FaultState = 1")), 2);
    EXPECT_EQ(store->PurgeFaultTable(), 0);
}

TEST_F(LinesAndTypes, LinesAreAddedUpdatedAndReadInKeyOrder)
{
    EXPECT_EQ(addLine(QStringLiteral("京沪线"), QStringLiteral("JH")), 1);
    EXPECT_EQ(addLine(QStringLiteral("O'Hare \"loop\" 100%"), QStringLiteral("O'H")), 2);

    Line edited{1, QStringLiteral("京沪高速"), QStringLiteral("JHG"), 1, 2, 3, 4};
    ASSERT_EQ(store->UpdateLine(edited), 1);
    std::vector<Line> lines;
    ASSERT_EQ(store->GetLines(lines), 1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines.at(0).LineName, QStringLiteral("京沪高速"));
    EXPECT_EQ(lines.at(0).LineCode, QStringLiteral("JHG"));
    EXPECT_EQ((std::vector<int>{lines.at(0).LineFromKM, lines.at(0).LineFromM, lines.at(0).LinetoKM, lines.at(0).LineToM}),
              (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(lines.at(1).LineName, QStringLiteral("O'Hare \"loop\" 100%"));
    EXPECT_EQ(lines.at(1).LineCode, QStringLiteral("O'H"));
    EXPECT_EQ(lines.at(1).LinetoKM, 55);

    edited.LineID = 9;
    EXPECT_EQ(store->UpdateLine(edited), 0);
    EXPECT_EQ(store->GetLastErrorText(), QStringLiteral("数据库中没有对应的记录"));
}

// The line editor reads 1 as "its sections went with it".
TEST_F(LinesAndTypes, DeleteLineAnswersWhetherSectionsWentWithIt)
{
    const int bare = addLine(QStringLiteral("bare"), QStringLiteral("B"));
    const int withSections = addLine(QStringLiteral("with"), QStringLiteral("W"));
    addSection(withSections, QStringLiteral("s1"), QStringLiteral("c1"));
    addSection(withSections, QStringLiteral("s2"), QStringLiteral("c2"));
    const int other = addLine(QStringLiteral("other"), QStringLiteral("O"));
    addSection(other, QStringLiteral("s3"), QStringLiteral("c3"));

    EXPECT_EQ(store->DeleteLine(bare), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Line WHERE LineID = %1").arg(bare)), 0);
    EXPECT_EQ(store->DeleteLine(withSections), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Section_PR WHERE SectionLineID = %1").arg(withSections)), 0);
    EXPECT_EQ(sections(other).size(), 1u);
    EXPECT_EQ(store->DeleteLine(withSections), 0);
}

TEST_F(LinesAndTypes, SectionsBelongToTheirLine)
{
    const int line = addLine(QStringLiteral("L"), QStringLiteral("L"));
    const int first = addSection(line, QStringLiteral("徐州-蚌埠"), QStringLiteral("XB"));
    addSection(addLine(QStringLiteral("M"), QStringLiteral("M")), QStringLiteral("elsewhere"), QStringLiteral("E"));
    const int second = addSection(line, QStringLiteral("it's \"50%\""), QStringLiteral("I'S"));

    std::vector<Section> read = sections(line);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read.at(0).SectionID, first);
    EXPECT_EQ(read.at(1).SectionID, second);
    EXPECT_EQ(read.at(1).SectionName, QStringLiteral("it's \"50%\""));
    EXPECT_EQ(read.at(1).SectionCode, QStringLiteral("I'S"));
    EXPECT_EQ(read.at(1).SectionLineID, line);
    EXPECT_EQ(read.at(1).SectionToM, 500);

    Section moved = read.at(0);
    moved.SectionName = QStringLiteral("徐州东-蚌埠南");
    moved.SectionToKM = 99;
    ASSERT_EQ(store->UpdateSection(moved), 1);
    EXPECT_EQ(sections(line).at(0).SectionName, QStringLiteral("徐州东-蚌埠南"));
    EXPECT_EQ(sections(line).at(0).SectionToKM, 99);
    moved.SectionID = 77;
    EXPECT_EQ(store->UpdateSection(moved), 0);
    EXPECT_EQ(store->GetLastErrorText(), QStringLiteral("数据库中没有对应的记录"));

    EXPECT_EQ(store->DeleteSection(first), 1);
    EXPECT_EQ(store->DeleteSection(first), 0);
    EXPECT_EQ(sections(line).size(), 1u);
    EXPECT_TRUE(sections(42).empty());
}

struct NameUseCase
{
    const char* name;
    int sectionId;
    const char* sectionName;
    const char* sectionCode;
    int used;
};

void PrintTo(const NameUseCase& c, std::ostream* os) { *os << c.name; }

class SectionNameUse : public LinesAndTypes, public ::testing::WithParamInterface<NameUseCase>
{
};

// Two sections exist: 1 "徐州-蚌埠"/"XB" and 2 "it's"/"I'S".
TEST_P(SectionNameUse, CountsOtherSectionsWithTheNameOrTheCode)
{
    const int line = addLine(QStringLiteral("L"), QStringLiteral("L"));
    addSection(line, QStringLiteral("徐州-蚌埠"), QStringLiteral("XB"));
    addSection(line, QStringLiteral("it's"), QStringLiteral("I'S"));

    const NameUseCase& c = GetParam();
    int used = -1;
    EXPECT_EQ(store->IsSectionNameUsed(c.sectionId, QString::fromUtf8(c.sectionName), QString::fromUtf8(c.sectionCode),
                                       used),
              1);
    EXPECT_EQ(used, c.used);
    EXPECT_EQ(store->GetLastErrorText(), Success);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionNameUse,
    ::testing::Values(NameUseCase{"NewNameAndCode", 0, "南京-上海", "NS", 0},
                      NameUseCase{"SameName", 0, "徐州-蚌埠", "NS", 1},
                      NameUseCase{"SameCode", 0, "南京-上海", "XB", 1},
                      NameUseCase{"SameCodeOtherCase", 0, "南京-上海", "xb", 1},
                      NameUseCase{"ItsOwnNameWhenEditing", 1, "徐州-蚌埠", "XB", 0},
                      NameUseCase{"AnotherSectionsNameWhenEditing", 1, "it's", "XB", 1},
                      NameUseCase{"NameWithApostrophe", 0, "it's", "", 1},
                      NameUseCase{"PercentIsNoWildcard", 0, "%", "%", 0}),
    [](const ::testing::TestParamInfo<NameUseCase>& info) { return std::string(info.param.name); });
}
