#include "AdminCommand.h"

#include "CConnectionDescriptor.h"
#include "LumetraDBExport.h"

#include <QDir>
#include <QFileInfo>

namespace Admin
{
bool ParseListingArguments(const QStringList& args, const QStringList& valueOptions, ListingArguments* parsed,
                           QTextStream& err)
{
    QStringList targets;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& argument = args.at(i);
        if (!argument.startsWith(u'-')) {
            targets << argument;
        } else if (!valueOptions.contains(argument)) {
            err << "lumetra-admin: unknown option " << argument << Qt::endl;
            return false;
        } else if (i + 1 >= args.size()) {
            err << "lumetra-admin: " << argument << " needs a value" << Qt::endl;
            return false;
        } else {
            parsed->options[argument] = args.at(++i);
        }
    }
    if (targets.size() != 1) {
        err << "lumetra-admin: name exactly one program directory or base database" << Qt::endl;
        return false;
    }
    parsed->target = targets.first();
    return true;
}

QString BaseDatabasePath(const QString& target)
{
    if (QFileInfo(target).isDir())
        return QDir(target).filePath(QStringLiteral("db/basedata.mdb"));
    return target;
}

StoreHandle OpenBaseStore(const QString& target, QTextStream& err)
{
    const QString path = BaseDatabasePath(target);
    ILumetraDBInterface* created = nullptr;
    CreateDBInstance(&created);
    StoreHandle store(created);
    if (!store || !store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(path))) {
        err << "lumetra-admin: cannot open the base database " << QDir::toNativeSeparators(path) << ": "
            << (store ? store->GetLastErrorText() : QStringLiteral("no store")) << Qt::endl;
        return nullptr;
    }
    return store;
}

int ReadFailed(ILumetraDBInterface& store, const char* what, QTextStream& err)
{
    err << "lumetra-admin: cannot read " << what << ": " << store.GetLastErrorText() << Qt::endl;
    return ExitFailed;
}
}
