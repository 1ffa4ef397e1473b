-- Tables of the base database (db/basedata.mdb), an SQLite file.
--
-- Column names keep the spellings the store's statements use (TRackGoBack,
-- LinetoKM, ...). Keys the database assigns are INTEGER PRIMARY KEY rowid
-- aliases without AUTOINCREMENT, so a freed top key may be handed out again.
-- Keys the program allocates (TaskID, FileID, StandardID) are integer keys
-- written by the program.
--
-- The texts that statements look rows up by (option keys, task names, section
-- names and codes) compare ignoring letter case: COLLATE NOCASE.
--
-- Numeric columns default to 0 so that a row written by another tool without
-- every column still reads back: the store treats a null number as an error.
-- Texts may be null (read as empty text) except where a row needs a name.

PRAGMA user_version = 1;

-- Physical camera channels; read only for the program.
CREATE TABLE CHANNEL_DEFINE (
    CHANNEL_ID   INTEGER NOT NULL PRIMARY KEY,
    CHANNEL_NAME TEXT    NOT NULL,
    TRACK_IDF    TEXT
);

-- Display channels. Track_ChannelID names a CHANNEL_DEFINE row and may be null.
CREATE TABLE Track (
    TrackID             INTEGER PRIMARY KEY,
    TrackName           TEXT,
    TrackDisplayPos     INTEGER NOT NULL DEFAULT 0,
    TrackScale          REAL    NOT NULL DEFAULT 1.0,
    TrackSubDirectory   TEXT,
    TrackRailSide       TEXT,
    TrackVertResolution REAL    NOT NULL DEFAULT 1.0,
    TrackHorzResolution REAL    NOT NULL DEFAULT 1.0,
    TRackGoBack         TEXT,
    Track_ChannelID     INTEGER
);

CREATE TABLE CHANNEL_TEMPLATE (
    TEMPLATE_ID   INTEGER PRIMARY KEY,
    TEMPLATE_NAME TEXT
);

-- Members of a template. Deleting a Track row leaves its membership rows.
CREATE TABLE TEMPLATE_TRACK (
    TEMPLATE_ID INTEGER NOT NULL,
    TRACK_ID    INTEGER NOT NULL
);
CREATE INDEX TEMPLATE_TRACK_BY_TEMPLATE ON TEMPLATE_TRACK (TEMPLATE_ID);

-- Application options. The insert names no columns: keep exactly these two.
CREATE TABLE AppOption (
    AppKey   TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
    AppValue TEXT
);

-- Defect types. StandardClass 0 = fault (ID below 1000), 1 = device (ID above
-- 1000); StandardSystem 1 marks the types delivered with the database.
CREATE TABLE Standard (
    StandardID     INTEGER NOT NULL PRIMARY KEY,
    StandardName   TEXT,
    StandardClass  INTEGER NOT NULL DEFAULT 0,
    StandardDetail INTEGER NOT NULL DEFAULT 0,
    StandardSystem INTEGER NOT NULL DEFAULT 0
);

