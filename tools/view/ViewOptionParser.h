#pragma once
// Reads lumetra-view's command line into ViewOptions. Pure text work: any
// thread, no files touched (whether the files open is the loader's business).
// A wrong option, value or combination fails with one line saying which.

#include "ViewOptions.h"

#include <QString>
#include <QStringList>

class ViewOptionParser
{
public:
    enum class Result
    {
        Run,
        Help,
        Error,
    };

    // `arguments` without the program name.
    static Result Parse(const QStringList& arguments, ViewOptions* options, QString* error);
    static const char* UsageText();

private:
    static bool ParseOption(const QString& name, const QString& value, ViewOptions* options, QString* error);
    static bool Validate(const ViewOptions& options, QString* error);
};
