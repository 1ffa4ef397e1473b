#pragma once
// The program's reader of one channel big file: opens the file named by a task
// file record, reports the big file's header through IDataReaderInterface and
// hands frames to a channel track.
//
// Threads: ReadFrame may be called from any thread at once (one lock per
// reader serialises the fetches). Opening, closing and the getters happen
// while no track uses the reader; GetFile's library reader is used without
// the lock. Errors: opening answers 0 and writes a debug trace (category
// "lumetra.bigfile"); ReadFrame answers 0 and leaves its outputs unchanged.

#include "IDataReaderInterface.h"
#include "ILumetraDBInterface.h"

#include <memory>
#include <mutex>

class RbimfFile;

class CFileReader : public IDataReaderInterface
{
public:
    using TaskFileRecord = ILumetraDBInterface::_TASK_TRACK_FILE_STRUCT_;

    CFileReader();
    ~CFileReader() override;
    CFileReader(const CFileReader&) = delete;
    CFileReader& operator=(const CFileReader&) = delete;

    // Stores `record` and opens the big file named by its FilePath with the
    // ".dex" index beside it. 1 = open; 0 = failed, the reader stays closed.
    // An open reader is closed first. Cost: maps both files, decodes nothing
    // but the first frame's header.
    int OpenFromTaskFile(TaskFileRecord record);
    void CloseFile();
    // The library reader, null while closed.
    RbimfFile* GetFile() const;
    // Frame numbers recorded at km + m (owned by the library reader); null when
    // closed or when none.
    int* FindFramesAt(int km, int m, int* count);

    // The record filled from the big file's header at opening.
    const TaskFileRecord& FileRecord() const { return fileRecord_; }

    int GetFrameCount() override;
    int GetFrameWidth() override;
    int GetFrameHeight() override;
    QString GetLineName() override;
    QString GetLineCode() override;
    int GetEndPosition() override;
    QString GetCarDirectionText() override;
    int GetCarDirection() override;
    QString GetRailSide() override;
    int GetTrackId() override;
    int GetChannelId() override;
    QString GetStartTimeText() override;
    int Reopen() override;
    // A negative frame answers 0 without taking the lock. With a buffer, a
    // frame longer than `capacity` answers 0 and writes nothing; without one,
    // km, m and the byte count are still reported. Any output may be null.
    int ReadFrame(int frame, char* buffer, int capacity, int* byteCount, int* km, int* m) override;
    void Reserved() override;

private:
    int openStoredFile();
    void fillFileRecord(const QString& dataPath);
    void takeFirstFrameSize();

    TaskFileRecord storedRecord_;
    TaskFileRecord fileRecord_;
    std::unique_ptr<RbimfFile> reader_;
    std::mutex lock_;
};
