#pragma once
// The application: the start-up sequence, the exit, and the key routing that
// runs before any window sees a key. Lives on the user-interface thread beside
// the QApplication, which it watches through an application event filter.

#include <QObject>
#include <QPointer>

class CGlobalObject;
class CMainFrame;
class QKeyEvent;

class CLumetraApp : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* SettingsKey = "Lumetra2018_V1";
    static constexpr const char* ApplicationId = "Lumetra.AppID.NoVersio1n";

    explicit CLumetraApp(CGlobalObject& global, QObject* parent = nullptr);
    ~CLumetraApp() override;

    // The start-up sequence; false ends the process.
    bool InitInstance();
    // Closes the main window and releases the store.
    int ExitInstance();

    CMainFrame* MainFrame() const;

    // The About commands: the modal About box.
    void OnAppAbout();

    // The base database's connection string for a program directory.
    static QString ConnectionStringFor(const QString& programDirectory);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectBaseDatabase();
    void installStoreMessageBox();
    static void discardSavedWindowState();
    bool routeKeyPress(QKeyEvent* event);

    CGlobalObject& global_;
    QPointer<CMainFrame> frame_;
    const QEvent* lastRoutedKey_ = nullptr;
    quint64 lastRoutedTimestamp_ = 0;
};
