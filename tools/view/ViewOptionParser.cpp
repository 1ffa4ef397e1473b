#include "ViewOptionParser.h"

#include "FrameGeometry.h"

#include <QRegularExpression>
#include <limits>

namespace
{
constexpr int MaxFramesPerScreen = 8;   // the control stores anything above as 8
constexpr int MaxSnapshotSide = 16384;

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool ParseInt(const QString& name, const QString& text, int low, int high, int* value, QString* error)
{
    bool ok = false;
    const qint64 parsed = text.toLongLong(&ok);
    if (!ok || parsed < low || parsed > high)
        return Fail(error, QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"").arg(name).arg(low).arg(high).arg(text));
    *value = int(parsed);
    return true;
}

bool ParseZoom(const QString& text, double* zoom, QString* error)
{
    bool ok = false;
    const double parsed = text.toDouble(&ok);
    // The control would clamp silently; a viewer asked for 20 should say so.
    if (!ok || !(parsed >= MinimumZoom && parsed <= MaximumZoom))
        return Fail(error, QStringLiteral("--zoom needs a number from %1 to %2, not \"%3\"")
                               .arg(MinimumZoom).arg(MaximumZoom).arg(text));
    *zoom = parsed;
    return true;
}

bool ParseSize(const QString& text, QSize* size, QString* error)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
    if (width < 1 || height < 1 || width > MaxSnapshotSide || height > MaxSnapshotSide)
        return Fail(error, QStringLiteral("--size needs WIDTHxHEIGHT, each 1 to %1, not \"%2\"").arg(MaxSnapshotSide).arg(text));
    *size = QSize(width, height);
    return true;
}

bool ParseChannelIds(const QString& text, std::vector<int>* ids, QString* error)
{
    std::vector<int> parsed;
    for (const QString& part : text.split(QLatin1Char(','))) {
        int id = 0;
        if (!ParseInt(QStringLiteral("--channel-ids"), part.trimmed(), 0, std::numeric_limits<int>::max(), &id, error))
            return false;
        parsed.push_back(id);
    }
    *ids = std::move(parsed);
    return true;
}

bool TakesValue(const QString& name)
{
    static const QStringList names = {"--image", "--zoom", "--frames", "--faults", "--channel-ids",
                                      "--paint-mode", "--snapshot", "--size"};
    return names.contains(name);
}
}

const char* ViewOptionParser::UsageText()
{
    return "usage: lumetra-view [options] FILE.bimf...\n"
           "Shows channel big files side by side in the image display control, without\n"
           "a database: one channel per file, TrackIDs 1, 2, ... in the order given.\n"
           "  --image N             first image shown (default 1)\n"
           "  --zoom Z              magnification 0.01 to 8 (default 0.4)\n"
           "  --frames F            frames per screen 1 to 8 (default 2)\n"
           "  --thread-load         each channel loads its frames on a thread of its own\n"
           "  --faults DEFECTFILE   draw the defects of this defect file\n"
           "  --channel-ids C,...   FaultChannelID of each file in the defect file, in file\n"
           "                        order (default: a file's channel is its TrackID)\n"
           "  --paint-mode M        1 = OpenGL, anything else = raster (default 0)\n"
           "  --snapshot OUT.png --size WxH\n"
           "                        no window: draw a WxH client area once every frame\n"
           "                        on screen is loaded, write it as a PNG and exit\n"
           "  --help                this text\n"
           "Keys: Up/Down and Left/Right scroll while held, Space pages automatically,\n"
           "PageUp/PageDown move a screen, Home/End go to the first/last image, +/- zoom.\n"
           "Exit status: 0 done, 1 the snapshot could not be made, 2 wrong usage or a file\n"
           "that cannot be opened.\n";
}

ViewOptionParser::Result ViewOptionParser::Parse(const QStringList& arguments, ViewOptions* options, QString* error)
{
    // Asking for help is never wrong usage, whatever stands beside it.
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h")))
        return Result::Help;
    ViewOptions parsed;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--thread-load")) {
            parsed.threadLoad = true;
            continue;
        }
        if (TakesValue(argument)) {
            if (i + 1 >= arguments.size()) {
                Fail(error, QStringLiteral("%1 needs a value").arg(argument));
                return Result::Error;
            }
            if (!ParseOption(argument, arguments[++i], &parsed, error))
                return Result::Error;
            continue;
        }
        if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            Fail(error, QStringLiteral("unknown option \"%1\"").arg(argument));
            return Result::Error;
        }
        parsed.files << argument;
    }
    if (!Validate(parsed, error))
        return Result::Error;
    *options = std::move(parsed);
    return Result::Run;
}

bool ViewOptionParser::ParseOption(const QString& name, const QString& value, ViewOptions* options, QString* error)
{
    if (name == QLatin1String("--image"))
        return ParseInt(name, value, 1, std::numeric_limits<int>::max(), &options->image, error);
    if (name == QLatin1String("--zoom"))
        return ParseZoom(value, &options->zoom, error);
    if (name == QLatin1String("--frames"))
        return ParseInt(name, value, 1, MaxFramesPerScreen, &options->framesPerScreen, error);
    if (name == QLatin1String("--paint-mode"))
        return ParseInt(name, value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                        &options->paintMode, error);
    if (name == QLatin1String("--size"))
        return ParseSize(value, &options->snapshotSize, error);
    if (name == QLatin1String("--channel-ids"))
        return ParseChannelIds(value, &options->channelIds, error);
    if (value.isEmpty())
        return Fail(error, QStringLiteral("%1 needs a file name").arg(name));
    if (name == QLatin1String("--faults"))
        options->faultsPath = value;
    else
        options->snapshotPath = value;
    return true;
}

bool ViewOptionParser::Validate(const ViewOptions& options, QString* error)
{
    if (options.files.isEmpty())
        return Fail(error, QStringLiteral("no big file given"));
    if (options.snapshot() != options.snapshotSize.isValid())
        return Fail(error, QStringLiteral("--snapshot and --size go together"));
    if (!options.channelIds.empty() && options.channelIds.size() != size_t(options.files.size()))
        return Fail(error, QStringLiteral("--channel-ids names %1 channels for %2 files")
                               .arg(options.channelIds.size()).arg(options.files.size()));
    if (!options.channelIds.empty() && options.faultsPath.isEmpty())
        return Fail(error, QStringLiteral("--channel-ids needs --faults"));
    return true;
}
