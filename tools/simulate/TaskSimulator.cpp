#include "TaskSimulator.h"

#include "BaseDataReader.h"
#include "CFaultDatabaseCreator.h"
#include "CFaultStore.h"
#include "ChannelRunWriter.h"
#include "DefectTypeCatalog.h"
#include "DeterministicRandom.h"
#include "FaultFileLocation.h"
#include "HeaderFieldText.h"
#include "ProgramDirectory.h"
#include "RunLayout.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <atomic>
#include <thread>

namespace
{
constexpr int MaxWorkers = 2;

// Review states as an operator leaves them: mostly confirmed, some rejected,
// some still open. The same defect keeps its state in every frame it spans.
int32_t StateOf(const SurfaceDefect& defect)
{
    const uint64_t draw = MixBits(defect.key ^ 0x57A7Eull) % 10;
    return draw < 2 ? FaultStateInvalid : draw < 8 ? FaultStateValid : FaultStatePending;
}

QString PositionText(int km, int m) { return QStringLiteral("K%1+%2").arg(km).arg(m, 3, 10, QLatin1Char('0')); }
}

QString TaskSimulator::TaskNameOf(const UniversalTrackInfo_Ex& header)
{
    return QStringLiteral("%1(%2 %3)")
        .arg(HeaderFieldText(header.LineName), HeaderFieldText(header.StartRunDate), HeaderFieldText(header.StartRunTime));
}

bool TaskSimulator::run(SimulationSummary* summary, QString* error) const
{
    const QString databasePath = options_.databasePath.isEmpty() ? ProgramPath(QStringLiteral("db/basedata.mdb")) : options_.databasePath;
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    std::vector<_FAULTY_STANDER_STRUCT_> standards;
    if (!BaseDataReader::Read(databasePath, &tracks, &standards, error))
        return false;
    if (!planChannels(tracks, &summary->channels, error) || !writeChannels(summary, error))
        return false;
    summary->taskName = TaskNameOf(summary->results.front().header);
    return writeDefects(standards, summary, error);
}

bool TaskSimulator::planChannels(const std::vector<_TRACK_DEFINE_STRUCT_>& tracks, std::vector<ChannelPlan>* plans, QString* error) const
{
    if (int(tracks.size()) < options_.channels) {
        *error = QStringLiteral("the base database defines %1 channels, the run asks for %2").arg(tracks.size()).arg(options_.channels);
        return false;
    }
    const QDir out(options_.outputDirectory);
    const QString stamp = options_.start.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    for (int i = 0; i < options_.channels; ++i) {
        ChannelPlan plan;
        plan.ordinal = i + 1;
        plan.track = tracks[size_t(i)];
        plan.geometry = ChannelPlan::GeometryOf(plan.track);
        const QString folder = plan.track.TrackSubDirectory;
        if (folder.isEmpty() || folder.contains(u'/') || folder == QLatin1String("..")) {
            *error = QStringLiteral("channel %1 (%2) has no usable sub-directory \"%3\"").arg(plan.ordinal).arg(plan.track.TrackName, folder);
            return false;
        }
        if (!out.mkpath(folder)) {
            *error = QStringLiteral("cannot make the folder %1").arg(out.filePath(folder));
            return false;
        }
        const QString base = out.filePath(QStringLiteral("%1/%1_%2").arg(folder, stamp));
        plan.dataPath = base + QStringLiteral(".bimf");
        plan.indexPath = base + QStringLiteral(".dex");
        plans->push_back(plan);
    }
    return true;
}

