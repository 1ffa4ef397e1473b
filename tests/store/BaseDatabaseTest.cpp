// The base database a fresh program directory gets: its seed rows, the
// builder that makes it and the lumetra-admin command around the builder.

#include "AdminProcess.h"
#include "CBaseDatabaseBuilder.h"
#include "CConnectionDescriptor.h"
#include "SqlFile.h"
#include "ConnectedStore.h"
#include "TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

namespace
{
using SeedRows = ConnectedStoreTest;

TEST_F(SeedRows, SixChannelsMirroredAcrossTheRails)
{
    struct Expected
    {
        const char* name;
        const char* subDirectory;
        const char* railSide;
        const char* reversedName;
        int channelId;
    };
    const Expected expected[] = {
        {"左外", "LO", "L", "右外", 1010}, {"左中", "LC", "L", "右中", 1020}, {"左内", "LI", "L", "右内", 1030},
        {"右外", "RO", "R", "左外", 1050}, {"右中", "RC", "R", "左中", 1060}, {"右内", "RI", "R", "左内", 1070},
    };
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    ASSERT_EQ(store->GetAllTracks(tracks), 1);
    ASSERT_EQ(tracks.size(), std::size(expected));
    for (size_t i = 0; i < tracks.size(); ++i) {
        const _TRACK_DEFINE_STRUCT_& track = tracks[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(track.TrackID, int(i) + 1);
        EXPECT_EQ(track.TrackName, QString::fromUtf8(expected[i].name));
        EXPECT_EQ(track.TrackSubDirectory, QString::fromUtf8(expected[i].subDirectory));
        EXPECT_EQ(track.TrackRailSide, QString::fromUtf8(expected[i].railSide));
        EXPECT_EQ(track.TrackGoBack, QString::fromUtf8(expected[i].reversedName));
        EXPECT_EQ(track.Track_ChannelID, expected[i].channelId);
        EXPECT_EQ(track.TrackScale, 1.0);
        EXPECT_EQ(track.TrackVertResolution, 1.0);
        EXPECT_EQ(track.TrackHorzResolution, 0.5);
        EXPECT_TRUE(track.Unused.isEmpty());
    }

    std::vector<ILumetraDBInterface::_channel_define_> defines;
    ASSERT_EQ(store->GetChannelDefines(defines), 1);
    ASSERT_EQ(defines.size(), tracks.size());
    for (size_t i = 0; i < defines.size(); ++i) {
        EXPECT_EQ(defines[i].CHANNEL_ID, tracks[i].Track_ChannelID);
        EXPECT_EQ(defines[i].CHANNEL_NAME, tracks[i].TrackName);
        EXPECT_EQ(defines[i].TRACK_IDF, tracks[i].TrackSubDirectory);
    }
}

TEST_F(SeedRows, OneTemplateHoldsAllSixChannels)
{
    const QString db = dir.databasePath();
    EXPECT_EQ(SqlFile::Column(db, QStringLiteral("SELECT TEMPLATE_NAME FROM CHANNEL_TEMPLATE")),
              QVariantList{QStringLiteral("六通道标准模板")});
    EXPECT_EQ(SqlFile::Column(db, QStringLiteral("SELECT B.TRACK_ID FROM CHANNEL_TEMPLATE A, TEMPLATE_TRACK B "
                                                 "WHERE A.TEMPLATE_ID = B.TEMPLATE_ID ORDER BY B.TRACK_ID")),
              (QVariantList{1, 2, 3, 4, 5, 6}));
}

TEST_F(SeedRows, BuiltInDefectTypesFollowTheClassRule)
{
    std::vector<_FAULTY_STANDER_STRUCT_> standards;
    ASSERT_EQ(store->GetFaultyStandards(standards), 1);
    QSet<QString> names;
    QSet<int> classes;
    int previousId = 0;
    for (const _FAULTY_STANDER_STRUCT_& standard : standards) {
        SCOPED_TRACE(standard.StandardID);
        EXPECT_GT(standard.StandardID, previousId);
        previousId = standard.StandardID;
        EXPECT_EQ(standard.StandardSystem, 1);
        EXPECT_EQ(standard.StandardDetail, 0);
        if (standard.StandardClass == 0)
            EXPECT_LT(standard.StandardID, 1000);
        else
            EXPECT_GT(standard.StandardID, 1000);
        EXPECT_FALSE(standard.StandardName.isEmpty());
        names.insert(standard.StandardName);
        classes.insert(standard.StandardClass);
    }
    EXPECT_EQ(names.size(), qsizetype(standards.size()));
    EXPECT_EQ(classes, (QSet<int>{0, 1}));
    for (const char* name : {"轨面擦伤", "核伤", "接头错牙", "扣件缺失", "垫板窜出"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(name))) << name;
}

TEST_F(SeedRows, NoOptionsNoTasksAndTheOptionColumnsInOrder)
{
    const QString db = dir.databasePath();
    for (const char* table : {"AppOption", "Track_Task", "Track_Task_File", "Line", "Section_PR", "Fault"})
        EXPECT_EQ(SqlFile::Scalar(db, QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))).toInt(), 0)
            << table;
    EXPECT_EQ(SqlFile::Column(db, QStringLiteral("SELECT name FROM pragma_table_info('AppOption')")),
              (QVariantList{QStringLiteral("AppKey"), QStringLiteral("AppValue")}));
}

