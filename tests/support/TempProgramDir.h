#pragma once
// A temporary program directory for one test: LUMETRA_HOME points at it while
// the object lives, and it is removed afterwards.

#include <QString>
#include <QTemporaryDir>

class TempProgramDir
{
public:
    TempProgramDir();
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    QString path() const;
    QString filePath(const QString& relative) const;
    QString databasePath() const;            // db/basedata.mdb
    QString connectionString() const;         // descriptor of databasePath()

    // A fresh base database made from the project's schema and seed rows.
    void createBaseDatabase();
    // The project's resource pictures under resource/.
    void copyResources();

private:
    QTemporaryDir dir_;
    QByteArray previousHome_;
    bool hadHome_ = false;
};
