// The control's settings without a window: initial values, clamping, the
// copies it keeps, and the IImageWnd operations its tracks use.
#include "CTrackImageDrawObject.h"
#include "LumetraImageExport.h"
#include "RecordingNotify.h"
#include "WarningCapture.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <memory>

namespace {

class ControlSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { control->SetNotify(&notify); }

    RecordingNotify notify;
    std::unique_ptr<CTrackImageDrawObject> control = std::make_unique<CTrackImageDrawObject>();
};

} // namespace

TEST(ControlFactoryTest, CreatesAControlWithoutWindow)
{
    void* out = nullptr;
    ASSERT_EQ(CreateImageCoreInstance(&out), 1);
    auto* control = static_cast<ILumetraDrawControlCore*>(out);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetWindowHandle(), nullptr);
    control->Destroy();

    EXPECT_EQ(CreateImageCoreInstance(nullptr), 0);
}

TEST_F(ControlSettingsTest, StartsWithItsInitialValues)
{
    EXPECT_EQ(control->GetZoom(), 0.0);
    EXPECT_EQ(control->GetBackColor(), 0xFFFFFFu);
    EXPECT_EQ(control->GetForeColor(), 0u);
    EXPECT_EQ(control->GetForeColorArgb(), 0xFF000000u);
    EXPECT_EQ(control->GetHorzAlign(), 0);
    EXPECT_EQ(control->GetVertAlign(), 0);
    EXPECT_EQ(control->GetFramesPerScreen(), 0);
    EXPECT_EQ(control->GetPaintMode(), 0);
    EXPECT_EQ(control->GetVScrollSpeed(), 0);
    EXPECT_EQ(control->GetHScrollSpeed(), 0);
    EXPECT_EQ(control->GetDivLine(), 0);
    EXPECT_EQ(control->GetDivFull(), 0);
    EXPECT_EQ(control->GetBlueBox(), 0);
    EXPECT_EQ(control->GetDropBox(), 0);
    EXPECT_EQ(control->GetThreadLoad(), 0);
    EXPECT_EQ(control->GetExchangeLR(), 0);
    EXPECT_EQ(control->GetReadOnly(), 0);
    EXPECT_EQ(control->GetStackedLayout(), 0);
    EXPECT_EQ(control->GetMarkMode(), 0);
    EXPECT_EQ(control->GetRulerMode(), 0);
    const _IMAGE_ADJUST_STRUCT_ adjust = control->GetImageAdjust();
    EXPECT_EQ(adjust.Brightness, -999);
    EXPECT_EQ(adjust.Contrast, -999);
    EXPECT_EQ(adjust.Clarity, -999);
    EXPECT_EQ(control->GetSelectedFaultId(), 0);
    EXPECT_EQ(control->GetActiveTrackId(), 0);
    EXPECT_EQ(control->GetCurrentImage(), 1);
    EXPECT_EQ(control->GetMaxFrames(), -1);
    EXPECT_EQ(control->IsEngineReady(), 0);
    EXPECT_EQ(control->GetLargeFont(), nullptr);
    EXPECT_EQ(control->GetSmallFont(), nullptr);
    EXPECT_EQ(control->GetReservedValue(), 0);
}

