#include "DefectListing.h"

#include "AdminCommand.h"
#include "CFaultStore.h"
#include "KilometrePosition.h"
#include "ShowPrompt.h"

#include <QFileInfo>
#include <optional>

using namespace Admin;

namespace
{
struct ListingRequest
{
    QString file;
    int channel = -1;
    int state = -1;
    int type = -1;
};

std::optional<int> ParseNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Fills `request` from the arguments; on a problem returns its description.
QString ParseArguments(const QStringList& args, ListingRequest* request)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& argument = args[i];
        int* filter = argument == QLatin1String("--channel") ? &request->channel
                      : argument == QLatin1String("--state") ? &request->state
                      : argument == QLatin1String("--type")  ? &request->type
                                                              : nullptr;
        if (filter) {
            const std::optional<int> value = i + 1 < args.size() ? ParseNumber(args[i + 1]) : std::nullopt;
            if (!value)
                return QStringLiteral("%1 needs a whole number").arg(argument);
            *filter = *value;
            ++i;
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            return QStringLiteral("unknown option %1").arg(argument);
        } else if (request->file.isEmpty()) {
            request->file = argument;
        } else {
            return QStringLiteral("only one defect file can be listed");
        }
    }
    return request->file.isEmpty() ? QStringLiteral("no defect file given") : QString();
}

QString LineOf(const _FAULT_& fault)
{
    return QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9\t%10")
        .arg(fault.FaultID)
        .arg(fault.FaultChannelID)
        .arg(fault.FaultStandardID)
        .arg(fault.FaultImage)
        .arg(KilometrePosition(fault.FaultKM, fault.FaultM))
        .arg(fault.FaultX)
        .arg(fault.FaultY)
        .arg(fault.FaultCx)
        .arg(fault.FaultCy)
        .arg(fault.FaultState);
}

// A console has no message box: the store's messages go to the error stream.
class PromptsToStream
{
public:
    explicit PromptsToStream(QTextStream& err)
        : previous_(SetPromptHandler([&err](const PromptRequest& request) {
              err << "lumetra-admin: " << request.text << Qt::endl;
              return 1;
          }))
    {
    }
    ~PromptsToStream() { SetPromptHandler(previous_); }
    PromptsToStream(const PromptsToStream&) = delete;
    PromptsToStream& operator=(const PromptsToStream&) = delete;

private:
    PromptHandler previous_;
};
}

int ListDefects(const QStringList& args, QTextStream& out, QTextStream& err)
{
    ListingRequest request;
    const QString problem = ParseArguments(args, &request);
    if (!problem.isEmpty()) {
        err << "lumetra-admin: " << problem << Qt::endl;
        return ExitUsage;
    }
    if (!QFileInfo(request.file).isFile()) {
        err << "lumetra-admin: no defect file at " << request.file << Qt::endl;
        return ExitFailed;
    }

    PromptsToStream prompts(err);
    CFaultStore store;
    std::vector<_FAULT_> faults;
    if (store.IsFaultExportFile(request.file) != 1 || store.OpenFaultDBFile(request.file) != 1) {
        err << "lumetra-admin: " << request.file << " is not a defect file (no readable table FAULT_DETAIL)"
            << Qt::endl;
        return ExitFailed;
    }
    if (store.QueryFaults(request.channel, request.state, request.type, faults) != 1) {
        err << "lumetra-admin: cannot read the defects of " << request.file << " (damaged file?)" << Qt::endl;
        return ExitFailed;
    }
    for (const _FAULT_& fault : faults)
        out << LineOf(fault) << '\n';
    out.flush();
    return ExitDone;
}
