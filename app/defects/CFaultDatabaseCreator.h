#pragma once
// Makes a new, empty defect file (SQLite, table FAULT_DETAIL). The program
// itself never makes one: the inspection side delivers them; the run
// simulator and the tests make them with this. The file is built under a
// temporary name beside the target and linked into place only when complete,
// so a failure leaves nothing behind and an existing file (even one that
// appears meanwhile) is never replaced. Costs a few milliseconds of file
// work; any thread; errors come back as text.

#include <QString>

class CFaultDatabaseCreator
{
public:
    // Creates `path` (and its folder when needed). Returns false with a
    // description in *error (when not null) if the file exists or cannot be
    // made.
    static bool Create(const QString& path, QString* error);
};
