// lumetra-bimf run as a program: real rail frames packed and read back byte
// for byte, every command's output and exit status (0 clean, 1 problems,
// 2 unusable file or wrong command).

#include "BimfTestFiles.h"
#include "RbimfFile.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct ToolRun
{
    int status = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(LUMETRA_TOOL_DIR "/lumetra-bimf"), arguments);
    ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList railFrames()
{
    const QString folder = qEnvironmentVariable("LUMETRA_RAIL_FRAMES", QStringLiteral(LUMETRA_RAIL_FRAMES_DIR));
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

class BimfTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frames_ = railFrames();
        if (frames_.isEmpty())
            GTEST_SKIP() << "no rail frames to pack";
        data_ = QString::fromStdString(folder_.data());
        QStringList args{"pack", data_};
        args << frames_ << "--line-name" << "京沪线" << "--line-code" << "JH" << "--section" << "济南西—泰安"
             << "--train" << "GJC-07" << "--rail-side" << "L" << "--start-km" << "12" << "--start-m" << "990"
             << "--start" << "2024-03-01 10:00:00" << "--run-direction" << "1" << "--car-direction" << "1"
             << "--h-resolution" << "250" << "--v-resolution" << "1000";
        const ToolRun pack = runTool(args);
        ASSERT_EQ(pack.status, 0) << pack.err.toStdString();
    }

    BimfFolder folder_;
    QStringList frames_;
    QString data_;
};

} // namespace

TEST_F(BimfTool, PackedRealFramesReadBackByteForByte)
{
    const auto reader = OpenPair(folder_);
    ASSERT_TRUE(reader) << BIMFLastErrorText();
    const UniversalTrackInfo_Ex& h = *reader->GetUniversalTrackInfo();
    ASSERT_EQ(h.PhotoNum, frames_.size());
    EXPECT_STREQ(h.LineName, "京沪线");
    EXPECT_STREQ(h.SectionName, "济南西—泰安");
    EXPECT_EQ(h.RailSide, 'L');
    EXPECT_EQ(h.HPixelNum, 2048);
    EXPECT_EQ(h.VPixelNum, 2000);
    EXPECT_STREQ(h.StartRunDate, "2024-03-01");
    EXPECT_STREQ(h.StartRunTime, "10:00:00");
    for (int i = 0; i < frames_.size(); ++i) {
        const std::vector<uint8_t> original = ReadBytes(frames_[i].toStdString());
        TrackImageJPG_ image{};
        ASSERT_EQ(reader->GetTrackImage(&image, i + 1), 1);
        ASSERT_EQ(size_t(image.JpgSize), original.size());
        EXPECT_EQ(std::memcmp(image.pJpgData, original.data(), original.size()), 0) << i + 1;
        // 2000 mm per frame from 12 km 990 m.
        const int position = 12990 + 2 * i;
        EXPECT_EQ(image.Km, position / 1000);
        EXPECT_EQ(image.M, position % 1000);
        reader->ReleaseImage(&image);
    }
}

TEST_F(BimfTool, InfoFramesFindAndExtractTellWhatIsStored)
{
    const ToolRun info = runTool({"info", data_});
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains(QStringLiteral("PhotoNum      %1").arg(frames_.size())));
    EXPECT_TRUE(info.out.contains("京沪线"));
    EXPECT_TRUE(info.out.contains("2048 x 2000"));
    EXPECT_TRUE(info.out.contains("RunDirection  1\nCarDirection  1\n"));
    EXPECT_TRUE(info.out.contains("Resolution    250 x 1000"));

    const ToolRun list = runTool({"frames", data_});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.trimmed().split('\n').size(), frames_.size() + 1);
    EXPECT_TRUE(list.out.contains(QRegularExpression("\\n +3 +3 +12 +994 2024-03-01 10:00:02 ")));

    const ToolRun found = runTool({"find", data_, "13", "0"});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, "6\n");
    EXPECT_EQ(runTool({"find", data_, "13", "1"}).status, 1);

    const QString out = QString::fromStdString(folder_.path("frame3.jpg"));
    EXPECT_EQ(runTool({"extract", data_, "3", out}).status, 0);
    EXPECT_EQ(ReadBytes(out.toStdString()), ReadBytes(frames_[2].toStdString()));
    EXPECT_EQ(runTool({"extract", data_, QString::number(frames_.size() + 1), out}).status, 2);
}

TEST_F(BimfTool, CheckIsCleanThenNamesEachProblem)
{
    ToolRun check = runTool({"check", data_});
    EXPECT_EQ(check.status, 0) << check.out.toStdString();
    EXPECT_TRUE(check.out.isEmpty());

    std::vector<uint8_t> data = ReadBytes(folder_.data());
    data[256 + 48 + 2000] ^= 0x10;  // inside the first frame's JPEG
    WriteBytes(folder_.data(), data);
    check = runTool({"check", data_});
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(check.out.contains("frame record 1 (frame number 1) at offset 256: JPEG checksum does not match"))
        << check.out.toStdString();
    EXPECT_TRUE(check.out.contains("frame 1: cannot be read"));
}

TEST_F(BimfTool, CheckComparesEveryFrameSizeWithTheHeader)
{
    // A header that promises another frame size than the JPEGs have.
    std::vector<uint8_t> data = ReadBytes(folder_.data());
    Put16(data, 16 + 120, 1024);  // VPixelNum
    SealDataHeader(data);
    WriteBytes(folder_.data(), data);
    ASSERT_EQ(runTool({"repair", data_}).status, 0);
    const ToolRun check = runTool({"check", data_});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out.count("image is 2048 x 2000, the header says 2048 x 1024"), frames_.size());
}

TEST_F(BimfTool, RepairRebuildsALostIndex)
{
    QFile::remove(QString::fromStdString(folder_.index()));
    EXPECT_EQ(runTool({"info", data_}).status, 2);
    EXPECT_EQ(runTool({"check", data_}).status, 1);
    const ToolRun repair = runTool({"repair", data_});
    EXPECT_EQ(repair.status, 0) << repair.err.toStdString();
    EXPECT_TRUE(repair.err.contains(QStringLiteral("indexed %1 frame(s)").arg(frames_.size())));
    EXPECT_EQ(runTool({"check", data_}).status, 0);
}

TEST(BimfToolCommandLine, WrongCommandsAndUnusableFilesExitWithTwo)
{
    BimfFolder folder;
    WriteBimf(folder.data(), folder.index(), SampleHeader(), MakeFrames(2));
    const QString data = QString::fromStdString(folder.data());
    const QString missing = QString::fromStdString(folder.path("none.bimf"));
    const QStringList cases[] = {
        {},
        {"info"},
        {"explode", data},
        {"extract", data, "1"},
        {"extract", data, "one", "out.jpg"},
        {"find", data, "x", "0"},
        {"info", missing},
        {"check", missing},
        {"repair", missing},
        {"pack", data},
        {"pack", data, "--start-m", "1000", "a.jpg"},
        {"pack", data, "--rail-side"},
        {"pack", data, "--bogus", "1", "a.jpg"},
        {"pack", data, missing},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2) << run.err.toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
}
