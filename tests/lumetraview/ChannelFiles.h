#pragma once
// Small real channel big files (and a defect file) in a temporary folder, for
// the loader and the window tests.

#include "BigFileMaker.h"
#include "CFaultDatabaseCreator.h"
#include "CFaultStore.h"
#include "ControlRecords.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

class ChannelFiles
{
public:
    // `name`.bimf and its index with `frames` frames of width x height, each
    // a ramp whose level tells the frame number.
    QString write(const QString& name, int frames, int width = 64, int height = 48)
    {
        BigFileHeader header;
        header.frameWidth = width;
        header.frameHeight = height;
        BigFileMaker maker(header);
        for (int frame = 1; frame <= frames; ++frame)
            maker.addFrame(MakeGreyJpeg(width, height, [frame](int x, int) { return uint8_t((frame * 10 + x) % 256); }));
        const QString path = dir_.filePath(name + QStringLiteral(".bimf"));
        EXPECT_TRUE(maker.write(path)) << path.toStdString();
        return path;
    }

    // A defect file holding `faults` (FaultIDs are given by the store).
    QString writeDefects(const QString& name, std::vector<_FAULT_> faults)
    {
        const QString path = dir_.filePath(name);
        QString error;
        EXPECT_TRUE(CFaultDatabaseCreator::Create(path, &error)) << error.toStdString();
        CFaultStore store;
        EXPECT_EQ(store.OpenFaultDBFile(path), 1);
        for (_FAULT_& fault : faults)
            EXPECT_EQ(store.AddFaultRecord(fault), 1);
        return path;
    }

    // A file of the given bytes.
    QString writeBytes(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Runs SQL on a file through a connection of the test's own.
    static bool execute(const QString& path, const QString& statement)
    {
        const QString name = QStringLiteral("lumetraview-test");
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            ok = db.open() && QSqlQuery(db).exec(statement);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return ok;
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

inline _FAULT_ FaultOn(int channelId, int image, int x = 4, int y = 4)
{
    _FAULT_ fault;
    fault.FaultChannelID = channelId;
    fault.FaultImage = image;
    fault.FaultX = x;
    fault.FaultY = y;
    fault.FaultCx = 10;
    fault.FaultCy = 10;
    fault.FaultState = 1;
    fault.FaultStandardID = 1;
    return fault;
}
