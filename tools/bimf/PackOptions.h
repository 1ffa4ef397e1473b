#pragma once
// Options of `lumetra-bimf pack`: the header fields a packed file gets and the
// positions its frames are given.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

struct PackOptions
{
    std::string lineName;
    std::string lineCode;
    std::string section;
    std::string train;
    char railSide = 0;
    int runDirection = 0;
    int carDirection = 0;
    int vResolution = 0;
    int hResolution = 0;
    int startKm = 0;
    int startM = 0;
    int stepMm = 2000;
    bool descending = false;
    time_t start = 0;
    std::vector<std::string> frames;

    // Reads the arguments after the output path. false with `why` when an
    // option is unknown, lacks its value or the value is out of range.
    bool parse(const std::vector<std::string>& arguments, std::string* why);

    // Position of the 0-based frame `i` in millimetres from km 0.
    int64_t positionMm(size_t i) const;
};
