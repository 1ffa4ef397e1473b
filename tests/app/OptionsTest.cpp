// Option keys read from a real base database and handed to a real control.

#include "CAppOptions.h"
#include "CDrawingOptions.h"
#include "ILumetraDrawControlCore.h"
#include "ConnectedStore.h"
#include "LumetraImageExport.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct ControlDeleter
{
    void operator()(ILumetraDrawControlCore* control) const { control->Destroy(); }
};

class OptionsTest : public ConnectedStoreTest
{
protected:
    void SetUp() override
    {
        ConnectedStoreTest::SetUp();
        void* created = nullptr;
        ASSERT_EQ(CreateImageCoreInstance(&created), 1);
        control.reset(static_cast<ILumetraDrawControlCore*>(created));
    }

    std::unique_ptr<ILumetraDrawControlCore, ControlDeleter> control;
};

} // namespace

TEST_F(OptionsTest, EmptyOptionTableGivesTheDefaults)
{
    control->SetDivFull(1);   // absent flags keep the control's own value
    int readOnlyCalls = 0;
    CDrawingOptions::Apply(*control, CAppOptions(store.get()), store.get(), true, [&](int) { ++readOnlyCalls; });

    EXPECT_EQ(control->GetBackColor(), 0xFFFFFFu);
    EXPECT_EQ(control->GetForeColor(), 0u);
    EXPECT_EQ(control->GetHorzAlign(), 0);
    EXPECT_EQ(control->GetVertAlign(), 0);
    EXPECT_EQ(control->GetFramesPerScreen(), 2);
    EXPECT_EQ(control->GetPaintMode(), 0);
    EXPECT_EQ(control->GetHScrollSpeed(), 4);
    EXPECT_EQ(control->GetVScrollSpeed(), 4);
    EXPECT_DOUBLE_EQ(control->GetZoom(), 1.0);
    EXPECT_EQ(control->GetDivFull(), 1);
    EXPECT_EQ(readOnlyCalls, 0);

    const CAppOptions options(store.get());
    EXPECT_EQ(options.Int("AppLook"), 215);
    EXPECT_EQ(options.Int("MMPerImage"), 2000);
    EXPECT_EQ(options.ContinuityThreshold(), 15);
    EXPECT_EQ(options.Text("LastPath"), "");
}

TEST_F(OptionsTest, StoredValuesAreApplied)
{
    const std::pair<const char*, const char*> stored[] = {
        {"BGColorEx", "255"},   {"FGColorEx", "65280"}, {"HorzAlign", "1"},  {"ZhenCount", "3"},
        {"HScrollSpeed", "10"}, {"VScrollSpeed", "2"},  {"DefaultZoomMany", "0.500000"},
        {"DivLine", "1"},       {"ReadOnly", "1"},      {"PaintMode", "1"}};
    for (const auto& [key, value] : stored)
        ASSERT_EQ(store->SetAppOption(key, value), 1) << key;

    int readOnly = -1;
    CDrawingOptions::Apply(*control, CAppOptions(store.get()), store.get(), true, [&](int v) { readOnly = v; });
    EXPECT_EQ(control->GetBackColor(), 255u);
    EXPECT_EQ(control->GetForeColor(), 65280u);
    EXPECT_EQ(control->GetHorzAlign(), 1);
    EXPECT_EQ(control->GetFramesPerScreen(), 3);
    EXPECT_EQ(control->GetHScrollSpeed(), 0) << "10 is outside 0..9: the control keeps its own speed";
    EXPECT_EQ(control->GetVScrollSpeed(), 2);
    EXPECT_DOUBLE_EQ(control->GetZoom(), 0.5);
    EXPECT_EQ(control->GetDivLine(), 1);
    EXPECT_EQ(control->GetReadOnly(), 1);
    EXPECT_EQ(control->GetPaintMode(), 1);
    EXPECT_EQ(readOnly, 1);
}

TEST_F(OptionsTest, AfterTheDialogModeAndZoomAreNotAppliedAgain)
{
    ASSERT_EQ(store->SetAppOption("PaintMode", "1"), 1);
    ASSERT_EQ(store->SetAppOption("DefaultZoomMany", "3.000000"), 1);
    ASSERT_EQ(store->SetAppOption("ZhenCount", "4"), 1);
    CDrawingOptions::Apply(*control, CAppOptions(store.get()), store.get(), false);
    EXPECT_EQ(control->GetPaintMode(), 0);
    EXPECT_DOUBLE_EQ(control->GetZoom(), 0.0);
    EXPECT_EQ(control->GetFramesPerScreen(), 4);
}

TEST_F(OptionsTest, ChannelScalesComeFromTheChannelDefinitions)
{
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    ASSERT_EQ(store->GetAllTracks(tracks), 1);
    ASSERT_FALSE(tracks.empty());
    CDrawingOptions::Apply(*control, CAppOptions(store.get()), store.get(), true);
    for (const auto& track : tracks)
        EXPECT_DOUBLE_EQ(control->GetTrackScale(track.TrackID), track.TrackScale);
}

TEST_F(OptionsTest, ContinuityThresholdFallsBackFor0NegativeAndText)
{
    const std::pair<const char*, int> cases[] = {{"20", 20}, {"0", 15}, {"-3", 15}, {"abc", 15}, {" 7 ", 7}};
    for (const auto& [text, expected] : cases) {
        ASSERT_EQ(store->SetAppOption("Door", text), 1);
        EXPECT_EQ(CAppOptions(store.get()).ContinuityThreshold(), expected) << text;
    }
}

TEST(AppOptions, WithoutAStoreEveryKeyHasItsDefault)
{
    const CAppOptions options(nullptr);
    EXPECT_EQ(options.Long("ZhenCount"), 2);
    EXPECT_DOUBLE_EQ(options.Double("DefaultZoomMany"), 1.0);
    EXPECT_FALSE(options.StoredInt("DivLine").has_value());
    for (const CAppOptions::Key& key : CAppOptions::Keys())
        EXPECT_EQ(CAppOptions::Find(key.name), &key);
}
