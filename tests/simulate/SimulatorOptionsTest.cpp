// Option parsing and the run layout: what the command line means, and where
// and when each frame is taken.

#include "RunLayout.h"
#include "SimulatorOptionParser.h"

#include <gtest/gtest.h>

namespace
{
SimulatorOptions Parse(const QStringList& arguments, SimulatorOptionParser::Result expected = SimulatorOptionParser::Result::Run)
{
    SimulatorOptions options;
    QString error;
    EXPECT_EQ(SimulatorOptionParser::Parse(arguments, &options, &error), expected) << error.toStdString();
    return options;
}
}

TEST(SimulatorOptions, DefaultsMakeTheStandardRun)
{
    const SimulatorOptions options = Parse({"--out", "x"});
    EXPECT_EQ(options.channels, 6);
    EXPECT_EQ(options.frames, 300);
    EXPECT_EQ(options.width, 2048);
    EXPECT_EQ(options.height, 2000);
    EXPECT_EQ(options.quality, 90);
    EXPECT_EQ(options.stepMm, 2000);
}

TEST(SimulatorOptions, TinyPresetYieldsToExplicitOptionsWhereverTheyStand)
{
    const SimulatorOptions tiny = Parse({"--out", "x", "--preset", "tiny"});
    EXPECT_EQ(tiny.width, 256);
    EXPECT_EQ(tiny.height, 200);
    EXPECT_EQ(tiny.frames, 12);
    const SimulatorOptions mixed = Parse({"--frames", "5", "--out", "x", "--preset", "tiny"});
    EXPECT_EQ(mixed.frames, 5);
    EXPECT_EQ(mixed.width, 256);
}

TEST(SimulatorOptions, InjectionsTakeChannelAndFramesOrSensibleDefaults)
{
    const SimulatorOptions options = Parse({"--out", "x", "--frames", "30", "--inject", "corrupt-jpeg", "--inject", "other-size:3:7",
                                            "--inject", "lost-frames:2:10-12", "--inject", "lost-frames:4", "--inject", "missing-index:6"});
    ASSERT_EQ(options.injections.size(), 5u);
    EXPECT_EQ(options.injections[0].channel, 1);
    EXPECT_EQ(options.injections[0].firstFrame, 15);
    EXPECT_EQ(options.injections[1].channel, 3);
    EXPECT_EQ(options.injections[1].firstFrame, 7);
    EXPECT_EQ(options.injections[2].firstFrame, 10);
    EXPECT_EQ(options.injections[2].lastFrame, 12);
    EXPECT_GE(options.injections[3].firstFrame, 2);
    EXPECT_LT(options.injections[3].lastFrame, 30);
    EXPECT_EQ(options.injections[4].kind, FaultInjectionKind::MissingIndex);
    EXPECT_EQ(options.injections[4].channel, 6);
}

TEST(SimulatorOptions, WrongUsageIsRefusedWithAReason)
{
    const QStringList wrong[] = {
        {"--preset", "tiny"},                                    // no --out
        {"--out", "x", "--channels", "0"},
        {"--out", "x", "--channels", "7"},
        {"--out", "x", "--frames", "many"},
        {"--out", "x", "--width", "8"},
        {"--out", "x", "--quality", "101"},
        {"--out", "x", "--preset", "huge"},
        {"--out", "x", "--start", "18.05.2024"},
        {"--out", "x", "--start-m", "1000"},
        {"--out", "x", "--speed", "0"},
        {"--out", "x", "--frames"},                               // value missing
        {"--out", "x", "--bogus", "1"},
        {"--out", "x", "stray"},
        {"--out", "x", "--inject", "melted-rail"},
        {"--out", "x", "--inject", "missing-index:1:2"},
        {"--out", "x", "--channels", "2", "--inject", "corrupt-jpeg:3"},
        {"--out", "x", "--frames", "10", "--inject", "corrupt-jpeg:1:11"},
        {"--out", "x", "--inject", "lost-frames:1:9-3"},
        {"--out", "x", "--frames", "4", "--inject", "lost-frames:1:1-4"},
        {"--out", "x", "--descending", "--start-km", "0", "--frames", "2"},  // would run below km 0
    };
    for (const QStringList& arguments : wrong) {
        SimulatorOptions options;
        QString error;
        EXPECT_EQ(SimulatorOptionParser::Parse(arguments, &options, &error), SimulatorOptionParser::Result::Error)
            << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty()) << arguments.join(' ').toStdString();
    }
}

TEST(RunLayout, PositionsAndTimesFollowStepSpeedAndDirection)
{
    SimulatorOptions options = Parse({"--out", "x", "--start-km", "3", "--start-m", "999", "--step-mm", "2000", "--speed", "72",
                                      "--start", "2023-01-02 03:04:05"});
    const RunLayout layout(options);
    const FramePlacement first = layout.placement(1);
    const FramePlacement third = layout.placement(3);
    EXPECT_EQ(first.km, 3);
    EXPECT_EQ(first.m, 999);
    EXPECT_EQ(third.km, 4);  // 3.999 km + 4 m crosses the kilometre
    EXPECT_EQ(third.m, 3);
    // 72 km/h is 20 m/s: frame 51 is 100 m and 5 s after the first.
    EXPECT_EQ(layout.placement(51).captureTime - first.captureTime, 5);
    EXPECT_EQ(first.captureTime, QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5), Qt::UTC).toSecsSinceEpoch());
    EXPECT_GT(layout.mmPerRow(2000), 0.0);

    options.descending = true;
    const RunLayout down(options);
    EXPECT_EQ(down.placement(2).km, 3);
    EXPECT_EQ(down.placement(2).m, 997);
    EXPECT_LT(down.mmPerRow(2000), 0.0);
}

TEST(RunLayout, LostFramesAreLeftOutOfTheirChannelOnly)
{
    const SimulatorOptions options = Parse({"--out", "x", "--frames", "10", "--inject", "lost-frames:2:4-5"});
    const RunLayout layout(options);
    EXPECT_EQ(layout.framesOfChannel(1).size(), 10u);
    const std::vector<FramePlacement> frames = layout.framesOfChannel(2);
    ASSERT_EQ(frames.size(), 8u);
    EXPECT_EQ(frames[2].runFrame, 3);
    EXPECT_EQ(frames[3].runFrame, 6);
}
