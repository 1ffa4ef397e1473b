// The option table: reading with each conversion and writing as typed.

#include "SqlFile.h"
#include "ConnectedStore.h"
#include "TempProgramDir.h"

#include <gtest/gtest.h>

namespace
{
class AppOptions : public ConnectedStoreTest
{
protected:
    int rowsFor(const QString& key)
    {
        return SqlFile::Column(dir.databasePath(),
                               QStringLiteral("SELECT AppValue FROM AppOption WHERE AppKey = '%1'").arg(key))
            .size();
    }
};

TEST_F(AppOptions, MissingKeyLeavesEveryDefault)
{
    int frames = 2;
    double zoom = 1.0;
    int32_t colour = 0xFFFFFF;
    QString door = QStringLiteral("15");
    const QString key = QStringLiteral("NoSuchKey");
    EXPECT_EQ(store->GetAppOptionInt(key, frames), 0);
    EXPECT_EQ(store->GetAppOptionDouble(key, zoom), 0);
    EXPECT_EQ(store->GetAppOptionLong(key, colour), 0);
    EXPECT_EQ(store->GetAppOptionText(key, door), 0);
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(zoom, 1.0);
    EXPECT_EQ(colour, 0xFFFFFF);
    EXPECT_EQ(door, QStringLiteral("15"));
}

TEST_F(AppOptions, SetInsertsOnceThenUpdatesThatRow)
{
    EXPECT_EQ(store->SetAppOption(QStringLiteral("ZhenCount"), QStringLiteral("3")), 1);
    EXPECT_EQ(store->SetAppOption(QStringLiteral("ZhenCount"), QStringLiteral("5")), 1);
    EXPECT_EQ(rowsFor(QStringLiteral("ZhenCount")), 1);
    int frames = 0;
    EXPECT_EQ(store->GetAppOptionInt(QStringLiteral("ZhenCount"), frames), 1);
    EXPECT_EQ(frames, 5);

    // Keys ignore letter case.
    EXPECT_EQ(store->SetAppOption(QStringLiteral("zhencount"), QStringLiteral("6")), 1);
    EXPECT_EQ(store->GetAppOptionInt(QStringLiteral("ZHENCOUNT"), frames), 1);
    EXPECT_EQ(frames, 6);
}

TEST_F(AppOptions, TextsAreStoredAndReadBackAsTyped)
{
    const QList<QPair<QString, QString>> options = {
        {QStringLiteral("O'Brien's key"), QStringLiteral("it's O'Brien's")},
        {QStringLiteral("say \"key\""), QStringLiteral("say \"hi\"")},
        {QStringLiteral("100%_key"), QStringLiteral("50% off_%")},
        {QStringLiteral("通道名称"), QStringLiteral("左外;右外")},
        {QStringLiteral("x'; DROP TABLE AppOption; --"), QStringLiteral("'); DELETE FROM Track; --")},
        {QStringLiteral("EmptyValue"), QString()},
    };
    for (const auto& [key, value] : options)
        EXPECT_EQ(store->SetAppOption(key, value), 1) << key.toStdString();
    for (const auto& [key, value] : options) {
        QString read = QStringLiteral("unchanged");
        EXPECT_EQ(store->GetAppOptionText(key, read), 1) << key.toStdString();
        EXPECT_EQ(read, value) << key.toStdString();
    }
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    EXPECT_EQ(store->GetAllTracks(tracks), 1);
    EXPECT_EQ(tracks.size(), 6u);
}

// How one stored text reads through each numeric getter: 1 and the value, or
// 0 with the caller's value untouched.
struct ConversionCase
{
    const char* name;
    const char* stored;
    bool intReads;
    int intValue;
    bool doubleReads;
    double doubleValue;
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name; }

class AppOptionConversion : public AppOptions, public ::testing::WithParamInterface<ConversionCase>
{
};

TEST_P(AppOptionConversion, ReadsOrFailsWithoutTouchingTheValue)
{
    const ConversionCase& c = GetParam();
    const QString key = QStringLiteral("Value");
    ASSERT_EQ(store->SetAppOption(key, QString::fromUtf8(c.stored)), 1);

    constexpr int untouchedInt = -77;
    constexpr double untouchedDouble = -7.5;
    int asInt = untouchedInt;
    int32_t asLong = untouchedInt;
    double asDouble = untouchedDouble;
    EXPECT_EQ(store->GetAppOptionInt(key, asInt), c.intReads ? 1 : 0);
    EXPECT_EQ(store->GetAppOptionLong(key, asLong), c.intReads ? 1 : 0);
    EXPECT_EQ(store->GetAppOptionDouble(key, asDouble), c.doubleReads ? 1 : 0);
    EXPECT_EQ(asInt, c.intReads ? c.intValue : untouchedInt);
    EXPECT_EQ(asLong, c.intReads ? c.intValue : untouchedInt);
    EXPECT_DOUBLE_EQ(asDouble, c.doubleReads ? c.doubleValue : untouchedDouble);

    QString asText;
    EXPECT_EQ(store->GetAppOptionText(key, asText), 1);
    EXPECT_EQ(asText, QString::fromUtf8(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AppOptionConversion,
    ::testing::Values(ConversionCase{"Integer", "42", true, 42, true, 42.0},
                      ConversionCase{"Negative", "-5", true, -5, true, -5.0},
                      ConversionCase{"Blanks", " 17 ", true, 17, true, 17.0},
                      ConversionCase{"WhiteColour", "16777215", true, 16777215, true, 16777215.0},
                      ConversionCase{"LargestInt", "2147483647", true, 2147483647, true, 2147483647.0},
                      ConversionCase{"BeyondInt", "4294967296", false, 0, true, 4294967296.0},
                      ConversionCase{"Decimal", "0.400000", false, 0, true, 0.4},
                      ConversionCase{"Letters", "abc", false, 0, false, 0},
                      ConversionCase{"NumberThenLetters", "12abc", false, 0, false, 0},
                      ConversionCase{"Empty", "", false, 0, false, 0},
                      ConversionCase{"Hexadecimal", "0x10", false, 0, false, 0}),
    [](const ::testing::TestParamInfo<ConversionCase>& info) { return std::string(info.param.name); });
}
