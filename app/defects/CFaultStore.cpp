#include "CFaultStore.h"

#include "CFaultWriteTransaction.h"
#include "FaultFileLocation.h"
#include "ShowPrompt.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <limits>

Q_LOGGING_CATEGORY(lcDefects, "lumetra.defects")

namespace
{
const QString MissingFaultFileText = QStringLiteral("当前打开任务目录下不存在缺陷数据文件！无法加载缺陷数据!");
const QString NotFaultFileText = QStringLiteral("当前打开的数据库导出文件，不是浏览版支持的缺陷导出文件!");

// The stored columns in the order the rows are read and inserted.
const QString FaultColumns = QStringLiteral(
    "FaultID, FaultChannelID, FaultStandardID, FaultImage, FaultKM, FaultM, "
    "FaultX, FaultY, FaultCx, FaultCy, FaultState");

bool IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

// The store answers 0 without a text; the log keeps why.
bool Failed(const QSqlQuery& query)
{
    qCWarning(lcDefects).noquote() << "defect file statement failed:" << query.lastError().text() << "in"
                                   << query.lastQuery();
    return false;
}

bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values = {})
{
    if (!query.prepare(statement))
        return Failed(query);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec() || Failed(query);
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
        if (!ToInt32(query.value(column), columns[column])) {
            qCWarning(lcDefects).noquote() << "defect row with a value that is no 32-bit integer in column"
                                           << column << ':' << query.value(column).toString();
            return false;
        }
    }
    return true;
}

QVariantList StoredValues(const _FAULT_& fault)
{
    return {fault.FaultID, fault.FaultChannelID, fault.FaultStandardID, fault.FaultImage, fault.FaultKM,
            fault.FaultM, fault.FaultX, fault.FaultY, fault.FaultCx, fault.FaultCy, fault.FaultState};
}
}

CFaultStore::CFaultStore() = default;

CFaultStore::~CFaultStore() = default;

int CFaultStore::OpenTaskFaultDB(const ILumetraDBInterface::_DB_TASK_STRUCT_& task)
{
    {
        const std::lock_guard lock(mutex_);
        openTask_ = task;
        // A task without files has no defect file; keeping the previous task's
        // file would put this task's defects into it.
        if (task.files.empty()) {
            PointAtLocked(QString());
            return 1;
        }
        PointAtLocked(FaultFilePathFor(task));
        if (IsFile(faultFilePath_))
            return ConnectLocked();
    }
    ShowPrompt(nullptr, MissingFaultFileText);
    return 1;
}

int CFaultStore::OpenFaultDBFile(const QString& path)
{
    if (!IsFile(path)) {
        ShowPrompt(nullptr, MissingFaultFileText);
        return 1;
    }
    if (!IsFaultExportFile(path)) {
        ShowPrompt(nullptr, NotFaultFileText);
        return 0;
    }
    const std::lock_guard lock(mutex_);
    PointAtLocked(path);
    return ConnectLocked();
}

int CFaultStore::IsFaultDBOpen() { return open_ ? 1 : 0; }

int CFaultStore::IsFaultExportFile(const QString& path)
{
    CFaultConnection probe;
    QString error;
    if (!probe.Open(path, &error)) {
        qCInfo(lcDefects).noquote() << "not a defect file:" << error;
        return 0;
    }
    QSqlQuery count(probe.Database());
    if (!count.exec(QStringLiteral("select count(*)  from FAULT_DETAIL")) || !count.next()) {
        qCInfo(lcDefects).noquote() << "not a defect file:" << count.lastError().text();
        return 0;
    }
    return 1;
}

int CFaultStore::ConnectFaultDB()
{
    const std::lock_guard lock(mutex_);
    return ConnectLocked();
}

int CFaultStore::LoadChannelFaults(int channelId, std::vector<_FAULT_>& out)
{
    const std::lock_guard lock(mutex_);
    return ReadFaultsLocked(QStringLiteral("SELECT %1 FROM FAULT_DETAIL WHERE FaultChannelID = ?").arg(FaultColumns),
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
    const std::lock_guard lock(mutex_);
    return ReadFaultsLocked(statement, values, out);
}

int CFaultStore::AddFaultRecord(_FAULT_& fault)
{
    const std::lock_guard lock(mutex_);
    if (!ConnectLocked())
        return 0;
    CFaultWriteTransaction transaction(connection_.Database());
    if (!transaction.IsActive()) {
        qCWarning(lcDefects) << "the defect file could not be locked for writing";
        return 0;
    }
    _FAULT_ added = fault;
    added.FaultID = NextFaultIDLocked();
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
    const std::lock_guard lock(mutex_);
    if (!ConnectLocked())
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
    const std::lock_guard lock(mutex_);
    if (!ConnectLocked())
        return 0;
    QSqlQuery remove(connection_.Database());
    return Run(remove, QStringLiteral("DELETE FROM FAULT_DETAIL WHERE FaultID = ?"), {faultId}) ? 1 : 0;
}

int CFaultStore::NextFaultID()
{
    const std::lock_guard lock(mutex_);
    return NextFaultIDLocked();
}

QString CFaultStore::FaultFilePath() const
{
    const std::lock_guard lock(mutex_);
    return faultFilePath_;
}

int CFaultStore::ConnectLocked()
{
    if (!IsFile(faultFilePath_)) {
        connection_.Close();
        open_ = false;
        return 0;
    }
    if (connection_.IsOn(faultFilePath_) && connection_.OpenedOnThisThread())
        return 1;
    QString error;
    const bool opened = connection_.Open(faultFilePath_, &error);
    open_ = opened;
    if (!opened)
        qCWarning(lcDefects).noquote() << "cannot open the defect file:" << error;
    return opened ? 1 : 0;
}

int CFaultStore::NextFaultIDLocked()
{
    if (!ConnectLocked())
        return -1;
    QSqlQuery largest(connection_.Database());
    if (!largest.exec(QStringLiteral("select max(FaultID) AS Next_FaultID from FAULT_DETAIL")) || !largest.next()) {
        Failed(largest);
        return -1;
    }
    // An empty table has no largest key: its first defect gets 1.
    if (largest.value(0).isNull())
        return 1;
    int32_t id = 0;
    if (!ToInt32(largest.value(0), &id) || id == std::numeric_limits<int32_t>::max()) {
        qCWarning(lcDefects).noquote() << "no FaultID follows" << largest.value(0).toString();
        return -1;
    }
    return id + 1;
}

void CFaultStore::PointAtLocked(const QString& path)
{
    faultFilePath_ = path;
    if (!connection_.IsOn(path)) {
        connection_.Close();
        open_ = false;
    }
}

int32_t CFaultStore::TrackIdOfChannelLocked(int32_t channelId) const
{
    if (!openTask_)
        return -1;
    for (const auto& file : openTask_->files) {
        if (file.ChannelID == channelId)
            return file.TrackID;
    }
    return -1;
}

int CFaultStore::ReadFaultsLocked(const QString& statement, const QVariantList& values, std::vector<_FAULT_>& out)
{
    out.clear();
    if (!ConnectLocked())
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
        fault.TrackID = TrackIdOfChannelLocked(fault.FaultChannelID);
        faults.push_back(fault);
    }
    // A read that stops on an error (a damaged page) is no complete answer.
    if (query.lastError().isValid()) {
        Failed(query);
        return 0;
    }
    out = std::move(faults);
    return 1;
}
