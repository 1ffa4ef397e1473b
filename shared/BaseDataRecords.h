#pragma once
// Records of the base-data store that the program and the image control share,
// so they live at namespace level rather than inside the store interface.

#include <QString>

// One display channel: a row of table Track.
struct _TRACK_DEFINE_STRUCT_
{
    int TrackID = 0;             // assigned by the database on insert
    QString Unused;              // never read or written by the store
    QString TrackName;
    int TrackDisplayPos = 0;
    double TrackScale = 1.0;     // horizontal scale of the channel in the control
    QString TrackSubDirectory;   // sub-directory of a task directory holding the channel's big files
    QString TrackRailSide;       // one character, copied into a task file's RailSide
    double TrackVertResolution = 0.0; // millimetres per pixel, vertically
    double TrackHorzResolution = 0.0; // millimetres per pixel, horizontally
    QString TrackGoBack;         // channel name when the vehicle runs reversed (column TRackGoBack)
    int Track_ChannelID = 0;     // physical channel, CHANNEL_DEFINE.CHANNEL_ID
};

// One defect type: a row of table Standard.
struct _FAULTY_STANDER_STRUCT_
{
    int StandardID = 0;
    QString StandardName;
    int StandardClass = 0;   // 0 = fault, 1 = device
    int StandardDetail = 0;  // written as 0, never interpreted
    int StandardSystem = 0;  // 1 = delivered with the database, cannot be deleted
};
