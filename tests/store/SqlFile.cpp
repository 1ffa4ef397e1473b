#include "SqlFile.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

namespace
{
template <typename Work>
void WithDatabase(const QString& dbPath, Work work)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbPath);
        if (db.open()) {
            QSqlQuery query(db);
            work(query);
        } else {
            ADD_FAILURE() << "cannot open " << dbPath.toStdString() << ": " << db.lastError().text().toStdString();
        }
    }
    QSqlDatabase::removeDatabase(name);
}
}

namespace SqlFile
{
void Exec(const QString& dbPath, const QString& sql)
{
    WithDatabase(dbPath, [&](QSqlQuery& query) {
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
    });
}

QVariantList Column(const QString& dbPath, const QString& sql)
{
    QVariantList values;
    WithDatabase(dbPath, [&](QSqlQuery& query) {
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        while (query.next())
            values << query.value(0);
    });
    return values;
}

QVariant Scalar(const QString& dbPath, const QString& sql)
{
    const QVariantList values = Column(dbPath, sql);
    return values.isEmpty() ? QVariant() : values.first();
}
}
