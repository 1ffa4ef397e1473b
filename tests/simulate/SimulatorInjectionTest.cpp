// Each injected fault shows up where a reader of the files would meet it, and
// the program exits as documented.

#include "SimulatedRun.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace
{
SimulatedRun RunInjecting(const QString& fault)
{
    return SimulatedRun({"--preset", "tiny", "--channels", "2", "--seed", "3", "--inject", fault});
}
}

TEST(SimulatorInjection, MissingIndexLeavesNoIndexAndTheReaderRefuses)
{
    SimulatedRun run = RunInjecting("missing-index:2");
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    EXPECT_FALSE(QFileInfo::exists(run.indexPath(2)));
    EXPECT_FALSE(run.open(2));
    EXPECT_TRUE(run.open(1)) << "only the named channel is damaged";
}

TEST(SimulatorInjection, TruncatedDataIsRefusedByTheReader)
{
    SimulatedRun run = RunInjecting("truncated-data");
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    EXPECT_TRUE(QFileInfo::exists(run.indexPath(1)));
    EXPECT_FALSE(run.open(1));
    EXPECT_TRUE(run.open(2));
}

TEST(SimulatorInjection, CorruptJpegFailsToDecodeOnlyThatFrame)
{
    SimulatedRun run = RunInjecting("corrupt-jpeg:1:5");
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    ReaderHandle reader = run.open(1);
    ASSERT_TRUE(reader) << "the container stays sound";
    EXPECT_TRUE(ReadFrame(reader.get(), 5).pixels.empty());
    EXPECT_FALSE(ReadFrame(reader.get(), 4).pixels.empty());
    EXPECT_FALSE(ReadFrame(reader.get(), 6).pixels.empty());
}

TEST(SimulatorInjection, OtherSizeFrameDiffersFromTheHeader)
{
    SimulatedRun run = RunInjecting("other-size:2:3");
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    ReaderHandle reader = run.open(2);
    ASSERT_TRUE(reader);
    const UniversalTrackInfo_Ex* h = reader->GetUniversalTrackInfo();
    const DecodedFrame odd = ReadFrame(reader.get(), 3);
    ASSERT_FALSE(odd.pixels.empty());
    EXPECT_TRUE(odd.width != h->HPixelNum || odd.height != h->VPixelNum) << odd.width << "x" << odd.height;
    const DecodedFrame normal = ReadFrame(reader.get(), 4);
    EXPECT_EQ(normal.width, h->HPixelNum);
    EXPECT_EQ(normal.height, h->VPixelNum);
}

TEST(SimulatorInjection, LostFramesMakeNumbersAndPositionsJump)
{
    SimulatedRun run = RunInjecting("lost-frames:1:4-6");
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    ReaderHandle reader = run.open(1);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->GetUniversalTrackInfo()->PhotoNum, 9);
    const DecodedFrame before = ReadFrame(reader.get(), 3);
    const DecodedFrame after = ReadFrame(reader.get(), 4);
    EXPECT_EQ(before.record.ImageNumber, 3);
    EXPECT_EQ(after.record.ImageNumber, 7);
    EXPECT_EQ((after.record.Km * 1000 + after.record.M) - (before.record.Km * 1000 + before.record.M), 8);
    EXPECT_GE(after.record.CaptureTime, before.record.CaptureTime);
    ReaderHandle untouched = run.open(2);
    EXPECT_EQ(untouched->GetUniversalTrackInfo()->PhotoNum, 12);
}

TEST(SimulatorInjection, SeveralInjectionsInOneRunAreAllReported)
{
    SimulatedRun run({"--preset", "tiny", "--channels", "2", "--inject", "corrupt-jpeg:2", "--inject", "lost-frames:2",
                      "--inject", "missing-index:1"});
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    const QString text = run.summary().lines().join('\n');
    EXPECT_TRUE(text.contains("corrupt-jpeg")) << text.toStdString();
    EXPECT_TRUE(text.contains("lost-frames")) << text.toStdString();
    EXPECT_TRUE(text.contains("missing-index")) << text.toStdString();
}

// lumetra-bimf check, run over every channel of a run with one fault injected
// per channel: the clean channel passes, each damaged one is named.
TEST(SimulatorInjection, CheckPassesTheCleanChannelAndNamesEachInjectedFault)
{
    SimulatedRun run({"--preset", "tiny", "--channels", "6", "--seed", "5", "--inject", "missing-index:2",
                      "--inject", "truncated-data:3", "--inject", "corrupt-jpeg:4:5", "--inject", "other-size:5:6",
                      "--inject", "lost-frames:6:4-6"});
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    const struct
    {
        int channel;
        const char* line;
    } rows[] = {
        {1, nullptr},
        {2, "index: cannot open"},
        {3, "belong to no frame record"},
        {4, "frame 5: JPEG header cannot be read"},
        {5, "frame 6: image is 192 x 150, the header says 256 x 200"},
        {6, "frames 4..6 missing"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.channel);
        QProcess check;
        check.start(QStringLiteral(LUMETRA_TOOL_DIR "/lumetra-bimf"), {"check", run.dataPath(row.channel)});
        ASSERT_TRUE(check.waitForFinished(60000));
        const QString output = QString::fromUtf8(check.readAllStandardOutput());
        EXPECT_EQ(check.exitCode(), row.line ? 1 : 0) << output.toStdString();
        if (row.line) {
            EXPECT_TRUE(output.contains(QLatin1String(row.line))) << output.toStdString();
        }
    }
}

// The program itself: exit codes and the printed summary.
class SimulatorProgram : public ::testing::Test
{
protected:
    void SetUp() override { dir.createBaseDatabase(); }

    int runProgram(const QStringList& arguments, QString* output = nullptr)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LUMETRA_HOME", dir.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(LUMETRA_TOOL_DIR "/lumetra-simulate"), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        if (output)
            *output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        return process.exitCode();
    }

    TempProgramDir dir;
};

TEST_F(SimulatorProgram, ExitsZeroWithOneLinePerChannel)
{
    QString output;
    ASSERT_EQ(runProgram({"--out", dir.filePath("task"), "--preset", "tiny", "--channels", "3", "--inject", "corrupt-jpeg:2"}, &output), 0)
        << output.toStdString();
    EXPECT_TRUE(output.contains("LO ")) << output.toStdString();
    EXPECT_TRUE(output.contains("LI ")) << output.toStdString();
    EXPECT_FALSE(output.contains("RO ")) << output.toStdString();
    EXPECT_TRUE(output.contains("injected on LC: corrupt-jpeg")) << output.toStdString();
}

TEST_F(SimulatorProgram, WrongUsageExitsTwo)
{
    EXPECT_EQ(runProgram({"--preset", "tiny"}), 2);
    EXPECT_EQ(runProgram({"--out", dir.filePath("t"), "--channels", "7"}), 2);
    EXPECT_EQ(runProgram({"--out", dir.filePath("t"), "--inject", "melted-rail"}), 2);
}

TEST_F(SimulatorProgram, WriteFailureExitsOneWithAMessage)
{
    QString output;
    // A file where the task directory should be.
    QFile blocker(dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(runProgram({"--out", dir.filePath("blocked"), "--preset", "tiny"}, &output), 1);
    EXPECT_TRUE(output.contains("cannot")) << output.toStdString();
    EXPECT_EQ(runProgram({"--out", dir.filePath("t"), "--preset", "tiny", "--db", dir.filePath("none.mdb")}, &output), 1);
    EXPECT_TRUE(output.contains("no base database")) << output.toStdString();
}
