#pragma once
// The SQLite connection of one defect store to one defect file, under a Qt SQL
// connection name of its own. Opening never creates a missing file, waits up
// to BusyTimeoutMs for another writer's lock, and reads the schema once so a
// file that is not an SQLite database is refused at once. Qt SQL connections
// belong to the thread that opened them: callers reopen on another thread
// (OpenedOnThisThread). Opening costs a file open and one tiny query; errors
// come back as text.

#include <QSqlDatabase>
#include <QString>
#include <thread>

class CFaultConnection
{
public:
    static constexpr int BusyTimeoutMs = 5000;

    CFaultConnection();
    ~CFaultConnection();
    CFaultConnection(const CFaultConnection&) = delete;
    CFaultConnection& operator=(const CFaultConnection&) = delete;

    bool Open(const QString& filePath, QString* error);
    void Close();

    bool IsOpen() const;
    bool IsOn(const QString& filePath) const { return IsOpen() && filePath_ == filePath; }
    bool OpenedOnThisThread() const { return owner_ == std::this_thread::get_id(); }
    const QSqlDatabase& Database() const { return db_; }

private:
    QString name_;
    QString filePath_;
    QSqlDatabase db_;
    std::thread::id owner_;
};
