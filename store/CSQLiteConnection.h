#pragma once
// One SQLite connection of Qt SQL under a name of its own, so that any number
// of store objects and builders can live side by side. The connection is
// removed from Qt SQL when it is closed or destroyed. Opening costs a file
// open and one small query; errors come back as description texts. Use it
// from one thread at a time.

#include <QSqlDatabase>
#include <QString>

class CSQLiteConnection
{
public:
    CSQLiteConnection();
    ~CSQLiteConnection();
    CSQLiteConnection(const CSQLiteConnection&) = delete;
    CSQLiteConnection& operator=(const CSQLiteConnection&) = delete;

    // Opens an existing base database for reading and writing. A missing
    // file is never created; a file that is not an SQLite database, or one
    // without the table AppOption (an empty file is such a database), is
    // refused.
    bool OpenExisting(const QString& filePath, QString* error);

    // The same for reading only: nothing written through this connection
    // can change the file.
    bool OpenExistingReadOnly(const QString& filePath, QString* error);

    // Creates (or opens) the file for building a database into it.
    bool OpenForBuilding(const QString& filePath, QString* error);

    bool IsOpen() const;
    const QSqlDatabase& Database() const { return db_; }

    // Closes the connection and removes it from Qt SQL.
    void Close();

private:
    bool OpenExistingFile(const QString& filePath, const char* mode, QString* error);
    bool Open(const QString& databaseName, const QString& options, QString* error);
    bool HasBaseTables(QString* error);

    QString name_;
    QSqlDatabase db_;
};