TEST_F(ControlSettingsTest, FramesPerScreenAboveEightStoresEight)
{
    const struct { int given; int stored; } cases[] = {{9, 8}, {8, 8}, {100, 8}, {3, 3}, {1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        control->SetFramesPerScreen(c.given);
        EXPECT_EQ(control->GetFramesPerScreen(), c.stored);
    }
}

TEST_F(ControlSettingsTest, ScrollSpeedsOutsideZeroToNineKeepThePreviousValue)
{
    control->SetVScrollSpeed(4);
    control->SetHScrollSpeed(6);
    for (int ignored : {10, -1, 1000}) {
        control->SetVScrollSpeed(ignored);
        control->SetHScrollSpeed(ignored);
    }
    EXPECT_EQ(control->GetVScrollSpeed(), 4);
    EXPECT_EQ(control->GetHScrollSpeed(), 6);

    control->SetVScrollSpeed(9);
    control->SetHScrollSpeed(0);
    EXPECT_EQ(control->GetVScrollSpeed(), 9);
    EXPECT_EQ(control->GetHScrollSpeed(), 0);
}

TEST_F(ControlSettingsTest, ZoomIsClampedAndReportedAsStored)
{
    const struct { double given; double stored; } cases[] = {
        {0.0, 0.01}, {20.0, 8.0}, {1.5, 1.5}, {-3.0, 0.01}, {std::numeric_limits<double>::quiet_NaN(), 0.01}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        notify.zooms.clear();
        control->SetZoom(c.given);
        EXPECT_DOUBLE_EQ(control->GetZoom(), c.stored);
        ASSERT_EQ(notify.zooms.size(), 1u);
        EXPECT_DOUBLE_EQ(notify.zooms.front(), c.stored);
    }

    control->SetNotify(nullptr);
    control->SetZoom(2.0);
    EXPECT_DOUBLE_EQ(control->GetZoom(), 2.0);
}

TEST_F(ControlSettingsTest, TrackScaleReplacesAnExistingEntryAndDefaultsToOne)
{
    EXPECT_DOUBLE_EQ(control->GetTrackScale(3), 1.0);
    control->SetTrackScale(3, 0.5);
    control->SetTrackScale(4, 2.0);
    control->SetTrackScale(3, 0.75);
    EXPECT_DOUBLE_EQ(control->GetTrackScale(3), 0.75);
    EXPECT_DOUBLE_EQ(control->GetTrackScale(4), 2.0);
    EXPECT_DOUBLE_EQ(control->GetTrackScale(5), 1.0);
}

TEST_F(ControlSettingsTest, ForeColorKeepsAnArgbCopy)
{
    control->SetForeColor(0x00112233);
    EXPECT_EQ(control->GetForeColor(), 0x00112233u);
    EXPECT_EQ(control->GetForeColorArgb(), 0xFF332211u);
    control->SetBackColor(0x00ABCDEF);
    EXPECT_EQ(control->GetBackColor(), 0x00ABCDEFu);
}

TEST_F(ControlSettingsTest, ModesAndFlagsAreStored)
{
    control->SetPaintMode(1);
    control->SetHorzAlign(1);
    control->SetVertAlign(2);
    control->SetDivLine(1);
    control->SetDivFull(1);
    control->SetBlueBox(1);
    control->SetDropBox(1);
    control->SetThreadLoad(1);
    control->SetExchangeLR(1);
    control->SetMarkMode(1);
    control->SetStackedLayout(1);
    EXPECT_EQ(control->GetPaintMode(), 1);
    EXPECT_EQ(control->GetHorzAlign(), 1);
    EXPECT_EQ(control->GetVertAlign(), 2);
    EXPECT_EQ(control->GetDivLine(), 1);
    EXPECT_EQ(control->GetDivFull(), 1);
    EXPECT_EQ(control->GetBlueBox(), 1);
    EXPECT_EQ(control->GetDropBox(), 1);
    EXPECT_EQ(control->GetThreadLoad(), 1);
    EXPECT_EQ(control->GetExchangeLR(), 1);
    EXPECT_EQ(control->GetMarkMode(), 1);
    EXPECT_EQ(control->GetStackedLayout(), 0);
}

TEST_F(ControlSettingsTest, ReadOnlyDropsTheSelection)
{
    control->GoToFault(1, 42);
    ASSERT_EQ(control->GetSelectedFaultId(), 42);
    control->SetReadOnly(1);
    EXPECT_EQ(control->GetReadOnly(), 1);
    EXPECT_EQ(control->GetSelectedFaultId(), 0);
}

TEST_F(ControlSettingsTest, RulerModeClearsRulerStateAndText)
{
    control->SetRulerText(2, QStringLiteral("距离 120 mm"));
    ASSERT_EQ(control->GetRulerState(), 2);
    control->SetRulerMode(1);
    EXPECT_EQ(control->GetRulerMode(), 1);
    EXPECT_EQ(control->GetRulerState(), 0);
    EXPECT_TRUE(control->GetRulerText().isEmpty());
}

TEST_F(ControlSettingsTest, ImageAdjustIsRememberedAndANullRecordIgnored)
{
    const _IMAGE_ADJUST_STRUCT_ adjust{5, 12, 2};
    control->SetImageAdjust(&adjust);
    {
        WarningCapture warnings;
        control->SetImageAdjust(nullptr);
        EXPECT_EQ(warnings.messages().size(), 1);
    }
    const _IMAGE_ADJUST_STRUCT_ stored = control->GetImageAdjust();
    EXPECT_EQ(stored.Brightness, 5);
    EXPECT_EQ(stored.Contrast, 12);
    EXPECT_EQ(stored.Clarity, 2);
}

TEST_F(ControlSettingsTest, KeepsCopiesOfTypesHotkeysAndFilter)
{
    std::vector<_FAULTY_STANDER_STRUCT_> standards(2);
    standards[0].StandardID = 3;
    standards[0].StandardName = QStringLiteral("扣件缺失");
    standards[1].StandardID = 4;
    control->SetFaultyStandards(standards);
    standards.clear();

    std::vector<_FAULTY_STANDER_STRUCT_> out;
    control->GetFaultyStandards(out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].StandardName, QStringLiteral("扣件缺失"));
    control->ClearFaultyStandards();
    control->GetFaultyStandards(out);
    EXPECT_TRUE(out.empty());

    control->SetHotKeys({_HOT_KEY_STRUCT_{1, QStringLiteral("Ctrl"), QStringLiteral("Q")}});
    ASSERT_EQ(control->GetHotKeys().size(), 1u);
    EXPECT_EQ(control->GetHotKeys()[0].AlphaKey, QStringLiteral("Q"));

    EXPECT_EQ(control->IsFaultTypeShown(4), 1);
    std::vector<int> filter{3, 5};
    control->SetFaultTypeFilter(filter);
    filter.clear();
    EXPECT_EQ(control->IsFaultTypeShown(3), 1);
    EXPECT_EQ(control->IsFaultTypeShown(5), 1);
    EXPECT_EQ(control->IsFaultTypeShown(4), 0);
    control->SetFaultTypeFilter({});
    EXPECT_EQ(control->IsFaultTypeShown(4), 1);
}

