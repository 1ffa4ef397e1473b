#include "FaultFileFixture.h"

#include <QFile>
#include <QRandomGenerator>

namespace
{
class FaultStoreDamagedFileTest : public FaultFileFixture
{
protected:
    QByteArray FilledDefectFile()
    {
        const QString path = NewDefectFile(QStringLiteral("full.accdb"));
        // Enough rows for a table of several pages, so half the file loses some.
        EXPECT_TRUE(ExecuteOn(path, QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
            "INSERT INTO FAULT_DETAIL SELECT i, 5, i, i, 0, 0, 1, 2, 3, 4, i % 3 FROM n")));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    static QString Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
};

TEST_F(FaultStoreDamagedFileTest, FileThatIsNoDefectDatabaseIsRefusedWithTheMessage)
{
    const QByteArray full = FilledDefectFile();
    ASSERT_GT(full.size(), 8192);
    QByteArray noise(4096, '\0');
    QRandomGenerator generator(20240611);
    for (char& byte : noise)
        byte = char(generator.bounded(256));
    QByteArray badHeader = full;
    badHeader.replace(0, 16, "not a database!!");

    const std::pair<const char*, QByteArray> damaged[] = {
        {"random.accdb", noise},
        {"empty.accdb", QByteArray()},
        {"truncated.accdb", full.left(full.size() / 2)},
        {"header.accdb", badHeader},
        {"text.accdb", QByteArray("FaultID,FaultChannelID\n1,5\n")},
    };
    CFaultStore store;
    const QString good = NewDefectFile(QStringLiteral("good.accdb"));
    ASSERT_EQ(store.OpenFaultDBFile(good), 1);
    for (const auto& [name, bytes] : damaged) {
        const QString path = Write(RootPath(QString::fromLatin1(name)), bytes);
        const qsizetype promptsBefore = prompts_.Prompts().size();

        EXPECT_EQ(store.IsFaultExportFile(path), 0) << name;
        EXPECT_EQ(store.OpenFaultDBFile(path), 0) << name;
        ASSERT_EQ(prompts_.Prompts().size(), promptsBefore + 1) << name;
        EXPECT_EQ(prompts_.Prompts().back().text, NotFaultFileText);
        EXPECT_EQ(store.FaultFilePath(), good);
        EXPECT_EQ(QFileInfo(path).size(), bytes.size()) << name << " must not be written";
    }
    EXPECT_EQ(store.IsFaultExportFile(root_.path()), 0) << "a folder";
}

TEST_F(FaultStoreDamagedFileTest, DamagedFileInTheTaskDirectoryFailsEveryOperation)
{
    const QByteArray full = FilledDefectFile();
    const std::pair<const char*, QByteArray> damaged[] = {
        {"random", QByteArray(4096, '\x5a')},
        {"truncated", full.left(full.size() / 2)},
    };
    for (const auto& [name, bytes] : damaged) {
        const Task task = MakeTask(QString::fromLatin1(name), false);
        Write(FaultFilePathFor(task), bytes);
        CFaultStore store;
        const int opened = store.OpenTaskFaultDB(task);
        std::vector<_FAULT_> faults;
        _FAULT_ fault = MakeFault(5, 1, 3);
        // A damaged file may open (SQLite reads lazily) but yields no rows and takes none.
        if (name == std::string("random")) {
            EXPECT_EQ(opened, 0);
        }
        EXPECT_EQ(store.QueryFaults(-1, -1, -1, faults), 0) << name;
        EXPECT_EQ(store.AddFaultRecord(fault), 0) << name;
    }
}
}
