#include "CFaultStore.h"

#include "FaultFileLocation.h"
#include "ShowPrompt.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <limits>

namespace
{
const QString MissingFaultFileText = QStringLiteral("当前打开任务目录下不存在缺陷数据文件！无法加载缺陷数据!");
const QString NotFaultFileText = QStringLiteral("当前打开的数据库导出文件，不是浏览版支持的缺陷导出文件!");
const QString PromptCaption = QStringLiteral("提示");
constexpr unsigned PromptType = 64;

// The stored columns in the order the rows are read and inserted.
const QString FaultColumns = QStringLiteral(
    "FaultID, FaultChannelID, FaultStandardID, FaultImage, FaultKM, FaultM, "
    "FaultX, FaultY, FaultCx, FaultCy, FaultState");

bool IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values = {})
{
    if (!query.prepare(statement))
        return false;
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec();
}

// Every column is a 32-bit integer; anything else (null, text, a wider
// number) makes the read fail as a whole, as a failed conversion would.
bool ToInt32(const QVariant& value, int32_t* out)
{
    if (value.isNull())
        return false;
    bool ok = false;
    const qlonglong wide = value.toLongLong(&ok);
    if (!ok || wide < std::numeric_limits<int32_t>::min() || wide > std::numeric_limits<int32_t>::max())
        return false;
    *out = static_cast<int32_t>(wide);
    return true;
}

bool ReadRow(const QSqlQuery& query, _FAULT_* fault)
{
    int32_t* const columns[] = {&fault->FaultID, &fault->FaultChannelID, &fault->FaultStandardID,
                                &fault->FaultImage, &fault->FaultKM, &fault->FaultM,
                                &fault->FaultX, &fault->FaultY, &fault->FaultCx,
                                &fault->FaultCy, &fault->FaultState};
    for (int column = 0; column < int(std::size(columns)); ++column) {
        if (!ToInt32(query.value(column), columns[column]))
            return false;
    }
    return true;
}

QVariantList StoredValues(const _FAULT_& fault)
{
    return {fault.FaultID, fault.FaultChannelID, fault.FaultStandardID, fault.FaultImage, fault.FaultKM,
            fault.FaultM, fault.FaultX, fault.FaultY, fault.FaultCx, fault.FaultCy, fault.FaultState};
}

// One write transaction that takes the write lock at its start (waiting for
// the busy timeout), so reading the largest key and inserting the next one
// cannot interleave with another writer. Rolled back unless committed.
class CWriteTransaction
{
public:
    explicit CWriteTransaction(const QSqlDatabase& db) : db_(db)
    {
        QSqlQuery begin(db_);
        active_ = begin.exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~CWriteTransaction()
    {
        if (active_) {
            QSqlQuery rollback(db_);
            rollback.exec(QStringLiteral("ROLLBACK"));
        }
    }
    CWriteTransaction(const CWriteTransaction&) = delete;
    CWriteTransaction& operator=(const CWriteTransaction&) = delete;

    bool IsActive() const { return active_; }
    bool Commit()
    {
        QSqlQuery commit(db_);
        if (!commit.exec(QStringLiteral("COMMIT")))
            return false;
        active_ = false;
        return true;
    }

private:
    QSqlDatabase db_;
    bool active_ = false;
};
}

CFaultStore::CFaultStore() = default;

CFaultStore::~CFaultStore() = default;

int CFaultStore::OpenTaskFaultDB(const ILumetraDBInterface::_DB_TASK_STRUCT_& task)
{
    openTask_ = task;
    // A task without files has no defect file; keeping the previous task's
    // file would put this task's defects into it.
    if (task.files.empty()) {
        PointAt(QString());
        return 1;
    }
    PointAt(FaultFilePathFor(task));
    if (!IsFile(faultFilePath_)) {
        ShowPrompt(nullptr, MissingFaultFileText, PromptCaption, PromptType);
        return 1;
    }
    return ConnectFaultDB();
}

int CFaultStore::OpenFaultDBFile(const QString& path)
{
    if (!IsFile(path)) {
        ShowPrompt(nullptr, MissingFaultFileText, PromptCaption, PromptType);
        return 1;
    }
    if (!IsFaultExportFile(path)) {
        ShowPrompt(nullptr, NotFaultFileText, PromptCaption, PromptType);
        return 0;
    }
    PointAt(path);
    return ConnectFaultDB();
}

int CFaultStore::IsFaultDBOpen() { return connection_.IsOpen() ? 1 : 0; }

int CFaultStore::IsFaultExportFile(const QString& path)
{
    CFaultConnection probe;
    QString error;
    if (!probe.Open(path, &error))
        return 0;
    QSqlQuery count(probe.Database());
    const bool readable = count.exec(QStringLiteral("select count(*)  from FAULT_DETAIL")) && count.next();
    return readable ? 1 : 0;
}

