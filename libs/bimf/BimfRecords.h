#pragma once
// The two records every caller of the big-file library exchanges with it. Their
// sizes and the offsets of the fields callers use are fixed; the remaining
// bytes are the library's own.

#include <cstddef>
#include <cstdint>

// Header of one channel big file. Texts are UTF-8, zero-padded, and cut only at
// a character boundary when they do not fit their field.
struct UniversalTrackInfo_Ex
{
    char Reserved0[5];        // 0: library-owned, zero for callers
    char LineCode[5];         // 5
    char LineName[30];        // 10
    uint8_t RunDirection;     // 40: non-zero reads "下行", zero "上行"
    uint8_t CarDirection;     // 41
    uint8_t KMDirection;      // 42
    char RailSide;            // 43: one character
    char TrainNo[20];         // 44
    int32_t PhotoNum;         // 64: number of frames
    char StartRunDate[11];    // 68: "%04d-%02d-%02d"
    char StartRunTime[9];     // 79: "%02d:%02d:%02d"
    char EndRunDate[11];      // 88
    char EndRunTime[9];       // 99
    int16_t StartKm;          // 108
    int16_t StartM;           // 110
    int16_t EndKM;            // 112
    int16_t EndM;             // 114
    int16_t VResolution;      // 116
    int16_t HResolution;      // 118
    int16_t VPixelNum;        // 120: frame height in rows
    int16_t HPixelNum;        // 122: frame width in pixels
    int16_t PhotoType;        // 124
    char Reserved1[2];        // 126
    char SectionName[40];     // 128
};

// One frame as handed out by the reader or given to the writer. Zero it before
// each fetch.
struct TrackImageJPG_
{
    unsigned char* pJpgData;  // 0: the JPEG bytes (reader: inside the mapped file)
    int64_t FileOffset;       // 8: where the frame's record starts in the data file
    int32_t ImageNumber;      // 16: 1-based frame number
    int16_t Km;               // 20
    int16_t M;                // 22
    char Reserved[56];        // 24: library-owned
    int32_t CaptureTime;      // 80: seconds since 1970-01-01 UTC
    int32_t JpgSize;          // 84: JPEG byte count
};

static_assert(sizeof(UniversalTrackInfo_Ex) == 168);
static_assert(offsetof(UniversalTrackInfo_Ex, LineCode) == 5);
static_assert(offsetof(UniversalTrackInfo_Ex, LineName) == 10);
static_assert(offsetof(UniversalTrackInfo_Ex, RunDirection) == 40);
static_assert(offsetof(UniversalTrackInfo_Ex, RailSide) == 43);
static_assert(offsetof(UniversalTrackInfo_Ex, TrainNo) == 44);
static_assert(offsetof(UniversalTrackInfo_Ex, PhotoNum) == 64);
static_assert(offsetof(UniversalTrackInfo_Ex, StartRunDate) == 68);
static_assert(offsetof(UniversalTrackInfo_Ex, StartRunTime) == 79);
static_assert(offsetof(UniversalTrackInfo_Ex, EndRunDate) == 88);
static_assert(offsetof(UniversalTrackInfo_Ex, EndRunTime) == 99);
static_assert(offsetof(UniversalTrackInfo_Ex, StartKm) == 108);
static_assert(offsetof(UniversalTrackInfo_Ex, PhotoType) == 124);
static_assert(offsetof(UniversalTrackInfo_Ex, SectionName) == 128);

static_assert(sizeof(TrackImageJPG_) == 88);
static_assert(offsetof(TrackImageJPG_, ImageNumber) == 16);
static_assert(offsetof(TrackImageJPG_, Km) == 20);
static_assert(offsetof(TrackImageJPG_, M) == 22);
static_assert(offsetof(TrackImageJPG_, CaptureTime) == 80);
static_assert(offsetof(TrackImageJPG_, JpgSize) == 84);
