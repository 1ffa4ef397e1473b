// lumetra-simulate: writes a simulated inspection run as a task directory that
// task import accepts. See SimulatorOptionParser::UsageText() for the options.
//
// Exit codes: 0 written, 1 a file could not be read or written, 2 wrong usage.

#include "SimulatorOptionParser.h"
#include "TaskSimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace
{
constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SimulatorOptions options;
    QString problem;
    switch (SimulatorOptionParser::Parse(app.arguments().mid(1), &options, &problem)) {
    case SimulatorOptionParser::Result::Help:
        std::fputs(SimulatorOptionParser::UsageText(), stdout);
        return ExitDone;
    case SimulatorOptionParser::Result::Error:
        std::fprintf(stderr, "lumetra-simulate: %s\n", qPrintable(problem));
        std::fputs(SimulatorOptionParser::UsageText(), stderr);
        return ExitUsage;
    case SimulatorOptionParser::Result::Run:
        break;
    }

    QElapsedTimer timer;
    timer.start();
    SimulationSummary summary;
    const bool written = TaskSimulator(options).run(&summary, &problem);
    if (!written) {
        std::fprintf(stderr, "lumetra-simulate: %s\n", qPrintable(problem));
        return ExitFailed;
    }
    for (const QString& line : summary.lines())
        std::printf("%s\n", qPrintable(line));
    std::printf("done in %.2f s\n", timer.elapsed() / 1000.0);
    return ExitDone;
}
