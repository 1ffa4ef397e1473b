#include "SimulatorOptionParser.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace
{
constexpr int MaxChannels = 6;
constexpr int MaxFrames = 1000000;
constexpr int MaxDimension = 16384;   // header fields are 16-bit; JPEG allows 65500
constexpr int MaxKm = 32767;

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool ParseInteger(const QString& name, const QString& text, qint64 low, qint64 high, qint64* value, QString* error)
{
    bool ok = false;
    const qint64 parsed = text.toLongLong(&ok);
    if (!ok || parsed < low || parsed > high)
        return Fail(error, QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"").arg(name).arg(low).arg(high).arg(text));
    *value = parsed;
    return true;
}

bool ParseInt(const QString& name, const QString& text, int low, int high, int* value, QString* error)
{
    qint64 parsed = 0;
    if (!ParseInteger(name, text, low, high, &parsed, error))
        return false;
    *value = int(parsed);
    return true;
}

void ApplyTinyPreset(SimulatorOptions* options)
{
    options->width = 256;
    options->height = 200;
    options->frames = 12;
}

// Frames chosen when an injection names none: spread over the run so that
// several injections in one run do not land on the same frame.
void ChooseDefaultFrames(FaultInjection* injection, int frames)
{
    if (injection->firstFrame != 0)
        return;
    switch (injection->kind) {
    case FaultInjectionKind::CorruptJpeg:
        injection->firstFrame = (frames + 1) / 2;
        break;
    case FaultInjectionKind::OtherSize:
        injection->firstFrame = std::max(1, (frames + 2) / 3);
        break;
    case FaultInjectionKind::LostFrames:
        injection->firstFrame = std::max(2, frames * 2 / 3);
        injection->lastFrame = std::min(frames - 1, injection->firstFrame + 2);
        break;
    default:
        break;
    }
}
}

QString FaultInjection::KindName(FaultInjectionKind kind)
{
    switch (kind) {
    case FaultInjectionKind::MissingIndex: return QStringLiteral("missing-index");
    case FaultInjectionKind::TruncatedData: return QStringLiteral("truncated-data");
    case FaultInjectionKind::CorruptJpeg: return QStringLiteral("corrupt-jpeg");
    case FaultInjectionKind::OtherSize: return QStringLiteral("other-size");
    case FaultInjectionKind::LostFrames: return QStringLiteral("lost-frames");
    }
    return QString();
}

const char* SimulatorOptionParser::UsageText()
{
    return "usage: lumetra-simulate --out DIR [options]\n"
           "Writes a simulated inspection run as a task directory: one sub-directory per\n"
           "channel with its big file and index, and the task's defect file.\n"
           "  --out DIR             task directory to write (made when missing)\n"
           "  --db PATH             base database with the channels and defect types\n"
           "                        (default: db/basedata.mdb of the program directory)\n"
           "  --channels N          channels 1..6 in channel order (default 6)\n"
           "  --frames N            frames per channel (default 300)\n"
           "  --width W --height H  frame size in pixels (default 2048 x 2000)\n"
           "  --quality Q           JPEG quality 1..100 (default 90)\n"
           "  --seed S              picture and defect seed (default 1)\n"
           "  --preset tiny         256 x 200 frames, 12 frames (other options still apply)\n"
           "  --step-mm MM          track length of one frame (default 2000)\n"
           "  --start-km KM --start-m M   position of the first frame (default 120 + 0)\n"
           "  --descending          kilometres count down\n"
           "  --speed KMH           vehicle speed for the capture times (default 60)\n"
           "  --start \"YYYY-MM-DD HH:MM:SS\"   time of the first frame, UTC\n"
           "                        (default 2024-05-18 09:30:00)\n"
           "  --line-name T --line-code T --section T --train T   header texts\n"
           "  --inject FAULT        damage on purpose (repeatable):\n"
           "      missing-index[:CH]   truncated-data[:CH]\n"
           "      corrupt-jpeg[:CH[:FRAME]]   other-size[:CH[:FRAME]]\n"
           "      lost-frames[:CH[:FROM-TO]]\n"
           "                        CH is the 1-based channel (default 1)\n"
           "  --help                this text\n"
           "Exit status: 0 written, 1 a file could not be read or written, 2 wrong usage.\n";
}

