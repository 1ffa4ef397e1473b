#pragma once
// The modal progress dialog behind which every long operation runs. RunModal
// opens the dialog, starts the work on a worker thread as soon as the dialog
// is shown, and returns once the work has finished and its thread has been
// joined. The work reports through IPrgDlgNotify; nothing ends the dialog
// early: not Enter, Esc or the close button, and not a modal loop left from
// outside (the dialog hidden, the application quitting), after which events
// are still served until the work says Finish. Call RunModal on the user-interface
// thread; it costs what the work costs and reports no errors of its own.
//
// (A plain QDialog for now: the skinned dialog base with its caption band
// does not exist yet.)

#include "IPrgDlgNotify.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <mutex>
#include <thread>

class QLabel;
class QProgressBar;

class CLumetraProgressDlg : public QDialog, public IPrgDlgNotify
{
    Q_OBJECT

public:
    using WorkFunction = void (*)(void* context, IPrgDlgNotify* notify);
    using Work = std::function<void(IPrgDlgNotify* notify)>;

    // The private messages, numbered as WM_USER + n.
    static constexpr int FinishMessage = 1025;
    static constexpr int SetPosMessage = 1026;
    static constexpr int SetMessageMessage = 1027;
    // What RunModal answers: the dialog always ends as cancelled.
    static constexpr int ModalResult = 2;

    explicit CLumetraProgressDlg(QWidget* parent = nullptr);
    ~CLumetraProgressDlg() override;

    // The range is held within 0..65535. A null work opens and closes at once.
    int RunModal(const QString& title, int low, int high, const QString& text, WorkFunction work, void* context);
    int RunModal(const QString& title, int low, int high, const QString& text, Work work);

    void SetMessage(QString text) override;
    void SetPos(int position) override;
    void Finish() override;
    int ShowMessage(QString text, QString caption, int type) override;

    // Enter, Esc and the close command do nothing while the work runs.
    void accept() override {}
    void reject() override {}

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    void StartWorker();
    void JoinWorker();
    void RunWork();
    void ShowLatestMessage();
    void ShowPosition(int position);

    QLabel* heading_ = nullptr;        // 1004
    QProgressBar* progress_ = nullptr; // 1025
    QLabel* message_ = nullptr;        // 1005

    Work work_;
    std::thread worker_;
    bool workerStarted_ = false;
    bool finished_ = false;            // Finish handled; user-interface thread only
    std::mutex messageMutex_;
    QString messageText_;
};
