#pragma once
// Where the store shows the errors that the user must see at once: the
// reporting record-set opener hands its "Excute FAILED:%s" text to the
// process-wide reporter. The store itself has no user interface; by default
// the text goes to the log as a warning. The program installs a reporter that
// shows its message box, tests one that records the texts.
//
// The reporter runs on the thread of the store call that failed (the
// program's worker threads too): a reporter that shows a window must hand the
// text to the user-interface thread and wait. Install and Report are cheap
// (a lock and a copy) and may be called from any thread.

#include "LumetraDBApi.h"

#include <QString>
#include <functional>

class LUMETRADB_API CDBErrorReporter
{
public:
    using Reporter = std::function<void(const QString& text)>;

    // Installs `reporter` (an empty one restores the default) and returns the
    // one it replaces, so a caller can put it back.
    static Reporter Install(Reporter reporter);

    // Passes `text` to the installed reporter.
    static void Report(const QString& text);
};
