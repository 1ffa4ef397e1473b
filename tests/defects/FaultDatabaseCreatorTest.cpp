#include "FaultFileFixture.h"

#include <QFile>
#include <QSqlRecord>

namespace
{
using FaultDatabaseCreatorTest = FaultFileFixture;

QStringList ColumnsOf(const QString& path)
{
    QStringList columns;
    WithConnectionTo(path, [&](const QSqlDatabase& db) {
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA table_info(FAULT_DETAIL)"));
        while (query.next())
            columns << query.value(1).toString() + u' ' + query.value(2).toString() +
                           (query.value(5).toInt() ? QStringLiteral(" key") : QString());
    });
    return columns;
}

TEST_F(FaultDatabaseCreatorTest, MakesAnEmptyDefectFileWithAllColumns)
{
    const QString path = RootPath(QStringLiteral("sub/缺陷浏览_T1.accdb"));
    QString error;
    ASSERT_TRUE(CFaultDatabaseCreator::Create(path, &error)) << error.toStdString();

    EXPECT_EQ(ColumnsOf(path),
              QStringList({"FaultID INTEGER key", "FaultChannelID INTEGER", "FaultStandardID INTEGER",
                           "FaultImage INTEGER", "FaultKM INTEGER", "FaultM INTEGER", "FaultX INTEGER",
                           "FaultY INTEGER", "FaultCx INTEGER", "FaultCy INTEGER", "FaultState INTEGER"}));
    CFaultStore store;
    EXPECT_EQ(store.IsFaultExportFile(path), 1);
    // Nothing but the new file is left in its folder.
    EXPECT_EQ(QDir(RootPath(QStringLiteral("sub"))).entryList(QDir::Files), QStringList({"缺陷浏览_T1.accdb"}));
}

TEST_F(FaultDatabaseCreatorTest, RefusesAnExistingFileAndLeavesItAlone)
{
    const QString path = RootPath(QStringLiteral("taken.accdb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();

    QString error;
    EXPECT_FALSE(CFaultDatabaseCreator::Create(path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("already exists"))) << error.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("keep me"));
    EXPECT_EQ(QDir(root_.path()).entryList(QDir::Files), QStringList({"taken.accdb"}));
}

TEST_F(FaultDatabaseCreatorTest, RefusesAnEmptyPathOrAFolder)
{
    QString error;
    EXPECT_FALSE(CFaultDatabaseCreator::Create(QString(), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(CFaultDatabaseCreator::Create(root_.path(), &error));
    EXPECT_FALSE(error.isEmpty());
}
}
