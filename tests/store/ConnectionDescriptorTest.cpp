#include "CConnectionDescriptor.h"

#include <gtest/gtest.h>

namespace
{
struct ParseCase
{
    const char* name;
    const char* descriptor;
    const char* expectedPath;   // null: refused
    const char* errorFragment;  // part of the error text when refused
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ConnectionDescriptorParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ConnectionDescriptorParse, GivesThePathOrAClearError)
{
    const ParseCase& c = GetParam();
    QString path = QStringLiteral("untouched");
    QString error;
    const bool parsed = CConnectionDescriptor::ParseSQLiteFile(QString::fromUtf8(c.descriptor), &path, &error);
    if (c.expectedPath) {
        EXPECT_TRUE(parsed) << error.toStdString();
        EXPECT_EQ(path, QString::fromUtf8(c.expectedPath));
    } else {
        EXPECT_FALSE(parsed);
        EXPECT_EQ(path, QStringLiteral("untouched"));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.errorFragment), Qt::CaseInsensitive)) << error.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectionDescriptorParse,
    ::testing::Values(
        ParseCase{"Plain", R"(Provider=SQLite;Data Source="/opt/app/db/basedata.mdb")", "/opt/app/db/basedata.mdb", nullptr},
        ParseCase{"BlanksAndLetterCase", R"( provider = sqlite ; DATA SOURCE = "/x.mdb" ; )", "/x.mdb", nullptr},
        ParseCase{"KeysInOtherOrder", R"(Data Source="/x.mdb";Provider=SQLite)", "/x.mdb", nullptr},
        ParseCase{"SemicolonAndChineseInPath", R"(Provider=SQLite;Data Source="/a;b=c/基础 数据.mdb")", "/a;b=c/基础 数据.mdb", nullptr},
        ParseCase{"DoubledQuoteInPath", R"(Provider=SQLite;Data Source="/say ""hi""/x.mdb")", "/say \"hi\"/x.mdb", nullptr},
        ParseCase{"Empty", "", nullptr, "empty"},
        ParseCase{"OnlyBlanks", "   ", nullptr, "empty"},
        ParseCase{"OtherProvider", R"(Provider=OtherEngine.12.0;Data Source="C:\App\db\basedata.mdb")", nullptr, "provider"},
        ParseCase{"UnquotedPath", "Provider=SQLite;Data Source=/x.mdb", nullptr, "double quotes"},
        ParseCase{"UnterminatedQuote", R"(Provider=SQLite;Data Source="/x.mdb)", nullptr, "closing quote"},
        ParseCase{"TextAfterQuote", R"(Provider=SQLite;Data Source="/x.mdb" more)", nullptr, "after the quoted"},
        ParseCase{"EmptyPath", R"(Provider=SQLite;Data Source="")", nullptr, "path is empty"},
        ParseCase{"BlankPath", R"(Provider=SQLite;Data Source="   ")", nullptr, "path is empty"},
        ParseCase{"NoDataSource", "Provider=SQLite", nullptr, "no Data Source"},
        ParseCase{"NoProvider", R"(Data Source="/x.mdb")", nullptr, "no Provider"},
        ParseCase{"UnknownKey", R"(Provider=SQLite;Data Source="/x.mdb";User ID=admin)", nullptr, "unknown key"},
        ParseCase{"RepeatedKey", R"(Provider=SQLite;Provider=SQLite;Data Source="/x.mdb")", nullptr, "twice"},
        ParseCase{"BarePath", "/opt/app/db/basedata.mdb", nullptr, "key=value"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(ConnectionDescriptor, ForSQLiteFileParsesBackToThePath)
{
    for (const QString& path : {QStringLiteral("/tmp/db/basedata.mdb"), QStringLiteral("relative/基础 数据.mdb"),
                                QStringLiteral("/a;Provider=x;/b.mdb"), QStringLiteral("/q\"uo\"\"te/x.mdb")}) {
        QString parsed;
        QString error;
        ASSERT_TRUE(CConnectionDescriptor::ParseSQLiteFile(CConnectionDescriptor::ForSQLiteFile(path), &parsed, &error))
            << path.toStdString() << ": " << error.toStdString();
        EXPECT_EQ(parsed, path);
    }
    EXPECT_EQ(CConnectionDescriptor::ForSQLiteFile(QStringLiteral("/p/db/basedata.mdb")),
              QStringLiteral("Provider=SQLite;Data Source=\"/p/db/basedata.mdb\""));
}
}
