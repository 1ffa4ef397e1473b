// lumetra-view: shows channel big files in the image display control without
// a database, in a window or as a PNG snapshot. See
// ViewOptionParser::UsageText() for the options.
//
// Exit codes: 0 done, 1 the snapshot could not be made, 2 wrong usage or a
// file that cannot be opened.

#include "ChannelTrackLoader.h"
#include "HeadlessMessages.h"
#include "SnapshotWriter.h"
#include "ViewOptionParser.h"
#include "ViewerWindow.h"

#include <QApplication>
#include <cstdio>
#include <memory>

namespace
{
constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

int Complain(const QString& problem, int exitCode)
{
    std::fprintf(stderr, "lumetra-view: %s\n", qPrintable(problem));
    return exitCode;
}

QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
}

int main(int argc, char** argv)
{
    // The options are read before the application object exists, so --help
    // and usage errors need no display, and a snapshot picks the offscreen
    // platform unless the caller chose one.
    ViewOptions options;
    QString problem;
    switch (ViewOptionParser::Parse(ArgumentsOf(argc, argv), &options, &problem)) {
    case ViewOptionParser::Result::Help:
        std::fputs(ViewOptionParser::UsageText(), stdout);
        return ExitDone;
    case ViewOptionParser::Result::Error:
        Complain(problem, ExitUsage);
        std::fputs(ViewOptionParser::UsageText(), stderr);
        return ExitUsage;
    case ViewOptionParser::Result::Run:
        break;
    }
    if (options.snapshot() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // Nobody answers a dialog while a snapshot is made.
    std::unique_ptr<HeadlessMessages> headless;
    if (options.snapshot())
        headless = std::make_unique<HeadlessMessages>();

    ChannelTrackLoader loader;
    if (!loader.Open(options.files, &problem))
        return Complain(problem, ExitUsage);
    if (!options.faultsPath.isEmpty()
        && !loader.LoadFaults(options.faultsPath, [&](int trackId) { return options.channelIdOfTrack(trackId); },
                              &problem))
        return Complain(problem, ExitUsage);

    if (options.snapshot())
        return SnapshotWriter::Write(options, loader, &problem) ? ExitDone : Complain(problem, ExitFailed);

    ViewerWindow window(options, loader);
    if (!window.Start(&problem))
        return Complain(problem, ExitFailed);
    window.show();
    return app.exec();
}
