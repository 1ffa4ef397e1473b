// Every input kept in fixtures/ (seeds and what the fuzzer found) is refused
// or read without error, and never crashes; the valid seeds open.

#include "BimfFuzzInput.h"
#include "BimfTestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(BimfFixtures, EveryKeptInputIsRefusedOrReadCleanly)
{
    const QDir fixtures(QStringLiteral(BIMF_FIXTURE_DIR));
    const QStringList names = fixtures.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty()) << "no fixtures in " << BIMF_FIXTURE_DIR;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const std::vector<uint8_t> bytes = ReadBytes(fixtures.filePath(name).toStdString());
        QTemporaryDir folder;
        const BimfFuzzOutcome outcome = RunBimfFuzzInput(bytes.data(), bytes.size(), folder.path().toStdString());
        if (name.startsWith(QLatin1String("valid-"))) {
            EXPECT_TRUE(outcome.opened);
            EXPECT_GT(outcome.framesRead, 0);
            EXPECT_EQ(outcome.rebuiltFrames, outcome.framesRead);
        }
    }
}