-- Defects kept in the base database; only the purge of non-valid defects
-- touches this table. The columns are those of a defect record that are
-- stored (Tag and Extra live only in memory).
CREATE TABLE Fault (
    FaultID         INTEGER PRIMARY KEY,
    FaultStandardID INTEGER NOT NULL DEFAULT 0,
    FaultImage      INTEGER NOT NULL DEFAULT 0,
    FaultKM         INTEGER NOT NULL DEFAULT 0,
    FaultM          INTEGER NOT NULL DEFAULT 0,
    FaultX          INTEGER NOT NULL DEFAULT 0,
    FaultY          INTEGER NOT NULL DEFAULT 0,
    FaultCx         INTEGER NOT NULL DEFAULT 0,
    FaultCy         INTEGER NOT NULL DEFAULT 0,
    FaultState      INTEGER NOT NULL DEFAULT 2,
    TrackID         INTEGER NOT NULL DEFAULT 0,
    FaultChannelID  INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Line (
    LineID     INTEGER PRIMARY KEY,
    LineName   TEXT,
    LineCode   TEXT,
    LineFromKM INTEGER NOT NULL DEFAULT 0,
    LineFromM  INTEGER NOT NULL DEFAULT 0,
    LinetoKM   INTEGER NOT NULL DEFAULT 0,
    LineToM    INTEGER NOT NULL DEFAULT 0
);

-- Sections of a line. Deleting a line deletes its sections (done by the store).
CREATE TABLE Section_PR (
    SectionID     INTEGER PRIMARY KEY,
    SectionLineID INTEGER NOT NULL DEFAULT 0,
    SectionName   TEXT COLLATE NOCASE,
    SectionCode   TEXT COLLATE NOCASE,
    SectionFromKM INTEGER NOT NULL DEFAULT 0,
    SectionFromM  INTEGER NOT NULL DEFAULT 0,
    SectionToKM   INTEGER NOT NULL DEFAULT 0,
    SectionToM    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Section_PR_BY_LINE ON Section_PR (SectionLineID);

-- Inspection runs. StartTime and EndTime are texts "yyyy-MM-dd HH:mm:ss", so
-- ordering by them is chronological; StartYear and StartMonth index the list.
CREATE TABLE Track_Task (
    TaskID       INTEGER PRIMARY KEY,
    TaskName     TEXT    NOT NULL COLLATE NOCASE,
    LineCode     TEXT,
    LineName     TEXT,
    SectionName  TEXT,
    StartYear    INTEGER NOT NULL DEFAULT 0,
    StartMonth   INTEGER NOT NULL DEFAULT 0,
    StartTime    TEXT,
    EndTime      TEXT,
    CarDirection INTEGER NOT NULL DEFAULT 0,
    KMDirection  INTEGER NOT NULL DEFAULT 0,
    IsSwap       INTEGER NOT NULL DEFAULT 0,
    StartKM      INTEGER NOT NULL DEFAULT 0,
    StartM       INTEGER NOT NULL DEFAULT 0,
    EndKM        INTEGER NOT NULL DEFAULT 0,
    EndM         INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Track_Task_BY_MONTH ON Track_Task (StartYear, StartMonth);

-- One channel big file of a task. Run dates are "yyyy-MM-dd", run times
-- "HH:mm:ss". TrackID names the Track row the file is shown in.
CREATE TABLE Track_Task_File (
    FileID       INTEGER PRIMARY KEY,
    TaskID       INTEGER NOT NULL,
    LineCode     TEXT,
    LineName     TEXT,
    RunDirection INTEGER NOT NULL DEFAULT 0,
    CarDirection INTEGER NOT NULL DEFAULT 0,
    KMDirection  INTEGER NOT NULL DEFAULT 0,
    RailSide     TEXT,
    TrainNo      TEXT,
    PhotoNum     INTEGER NOT NULL DEFAULT 0,
    StartRunDate TEXT,
    StartRunTime TEXT,
    EndRunDate   TEXT,
    EndRunTime   TEXT,
    StartKM      INTEGER NOT NULL DEFAULT 0,
    StartM       INTEGER NOT NULL DEFAULT 0,
    EndKM        INTEGER NOT NULL DEFAULT 0,
    EndM         INTEGER NOT NULL DEFAULT 0,
    VResolution  INTEGER NOT NULL DEFAULT 0,
    HResolution  INTEGER NOT NULL DEFAULT 0,
    VPixelNum    INTEGER NOT NULL DEFAULT 0,
    HPixelNum    INTEGER NOT NULL DEFAULT 0,
    PhotoType    INTEGER NOT NULL DEFAULT 0,
    FilePath     TEXT,
    TrackID      INTEGER NOT NULL DEFAULT 0,
    ChannelID    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Track_Task_File_BY_TASK ON Track_Task_File (TaskID);
