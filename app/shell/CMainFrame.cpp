#include "CMainFrame.h"

#include "CAppOptions.h"
#include "CDrawingOptions.h"
#include "CGlobalObject.h"
#include "CLumetraView.h"
#include "CMessageEvent.h"
#include "ILumetraDrawControlCore.h"
#include "LumetraImageExport.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace {
constexpr int ShowCommandShow = 5;
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

CMainFrame::CMainFrame(CGlobalObject& global, QWidget* parent) : QMainWindow(parent), global_(global)
{
    global_.SetMainFrame(this);
    bindChannelSlotCommands();
    setWindowTitle(QStringLiteral("Kandrel(64位版本)"));
    setObjectName(QStringLiteral("CMainFrame"));

    view_ = new CLumetraView(this);
    view_->setObjectName(QStringLiteral("CLumetraView"));
    view_->SetFrame(this);
    setCentralWidget(view_);

    createStatusBar();
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &CMainFrame::showTime);
    clock_->start();

    SwitchLook(CAppOptions(global_.GetDBInterface()).Int("AppLook"));
}

CMainFrame::~CMainFrame()
{
    clock_->stop();
    destroyImageControl();
    if (global_.GetMainFrame() == this)
        global_.SetMainFrame(nullptr);
}

void CMainFrame::destroyImageControl()
{
    if (!control_)
        return;
    control_->RemoveAll();
    control_->Destroy();
    control_ = nullptr;
}

void CMainFrame::bindChannelSlotCommands()
{
    auto& channelSlots = global_.GetChannelSlots();
    for (size_t i = 0; i < channelSlots.size(); ++i)
        channelSlots[i].CommandId = ChannelCommandIds[i];
}

void CMainFrame::createStatusBar()
{
    databaseStatus_ = addStatusElement(QStringLiteral("数据库状态   "), QStringLiteral("数据库状态               ."),
                                       QStringLiteral("status105"), false);
    taskStatus_ = addStatusElement(QStringLiteral("当前打开任务"), QStringLiteral("当前打开任务：没有任何任务被打开!."),
                                   QStringLiteral("status104"), false);
    timeStatus_ = addStatusElement(QStringLiteral("系统时间"), QString(), QStringLiteral("status121"), true);
    showTime();
}

QLabel* CMainFrame::addStatusElement(const QString& label, const QString& text, const QString& objectName,
                                     bool permanent)
{
    auto* element = new QLabel(text);
    element->setObjectName(objectName);
    element->setToolTip(label.trimmed());
    if (permanent)
        statusBar()->addPermanentWidget(element);
    else
        statusBar()->addWidget(element);
    return element;
}

void CMainFrame::showTime() { timeStatus_->setText(QDateTime::currentDateTime().toString(TimeFormat)); }

void CMainFrame::updateDatabaseStatus()
{
    databaseStatus_->setText(global_.IsDBConnected() ? QStringLiteral("数据库连接成功  ")
                                                     : QStringLiteral("数据库连接失败  "));
}

QString CMainFrame::DatabaseStatusText() const { return databaseStatus_->text(); }

QString CMainFrame::TaskStatusText() const { return taskStatus_->text(); }

void CMainFrame::CreateImageControl()
{
    if (control_ || !view_)
        return;
    void* created = nullptr;
    CreateImageCoreInstance(&created);
    control_ = static_cast<ILumetraDrawControlCore*>(created);
    control_->Create(QRect(0, 0, view_->width(), view_->height()), view_, ControlId, nullptr);

    ApplyDrawingOptions(true);
    control_->Show(ShowCommandShow);
    control_->SetNotify(this);
    const _IMAGE_ADJUST_STRUCT_ initialAdjust{0, 10, 1};
    control_->SetImageAdjust(&initialAdjust);

    control_->ClearFaultyStandards();
    std::vector<_FAULTY_STANDER_STRUCT_> standards;
    if (ILumetraDBInterface* store = global_.GetDBInterface())
        store->GetFaultyStandards(standards);
    control_->SetFaultyStandards(standards);

    global_.LoadTrackDefines();
    global_.LoadHotKeys();
    updateDatabaseStatus();
}

void CMainFrame::ApplyDrawingOptions(bool startUp)
{
    if (!control_)
        return;
    // The defect list takes "ReadOnly" too once the task pane exists.
    CDrawingOptions::Apply(*control_, CAppOptions(global_.GetDBInterface()), global_.GetDBInterface(), startUp);
}

void CMainFrame::SwitchLook(int lookId)
{
    look_ = lookId;
    if (ILumetraDBInterface* store = global_.GetDBInterface())
        store->SetAppOption(QStringLiteral("AppLook"), QString::number(lookId));
}

bool CMainFrame::HandleFixedKey(QKeyEvent*)
{
    // The key table of an open task is not wired yet.
    return false;
}

void CMainFrame::customEvent(QEvent* event)
{
    if (event->type() == CMessageEvent::TypeOf(Messages::ViewResized)) {
        if (control_) {
            const auto* message = static_cast<CMessageEvent*>(event);
            control_->MoveToRect(QRect(0, 0, int(message->WParam), int(message->LParam)), 1);
            control_->Layout();
        }
        return;
    }
    QMainWindow::customEvent(event);
}

void CMainFrame::OnCurrentImageChanged(unsigned image, int) { global_.SetCurrentImageNo(int(image)); }

void CMainFrame::OnZoomChanged(double) {}

int CMainFrame::OnFaultAdded(_FAULT_*)
{
    // Without an open defect store a new defect cannot be kept.
    return 0;
}

void CMainFrame::OnFaultModified(_FAULT_) {}

void CMainFrame::OnFaultDeleted(int) {}

void CMainFrame::OnFaultSelected(int, int) {}

void CMainFrame::OnSaveFaultImage(int, int) {}
