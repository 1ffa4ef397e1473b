#pragma once
// A simulated run written into a temporary program directory, and helpers
// that read its files back the way the program does.

#include "BimfRecords.h"
#include "RbimfFile.h"
#include "SimulatorOptions.h"
#include "TaskSimulator.h"
#include "TempProgramDir.h"

#include <QStringList>
#include <memory>
#include <vector>

struct ReaderCloser
{
    void operator()(RbimfFile* reader) const
    {
        if (reader) {
            reader->Final();
            delete reader;
        }
    }
};
using ReaderHandle = std::unique_ptr<RbimfFile, ReaderCloser>;

ReaderHandle OpenChannel(const QString& dataPath, const QString& indexPath);

// One frame fetched and decoded; empty pixels when it cannot be decoded.
struct DecodedFrame
{
    TrackImageJPG_ record{};
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};
DecodedFrame ReadFrame(RbimfFile* reader, int frameNumber);

class SimulatedRun
{
public:
    // Parses the arguments (with --out set to a fresh folder) and runs.
    explicit SimulatedRun(const QStringList& arguments);

    bool ok() const { return ok_; }
    QString error() const { return error_; }
    const SimulationSummary& summary() const { return summary_; }
    const SimulatorOptions& options() const { return options_; }
    QString outputDirectory() const { return dir_.filePath(QStringLiteral("task")); }
    QString dataPath(int channel) const { return summary_.channels[size_t(channel - 1)].dataPath; }
    QString indexPath(int channel) const { return summary_.channels[size_t(channel - 1)].indexPath; }
    ReaderHandle open(int channel) const { return OpenChannel(dataPath(channel), indexPath(channel)); }

private:
    TempProgramDir dir_;
    SimulatorOptions options_;
    SimulationSummary summary_;
    bool ok_ = false;
    QString error_;
};

QByteArray FileBytes(const QString& path);
