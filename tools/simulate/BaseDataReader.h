#pragma once
// Reads what a run is made for from a base database: the channel definitions
// (in TrackID order) and the defect types. Opens its own store object and
// releases it. Call from one thread; errors come back as text.

#include "BaseDataRecords.h"

#include <QString>
#include <vector>

class BaseDataReader
{
public:
    static bool Read(const QString& databasePath, std::vector<_TRACK_DEFINE_STRUCT_>* tracks,
                     std::vector<_FAULTY_STANDER_STRUCT_>* standards, QString* error);
};
