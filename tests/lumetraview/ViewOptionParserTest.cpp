// lumetra-view's command line: one table of accepted lines with what they
// set, and one of refused lines with what the message names.

#include "ViewOptionParser.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{
QStringList Words(const char* line)
{
    return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
}

TEST(ViewOptionParser, DefaultsAreTheProgramsDrawingDefaults)
{
    ViewOptions options;
    QString error;
    ASSERT_EQ(ViewOptionParser::Parse(Words("a.bimf b.bimf"), &options, &error), ViewOptionParser::Result::Run);
    EXPECT_EQ(options.files, QStringList({"a.bimf", "b.bimf"}));
    EXPECT_EQ(options.image, 1);
    EXPECT_DOUBLE_EQ(options.zoom, 0.4);
    EXPECT_EQ(options.framesPerScreen, 2);
    EXPECT_FALSE(options.threadLoad);
    EXPECT_EQ(options.paintMode, 0);
    EXPECT_FALSE(options.snapshot());
    EXPECT_EQ(options.channelIdOfTrack(2), 2);
}

TEST(ViewOptionParser, AcceptedLinesSetTheirOptions)
{
    struct Case
    {
        const char* line;
        std::function<bool(const ViewOptions&)> holds;
    };
    const Case cases[] = {
        {"--image 40 a.bimf", [](const ViewOptions& o) { return o.image == 40; }},
        {"--zoom 0.01 a.bimf", [](const ViewOptions& o) { return o.zoom == 0.01; }},
        {"--zoom 8 a.bimf", [](const ViewOptions& o) { return o.zoom == 8.0; }},
        {"--frames 8 a.bimf", [](const ViewOptions& o) { return o.framesPerScreen == 8; }},
        {"a.bimf --thread-load", [](const ViewOptions& o) { return o.threadLoad; }},
        {"--paint-mode 1 a.bimf", [](const ViewOptions& o) { return o.paintMode == 1; }},
        {"--paint-mode -3 a.bimf", [](const ViewOptions& o) { return o.paintMode == -3; }},
        {"--faults d.accdb a.bimf", [](const ViewOptions& o) { return o.faultsPath == "d.accdb"; }},
        {"--faults d.accdb --channel-ids 1010,1020 a.bimf b.bimf",
         [](const ViewOptions& o) { return o.channelIdOfTrack(1) == 1010 && o.channelIdOfTrack(2) == 1020; }},
        {"--snapshot out.png --size 640x480 a.bimf",
         [](const ViewOptions& o) { return o.snapshot() && o.snapshotPath == "out.png" && o.snapshotSize == QSize(640, 480); }},
        {"a.bimf --size 1X1 --snapshot o.png", [](const ViewOptions& o) { return o.snapshotSize == QSize(1, 1); }},
    };
    for (const Case& c : cases) {
        ViewOptions options;
        QString error;
        ASSERT_EQ(ViewOptionParser::Parse(Words(c.line), &options, &error), ViewOptionParser::Result::Run)
            << c.line << ": " << error.toStdString();
        EXPECT_TRUE(c.holds(options)) << c.line;
    }
}

TEST(ViewOptionParser, RefusedLinesSayWhy)
{
    struct Case
    {
        const char* line;
        const char* named;   // part of the message
    };
    const Case cases[] = {
        {"", "no big file"},
        {"--image 5", "no big file"},
        {"--image 0 a.bimf", "--image"},
        {"--image x a.bimf", "--image"},
        {"--zoom 0 a.bimf", "--zoom"},
        {"--zoom 8.5 a.bimf", "--zoom"},
        {"--zoom nan a.bimf", "--zoom"},
        {"--frames 0 a.bimf", "--frames"},
        {"--frames 9 a.bimf", "--frames"},
        {"--paint-mode one a.bimf", "--paint-mode"},
        {"a.bimf --image", "--image needs a value"},
        {"--snapshot out.png a.bimf", "--snapshot and --size"},
        {"--size 640x480 a.bimf", "--snapshot and --size"},
        {"--snapshot o.png --size 640 a.bimf", "--size"},
        {"--snapshot o.png --size 0x10 a.bimf", "--size"},
        {"--snapshot o.png --size 20000x10 a.bimf", "--size"},
        {"--faults d.accdb --channel-ids 1,2 a.bimf", "2 channels for 1 files"},
        {"--channel-ids 1 a.bimf", "--channel-ids needs --faults"},
        {"--faults d.accdb --channel-ids 1,x a.bimf", "--channel-ids"},
        {"--flip a.bimf", "unknown option \"--flip\""},
    };
    for (const Case& c : cases) {
        ViewOptions options;
        options.image = 77;
        QString error;
        EXPECT_EQ(ViewOptionParser::Parse(Words(c.line), &options, &error), ViewOptionParser::Result::Error) << c.line;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.named))) << c.line << ": " << error.toStdString();
        EXPECT_EQ(options.image, 77) << "a refused line leaves the options alone: " << c.line;
    }
}

TEST(ViewOptionParser, HelpWinsOverEverythingElse)
{
    ViewOptions options;
    QString error;
    EXPECT_EQ(ViewOptionParser::Parse(Words("--zoom 99 --help"), &options, &error), ViewOptionParser::Result::Help);
    EXPECT_EQ(ViewOptionParser::Parse(Words("--help --zoom 99"), &options, &error), ViewOptionParser::Result::Help);
    EXPECT_EQ(ViewOptionParser::Parse(Words("-h"), &options, &error), ViewOptionParser::Result::Help);
}
