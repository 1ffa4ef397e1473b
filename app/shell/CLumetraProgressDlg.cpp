#include "CLumetraProgressDlg.h"

#include "CMessageBoxStyle.h"
#include "CMessageEvent.h"
#include "ShowPrompt.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QProgressBar>
#include <QShowEvent>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

Q_LOGGING_CATEGORY(lcProgress, "lumetra.progress")

namespace
{
// The progress control keeps its range in two 16-bit halves.
constexpr int RangeLimit = 65535;

// Dialog units of the designed layout turned into pixels of the dialog font.
struct DialogUnits
{
    explicit DialogUnits(const QFontMetrics& metrics)
        : x(metrics.averageCharWidth() / 4.0), y(metrics.height() / 8.0)
    {
    }
    int Width(int units) const { return qRound(units * x); }
    int Height(int units) const { return qRound(units * y); }
    double x;
    double y;
};
}

CLumetraProgressDlg::CLumetraProgressDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("进度对话框"));
    setModal(true);
    BuildLayout();
}

CLumetraProgressDlg::~CLumetraProgressDlg() { JoinWorker(); }

int CLumetraProgressDlg::RunModal(const QString& title, int low, int high, const QString& text, WorkFunction work,
                                  void* context)
{
    Work bound;
    if (work)
        bound = [work, context](IPrgDlgNotify* notify) { work(context, notify); };
    return RunModal(title, low, high, text, std::move(bound));
}

int CLumetraProgressDlg::RunModal(const QString& title, int low, int high, const QString& text, Work work)
{
    work_ = std::move(work);
    setWindowTitle(title);
    heading_->setText(text);
    message_->setText(text);
    {
        std::lock_guard lock(messageMutex_);
        messageText_ = text;
    }
    low = std::clamp(low, 0, RangeLimit);
    high = std::clamp(high, 0, RangeLimit);
    progress_->setRange(low, std::max(low, high));
    progress_->setValue(low);

    workerStarted_ = false;
    finished_ = false;
    exec();
    // Only Finish ends the dialog. A modal loop left early (the dialog
    // hidden, the application quitting) would make the join below wait for
    // a worker that may itself wait for this thread (a prompt), so events
    // are served until the work is done. A new modal loop would not do:
    // after the application quits it returns at once.
    while (!finished_)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The work ends before Finish is posted, so this wait is short; nothing
    // the worker uses may be freed while it still runs.
    JoinWorker();
    work_ = nullptr;
    return result();
}

void CLumetraProgressDlg::SetMessage(QString text)
{
    {
        std::lock_guard lock(messageMutex_);
        messageText_ = std::move(text);
    }
    QCoreApplication::postEvent(this, new CMessageEvent(SetMessageMessage));
}

void CLumetraProgressDlg::SetPos(int position)
{
    QCoreApplication::postEvent(this, new CMessageEvent(SetPosMessage, position));
}

void CLumetraProgressDlg::Finish() { QCoreApplication::postEvent(this, new CMessageEvent(FinishMessage)); }

int CLumetraProgressDlg::ShowMessage(QString text, QString caption, int type)
{
    const auto prompt = [&] { return ShowPrompt(this, text, caption, static_cast<unsigned>(type)); };
    if (QThread::currentThread() == thread())
        return prompt();
    int result = MessageBoxCodes::IdClosed;
    QMetaObject::invokeMethod(this, [&] { result = prompt(); }, Qt::BlockingQueuedConnection);
    return result;
}

bool CLumetraProgressDlg::event(QEvent* event)
{
    switch (CMessageEvent::MessageOf(event->type())) {
    case FinishMessage:
        finished_ = true;
        done(ModalResult);
        return true;
    case SetPosMessage:
        ShowPosition(static_cast<int>(static_cast<CMessageEvent*>(event)->WParam));
        return true;
    case SetMessageMessage:
        ShowLatestMessage();
        return true;
    default:
        return QDialog::event(event);
    }
}

void CLumetraProgressDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!workerStarted_)
        StartWorker();
}

void CLumetraProgressDlg::closeEvent(QCloseEvent* event) { event->ignore(); }

void CLumetraProgressDlg::BuildLayout()
{
    const DialogUnits units(fontMetrics());
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("label1004"));
    heading_->setWordWrap(true);
    heading_->setFixedHeight(units.Height(20));

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress1025"));
    progress_->setTextVisible(false);
    progress_->setFixedHeight(units.Height(14));

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("label1005"));
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message_->setFixedHeight(units.Height(48));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.Width(7), units.Height(7), units.Width(7), units.Height(7));
    layout->setSpacing(units.Height(6));
    layout->addWidget(heading_);
    layout->addWidget(progress_);
    layout->addWidget(message_);
    setFixedSize(units.Width(309), units.Height(113));
}

void CLumetraProgressDlg::StartWorker()
{
    JoinWorker();
    workerStarted_ = true;
    worker_ = std::thread([this] { RunWork(); });
}

void CLumetraProgressDlg::JoinWorker()
{
    if (worker_.joinable())
        worker_.join();
}

void CLumetraProgressDlg::RunWork()
{
    // An escaping exception would end the program from this thread; the
    // dialog must still close, and the caller's data tells what was done.
    try {
        if (work_)
            work_(this);
    } catch (const std::exception& error) {
        qCCritical(lcProgress) << "the work behind the progress dialog failed:" << error.what();
    } catch (...) {
        qCCritical(lcProgress) << "the work behind the progress dialog failed";
    }
    Finish();
}

void CLumetraProgressDlg::ShowLatestMessage()
{
    QString text;
    {
        std::lock_guard lock(messageMutex_);
        text = messageText_;
    }
    // Set outside the lock: the worker never waits for a repaint.
    message_->setText(text);
}

// The bar shows full above the range and empty below it, as the progress
// control of the design does; QProgressBar would ignore such a value.
void CLumetraProgressDlg::ShowPosition(int position)
{
    progress_->setValue(std::clamp(position, progress_->minimum(), progress_->maximum()));
}
