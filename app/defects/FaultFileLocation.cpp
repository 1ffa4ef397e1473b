#include "FaultFileLocation.h"

#include <QRegularExpression>

namespace
{
constexpr QChar Separator = u'/';

// Characters a file name of the inspection side never carries.
bool IsReplacedInFileName(QChar character)
{
    static const QString replaced = QStringLiteral("?*:\"<>\\/| ");
    return replaced.contains(character);
}

QString CollapseSeparators(const QString& path)
{
    static const QRegularExpression runOfSeparators(QStringLiteral("/{2,}"));
    QString collapsed = path;
    return collapsed.replace(runOfSeparators, QStringLiteral("/"));
}
}

QString FaultFileNameFor(const QString& taskName)
{
    QString sanitised = taskName;
    for (QChar& character : sanitised) {
        if (IsReplacedInFileName(character))
            character = u'_';
    }
    return QStringLiteral("缺陷浏览_%1.accdb").arg(sanitised);
}

QString TaskDirectoryOf(const QString& firstFilePath)
{
    const QString path = CollapseSeparators(firstFilePath);
    const qsizetype fileCut = path.lastIndexOf(Separator);
    if (fileCut < 0)
        return QString();
    const QString fileDirectory = path.left(fileCut);
    const qsizetype channelCut = fileDirectory.lastIndexOf(Separator);
    return channelCut > 0 ? fileDirectory.left(channelCut) : fileDirectory;
}

QString FaultFilePathFor(const ILumetraDBInterface::_DB_TASK_STRUCT_& task)
{
    if (task.files.empty())
        return QString();
    const QString directory = TaskDirectoryOf(task.files.front().FilePath);
    if (directory.isEmpty())
        return QString();
    return directory + Separator + FaultFileNameFor(task.TaskName);
}
