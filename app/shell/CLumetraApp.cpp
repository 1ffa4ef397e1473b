#include "CLumetraApp.h"

#include "CAboutDlg.h"
#include "CConnectionDescriptor.h"
#include "CGlobalObject.h"
#include "CMainFrame.h"
#include "CDBErrorReporter.h"
#include "ProgramDirectory.h"
#include "ShowPrompt.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QScreen>
#include <QSettings>

Q_LOGGING_CATEGORY(lcApp, "lumetra.app")

CLumetraApp::CLumetraApp(CGlobalObject& global, QObject* parent) : QObject(parent), global_(global) {}

CLumetraApp::~CLumetraApp()
{
    if (qApp)
        qApp->removeEventFilter(this);
    delete frame_;
}

CMainFrame* CLumetraApp::MainFrame() const { return frame_; }

QString CLumetraApp::ConnectionStringFor(const QString& programDirectory)
{
    return CConnectionDescriptor::ForSQLiteFile(QDir(programDirectory).filePath(QStringLiteral("db/basedata.mdb")));
}

bool CLumetraApp::InitInstance()
{
    QCoreApplication::setOrganizationName(QLatin1String(SettingsKey));
    QCoreApplication::setApplicationName(QStringLiteral("Lumetra"));
    QGuiApplication::setDesktopFileName(QLatin1String(ApplicationId));
    qApp->installEventFilter(this);

    installStoreMessageBox();
    connectBaseDatabase();
    discardSavedWindowState();

    frame_ = new CMainFrame(global_);
    // Without a window manager "maximised" means nothing: start at the size
    // of the screen so the window is usable either way.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame_->setGeometry(screen->availableGeometry());
    frame_->showMaximized();
    frame_->CreateImageControl();
    return true;
}

int CLumetraApp::ExitInstance()
{
    delete frame_;
    global_.ReleaseDBInterface();
    CDBErrorReporter::Install({});
    return 0;
}

void CLumetraApp::OnAppAbout()
{
    CAboutDlg about(frame_);
    about.exec();
}

void CLumetraApp::installStoreMessageBox()
{
    CDBErrorReporter::Install([](const QString& text) { ShowPrompt(nullptr, text, QStringLiteral("提示"), 0); });
}

void CLumetraApp::connectBaseDatabase()
{
    ILumetraDBInterface* store = global_.GetDBInterface();
    if (store && store->ConnectDB(ConnectionStringFor(ProgramDirectory())) == 1) {
        global_.SetDBConnected(1);
        int mmPerImage = CGlobalObject::DefaultMMPerImage;
        store->GetAppOptionInt(QStringLiteral("MMPerImage"), mmPerImage);
        global_.SetMMPerImage(mmPerImage);
        return;
    }
    if (store)
        qCWarning(lcApp) << store->GetLastErrorText();
    ShowPrompt(nullptr, QStringLiteral("本地基础数据库连接失败\r\n请检查本地数据库文件是否能正常访问"));
    global_.SetDBConnected(0);
}

void CLumetraApp::discardSavedWindowState()
{
    // Window, ribbon and pane layout always start from the built-in layout.
    QSettings settings;
    settings.clear();
}

bool CLumetraApp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F12)
        return true;
    // A key travels from the window to the focus widget and up its parents as
    // one event; route it once.
    if (watched->isWindowType() || (event == lastRoutedKey_ && key->timestamp() == lastRoutedTimestamp_))
        return false;
    lastRoutedKey_ = event;
    lastRoutedTimestamp_ = key->timestamp();
    return routeKeyPress(key);
}

bool CLumetraApp::routeKeyPress(QKeyEvent* event)
{
    if (!global_.IsTaskOpen() || !frame_)
        return false;
    if (frame_->HandleFixedKey(event))
        return true;
    // The hotkeys never consume the key; the defect list acts on the match.
    global_.MatchHotKey(event->key(), event->modifiers());
    return false;
}
