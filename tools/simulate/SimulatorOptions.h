#pragma once
// Everything one simulated run is made from. The defaults make the standard
// run; SimulatorOptionParser fills the record from a command line.

#include "FaultInjection.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

struct SimulatorOptions
{
    QString outputDirectory;
    QString databasePath;     // empty: db/basedata.mdb of the program directory
    int channels = 6;
    int frames = 300;
    int width = 2048;
    int height = 2000;
    int quality = 90;
    uint64_t seed = 1;
    int stepMm = 2000;
    int startKm = 120;
    int startM = 0;
    bool descending = false;
    double speedKmh = 60.0;
    // Fixed by default so that a seed reproduces the same bytes; read as UTC.
    QDateTime start = QDateTime(QDate(2024, 5, 18), QTime(9, 30, 0), Qt::UTC);
    QString lineName = QStringLiteral("京沪线");
    QString lineCode = QStringLiteral("JH");
    QString sectionName = QStringLiteral("廊坊-天津南");
    QString trainNumber = QStringLiteral("GJC-07");
    std::vector<FaultInjection> injections;
};