class BaseDatabaseBuilder : public ::testing::Test
{
protected:
    QStringList filesIn(const QString& folder) const { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

    TempProgramDir dir;
};

TEST_F(BaseDatabaseBuilder, MakesTheFolderAndLeavesOnlyTheDatabase)
{
    const QString path = dir.filePath(QStringLiteral("a/b/db/basedata.mdb"));
    QString error;
    ASSERT_TRUE(CBaseDatabaseBuilder::Create(path, false, &error)) << error.toStdString();
    EXPECT_EQ(filesIn(QFileInfo(path).absolutePath()), QStringList{QStringLiteral("basedata.mdb")});
    StoreHandle store = NewStore();
    EXPECT_EQ(store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(path)), 1);
}

TEST_F(BaseDatabaseBuilder, RefusesAnExistingFileUnlessOverwriting)
{
    dir.createBaseDatabase();
    const QString db = dir.databasePath();
    SqlFile::Exec(db, QStringLiteral("INSERT INTO AppOption VALUES ('Marker', 'kept')"));

    QString error;
    EXPECT_FALSE(CBaseDatabaseBuilder::Create(db, false, &error));
    EXPECT_TRUE(error.contains(db)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("exists"))) << error.toStdString();
    EXPECT_EQ(SqlFile::Scalar(db, QStringLiteral("SELECT AppValue FROM AppOption")).toString(), QStringLiteral("kept"));

    ASSERT_TRUE(CBaseDatabaseBuilder::Create(db, true, &error)) << error.toStdString();
    EXPECT_EQ(SqlFile::Scalar(db, QStringLiteral("SELECT count(*) FROM AppOption")).toInt(), 0);
    EXPECT_EQ(filesIn(QFileInfo(db).absolutePath()), QStringList{QStringLiteral("basedata.mdb")});
}

TEST_F(BaseDatabaseBuilder, BadTargetsFailWithATextAndLeaveNothing)
{
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("folder.mdb"))));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    for (const QString& path : {QString(), dir.filePath(QStringLiteral("blocker/db/basedata.mdb")),
                                dir.filePath(QStringLiteral("folder.mdb"))}) {
        QString error;
        EXPECT_FALSE(CBaseDatabaseBuilder::Create(path, true, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

class AdminTool : public ::testing::Test
{
protected:
    TempProgramDir dir;
};

TEST_F(AdminTool, InitDbMakesTheDatabaseAndRefusesToOverwriteIt)
{
    EXPECT_EQ(RunAdmin({QStringLiteral("init-db"), dir.path()}).exitCode, 0);
    StoreHandle store = NewStore();
    ASSERT_EQ(store->ConnectDB(dir.connectionString()), 1);
    ASSERT_EQ(store->SetAppOption(QStringLiteral("Marker"), QStringLiteral("kept")), 1);
    store.reset();

    const AdminResult refused = RunAdmin({QStringLiteral("init-db"), dir.path()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.output.contains(QStringLiteral("basedata.mdb"))) << refused.output.toStdString();
    EXPECT_EQ(SqlFile::Scalar(dir.databasePath(), QStringLiteral("SELECT count(*) FROM AppOption")).toInt(), 1);

    EXPECT_EQ(RunAdmin({QStringLiteral("init-db"), dir.path(), QStringLiteral("--force")}).exitCode, 0);
    EXPECT_EQ(SqlFile::Scalar(dir.databasePath(), QStringLiteral("SELECT count(*) FROM AppOption")).toInt(), 0);
}

TEST_F(AdminTool, WrongUsageExitsWithTwoAndTheUsage)
{
    const QList<QStringList> wrongUsages = {
        {},
        {QStringLiteral("init-db")},
        {QStringLiteral("init-db"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("init-db"), QStringLiteral("a"), QStringLiteral("--overwrite")},
        {QStringLiteral("make-coffee")},
    };
    for (const QStringList& arguments : wrongUsages) {
        const AdminResult result = RunAdmin(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.output.contains(QStringLiteral("usage:"))) << result.output.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}
}
