#include "CLumetraProgressDlg.h"
#include "CPromptRecorder.h"

#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace
{
using namespace std::chrono_literals;

const QString Heading = QStringLiteral("正在打开任务，请耐心等待......");

QLabel* LabelOf(CLumetraProgressDlg& dialog, const char* name)
{
    return dialog.findChild<QLabel*>(QString::fromLatin1(name));
}

QProgressBar* BarOf(CLumetraProgressDlg& dialog) { return dialog.findChild<QProgressBar*>("progress1025"); }

// Waits on the worker until the test, running on the user-interface thread,
// lets it go.
class Gate
{
public:
    void Open() { open_ = true; }
    void WaitOpen() const
    {
        while (!open_)
            std::this_thread::sleep_for(1ms);
    }

private:
    std::atomic<bool> open_{false};
};

TEST(ProgressDialogTest, WorkerReportsPositionAndMessageAndTheDialogEnds)
{
    CLumetraProgressDlg dialog;
    std::atomic<bool> ranOnWorker{false};
    const auto mainThread = std::this_thread::get_id();
    const int result = dialog.RunModal(QStringLiteral("正在打开任务"), 0, 100, Heading, [&](IPrgDlgNotify* notify) {
        ranOnWorker = std::this_thread::get_id() != mainThread;
        notify->SetPos(40);
        notify->SetMessage(QStringLiteral("正在加载任务缺陷数据..."));
    });
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(ranOnWorker);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("正在打开任务"));
    EXPECT_EQ(LabelOf(dialog, "label1004")->text(), Heading);
    EXPECT_EQ(LabelOf(dialog, "label1005")->text(), QStringLiteral("正在加载任务缺陷数据..."));
    EXPECT_EQ(BarOf(dialog)->value(), 40);
    EXPECT_FALSE(dialog.isVisible());
}

struct PositionCase
{
    int low;
    int high;
    int position;
    int minimum;
    int maximum;
    int shown;
};

TEST(ProgressDialogTest, PositionIsHeldWithinTheRange)
{
    const PositionCase cases[] = {
        {0, 100, 250, 0, 100, 100},
        {10, 100, 3, 10, 100, 10},
        {0, 100, 100, 0, 100, 100},
        {-5, 70000, 70000, 0, 65535, 65535},
    };
    for (const PositionCase& c : cases) {
        CLumetraProgressDlg dialog;
        dialog.RunModal(QStringLiteral("任务导入"), c.low, c.high, Heading,
                        [&](IPrgDlgNotify* notify) { notify->SetPos(c.position); });
        EXPECT_EQ(BarOf(dialog)->minimum(), c.minimum) << c.position;
        EXPECT_EQ(BarOf(dialog)->maximum(), c.maximum) << c.position;
        EXPECT_EQ(BarOf(dialog)->value(), c.shown) << c.position;
    }
}

TEST(ProgressDialogTest, ManyMessagesEndWithTheLastText)
{
    CLumetraProgressDlg dialog;
    QStringList shown;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { shown << LabelOf(dialog, "label1005")->text(); });
    sampler.start(0);
    dialog.RunModal(QStringLiteral("缺陷图像导出"), 0, 100, Heading, [](IPrgDlgNotify* notify) {
        for (int i = 0; i < 5000; ++i)
            notify->SetMessage(QStringLiteral("第%1条消息，内容较长以便撕裂可见").arg(i));
    });
    sampler.stop();
    EXPECT_EQ(LabelOf(dialog, "label1005")->text(), QStringLiteral("第4999条消息，内容较长以便撕裂可见"));
    const QRegularExpression whole(QStringLiteral("^(第\\d+条消息，内容较长以便撕裂可见|%1)$").arg(Heading));
    for (const QString& text : shown)
        EXPECT_TRUE(whole.match(text).hasMatch()) << text.toStdString();
}

TEST(ProgressDialogTest, EnterEscapeAndCloseDoNothingWhileTheWorkRuns)
{
    CLumetraProgressDlg dialog;
    Gate gate;
    bool stillOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTest::keyClick(&dialog, Qt::Key_Enter);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        QTest::qWait(50);
        stillOpen = dialog.isVisible();
        gate.Open();
    });
    const int result = dialog.RunModal(QStringLiteral("正在打开任务"), 0, 100, Heading,
                                       [&](IPrgDlgNotify*) { gate.WaitOpen(); });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, 2);
}

