// lumetra-view run as a user runs it, on the simulator's tiny run: snapshots
// of the asked size showing the frames (the same picture with loader
// threads), defects drawn from the defect file, and exit code 2 for wrong
// usage and files it cannot open.

#include "CFaultStore.h"
#include "SimulatorOptionParser.h"
#include "TaskSimulator.h"
#include "TempProgramDir.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace
{
struct ViewResult
{
    int exitCode = -1;
    QString output;   // standard output and error, merged
};

ViewResult RunView(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(LUMETRA_VIEW_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(u' ').toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

// Pixels of the picture that have exactly one of `colours` (0xRRGGBB).
int CountColours(const QImage& picture, const std::vector<QRgb>& colours)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += std::count(colours.begin(), colours.end(), picture.pixel(x, y) & 0xFFFFFF) > 0;
    return count;
}

// The tiny preset written once for all tests: six channels of 12 frames of
// 256 x 200 and their defect file.
class ViewToolProcessTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        program = new TempProgramDir;
        program->createBaseDatabase();
        SimulatorOptions options;
        QString error;
        const QStringList arguments = {"--preset", "tiny", "--seed", "5", "--out", program->filePath("task")};
        ASSERT_EQ(SimulatorOptionParser::Parse(arguments, &options, &error), SimulatorOptionParser::Result::Run);
        summary = new SimulationSummary;
        ASSERT_TRUE(TaskSimulator(options).run(summary, &error)) << error.toStdString();
        ready = true;
    }
    static void TearDownTestSuite()
    {
        delete summary;
        delete program;
        summary = nullptr;
        program = nullptr;
        ready = false;
    }

    static QStringList DataPaths()
    {
        QStringList paths;
        for (const ChannelPlan& channel : summary->channels)
            paths << channel.dataPath;
        return paths;
    }

    QImage Snapshot(const QStringList& arguments, const QString& name, QSize size)
    {
        const QString out = scratch.filePath(name);
        const ViewResult result = RunView(QStringList{"--snapshot", out, "--size",
                                                      QStringLiteral("%1x%2").arg(size.width()).arg(size.height())}
                                          + arguments);
        EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
        return QImage(out);
    }

    static TempProgramDir* program;
    static SimulationSummary* summary;
    static bool ready;
    QTemporaryDir scratch;
};
TempProgramDir* ViewToolProcessTest::program = nullptr;
SimulationSummary* ViewToolProcessTest::summary = nullptr;
bool ViewToolProcessTest::ready = false;

const QRgb Background = 0xFFFFFF;
// Outline colours of valid, invalid and pending defects.
const std::vector<QRgb> DefectOutlines = {0xA0C000, 0x00A000, 0x0080A0};
}

TEST_F(ViewToolProcessTest, SnapshotHasTheAskedSizeAndShowsTheFrames)
{
    ASSERT_TRUE(ready);
    const QImage picture = Snapshot(QStringList{"--zoom", "0.5"} + DataPaths(), "six.png", QSize(900, 380));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(900, 380));
    // Six columns of 128 pixels and two rows of 100 at zoom 0.5: nearly half
    // of the picture is frames.
    const int framePixels = picture.width() * picture.height() - CountColours(picture, {Background});
    EXPECT_GT(framePixels, picture.width() * picture.height() / 5);
}

TEST_F(ViewToolProcessTest, LoaderThreadsGiveTheSamePicture)
{
    ASSERT_TRUE(ready);
    const QStringList arguments = QStringList{"--image", "4", "--frames", "3", "--zoom", "0.5"} + DataPaths();
    const QImage direct = Snapshot(arguments, "direct.png", QSize(900, 420));
    const QImage threaded = Snapshot(QStringList{"--thread-load"} + arguments, "threaded.png", QSize(900, 420));
    ASSERT_FALSE(direct.isNull());
    EXPECT_TRUE(direct == threaded) << "frames still loading were drawn";
}

TEST_F(ViewToolProcessTest, DefectsOfTheDefectFileAreOutlined)
{
    ASSERT_TRUE(ready);
    CFaultStore store;
    ASSERT_EQ(store.OpenFaultDBFile(summary->faultFilePath), 1);
    // The first channel with defects, shown alone at its first defect.
    const ChannelPlan* channel = nullptr;
    std::vector<_FAULT_> faults;
    for (const ChannelPlan& plan : summary->channels) {
        ASSERT_EQ(store.LoadChannelFaults(plan.track.Track_ChannelID, faults), 1);
        if (!faults.empty()) {
            channel = &plan;
            break;
        }
    }
    ASSERT_NE(channel, nullptr) << "the tiny run has no defect";
    const QStringList shown = {"--zoom", "1", "--frames", "1", "--image", QString::number(faults.front().FaultImage),
                               channel->dataPath};

    const QImage plain = Snapshot(shown, "plain.png", QSize(400, 300));
    const QImage outlined = Snapshot(QStringList{"--faults", summary->faultFilePath, "--channel-ids",
                                                 QString::number(channel->track.Track_ChannelID)}
                                         + shown,
                                     "outlined.png", QSize(400, 300));
    EXPECT_EQ(CountColours(plain, DefectOutlines), 0);
    EXPECT_GT(CountColours(outlined, DefectOutlines), 20);
}

TEST_F(ViewToolProcessTest, FilesItCannotOpenAndWrongUsageExitWithTwo)
{
    ASSERT_TRUE(ready);
    const QString garbage = scratch.filePath("garbage.bimf");
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1000, 'g'));
    }
    const QString out = scratch.filePath("never.png");
    const struct
    {
        QStringList arguments;
        QString named;
    } cases[] = {
        {{DataPaths().front(), scratch.filePath("missing.bimf")}, scratch.filePath("missing.bimf")},
        {{garbage}, garbage},
        {{"--faults", scratch.filePath("none.accdb"), DataPaths().front()}, scratch.filePath("none.accdb")},
        {{"--faults", garbage, DataPaths().front()}, garbage},
        {{"--zoom", "20", DataPaths().front()}, "--zoom"},
        {{}, "no big file"},
    };
    for (const auto& c : cases) {
        const ViewResult result = RunView(QStringList{"--snapshot", out, "--size", "100x100"} + c.arguments);
        EXPECT_EQ(result.exitCode, 2) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.output.contains(c.named)) << result.output.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ViewToolProcessTest, HelpIsNoError)
{
    const ViewResult result = RunView({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.output.contains("usage: lumetra-view")) << result.output.toStdString();
}