SimulatorOptionParser::Result SimulatorOptionParser::Parse(const QStringList& arguments, SimulatorOptions* options,
                                                           QString* error)
{
    // The preset sets defaults; options given beside it win wherever they stand.
    for (int i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--preset")) {
            if (arguments[i + 1] != QLatin1String("tiny")) {
                Fail(error, QStringLiteral("unknown preset \"%1\" (known: tiny)").arg(arguments[i + 1]));
                return Result::Error;
            }
            ApplyTinyPreset(options);
        }
    }

    for (int i = 0; i < arguments.size(); ++i) {
        const QString option = arguments[i];
        if (option == QLatin1String("--help") || option == QLatin1String("-h"))
            return Result::Help;
        if (option == QLatin1String("--descending")) {
            options->descending = true;
            continue;
        }
        if (!option.startsWith(QLatin1String("--"))) {
            Fail(error, QStringLiteral("unexpected argument \"%1\"").arg(option));
            return Result::Error;
        }
        if (i + 1 >= arguments.size()) {
            Fail(error, QStringLiteral("%1 needs a value").arg(option));
            return Result::Error;
        }
        const QString value = arguments[++i];
        bool ok = true;
        qint64 number = 0;
        if (option == QLatin1String("--out"))
            options->outputDirectory = value;
        else if (option == QLatin1String("--db"))
            options->databasePath = value;
        else if (option == QLatin1String("--preset"))
            ;  // applied above
        else if (option == QLatin1String("--channels"))
            ok = ParseInt(option, value, 1, MaxChannels, &options->channels, error);
        else if (option == QLatin1String("--frames"))
            ok = ParseInt(option, value, 1, MaxFrames, &options->frames, error);
        else if (option == QLatin1String("--width"))
            ok = ParseInt(option, value, 16, MaxDimension, &options->width, error);
        else if (option == QLatin1String("--height"))
            ok = ParseInt(option, value, 16, MaxDimension, &options->height, error);
        else if (option == QLatin1String("--quality"))
            ok = ParseInt(option, value, 1, 100, &options->quality, error);
        else if (option == QLatin1String("--seed")) {
            ok = ParseInteger(option, value, 0, std::numeric_limits<qint64>::max(), &number, error);
            options->seed = uint64_t(number);
        } else if (option == QLatin1String("--step-mm"))
            ok = ParseInt(option, value, 1, 100000, &options->stepMm, error);
        else if (option == QLatin1String("--start-km"))
            ok = ParseInt(option, value, 0, MaxKm, &options->startKm, error);
        else if (option == QLatin1String("--start-m"))
            ok = ParseInt(option, value, 0, 999, &options->startM, error);
        else if (option == QLatin1String("--speed")) {
            options->speedKmh = value.toDouble(&ok);
            if (!ok || !std::isfinite(options->speedKmh) || options->speedKmh <= 0.0 || options->speedKmh > 600.0)
                ok = Fail(error, QStringLiteral("--speed needs km/h above 0 and at most 600, not \"%1\"").arg(value));
        } else if (option == QLatin1String("--start")) {
            QDateTime start = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            start.setTimeSpec(Qt::UTC);
            if (!start.isValid() || start.date().year() < 1970 || start.date().year() > 2037)
                ok = Fail(error, QStringLiteral("--start needs \"YYYY-MM-DD HH:MM:SS\" between 1970 and 2037, not \"%1\"").arg(value));
            else
                options->start = start;
        } else if (option == QLatin1String("--line-name"))
            options->lineName = value;
        else if (option == QLatin1String("--line-code"))
            options->lineCode = value;
        else if (option == QLatin1String("--section"))
            options->sectionName = value;
        else if (option == QLatin1String("--train"))
            options->trainNumber = value;
        else if (option == QLatin1String("--inject")) {
            FaultInjection injection;
            ok = ParseInjection(value, &injection, error);
            if (ok)
                options->injections.push_back(injection);
        } else
            ok = Fail(error, QStringLiteral("unknown option %1").arg(option));
        if (!ok)
            return Result::Error;
    }
    return Validate(options, error) ? Result::Run : Result::Error;
}

