// Connecting, reconnecting and disconnecting a store object.

#include "CConnectionDescriptor.h"
#include "SqlFile.h"
#include "ConnectedStore.h"
#include "TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <thread>

namespace
{
const QString Success = QStringLiteral("操作成功");
const QString ConnectFailed = QStringLiteral("DB connect Failed::");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class ConnectDB : public ::testing::Test
{
protected:
    void SetUp() override { dir.createBaseDatabase(); }

    TempProgramDir dir;
    StoreHandle store = NewStore();
};

TEST_F(ConnectDB, FreshObjectSaysSuccessAndConnectsToTheBaseDatabase)
{
    EXPECT_EQ(store->GetLastErrorText(), Success);
    EXPECT_EQ(store->ConnectDB(dir.connectionString()), 1);
    EXPECT_EQ(store->GetLastErrorText(), Success);
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    EXPECT_EQ(store->GetAllTracks(tracks), 1);
    EXPECT_EQ(tracks.size(), 6u);
}

TEST_F(ConnectDB, EmptyStringFailsAndIsKeptForLaterReconnects)
{
    EXPECT_EQ(store->ConnectDB(QString()), 0);
    EXPECT_EQ(store->GetLastErrorText(), QStringLiteral("DB connection string is empty!"));

    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    EXPECT_EQ(store->GetAllTracks(tracks), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(ConnectFailed)) << store->GetLastErrorText().toStdString();
}

TEST_F(ConnectDB, OtherProviderIsRefused)
{
    const QString otherEngine = QStringLiteral("Provider=OtherEngine.12.0;Data Source=\"%1\"").arg(dir.databasePath());
    EXPECT_EQ(store->ConnectDB(otherEngine), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(ConnectFailed));
}

TEST_F(ConnectDB, MissingDatabaseFailsAndCreatesNoFile)
{
    const QString missing = dir.filePath(QStringLiteral("nowhere/db/basedata.mdb"));
    EXPECT_EQ(store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(missing)), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(ConnectFailed)) << store->GetLastErrorText().toStdString();
    EXPECT_TRUE(store->GetLastErrorText().contains(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));

    // A read tries again, and still creates nothing.
    std::vector<ILumetraDBInterface::_channel_define_> defines;
    EXPECT_EQ(store->GetChannelDefines(defines), 0);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(ConnectDB, FolderInsteadOfFileIsRefused)
{
    EXPECT_EQ(store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(dir.filePath(QStringLiteral("db")))), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(ConnectFailed));
}

// Files that are not a usable base database, each made from the fresh base
// database's bytes. All are refused and left exactly as they were.
struct DamageCase
{
    const char* name;
    QByteArray (*damage)(const QByteArray& base);
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class ConnectDBDamagedFile : public ConnectDB, public ::testing::WithParamInterface<DamageCase>
{
};

TEST_P(ConnectDBDamagedFile, IsRefusedAndLeftUntouched)
{
    const QString path = dir.filePath(QStringLiteral("damaged/basedata.mdb"));
    const QByteArray bytes = GetParam().damage(ReadAll(dir.databasePath()));
    WriteFile(path, bytes);

    EXPECT_EQ(store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(path)), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(ConnectFailed)) << store->GetLastErrorText().toStdString();
    EXPECT_EQ(ReadAll(path), bytes);
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    EXPECT_EQ(store->GetAllTracks(tracks), 0);
}

