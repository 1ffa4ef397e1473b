#include "BaseListings.h"

#include "AdminCommand.h"
#include "CAppOptionList.h"
#include "KilometrePosition.h"

using namespace Admin;

namespace
{
// The target of a listing that takes no options, or null after a usage
// message.
bool ParseTargetOnly(const QStringList& args, QString* target, QTextStream& err)
{
    ListingArguments parsed;
    if (!ParseListingArguments(args, {}, &parsed, err))
        return false;
    *target = parsed.target;
    return true;
}

// Runs a listing that takes only its target: parses it, opens the base store
// and hands the store to `list`, which answers the exit code.
template <typename List>
int WithBaseStore(const QStringList& args, QTextStream& err, List list)
{
    QString target;
    if (!ParseTargetOnly(args, &target, err))
        return ExitUsage;
    StoreHandle store = OpenBaseStore(target, err);
    if (!store)
        return ExitFailed;
    return list(*store);
}

void PrintTrack(const _TRACK_DEFINE_STRUCT_& track, QTextStream& out, const char* indent)
{
    out << indent << track.TrackID << '\t' << track.TrackName << '\t' << "dir " << track.TrackSubDirectory << '\t'
        << "rail " << track.TrackRailSide << '\t' << "channel " << track.Track_ChannelID << '\t' << "scale "
        << track.TrackScale << '\t' << "mm/px " << track.TrackVertResolution << " x " << track.TrackHorzResolution
        << '\t' << "reversed " << track.TrackGoBack << '\n';
}
}

int ListChannels(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return WithBaseStore(args, err, [&](ILumetraDBInterface& store) {
        std::vector<_TRACK_DEFINE_STRUCT_> tracks;
        if (!store.GetAllTracks(tracks))
            return ReadFailed(store, "the channels", err);
        std::vector<ILumetraDBInterface::_channel_define_> defines;
        if (!store.GetChannelDefines(defines))
            return ReadFailed(store, "the physical channels", err);

        out << "channels: " << tracks.size() << '\n';
        for (const _TRACK_DEFINE_STRUCT_& track : tracks)
            PrintTrack(track, out, "  ");
        out << "physical channels: " << defines.size() << '\n';
        for (const auto& define : defines)
            out << "  " << define.CHANNEL_ID << '\t' << define.CHANNEL_NAME << '\t' << define.TRACK_IDF << '\n';
        return ExitDone;
    });
}

int ListTemplates(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return WithBaseStore(args, err, [&](ILumetraDBInterface& store) {
        std::vector<ILumetraDBInterface::_channel_template_> templates;
        if (!store.GetChannelTemplates(templates))
            return ReadFailed(store, "the templates", err);

        out << "templates: " << templates.size() << '\n';
        for (const auto& templ : templates) {
            std::vector<_TRACK_DEFINE_STRUCT_> members;
            if (!store.GetTemplateTracks(templ.TEMPLATE_ID, members))
                return ReadFailed(store, "the channels of a template", err);
            out << "  " << templ.TEMPLATE_ID << '\t' << templ.TEMPLATE_NAME << '\t' << members.size() << " channels\n";
            for (const _TRACK_DEFINE_STRUCT_& track : members)
                PrintTrack(track, out, "    ");
        }
        return ExitDone;
    });
}

int ListTypes(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return WithBaseStore(args, err, [&](ILumetraDBInterface& store) {
        std::vector<_FAULTY_STANDER_STRUCT_> standards;
        if (!store.GetFaultyStandards(standards))
            return ReadFailed(store, "the defect types", err);

        out << "defect types: " << standards.size() << '\n';
        for (const _FAULTY_STANDER_STRUCT_& standard : standards) {
            out << "  " << standard.StandardID << '\t' << standard.StandardName << '\t'
                << (standard.StandardClass == 0 ? "fault" : "device") << (standard.StandardSystem ? "\tbuilt-in" : "")
                << '\n';
        }
        return ExitDone;
    });
}

int ListOptions(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString target;
    if (!ParseTargetOnly(args, &target, err))
        return ExitUsage;
    const QString path = BaseDatabasePath(target);
    std::vector<CAppOptionList::Option> options;
    QString error;
    if (!CAppOptionList::Read(path, &options, &error)) {
        err << "lumetra-admin: cannot read the options of " << path << ": " << error << Qt::endl;
        return ExitFailed;
    }
    out << "options: " << options.size() << '\n';
    for (const CAppOptionList::Option& option : options)
        out << "  " << option.key << " = " << option.value << '\n';
    return ExitDone;
}

int ListLines(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return WithBaseStore(args, err, [&](ILumetraDBInterface& store) {
        std::vector<ILumetraDBInterface::_LINE_INFO_STRUCT_> lines;
        if (!store.GetLines(lines))
            return ReadFailed(store, "the lines", err);

        out << "lines: " << lines.size() << '\n';
        for (const auto& line : lines) {
            std::vector<ILumetraDBInterface::_SECTION_INFO_STRUCT_> sections;
            if (!store.GetSections(line.LineID, sections))
                return ReadFailed(store, "the sections of a line", err);
            out << "  " << line.LineID << '\t' << line.LineName << '\t' << line.LineCode << '\t'
                << KilometrePosition(line.LineFromKM, line.LineFromM) << " - "
                << KilometrePosition(line.LinetoKM, line.LineToM) << '\t' << sections.size() << " sections\n";
            for (const auto& section : sections) {
                out << "    " << section.SectionID << '\t' << section.SectionName << '\t' << section.SectionCode << '\t'
                    << KilometrePosition(section.SectionFromKM, section.SectionFromM) << " - "
                    << KilometrePosition(section.SectionToKM, section.SectionToM) << '\n';
            }
        }
        return ExitDone;
    });
}