bool SimulatorOptionParser::ParseInjection(const QString& text, FaultInjection* injection, QString* error)
{
    const QStringList parts = text.split(u':');
    const QString kind = parts.first();
    const FaultInjectionKind kinds[] = {FaultInjectionKind::MissingIndex, FaultInjectionKind::TruncatedData,
                                        FaultInjectionKind::CorruptJpeg, FaultInjectionKind::OtherSize,
                                        FaultInjectionKind::LostFrames};
    bool known = false;
    for (const FaultInjectionKind candidate : kinds) {
        if (FaultInjection::KindName(candidate) == kind) {
            injection->kind = candidate;
            known = true;
        }
    }
    if (!known)
        return Fail(error, QStringLiteral("unknown fault \"%1\" (known: missing-index, truncated-data, corrupt-jpeg, other-size, lost-frames)").arg(kind));
    const bool takesFrame = injection->kind == FaultInjectionKind::CorruptJpeg || injection->kind == FaultInjectionKind::OtherSize
                            || injection->kind == FaultInjectionKind::LostFrames;
    if (parts.size() > (takesFrame ? 3 : 2))
        return Fail(error, QStringLiteral("too many parts in --inject %1").arg(text));
    if (parts.size() >= 2 && !ParseInt(QStringLiteral("the channel of --inject %1").arg(text), parts[1], 1, MaxChannels, &injection->channel, error))
        return false;
    if (parts.size() == 3) {
        const QString frames = parts[2];
        if (injection->kind == FaultInjectionKind::LostFrames) {
            static const QRegularExpression range(QStringLiteral("^(\\d+)-(\\d+)$"));
            const QRegularExpressionMatch match = range.match(frames);
            if (!match.hasMatch())
                return Fail(error, QStringLiteral("lost-frames needs a range FROM-TO, not \"%1\"").arg(frames));
            if (!ParseInt(QStringLiteral("lost-frames FROM"), match.captured(1), 1, MaxFrames, &injection->firstFrame, error)
                || !ParseInt(QStringLiteral("lost-frames TO"), match.captured(2), 1, MaxFrames, &injection->lastFrame, error))
                return false;
            if (injection->lastFrame < injection->firstFrame)
                return Fail(error, QStringLiteral("lost-frames range %1 runs backwards").arg(frames));
        } else if (!ParseInt(QStringLiteral("the frame of --inject %1").arg(text), frames, 1, MaxFrames, &injection->firstFrame, error)) {
            return false;
        }
    }
    return true;
}

bool SimulatorOptionParser::Validate(SimulatorOptions* options, QString* error)
{
    if (options->outputDirectory.isEmpty())
        return Fail(error, QStringLiteral("--out DIR is required"));
    // Every frame's position must fit the 16-bit kilometre of the records.
    const qint64 startMm = qint64(options->startKm) * 1000000 + qint64(options->startM) * 1000;
    const qint64 runMm = qint64(options->stepMm) * (options->frames - 1);
    const qint64 endMm = options->descending ? startMm - runMm : startMm + runMm;
    if (endMm < 0 || endMm >= qint64(MaxKm + 1) * 1000000)
        return Fail(error, QStringLiteral("the run leaves the kilometres 0 to %1; change --start-km, --frames or --step-mm").arg(MaxKm));
    for (FaultInjection& injection : options->injections) {
        const QString name = FaultInjection::KindName(injection.kind);
        if (injection.channel > options->channels)
            return Fail(error, QStringLiteral("%1 names channel %2 but the run has %3").arg(name).arg(injection.channel).arg(options->channels));
        if (injection.kind == FaultInjectionKind::LostFrames && injection.firstFrame == 0 && options->frames < 3)
            return Fail(error, QStringLiteral("lost-frames needs a run of at least 3 frames"));
        ChooseDefaultFrames(&injection, options->frames);
        if (injection.firstFrame > options->frames || injection.lastFrame > options->frames)
            return Fail(error, QStringLiteral("%1 names a frame beyond the run's %2").arg(name).arg(options->frames));
        if (injection.kind == FaultInjectionKind::LostFrames && injection.firstFrame == 1 && injection.lastFrame == options->frames)
            return Fail(error, QStringLiteral("lost-frames would leave no frame"));
    }
    return true;
}