QByteArray RandomBytes(const QByteArray&)
{
    QByteArray bytes(8192, '\0');
    QRandomGenerator generator(20240601);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ConnectDBDamagedFile,
    ::testing::Values(
        DamageCase{"RandomBytes", RandomBytes},
        DamageCase{"EmptyFile", [](const QByteArray&) { return QByteArray(); }},
        DamageCase{"TextFile", [](const QByteArray&) { return QByteArray("Provider=SQLite;Data Source=\"x\"\n"); }},
        DamageCase{"HeaderOnly", [](const QByteArray& base) { return base.left(100); }},
        DamageCase{"FirstPageOnly", [](const QByteArray& base) { return base.left(4096); }},
        DamageCase{"TruncatedToHalf", [](const QByteArray& base) { return base.left(base.size() / 2); }},
        DamageCase{"LastPageMissing", [](const QByteArray& base) { return base.left(base.size() - 4096); }}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST_F(ConnectDB, SQLiteFileWithoutTheBaseTablesIsRefused)
{
    const QString path = dir.filePath(QStringLiteral("other.db"));
    SqlFile::Exec(path, QStringLiteral("CREATE TABLE Something (Value TEXT)"));
    EXPECT_EQ(store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(path)), 0);
    EXPECT_TRUE(store->GetLastErrorText().startsWith(ConnectFailed));
    EXPECT_TRUE(store->GetLastErrorText().contains(QStringLiteral("AppOption")));
}

TEST_F(ConnectDB, SecondConnectKeepsTheFirstDatabaseUntilReconnected)
{
    const QString other = dir.filePath(QStringLiteral("other/basedata.mdb"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(other).absolutePath()));
    ASSERT_TRUE(QFile::copy(dir.databasePath(), other));
    SqlFile::Exec(other, QStringLiteral("INSERT INTO AppOption VALUES ('Which', 'other')"));

    ASSERT_EQ(store->ConnectDB(dir.connectionString()), 1);
    EXPECT_EQ(store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(other)), 1);
    QString which = QStringLiteral("first");
    EXPECT_EQ(store->GetAppOptionText(QStringLiteral("Which"), which), 0);
    EXPECT_EQ(which, QStringLiteral("first"));

    // The string given last is the one a reconnection uses.
    EXPECT_EQ(store->DisconnectDB(), 1);
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    ASSERT_EQ(store->GetAllTracks(tracks), 1);
    EXPECT_EQ(store->GetAppOptionText(QStringLiteral("Which"), which), 1);
    EXPECT_EQ(which, QStringLiteral("other"));
}

TEST_F(ConnectDB, AfterDisconnectListReadsReconnectButOptionsAndStatementsFail)
{
    ASSERT_EQ(store->ConnectDB(dir.connectionString()), 1);
    ASSERT_EQ(store->SetAppOption(QStringLiteral("ZhenCount"), QStringLiteral("3")), 1);
    EXPECT_EQ(store->DisconnectDB(), 1);
    EXPECT_EQ(store->DisconnectDB(), 1);

    // A failed statement leaves the last error text as it was.
    store->ReadDBConfigFile(dir.path(), QStringLiteral("missing.ini"));
    const QString before = store->GetLastErrorText();
    EXPECT_EQ(store->SetAppOption(QStringLiteral("ZhenCount"), QStringLiteral("4")), 0);
    EXPECT_EQ(store->GetLastErrorText(), before);
    int frames = 2;
    EXPECT_EQ(store->GetAppOptionInt(QStringLiteral("ZhenCount"), frames), 0);
    EXPECT_EQ(frames, 2);

    std::vector<ILumetraDBInterface::_channel_define_> defines;
    EXPECT_EQ(store->GetChannelDefines(defines), 1);
    EXPECT_EQ(defines.size(), 6u);
    EXPECT_EQ(store->GetAppOptionInt(QStringLiteral("ZhenCount"), frames), 1);
    EXPECT_EQ(frames, 3);
}

TEST_F(ConnectDB, TwoStoreObjectsShareOneFile)
{
    StoreHandle second = NewStore();
    ASSERT_EQ(store->ConnectDB(dir.connectionString()), 1);
    ASSERT_EQ(second->ConnectDB(dir.connectionString()), 1);

    EXPECT_EQ(store->SetAppOption(QStringLiteral("AppLook"), QStringLiteral("216")), 1);
    int look = 0;
    EXPECT_EQ(second->GetAppOptionInt(QStringLiteral("AppLook"), look), 1);
    EXPECT_EQ(look, 216);

    second.reset();
    EXPECT_EQ(store->GetAppOptionInt(QStringLiteral("AppLook"), look), 1);
}

// The program opens and imports tasks on a worker thread while the user
// interface waits; the connection must serve whichever thread calls.
TEST_F(ConnectDB, ServesAWorkerThreadWhileTheCallerWaits)
{
    ASSERT_EQ(store->ConnectDB(dir.connectionString()), 1);
    std::thread worker([this] {
        std::vector<_TRACK_DEFINE_STRUCT_> tracks;
        EXPECT_EQ(store->GetAllTracks(tracks), 1);
        EXPECT_EQ(store->SetAppOption(QStringLiteral("ThreadLoad"), QStringLiteral("1")), 1);
        store->DisconnectDB();
        EXPECT_EQ(store->GetAllTracks(tracks), 1);
    });
    worker.join();

    int threadLoad = 0;
    EXPECT_EQ(store->GetAppOptionInt(QStringLiteral("ThreadLoad"), threadLoad), 1);
    EXPECT_EQ(threadLoad, 1);
}
}
