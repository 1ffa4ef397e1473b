// The global object's rules: millimetres per image, the readers set, channel
// definitions, hotkeys and the accelerator labels.

#include "AcceleratorLabel.h"
#include "CGlobalObject.h"
#include "FakeFrameReader.h"
#include "TempProgramDir.h"

#include <gtest/gtest.h>


TEST(GlobalObject, StartsWithTheDesignedValues)
{
    TempProgramDir dir;
    CGlobalObject global;
    EXPECT_NE(global.GetDBInterface(), nullptr);
    EXPECT_EQ(global.GetCurrentImageNo(), 1);
    EXPECT_EQ(global.IsTaskOpen(), 0);
    EXPECT_EQ(global.IsDBConnected(), 0);
    EXPECT_EQ(global.GetMMPerImage(), 2000);
    EXPECT_EQ(global.GetReportRailSide(), 0);
    ASSERT_NE(global.GetBackgroundBrush(), nullptr);
    EXPECT_EQ(global.GetBackgroundBrush()->color(), QColor(Qt::white));
    EXPECT_EQ(global.GetHotKeyFile(), dir.filePath("hotkey.ini"));
    for (const auto& slot : global.GetChannelSlots()) {
        EXPECT_EQ(slot.Element, nullptr);
        EXPECT_EQ(slot.Shown, 0);
        EXPECT_EQ(slot.TrackId, -1);
    }
}

TEST(GlobalObject, MillimetresPerImageFallBackTo2000)
{
    CGlobalObject global;
    for (const auto& [stored, expected] : {std::pair{1500, 1500}, {0, 2000}, {-5, 2000}, {1, 1}}) {
        global.SetMMPerImage(stored);
        EXPECT_EQ(global.GetMMPerImage(), expected) << stored;
    }
}

TEST(GlobalObject, TaskIsOpenWhileACurrentTaskIsHeld)
{
    CGlobalObject global;
    auto task = std::make_unique<CGlobalObject::Task>();
    task->TaskName = "K12+300 上行";
    global.SetCurrentTask(std::move(task));
    EXPECT_EQ(global.IsTaskOpen(), 1);
    EXPECT_EQ(global.GetCurrentTask()->TaskName, "K12+300 上行");
    global.SetCurrentTask(nullptr);
    EXPECT_EQ(global.IsTaskOpen(), 0);
}

TEST(ReaderSet, RemembersLargestAndSpecialChannelsAndDeletesOnClear)
{
    const int destroyedBefore = FakeFrameReader::destructions;
    CReaderSet set;
    EXPECT_EQ(set.LastImageNumber(), 0);
    auto* small = new FakeFrameReader(10, 2048, 2000, 1010);
    auto* a = new FakeFrameReader(30, 2048, 2000, 1030);
    auto* sameSize = new FakeFrameReader(30, 2048, 2000, 1070);
    set.Add(small);
    EXPECT_EQ(set.Largest(), small);
    set.Add(a);
    set.Add(sameSize);
    EXPECT_EQ(set.Largest(), a) << "an equal count does not replace the largest";
    EXPECT_EQ(set.Channel1030(), a);
    EXPECT_EQ(set.Channel1070(), sameSize);
    EXPECT_EQ(set.LastImageNumber(), 30);

    set.Clear();
    EXPECT_EQ(FakeFrameReader::destructions - destroyedBefore, 3);
    EXPECT_TRUE(set.Readers().empty());
    EXPECT_EQ(set.Largest(), nullptr);
    EXPECT_EQ(set.Channel1030(), nullptr);
    EXPECT_EQ(set.Channel1070(), nullptr);
}

TEST(GlobalObject, TrackDefinesComeFromTheStore)
{
    TempProgramDir dir;
    dir.createBaseDatabase();
    CGlobalObject global;
    ASSERT_EQ(global.GetDBInterface()->ConnectDB(dir.connectionString()), 1);
    EXPECT_EQ(global.LoadTrackDefines(), 1);
    ASSERT_EQ(global.GetTrackDefines().size(), 6u);
    const int firstId = global.GetTrackDefines().front().TrackID;
    ASSERT_NE(global.FindTrackDefine(firstId), nullptr);
    EXPECT_EQ(global.FindTrackDefine(firstId)->TrackName, "左外");
    EXPECT_EQ(global.FindTrackDefine(-42), nullptr);
}

TEST(GlobalObject, HotKeysRoundTripThroughTheFileAndMatchTheKeyboardState)
{
    TempProgramDir dir;
    CGlobalObject global;
    global.LoadHotKeys();
    std::vector<_HOT_KEY_STRUCT_> none;
    global.CopyHotKeys(none);
    EXPECT_TRUE(none.empty()) << "a missing file is an empty list";

    const std::vector<_HOT_KEY_STRUCT_> keys = {{0, "无", "A"}, {1, "Ctrl", "A"}, {2, "Shift", "7"}};
    ASSERT_TRUE(global.SaveHotKeys(keys));
    global.LoadHotKeys();
    std::vector<_HOT_KEY_STRUCT_> loaded;
    global.CopyHotKeys(loaded);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0].Modifier, "无");
    EXPECT_EQ(loaded[2].AlphaKey, "7");

    EXPECT_EQ(global.MatchHotKey(Qt::Key_A, Qt::NoModifier), 0);
    EXPECT_EQ(global.MatchHotKey(Qt::Key_A, Qt::ControlModifier), 1);
    EXPECT_EQ(global.MatchHotKey(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier), 1);
    EXPECT_EQ(global.MatchHotKey(Qt::Key_7, Qt::ShiftModifier), 2);
    EXPECT_EQ(global.MatchHotKey(Qt::Key_7, Qt::NoModifier), -1);
    EXPECT_EQ(global.MatchHotKey(Qt::Key_B, Qt::NoModifier), -1);

    EXPECT_EQ(global.GetHotKeyLabel(1), "\tCtrl+A");
    EXPECT_EQ(global.GetHotKeyLabel(3), "");
}

TEST(AcceleratorLabel, LettersThenDigitsThenNothing)
{
    const std::pair<int, const char*> cases[] = {{0, "(&A)"}, {25, "(&Z)"}, {26, "(&1)"},
                                                 {34, "(&9)"}, {35, "(&0)"}, {36, ""},
                                                 {-1, ""}};
    for (const auto& [index, label] : cases)
        EXPECT_EQ(AcceleratorLabel(index), QString::fromUtf8(label)) << index;
}