TEST(ProgressDialogTest, ShowMessageBlocksTheWorkerUntilAnswered)
{
    std::atomic<bool> workerPassedPrompt{false};
    bool blockedWhileAsked = false;
    PromptRequest asked;
    const PromptHandler previous = SetPromptHandler([&](const PromptRequest& request) {
        asked = request;
        QTest::qWait(100);   // the user takes a while to answer
        blockedWhileAsked = !workerPassedPrompt;
        return 6;
    });
    CLumetraProgressDlg dialog;
    int answer = 0;
    dialog.RunModal(QStringLiteral("任务导入"), 0, 100, Heading, [&](IPrgDlgNotify* notify) {
        answer = notify->ShowMessage(QStringLiteral("继续导入吗?"), QStringLiteral("提示"), 4 | 32);
        workerPassedPrompt = true;
    });
    SetPromptHandler(previous);
    EXPECT_EQ(answer, 6);
    EXPECT_TRUE(blockedWhileAsked);
    EXPECT_EQ(asked.text, QStringLiteral("继续导入吗?"));
    EXPECT_EQ(asked.caption, QStringLiteral("提示"));
    EXPECT_EQ(asked.type, 36u);
}

// Something outside hides the dialog, which leaves its modal loop, while
// the work still runs and then asks the user: the prompt must still be
// answered and RunModal must wait for the work instead of joining a worker
// that waits for this thread.
TEST(ProgressDialogTest, ModalLoopLeftFromOutsideStillServesTheWorkUntilItFinishes)
{
    const PromptHandler previous = SetPromptHandler([](const PromptRequest&) { return 6; });
    CLumetraProgressDlg dialog;
    Gate gate;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.hide();
        gate.Open();
    });
    std::atomic<bool> workDone{false};
    int answer = 0;
    const int result = dialog.RunModal(QStringLiteral("任务导入"), 0, 100, Heading, [&](IPrgDlgNotify* notify) {
        gate.WaitOpen();
        answer = notify->ShowMessage(QStringLiteral("继续导入吗?"), QStringLiteral("提示"), 4);
        notify->SetPos(70);
        workDone = true;
    });
    SetPromptHandler(previous);
    EXPECT_TRUE(workDone);
    EXPECT_EQ(answer, 6);
    EXPECT_EQ(BarOf(dialog)->value(), 70);
    EXPECT_EQ(result, 2);
}

TEST(ProgressDialogTest, NullWorkOpensAndClosesAtOnce)
{
    CLumetraProgressDlg dialog;
    EXPECT_EQ(dialog.RunModal(QStringLiteral("正在打开任务"), 0, 100, Heading, nullptr, nullptr), 2);
    EXPECT_EQ(dialog.RunModal(QStringLiteral("正在打开任务"), 0, 100, Heading, CLumetraProgressDlg::Work()), 2);
    EXPECT_EQ(LabelOf(dialog, "label1005")->text(), Heading);
}

// The worker's thread-exit cleanup finishes (slowly) before RunModal returns.
std::atomic<bool> workerThreadEnded{false};

struct ThreadEndMarker
{
    ~ThreadEndMarker()
    {
        std::this_thread::sleep_for(100ms);
        workerThreadEnded = true;
    }
};

void WorkThatMarksItsThreadEnd(void* context, IPrgDlgNotify*)
{
    thread_local ThreadEndMarker marker;
    (void)marker;
    *static_cast<int*>(context) += 1;
}

TEST(ProgressDialogTest, WorkerThreadIsJoinedWhenRunModalReturns)
{
    int calls = 0;
    {
        CLumetraProgressDlg dialog;
        dialog.RunModal(QStringLiteral("正在打开任务"), 0, 100, Heading, &WorkThatMarksItsThreadEnd, &calls);
        EXPECT_TRUE(workerThreadEnded);
    }
    EXPECT_EQ(calls, 1);
}

// Not run by default: shows the dialog for a few seconds for a look by hand
// (xvfb-run with QT_QPA_PLATFORM=xcb).
TEST(ProgressDialogTest, DISABLED_ShowForALook)
{
    CLumetraProgressDlg dialog;
    dialog.RunModal(QStringLiteral("正在打开任务"), 0, 100, Heading, [](IPrgDlgNotify* notify) {
        notify->SetPos(45);
        notify->SetMessage(QStringLiteral("正在加载任务缺陷数据..."));
        std::this_thread::sleep_for(4s);
        notify->ShowMessage(QStringLiteral("当前没有可以添加的有效文件!添加任务失败!"), QStringLiteral("提示"), 64);
        notify->SetPos(90);
        notify->SetMessage(QStringLiteral("正在准备绘图......"));
        std::this_thread::sleep_for(3s);
    });
}
}
