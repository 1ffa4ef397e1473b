#pragma once
// What every lumetra-admin command shares: its signature, its exit codes and
// how it finds and opens the base database it lists. Commands run on the
// main thread, cost one short database session, and report every failure as
// a message on `err` and an exit code, never by exception.

#include "ILumetraDBInterface.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <map>
#include <memory>

namespace Admin
{
constexpr int ExitDone = 0;
constexpr int ExitFailed = 1;  // the database or file cannot be opened or read
constexpr int ExitUsage = 2;

// A command: its arguments after the command name, its output and its
// messages; answers the exit code.
using Command = int (*)(const QStringList& args, QTextStream& out, QTextStream& err);

struct StoreReleaser
{
    void operator()(ILumetraDBInterface* store) const
    {
        if (store)
            store->Release();
    }
};
using StoreHandle = std::unique_ptr<ILumetraDBInterface, StoreReleaser>;

// The arguments of a listing: one DIR|DB path and the values of its options.
struct ListingArguments
{
    QString target;
    std::map<QString, QString> options;  // "--year" -> "2019"
};

// Splits `args` into the target and the options named in `valueOptions`,
// each followed by its value. False with a message on `err` otherwise.
bool ParseListingArguments(const QStringList& args, const QStringList& valueOptions, ListingArguments* parsed,
                           QTextStream& err);

// The base database a target names: DIR/db/basedata.mdb for a program
// directory, else the target itself.
QString BaseDatabasePath(const QString& target);

// A store connected to the target's base database, or null after telling
// `err` why it cannot be opened.
StoreHandle OpenBaseStore(const QString& target, QTextStream& err);

// The store's explanation of a read that answered 0, on `err`; answers
// ExitFailed.
int ReadFailed(ILumetraDBInterface& store, const char* what, QTextStream& err);
}
