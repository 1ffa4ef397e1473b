#pragma once
// The base-data store behind ILumetraDBInterface: one SQLite connection of
// its own, opened from the program's connection string (CConnectionDescriptor)
// and reopened by the record-set openers when it was closed.
//
// Every operation is one short statement sequence on the calling thread;
// calls must not overlap (one thread at a time). Operations catch every
// database error and answer 0, leaving their explanation in the last error
// text where designed. The implementation is split by table group:
// CSqlServerObject.cpp (connection, runner, openers), _Tracks, _Options,
// _Standards, _Lines and _Tasks.

#include "CDatabaseError.h"
#include "CRecordSet.h"
#include "CRowWriter.h"
#include "CSQLiteConnection.h"
#include "ILumetraDBInterface.h"
#include "StoreTexts.h"

#include <QString>
#include <QVariantList>
#include <optional>

class CSqlServerObject final : public ILumetraDBInterface
{
public:
    CSqlServerObject();
    ~CSqlServerObject() override;
    CSqlServerObject(const CSqlServerObject&) = delete;
    CSqlServerObject& operator=(const CSqlServerObject&) = delete;

    int ConnectDB(const QString& connectionString) override;
    int DisconnectDB() override;
    QString ReadDBConfigFile(const QString& directory, const QString& fileName) override;
    void Release() override;
    int GetChannelDefines(std::vector<_channel_define_>& out) override;
    QString GetLastErrorText() override;
    int GetAllTracks(std::vector<_TRACK_DEFINE_STRUCT_>& out) override;
    int UpdateTrackScale(int trackId, double scale) override;
    int DeleteTrackDefine(int trackId) override;
    int AddTrackDefine(_TRACK_DEFINE_STRUCT_& track) override;
    int UpdateTrackDefine(const _TRACK_DEFINE_STRUCT_& track) override;
    int GetChannelTemplates(std::vector<_channel_template_>& out) override;
    int GetTemplateTracks(int templateId, std::vector<_TRACK_DEFINE_STRUCT_>& out) override;
    int AddChannelTemplate(_channel_template_& templ, const std::vector<int32_t>& trackIds) override;
    int UpdateTemplateTracks(int templateId, const std::vector<int32_t>& trackIds) override;
    int DeleteChannelTemplate(int templateId) override;
    int GetAppOptionInt(const QString& key, int& value) override;
    int GetAppOptionDouble(const QString& key, double& value) override;
    int GetAppOptionLong(const QString& key, int32_t& value) override;
    int GetAppOptionText(const QString& key, QString& value) override;
    int SetAppOption(const QString& key, const QString& value) override;
    int GetFaultyStandards(std::vector<_FAULTY_STANDER_STRUCT_>& out) override;
    int AddFaultyStandard(const _FAULTY_STANDER_STRUCT_& standard) override;
    int DeleteFaultyStandard(int standardId) override;
    int PurgeFaultTable() override;
    int GetLines(std::vector<_LINE_INFO_STRUCT_>& out) override;
    int UpdateLine(const _LINE_INFO_STRUCT_& line) override;
    int AddLine(_LINE_INFO_STRUCT_& line) override;
    int DeleteLine(int lineId) override;
    int GetSections(int lineId, std::vector<_SECTION_INFO_STRUCT_>& out) override;
    int UpdateSection(const _SECTION_INFO_STRUCT_& section) override;
    int AddSection(_SECTION_INFO_STRUCT_& section) override;
    int DeleteSection(int sectionId) override;
    int IsSectionNameUsed(int sectionId, const QString& name, const QString& code, int& used) override;
    int GetTask(int taskId, _DB_TASK_STRUCT_& task) override;
    int GetTasks(int year, int month, std::vector<_DB_TASK_STRUCT_>& out) override;
    int DeleteTask(int taskId) override;
    int AddTask(_DB_TASK_STRUCT_& task, QString& errorText) override;
    int AddTaskFile(_TASK_TRACK_FILE_STRUCT_& file) override;
    int ReservedTaskOperation(int value, const QString& text) override;
    int GetTaskYears(std::vector<int>& years) override;
    int GetTaskMonths(int year, std::vector<int>& months) override;

private:
    // Opens the connection from the stored string unless it is open already.
    int Connect();

    // Runs an update, insert or delete on the open connection and answers the
    // number of rows it changed; 0 without a connection or on any failure,
    // never touching the last error text. Never reconnects.
    int RunStatement(const QString& sql, const QVariantList& values = {});

