// The message box: buttons, icon and result code by type, and the dialog as
// the user sees it.

#include "CMessageBox.h"
#include "CPromptRecorder.h"
#include "ShowPrompt.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using Icon = CMessageBoxStyle::Icon;

TEST(MessageBoxStyle, ButtonsIconAndResultFollowTheType)
{
    struct Case
    {
        unsigned type;
        QStringList buttons;
        Icon icon;
        int first, second, closed;
    };
    const Case cases[] = {
        {64, {"确定"}, Icon::Information, 1, 2, 8},
        {0, {"确定"}, Icon::Information, 1, 2, 8},
        {4, {"是", "否"}, Icon::Information, 6, 7, 8},
        {4 | 0x20, {"是", "否"}, Icon::Question, 6, 7, 8},
        {1, {"确定", "取消"}, Icon::Information, 1, 2, 8},
        {0x30, {"确定"}, Icon::Warning, 1, 2, 8},
        {0x10, {"确定"}, Icon::Error, 1, 2, 8},
        {0x14, {"是", "否"}, Icon::Error, 6, 7, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(CMessageBoxStyle::ButtonTexts(c.type), c.buttons);
        EXPECT_EQ(CMessageBoxStyle::IconFor(c.type), c.icon);
        EXPECT_EQ(CMessageBoxStyle::ResultFor(c.type, 1), c.first);
        EXPECT_EQ(CMessageBoxStyle::ResultFor(c.type, 2), c.second);
        EXPECT_EQ(CMessageBoxStyle::ResultFor(c.type, 0), c.closed);
    }
}

namespace {

// Clicks the named button of the box that is running modally.
int runAndClick(CMessageBox& box, const QString& buttonName)
{
    QTimer::singleShot(0, &box, [&box, buttonName] {
        auto* button = box.findChild<QPushButton*>(buttonName);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    });
    return box.RunModal();
}

} // namespace

TEST(MessageBox, YesAndNoAnswerSixAndSeven)
{
    CMessageBox yes(nullptr, "继续?", "提示", 4);
    EXPECT_EQ(runAndClick(yes, "button1"), 6);
    CMessageBox no(nullptr, "继续?", "提示", 4);
    EXPECT_EQ(runAndClick(no, "button2"), 7);
}

TEST(MessageBox, ClosedWithoutAButtonAnswersEight)
{
    CMessageBox box(nullptr, "文本", "提示", 1);
    QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(box.RunModal(), 8);
}

TEST(MessageBox, InformationBoxShowsOneCentredOkButton)
{
    CMessageBox box(nullptr, "本地基础数据库连接失败\r\n请检查本地数据库文件是否能正常访问", "提示", 64);
    box.show();
    QApplication::processEvents();
    ASSERT_EQ(box.Buttons().size(), 1);
    QPushButton* ok = box.Buttons().front();
    EXPECT_EQ(ok->text(), "确定");
    const int centre = ok->mapTo(&box, ok->rect().center()).x();
    EXPECT_NEAR(centre, box.width() / 2, 12);
    EXPECT_EQ(box.ShownIcon(), Icon::Information);
    EXPECT_EQ(box.windowTitle(), "提示");
    EXPECT_FALSE(box.Text().contains('\r'));
}

TEST(MessageBox, LongTextGrowsTheBoxShortTextKeepsItsSize)
{
    CMessageBox shortBox(nullptr, "短", "提示", 64);
    shortBox.adjustSize();
    EXPECT_EQ(shortBox.size(), QSize(CMessageBox::BaseWidth, CMessageBox::BaseHeight));

    QString longText;
    for (int i = 0; i < 40; ++i)
        longText += QStringLiteral("第%1行：数据文件不存在或不可访问\n").arg(i);
    CMessageBox longBox(nullptr, longText, "提示", 64);
    longBox.adjustSize();
    EXPECT_GT(longBox.height(), CMessageBox::BaseHeight);
    EXPECT_GE(longBox.width(), CMessageBox::BaseWidth);
}

TEST(ShowPrompt, RecorderSeesEveryPromptAndAnswersInTurn)
{
    CPromptRecorder recorder(1);
    recorder.QueueAnswer(7);
    EXPECT_EQ(ShowPrompt(nullptr, "删除?", "提示", 4), 7);
    EXPECT_EQ(ShowPrompt(nullptr, "完成"), 1);
    ASSERT_EQ(recorder.Prompts().size(), 2);
    EXPECT_EQ(recorder.Prompts()[0].text, "删除?");
    EXPECT_EQ(recorder.Prompts()[0].type, 4u);
    EXPECT_EQ(recorder.Prompts()[1].caption, "提示");
    EXPECT_EQ(recorder.Prompts()[1].type, 64u);
}
