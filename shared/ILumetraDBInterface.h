#pragma once
// The base-data store as the program sees it. Every operation is one short,
// synchronous transaction on the calling thread; calls must not overlap.
// Operations answer 1 on success and 0 on failure unless noted, and leave an
// explanation in GetLastErrorText(). The caller owns every record and array;
// list reads clear the array before filling it. The declaration order is the
// calling contract between the program and the store library: do not reorder.

#include "BaseDataRecords.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

class ILumetraDBInterface
{
public:
    // A row of CHANNEL_DEFINE: one physical camera channel.
    struct _channel_define_
    {
        int CHANNEL_ID = 0;
        QString CHANNEL_NAME;
        QString TRACK_IDF;
    };

    // A row of CHANNEL_TEMPLATE.
    struct _channel_template_
    {
        int TEMPLATE_ID = 0;
        QString TEMPLATE_NAME;
    };

    // A row of table Line.
    struct _LINE_INFO_STRUCT_
    {
        int LineID = 0;
        QString LineName;
        QString LineCode;
        int LineFromKM = 0;
        int LineFromM = 0;
        int LinetoKM = 0;
        int LineToM = 0;
    };

    // A row of table Section_PR.
    struct _SECTION_INFO_STRUCT_
    {
        int SectionID = 0;
        int SectionLineID = 0;
        QString SectionName;
        QString SectionCode;
        int SectionFromKM = 0;
        int SectionFromM = 0;
        int SectionToKM = 0;
        int SectionToM = 0;
    };

    // A row of Track_Task_File joined with its channel row of Track.
    struct _TASK_TRACK_FILE_STRUCT_
    {
        int FileID = 0;
        int TaskID = 0;
        QString TaskName;        // copied from the owning task on read
        QString LineCode;
        QString LineName;
        int RunDirection = 0;
        int CarDirection = 0;
        int KMDirection = 0;
        QString RailSide;
        QString TrainNo;
        int32_t PhotoNum = 0;
        QDateTime StartRunDate;
        QDateTime StartRunTime;
        QDateTime EndRunDate;
        QDateTime EndRunTime;
        int32_t StartKm = 0;
        int32_t StartM = 0;
        int32_t EndKM = 0;
        int32_t EndM = 0;
        int VResolution = 0;
        int HResolution = 0;
        int VPixelNum = 0;
        int HPixelNum = 0;
        int PhotoType = 0;
        QString FilePath;
        int32_t TrackID = 0;
        int32_t ChannelID = 0;
        QString TrackName;          // from the joined Track row
        QString TrackSubDirectory;  // from the joined Track row
    };

    // A row of Track_Task with its channel files.
    struct _DB_TASK_STRUCT_
    {
        int TaskID = 0;
        QString TaskName;
        QString LineName;
        QString LineCode;
        QString SectionName;
        QDateTime StartTime;
        QDateTime EndTime;
        int CarDirection = 0;
        int KMDirection = 0;
        int IsSwap = 0;
        int32_t StartKm = 0;
        int32_t StartM = 0;
        int32_t EndKm = 0;
        int32_t EndM = 0;
        std::vector<_TASK_TRACK_FILE_STRUCT_> files;
    };

    virtual ~ILumetraDBInterface() = default;

    virtual int ConnectDB(const QString& connectionString) = 0;                              // 1
    virtual int DisconnectDB() = 0;                                                           // 2
    virtual QString ReadDBConfigFile(const QString& directory, const QString& fileName) = 0;  // 3
    virtual void Release() = 0;                                                               // 4
    virtual int GetChannelDefines(std::vector<_channel_define_>& out) = 0;                    // 5
    virtual QString GetLastErrorText() = 0;                                                   // 6
    virtual int GetAllTracks(std::vector<_TRACK_DEFINE_STRUCT_>& out) = 0;                    // 7
    virtual int UpdateTrackScale(int trackId, double scale) = 0;                              // 8
    virtual int DeleteTrackDefine(int trackId) = 0;                                           // 9
    virtual int AddTrackDefine(_TRACK_DEFINE_STRUCT_& track) = 0;                             // 10
    virtual int UpdateTrackDefine(const _TRACK_DEFINE_STRUCT_& track) = 0;                    // 11
    virtual int GetChannelTemplates(std::vector<_channel_template_>& out) = 0;                // 12
    virtual int GetTemplateTracks(int templateId, std::vector<_TRACK_DEFINE_STRUCT_>& out) = 0; // 13
    virtual int AddChannelTemplate(_channel_template_& templ, const std::vector<int32_t>& trackIds) = 0; // 14
    virtual int UpdateTemplateTracks(int templateId, const std::vector<int32_t>& trackIds) = 0; // 15
    virtual int DeleteChannelTemplate(int templateId) = 0;                                    // 16
    virtual int GetAppOptionInt(const QString& key, int& value) = 0;                          // 17
    virtual int GetAppOptionDouble(const QString& key, double& value) = 0;                    // 18
    virtual int GetAppOptionLong(const QString& key, int32_t& value) = 0;                     // 19
    virtual int GetAppOptionText(const QString& key, QString& value) = 0;                     // 20
    virtual int SetAppOption(const QString& key, const QString& value) = 0;                   // 21
    virtual int GetFaultyStandards(std::vector<_FAULTY_STANDER_STRUCT_>& out) = 0;            // 22
    virtual int AddFaultyStandard(const _FAULTY_STANDER_STRUCT_& standard) = 0;               // 23
    virtual int DeleteFaultyStandard(int standardId) = 0;                                     // 24
    virtual int PurgeFaultTable() = 0;                                                        // 25: rows deleted
    virtual int GetLines(std::vector<_LINE_INFO_STRUCT_>& out) = 0;                           // 26
    virtual int UpdateLine(const _LINE_INFO_STRUCT_& line) = 0;                               // 27
    virtual int AddLine(_LINE_INFO_STRUCT_& line) = 0;                                        // 28
    virtual int DeleteLine(int lineId) = 0;                                                   // 29
    virtual int GetSections(int lineId, std::vector<_SECTION_INFO_STRUCT_>& out) = 0;         // 30
    virtual int UpdateSection(const _SECTION_INFO_STRUCT_& section) = 0;                      // 31
    virtual int AddSection(_SECTION_INFO_STRUCT_& section) = 0;                               // 32
    virtual int DeleteSection(int sectionId) = 0;                                             // 33
    virtual int IsSectionNameUsed(int sectionId, const QString& name, const QString& code, int& used) = 0; // 34
    virtual int GetTask(int taskId, _DB_TASK_STRUCT_& task) = 0;                              // 35
    virtual int GetTasks(int year, int month, std::vector<_DB_TASK_STRUCT_>& out) = 0;        // 36
    virtual int DeleteTask(int taskId) = 0;                                                   // 37
    virtual int AddTask(_DB_TASK_STRUCT_& task, QString& errorText) = 0;                      // 38
    virtual int AddTaskFile(_TASK_TRACK_FILE_STRUCT_& file) = 0;                              // 39
    virtual int ReservedTaskOperation(int value, const QString& text) = 0;                    // 40
    virtual int GetTaskYears(std::vector<int>& years) = 0;                                    // 41
    virtual int GetTaskMonths(int year, std::vector<int>& months) = 0;                        // 42
};