TEST_F(ControlSettingsTest, ReportsFillInTheTrackId)
{
    _FAULT_ fault;
    fault.FaultID = -1;
    fault.TrackID = 0;
    notify.faultAddedAnswer = 1;
    EXPECT_EQ(control->ReportFaultAdded(6, &fault), 1);
    EXPECT_EQ(fault.TrackID, 6);
    ASSERT_EQ(notify.added.size(), 1u);
    EXPECT_EQ(notify.added[0].TrackID, 6);

    notify.faultAddedAnswer = 0;
    EXPECT_EQ(control->ReportFaultAdded(6, &fault), 0);
    EXPECT_EQ(control->ReportFaultAdded(6, nullptr), 0);

    fault.FaultID = 17;
    control->ReportFaultModified(8, &fault);
    ASSERT_EQ(notify.modified.size(), 1u);
    EXPECT_EQ(notify.modified[0].TrackID, 8);
    EXPECT_EQ(notify.modified[0].FaultID, 17);

    control->ReportFaultDeleted(17);
    control->ReportFaultSelected(8, 17);
    EXPECT_EQ(notify.deleted, std::vector<int>{17});
    EXPECT_EQ(notify.selected, (std::vector<std::pair<int, int>>{{8, 17}}));

    control->SetNotify(nullptr);
    EXPECT_EQ(control->ReportFaultAdded(6, &fault), 0);
}

TEST_F(ControlSettingsTest, SelectionBoxAndDragCopyHaveFlags)
{
    const QRect box(10, 20, 30, 40);
    control->SetSelectionBox(&box);
    EXPECT_EQ(control->IsSelectionBoxShown(), 1);
    EXPECT_EQ(control->GetSelectionBox(), box);
    control->ClearSelectionBox();
    EXPECT_EQ(control->IsSelectionBoxShown(), 0);

    _FAULT_ fault;
    fault.FaultID = 9;
    control->SetDragFault(&fault);
    fault.FaultID = 10;
    EXPECT_EQ(control->IsDragFaultShown(), 1);
    EXPECT_EQ(control->GetDragFault().FaultID, 9);
    control->ClearDragFault();
    EXPECT_EQ(control->IsDragFaultShown(), 0);
}
