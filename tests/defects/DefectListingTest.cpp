#include "DefectListing.h"
#include "FaultFileFixture.h"

#include <QFile>

namespace
{
class DefectListingTest : public FaultFileFixture
{
protected:
    int List(const QStringList& args)
    {
        output_.clear();
        errors_.clear();
        QTextStream out(&output_);
        QTextStream err(&errors_);
        const int status = ListDefects(args, out, err);
        out.flush();
        err.flush();
        return status;
    }

    QString output_;
    QString errors_;
};

TEST_F(DefectListingTest, ListsEveryDefectOrTheFilteredOnes)
{
    const QString path = NewDefectFile(QStringLiteral("缺陷浏览_T1.accdb"));
    {
        CFaultStore store;
        ASSERT_EQ(store.OpenFaultDBFile(path), 1);
        _FAULT_ first{-1, 0, 3, 120, 12, 45, 10, 20, 30, 40, 1, 0, 5, 0};
        _FAULT_ second{-1, 0, 4, 7, 0, 999, 1, 2, 3, 4, 2, 0, 6, 0};
        ASSERT_EQ(store.AddFaultRecord(first), 1);
        ASSERT_EQ(store.AddFaultRecord(second), 1);
    }

    EXPECT_EQ(List({path}), 0);
    EXPECT_EQ(output_, QStringLiteral("1\t5\t3\t120\tK12+045\t10\t20\t30\t40\t1\n"
                                      "2\t6\t4\t7\tK0+999\t1\t2\t3\t4\t2\n"));
    EXPECT_TRUE(errors_.isEmpty());

    const std::pair<QStringList, QString> filters[] = {
        {{path, "--channel", "6"}, "2\t"},
        {{"--state", "1", path}, "1\t"},
        {{path, "--type", "4", "--state", "2"}, "2\t"},
        {{path, "--channel", "5", "--state", "2"}, ""},
    };
    for (const auto& [args, startOfOnlyLine] : filters) {
        EXPECT_EQ(List(args), 0) << args.join(' ').toStdString();
        EXPECT_EQ(output_.count(u'\n'), startOfOnlyLine.isEmpty() ? 0 : 1) << args.join(' ').toStdString();
        EXPECT_EQ(output_.left(startOfOnlyLine.size()), startOfOnlyLine);
    }
}

TEST_F(DefectListingTest, RefusesMissingFilesForeignFilesAndBadArguments)
{
    const QString foreign = RootPath(QStringLiteral("foreign.accdb"));
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text, no database");
    file.close();
    const QString good = NewDefectFile(QStringLiteral("good.accdb"));

    const std::pair<QStringList, int> cases[] = {
        {{foreign}, 1},
        {{RootPath(QStringLiteral("absent.accdb"))}, 1},
        {{}, 2},
        {{good, "--channel"}, 2},
        {{good, "--state", "valid"}, 2},
        {{good, "--colour", "1"}, 2},
        {{good, good}, 2},
    };
    for (const auto& [args, status] : cases) {
        EXPECT_EQ(List(args), status) << args.join(' ').toStdString();
        EXPECT_TRUE(output_.isEmpty());
        EXPECT_FALSE(errors_.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_EQ(List({foreign}), 1);
    EXPECT_TRUE(errors_.contains(QStringLiteral("is not a defect file"))) << errors_.toStdString();
    EXPECT_TRUE(prompts_.Prompts().isEmpty()) << "no message box from a console command";
}
}
