#pragma once
// Reads the simulator's command line into SimulatorOptions. Pure text work:
// any thread, no files touched. A wrong option, value or combination fails
// with one line saying which.

#include "SimulatorOptions.h"

#include <QString>
#include <QStringList>

class SimulatorOptionParser
{
public:
    enum class Result
    {
        Run,
        Help,
        Error,
    };

    // `arguments` without the program name.
    static Result Parse(const QStringList& arguments, SimulatorOptions* options, QString* error);
    static const char* UsageText();

private:
    static bool ParseInjection(const QString& text, FaultInjection* injection, QString* error);
    static bool Validate(SimulatorOptions* options, QString* error);
};
