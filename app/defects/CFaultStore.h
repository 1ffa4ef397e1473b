#pragma once
// The defect file of the open task: an SQLite file "缺陷浏览_<task>.accdb" in
// the task directory with table FAULT_DETAIL. The store opens it when a task
// is opened (or when the operator picks another defect file), reads the
// defects of each channel, and adds, changes and deletes defects.
//
// Results: 1 success, 0 failure (NextFaultID: the key, or -1). No error text
// is kept; every database error is caught, written to the log category
// "lumetra.defects" and becomes 0. Only the two open operations show
// messages (ShowPrompt, "提示", information), and never while holding the
// store's lock, so a worker's prompt cannot wait on a blocked UI thread.
// Threads: any thread. Task loading uses the store from the progress
// dialog's worker while the user-interface thread waits; the operations are
// serialised by one lock, and IsFaultDBOpen never waits for it, so the
// user-interface thread may ask it at any time. A Qt SQL connection belongs
// to the thread that opened it: a call from another thread reopens the file
// there, which costs a file open.
// Cost: each call is one short SQLite statement; AddFaultRecord is one write
// transaction that waits up to 5 s for another writer of the same file.

#include "CFaultConnection.h"
#include "ControlRecords.h"
#include "ILumetraDBInterface.h"

#include <QString>
#include <QVariantList>
#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

class CFaultStore
{
public:
    CFaultStore();
    ~CFaultStore();
    CFaultStore(const CFaultStore&) = delete;
    CFaultStore& operator=(const CFaultStore&) = delete;

    // Keeps a copy of the task (TrackIDs of loaded defects come from its
    // files) and points the store at the task's defect file. A missing file
    // is reported once and still answers 1; the data operations then fail.
    int OpenTaskFaultDB(const ILumetraDBInterface::_DB_TASK_STRUCT_& task);
    // Re-points the store at another defect file; the open task stays. A file
    // that is no defect file is refused with a message and the previous file
    // stays open (0); a missing file answers 1 after a message.
    int OpenFaultDBFile(const QString& path);
    // Lock-free: safe from the user-interface thread while a worker loads.
    int IsFaultDBOpen();
    // 1 when the file is an SQLite file with a readable FAULT_DETAIL. Uses a
    // connection of its own; the store's file is untouched.
    int IsFaultExportFile(const QString& path);
    int ConnectFaultDB();

    // Clear `out` first; rows in the order the database returns them, Tag and
    // Extra 0, TrackID from the open task's files (-1 when none matches).
    int LoadChannelFaults(int channelId, std::vector<_FAULT_>& out);
    // -1 in a filter means no condition on that column.
    int QueryFaults(int channelId, int state, int standardId, std::vector<_FAULT_>& out);

    // Allocates FaultID (largest plus one, 1 on an empty table) and inserts
    // the row in one transaction; writes the FaultID into `fault` on success.
    int AddFaultRecord(_FAULT_& fault);
    // Changes every stored column but FaultID and FaultChannelID; 0 when no
    // row has the FaultID.
    int UpdateFaultRecord(const _FAULT_& fault);
    // 1 also when no row had the id.
    int DeleteFaultRecord(int faultId);
    int NextFaultID();

    QString FaultFilePath() const;   // empty while closed

private:
    // The work of the public operations of the same names; mutex_ is held.
    int ConnectLocked();
    int NextFaultIDLocked();
    void PointAtLocked(const QString& path);
    int32_t TrackIdOfChannelLocked(int32_t channelId) const;
    int ReadFaultsLocked(const QString& statement, const QVariantList& values, std::vector<_FAULT_>& out);

    mutable std::mutex mutex_;
    CFaultConnection connection_;
    std::optional<ILumetraDBInterface::_DB_TASK_STRUCT_> openTask_;
    QString faultFilePath_;
    std::atomic<bool> open_{false};   // connection_.IsOpen(), readable without mutex_
};