bool TaskSimulator::writeChannels(SimulationSummary* summary, QString* error) const
{
    const SurfaceTextures textures(options_.seed);
    const RailSurfaceModel rails[2] = {RailSurfaceModel(options_.seed, 0), RailSurfaceModel(options_.seed, 1)};
    const RunLayout layout(options_);
    const size_t count = summary->channels.size();
    summary->results.assign(count, ChannelRunResult());

    // Channels are independent; a small pool takes them in turn.
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < count; i = next++) {
            const ChannelPlan& plan = summary->channels[i];
            summary->results[i] = ChannelRunWriter(options_, layout, plan, rails[plan.geometry.railIndex], textures).write();
        }
    };
    const int workers = int(std::min<size_t>(MaxWorkers, count));
    std::vector<std::thread> threads;
    for (int i = 1; i < workers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();

    for (const ChannelRunResult& result : summary->results) {
        if (!result.ok) {
            *error = result.error;
            return false;
        }
    }
    return true;
}

bool TaskSimulator::writeDefects(const std::vector<_FAULTY_STANDER_STRUCT_>& standards, SimulationSummary* summary, QString* error) const
{
    summary->faultFilePath = QDir(options_.outputDirectory).filePath(FaultFileNameFor(summary->taskName));
    // A rerun into the same directory replaces the defect file with its own.
    if (QFile::exists(summary->faultFilePath) && !QFile::remove(summary->faultFilePath)) {
        *error = QStringLiteral("cannot replace %1").arg(summary->faultFilePath);
        return false;
    }
    if (!CFaultDatabaseCreator::Create(summary->faultFilePath, error))
        return false;
    CFaultStore store;
    if (!store.OpenFaultDBFile(summary->faultFilePath)) {
        *error = QStringLiteral("cannot open the new defect file %1").arg(summary->faultFilePath);
        return false;
    }
    const DefectTypeCatalog catalog(standards);
    for (size_t i = 0; i < summary->channels.size(); ++i) {
        for (const RecordedDefect& recorded : summary->results[i].defects) {
            _FAULT_ fault{};
            fault.FaultStandardID = catalog.standardIdFor(recorded.painted.defect.kind);
            if (fault.FaultStandardID == 0)
                continue;  // a database without defect types gets no rows
            fault.FaultChannelID = summary->channels[i].track.Track_ChannelID;
            fault.FaultImage = recorded.frame;
            fault.FaultKM = recorded.km;
            fault.FaultM = recorded.m;
            fault.FaultX = recorded.painted.x;
            fault.FaultY = recorded.painted.y;
            fault.FaultCx = recorded.painted.width;
            fault.FaultCy = recorded.painted.height;
            fault.FaultState = StateOf(recorded.painted.defect);
            if (!store.AddFaultRecord(fault)) {
                *error = QStringLiteral("cannot add a defect to %1").arg(summary->faultFilePath);
                return false;
            }
            ++summary->defectRows;
        }
    }
    return true;
}

QStringList SimulationSummary::lines() const
{
    QStringList lines;
    for (size_t i = 0; i < channels.size(); ++i) {
        const ChannelPlan& plan = channels[i];
        const ChannelRunResult& result = results[i];
        const UniversalTrackInfo_Ex& h = result.header;
        lines << QStringLiteral("%1 %2: %3 frames %4x%5, %6 to %7, %8 %9 to %10, %11 defect boxes, %12 bytes, %13")
                     .arg(plan.track.TrackSubDirectory, plan.track.TrackName)
                     .arg(result.framesWritten).arg(h.HPixelNum).arg(h.VPixelNum)
                     .arg(PositionText(h.StartKm, h.StartM), PositionText(h.EndKM, h.EndM))
                     .arg(HeaderFieldText(h.StartRunDate), HeaderFieldText(h.StartRunTime), HeaderFieldText(h.EndRunTime))
                     .arg(result.defects.size()).arg(result.dataBytes)
                     .arg(QDir::toNativeSeparators(plan.dataPath));
        for (const QString& injected : result.injected)
            lines << QStringLiteral("  injected on %1: %2").arg(plan.track.TrackSubDirectory, injected);
    }
    lines << QStringLiteral("task %1: %2 defect rows in %3").arg(taskName).arg(defectRows).arg(QDir::toNativeSeparators(faultFilePath));
    return lines;
}
