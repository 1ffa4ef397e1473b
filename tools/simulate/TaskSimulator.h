#pragma once
// Writes a whole simulated run as a task directory: one sub-directory per
// channel with its big file and index, written by at most two threads (both
// joined before run() returns), and the task's defect file with a row per
// drawn defect box. Call from the thread that owns the QCoreApplication
// (the defect file is written through Qt SQL there). Failures come back as
// one line of text. Cost: dominated by rendering and encoding the frames.

#include "ChannelPlan.h"
#include "ChannelRunResult.h"
#include "SimulatorOptions.h"

#include <QString>
#include <QStringList>
#include <vector>

struct SimulationSummary
{
    QString taskName;
    QString faultFilePath;
    std::vector<ChannelPlan> channels;
    std::vector<ChannelRunResult> results;
    int defectRows = 0;

    // One line per channel, then one per injection applied.
    QStringList lines() const;
};

class TaskSimulator
{
public:
    explicit TaskSimulator(const SimulatorOptions& options) : options_(options) {}

    bool run(SimulationSummary* summary, QString* error) const;

    // "%s(%s %s)" of LineName, StartRunDate and StartRunTime as the header stores them.
    static QString TaskNameOf(const UniversalTrackInfo_Ex& header);

private:
    bool planChannels(const std::vector<_TRACK_DEFINE_STRUCT_>& tracks, std::vector<ChannelPlan>* plans, QString* error) const;
    bool writeChannels(SimulationSummary* summary, QString* error) const;
    bool writeDefects(const std::vector<_FAULTY_STANDER_STRUCT_>& standards, SimulationSummary* summary, QString* error) const;

    const SimulatorOptions& options_;
};
