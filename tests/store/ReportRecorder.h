#pragma once
// Records the texts the store reports to the user while the object lives,
// then puts the previous reporter back.

#include "CDBErrorReporter.h"

#include <QStringList>

class ReportRecorder
{
public:
    ReportRecorder() : previous_(CDBErrorReporter::Install([this](const QString& text) { texts_ << text; })) {}
    ~ReportRecorder() { CDBErrorReporter::Install(previous_); }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    const QStringList& texts() const { return texts_; }

private:
    QStringList texts_;
    CDBErrorReporter::Reporter previous_;
};