    // Record-set openers: connect when needed (nullopt when that fails, with
    // Connect's text), then run the query. A failed query gives an unopened
    // set and the text "Excute FAILED:%s"; the reporting opener also hands
    // that text to CDBErrorReporter. Reads use the reporting opener, inserts
    // and updates the quiet one.
    std::optional<CRecordSet> OpenReporting(const QString& sql, const QVariantList& values = {});
    std::optional<CRecordSet> OpenQuiet(const QString& sql, const QVariantList& values = {});
    std::optional<CRecordSet> OpenRecordSet(const QString& sql, const QVariantList& values, bool report);

    // How a list read answers a database error met while reading its rows.
    enum class OnRowError { ReturnZero, RecordSqlFailed };

    // The list read shared by the table reads: clears `out`, opens `sql` with
    // `values` bound through the reporting opener and appends `readRow(set)`
    // for every row. Rows read before an error stay in `out`.
    template <typename Record, typename ReadRow>
    int ReadList(const QString& sql, std::vector<Record>& out, ReadRow readRow, OnRowError onError,
                 const QVariantList& values = {});

    // The option read shared by the four getters: runs on the open
    // connection only; 1 and `convert`'s result when the key has a row whose
    // value converts, else 0 with `value` untouched and no text.
    template <typename T, typename Convert>
    int ReadAppOption(const QString& key, T& value, Convert convert);

    // Runs a statement on the open connection and answers the rows it
    // changed; throws CDatabaseError without a connection or on failure.
    int Execute(const QString& sql, const QVariantList& values = {});

    // The open connection's database; throws CDatabaseError without one.
    // Never reconnects.
    const QSqlDatabase& OpenDatabase() const;

    // The first half of the insert pattern: a quiet open on `emptySelection`
    // (a query that selects no row of the table), closed again. False when
    // the connection cannot be had (Connect's text); throws CDatabaseError
    // when the query fails (after the opener's text).
    bool ProbeTable(const QString& emptySelection);

    // The insert pattern: ProbeTable(`emptySelection`), then the row of
    // `writer`; the key the database gave the row goes to *newKey when asked
    // for. 0 when the set cannot be had (the opener's text) or with
    // "SQL FAILED:%s".
    int InsertRow(const QString& emptySelection, const CRowWriter& writer, int* newKey);

    // The update pattern: a quiet open on `rowSelection` (the row by its
    // key, bound as `key`); 0 with "数据库中没有对应的记录" when there is no
    // such row, else `writer`'s columns are written into it.
    int UpdateRow(const QString& rowSelection, const QString& keyColumn, int key, const CRowWriter& writer);

    // Maximum plus one of a key, read through the reporting opener: 1 on
    // an empty table, -1 when it cannot be read.
    int AllocateKey(const QString& maxSelection, const QString& maxColumn);

    // 1 when no task has this name, 0 when one has it or the check cannot
    // run, -1 when the count cannot be read (taken as free).
    int CheckTaskNameFree(const QString& taskName);

    // Fills `task` from the current Track_Task row and appends its files.
    void ReadTaskRow(const CRecordSet& set, _DB_TASK_STRUCT_& task);
    // Appends the task's files joined with their channel rows; silent on
    // failure, keeping the files read so far.
    void AppendTaskFiles(_DB_TASK_STRUCT_& task);

    // The rows of AddTask and AddTaskFile after their checks, inside the
    // caller's transaction; 0 for a refused key or table, CDatabaseError
    // thrown on a database error.
    int InsertTask(_DB_TASK_STRUCT_& task, QString& errorText);
    int InsertTaskFile(_TASK_TRACK_FILE_STRUCT_& file);

    QString connectionString_;
    CSQLiteConnection connection_;
    QString lastErrorText_;
};

template <typename Record, typename ReadRow>
int CSqlServerObject::ReadList(const QString& sql, std::vector<Record>& out, ReadRow readRow, OnRowError onError,
                               const QVariantList& values)
{
    out.clear();
    std::optional<CRecordSet> set = OpenReporting(sql, values);
    if (!set)
        return 0;
    try {
        for (; !set->IsEOF(); set->MoveNext())
            out.push_back(readRow(*set));
        set->Close();
        return 1;
    } catch (const CDatabaseError& error) {
        if (onError == OnRowError::RecordSqlFailed)
            lastErrorText_ = StoreTexts::SqlFailed.arg(error.Description());
        return 0;
    }
}
