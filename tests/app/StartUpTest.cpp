// The start-up sequence in a temporary program directory, with and without
// the base database, and the key routing.

#include "CGlobalObject.h"
#include "CLumetraApp.h"
#include "CLumetraView.h"
#include "CMainFrame.h"
#include "CPromptRecorder.h"
#include "ConnectedStore.h"
#include "ILumetraDrawControlCore.h"

#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString DatabaseFailedText = QStringLiteral("本地基础数据库连接失败\r\n请检查本地数据库文件是否能正常访问");

// Counts the key presses that reach it.
class KeyCounter : public QWidget
{
public:
    int presses = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        ++presses;
        event->accept();
    }
};

} // namespace

TEST(StartUp, WithoutTheBaseDatabaseWarnsOnceAndRunsDisconnected)
{
    TempProgramDir dir;
    dir.copyResources();
    CPromptRecorder prompts;
    CGlobalObject global;
    CLumetraApp app(global);
    ASSERT_TRUE(app.InitInstance());

    ASSERT_EQ(prompts.Prompts().size(), 1);
    EXPECT_EQ(prompts.Prompts()[0].text, DatabaseFailedText);
    EXPECT_EQ(prompts.Prompts()[0].caption, "提示");
    EXPECT_EQ(prompts.Prompts()[0].type, 64u);
    EXPECT_EQ(global.IsDBConnected(), 0);
    EXPECT_EQ(global.GetMMPerImage(), 2000);
    EXPECT_TRUE(global.GetTrackDefines().empty());
    EXPECT_FALSE(QFile::exists(dir.databasePath())) << "a failed start creates no database";

    CMainFrame* frame = app.MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), "Kandrel(64位版本)");
    EXPECT_EQ(frame->DatabaseStatusText(), "数据库连接失败  ");
    const int commandIds[] = {32790, 32793, 32794, 32795, 32792, 32796};
    for (int i = 0; i < CGlobalObject::ChannelSlotCount; ++i) {
        EXPECT_EQ(global.GetChannelSlots()[i].CommandId, commandIds[i]);
        EXPECT_EQ(global.GetChannelSlots()[i].TrackId, -1);
    }
    ASSERT_NE(frame->ImageControl(), nullptr);
    EXPECT_NE(frame->ImageControl()->GetWindowHandle(), nullptr);
    app.ExitInstance();
    EXPECT_EQ(global.GetDBInterface(), nullptr);
}

TEST(StartUp, WithTheBaseDatabaseConnectsAndConfiguresTheControl)
{
    TempProgramDir dir;
    dir.createBaseDatabase();
    dir.copyResources();
    {
        const StoreHandle store = NewStore();
        ASSERT_EQ(store->ConnectDB(CLumetraApp::ConnectionStringFor(dir.path())), 1);
        ASSERT_EQ(store->SetAppOption("MMPerImage", "-5"), 1);
        ASSERT_EQ(store->SetAppOption("ZhenCount", "3"), 1);
    }
    CPromptRecorder prompts;
    CGlobalObject global;
    CLumetraApp app(global);
    ASSERT_TRUE(app.InitInstance());

    EXPECT_TRUE(prompts.Prompts().isEmpty());
    EXPECT_EQ(global.IsDBConnected(), 1);
    EXPECT_EQ(global.GetMMPerImage(), 2000) << "a stored -5 is not a length";
    EXPECT_EQ(global.GetTrackDefines().size(), 6u);
    CMainFrame* frame = app.MainFrame();
    EXPECT_EQ(frame->DatabaseStatusText(), "数据库连接成功  ");
    EXPECT_EQ(frame->ImageControl()->GetFramesPerScreen(), 3);
    EXPECT_DOUBLE_EQ(frame->ImageControl()->GetZoom(), 1.0);

    QString look;
    ASSERT_EQ(global.GetDBInterface()->GetAppOptionText("AppLook", look), 1);
    EXPECT_EQ(look, "215") << "the style switch writes the look back at every start";
    app.ExitInstance();
}

TEST(StartUp, ControlFollowsTheViewSize)
{
    TempProgramDir dir;
    CPromptRecorder prompts;
    CGlobalObject global;
    CLumetraApp app(global);
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.MainFrame();
    frame->showNormal();
    frame->resize(900, 700);
    QApplication::processEvents();
    QApplication::processEvents();
    QWidget* window = frame->ImageControl()->GetWindowHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), frame->View()->size());
    app.ExitInstance();
}

TEST(StartUp, SavedWindowStateIsDiscardedAtEveryStart)
{
    TempProgramDir dir;
    CPromptRecorder prompts;
    QSettings(CLumetraApp::SettingsKey, "Lumetra").setValue("MainFrame/State", 42);
    CGlobalObject global;
    CLumetraApp app(global);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(QSettings().contains("MainFrame/State"));
    app.ExitInstance();
}

TEST(KeyRouting, F12IsSwallowedAnywhere)
{
    TempProgramDir dir;
    CPromptRecorder prompts;
    CGlobalObject global;
    CLumetraApp app(global);
    ASSERT_TRUE(app.InitInstance());
    KeyCounter widget;
    widget.show();
    QTest::keyClick(&widget, Qt::Key_F12);
    EXPECT_EQ(widget.presses, 0);
    QTest::keyClick(&widget, Qt::Key_F11);
    EXPECT_EQ(widget.presses, 1);
    app.ExitInstance();
}