int CFaultStore::ConnectFaultDB()
{
    if (!IsFile(faultFilePath_)) {
        connection_.Close();
        return 0;
    }
    if (connection_.IsOn(faultFilePath_) && connection_.OpenedOnThisThread())
        return 1;
    QString error;
    return connection_.Open(faultFilePath_, &error) ? 1 : 0;
}

int CFaultStore::LoadChannelFaults(int channelId, std::vector<_FAULT_>& out)
{
    return ReadFaults(QStringLiteral("SELECT %1 FROM FAULT_DETAIL WHERE FaultChannelID = ?").arg(FaultColumns),
                      {channelId}, out);
}

int CFaultStore::QueryFaults(int channelId, int state, int standardId, std::vector<_FAULT_>& out)
{
    QStringList conditions;
    QVariantList values;
    const auto addCondition = [&](int value, const char* column) {
        if (value == -1)
            return;
        conditions << QStringLiteral(" %1 = ? ").arg(QLatin1String(column));
        values << value;
    };
    addCondition(state, "FaultState");
    addCondition(standardId, "FaultStandardID");
    addCondition(channelId, "FaultChannelID");

    QString statement = QStringLiteral("SELECT %1 FROM FAULT_DETAIL").arg(FaultColumns);
    if (!conditions.isEmpty())
        statement += QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    return ReadFaults(statement, values, out);
}

int CFaultStore::AddFaultRecord(_FAULT_& fault)
{
    if (!ConnectFaultDB())
        return 0;
    CWriteTransaction transaction(connection_.Database());
    if (!transaction.IsActive())
        return 0;
    _FAULT_ added = fault;
    added.FaultID = NextFaultID();
    if (added.FaultID < 1)
        return 0;
    QSqlQuery insert(connection_.Database());
    const QString statement = QStringLiteral("INSERT INTO FAULT_DETAIL (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                                  .arg(FaultColumns);
    if (!Run(insert, statement, StoredValues(added)))
        return 0;
    insert.finish();
    if (!transaction.Commit())
        return 0;
    fault.FaultID = added.FaultID;
    return 1;
}

int CFaultStore::UpdateFaultRecord(const _FAULT_& fault)
{
    if (!ConnectFaultDB())
        return 0;
    QSqlQuery update(connection_.Database());
    const QString statement = QStringLiteral(
        "UPDATE FAULT_DETAIL SET FaultStandardID = ?, FaultImage = ?, FaultKM = ?, FaultM = ?, "
        "FaultX = ?, FaultY = ?, FaultCx = ?, FaultCy = ?, FaultState = ? WHERE FaultID = ?");
    const QVariantList values = {fault.FaultStandardID, fault.FaultImage, fault.FaultKM, fault.FaultM, fault.FaultX,
                                 fault.FaultY, fault.FaultCx, fault.FaultCy, fault.FaultState, fault.FaultID};
    if (!Run(update, statement, values))
        return 0;
    return update.numRowsAffected() > 0 ? 1 : 0;
}

int CFaultStore::DeleteFaultRecord(int faultId)
{
    if (!ConnectFaultDB())
        return 0;
    QSqlQuery remove(connection_.Database());
    return Run(remove, QStringLiteral("DELETE FROM FAULT_DETAIL WHERE FaultID = ?"), {faultId}) ? 1 : 0;
}

int CFaultStore::NextFaultID()
{
    if (!ConnectFaultDB())
        return -1;
    QSqlQuery largest(connection_.Database());
    if (!largest.exec(QStringLiteral("select max(FaultID) AS Next_FaultID from FAULT_DETAIL")) || !largest.next())
        return -1;
    // An empty table has no largest key: its first defect gets 1.
    if (largest.value(0).isNull())
        return 1;
    int32_t id = 0;
    if (!ToInt32(largest.value(0), &id) || id == std::numeric_limits<int32_t>::max())
        return -1;
    return id + 1;
}

QString CFaultStore::FaultFilePath() const { return faultFilePath_; }

void CFaultStore::PointAt(const QString& path)
{
    faultFilePath_ = path;
    if (!connection_.IsOn(path))
        connection_.Close();
}

int32_t CFaultStore::TrackIdOfChannel(int32_t channelId) const
{
    if (!openTask_)
        return -1;
    for (const auto& file : openTask_->files) {
        if (file.ChannelID == channelId)
            return file.TrackID;
    }
    return -1;
}

int CFaultStore::ReadFaults(const QString& statement, const QVariantList& values, std::vector<_FAULT_>& out)
{
    out.clear();
    if (!ConnectFaultDB())
        return 0;
    QSqlQuery query(connection_.Database());
    query.setForwardOnly(true);
    if (!Run(query, statement, values))
        return 0;
    std::vector<_FAULT_> faults;
    while (query.next()) {
        _FAULT_ fault;
        if (!ReadRow(query, &fault))
            return 0;
        fault.TrackID = TrackIdOfChannel(fault.FaultChannelID);
        faults.push_back(fault);
    }
    // A read that stops on an error (a damaged page) is no complete answer.
    if (query.lastError().isValid())
        return 0;
    out = std::move(faults);
    return 1;
}
