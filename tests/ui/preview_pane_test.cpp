// The preview pane: its empty states, the output bar, the film timeline and the transport.
#include "ui/preview_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include "ui/film_timeline.h"
#include "ui_fixture.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

DeliveryPreset listedPreset(const std::string& key, bool hidden = false, bool archived = false) {
    DeliveryPreset result;
    result.key = key;
    result.name = "Preset " + key;
    result.requirements.resolution.mode = RasterMode::source;
    result.hidden = hidden;
    if (archived) result.archivedAt = "2026-01-02T03:04:05Z";
    return result;
}

struct PreviewFixture : testing::StoreFixture {
    PreviewPane pane{store, store, nullptr};

    PreviewFixture() {
        pane.resize(700, 330);
        pane.show();
    }

    template <class Widget>
    Widget& child(const QString& name) const {
        return testing::findWidget<Widget>(pane, name);
    }
    QComboBox& picker(const QString& name) const { return child<QComboBox>(name); }
};

TEST(PreviewPane, EmptyStatesInviteAnImportOnlyWithoutShots) {
    PreviewFixture fixture;
    EXPECT_EQ(fixture.pane.emptyTitle(), QStringLiteral("Bring your films into focus"));
    EXPECT_TRUE(fixture.pane.showsImportButton());
    fixture.load(testing::makeProject(1, 3));
    EXPECT_EQ(fixture.pane.emptyTitle(), QStringLiteral("Select a shot to review"));
    EXPECT_FALSE(fixture.pane.showsImportButton());
    EXPECT_FALSE(fixture.pane.timeline().isVisible());
    fixture.store.focus(fixture.store.project().shots[0].id, false);
    EXPECT_TRUE(fixture.pane.showsVideo());
    EXPECT_TRUE(fixture.pane.timeline().isVisible());
}

TEST(PreviewPane, TheOutputPickerLeavesOutHiddenAndArchivedPresetsAndSourceHidesFraming) {
    PreviewFixture fixture;
    fixture.load(testing::makeProject(1, 3));
    fixture.store.focus(fixture.store.project().shots[0].id, false);
    fixture.store.deliverySetup().setPresets(
        {listedPreset("web"), listedPreset("old", true), listedPreset("gone", false, true), listedPreset("tv")});
    QComboBox& output = fixture.picker(QStringLiteral("Output"));
    ASSERT_EQ(output.count(), 3);
    EXPECT_EQ(output.itemText(0), QStringLiteral("Source \u00b7 native MOV"));
    EXPECT_EQ(output.itemText(1), QStringLiteral("Preset web"));
    EXPECT_EQ(output.itemText(2), QStringLiteral("Preset tv"));

    QComboBox& framing = fixture.picker(QStringLiteral("Framing"));
    EXPECT_FALSE(framing.isVisible());
    output.activated(2);
    EXPECT_EQ(fixture.store.presentation().previewPresetKey, "tv");
    EXPECT_TRUE(framing.isVisible());
    framing.activated(1);
    EXPECT_EQ(fixture.store.deliverySetup().delivery().deliveryFraming, Framing::crop);
    EXPECT_EQ(framing.currentIndex(), 1);
    DeliveryChoices padded = fixture.store.deliverySetup().delivery();
    padded.deliveryFraming = Framing::pad;
    fixture.store.deliverySetup().setDelivery(padded);
    EXPECT_EQ(framing.currentIndex(), 0) << "a choice made elsewhere shows here";
    output.activated(0);
    EXPECT_EQ(fixture.store.presentation().previewPresetKey, "");
    EXPECT_FALSE(framing.isVisible());
}

TEST(PreviewPane, AnOddPresetRasterShowsTheCaptionInsteadOfThePlayer) {
    PreviewFixture fixture;
    fixture.load(testing::makeProject(1, 3));
    fixture.store.focus(fixture.store.project().shots[0].id, false);
    DeliveryPreset odd = listedPreset("odd");
    odd.requirements.resolution = {RasterMode::exact, 1919, 1080, std::nullopt};
    fixture.store.deliverySetup().setPresets({odd});
    PresentationState presentation = fixture.store.presentation();
    presentation.previewPresetKey = "odd";
    fixture.store.setPresentation(presentation);
    EXPECT_TRUE(fixture.pane.showsRasterCaption());
}

TEST(PreviewPane, PositionTogglesTheEditorAndLeavesSafeZonesOn) {
    PreviewFixture fixture;
    fixture.load(testing::makeProject(1, 3));
    fixture.store.focus(fixture.store.project().shots[0].id, false);
    QPushButton& position = fixture.child<QPushButton>(QStringLiteral("Position\u2026"));
    position.click();
    EXPECT_TRUE(fixture.store.presentation().editLabelLayout);
    EXPECT_TRUE(fixture.store.presentation().showSafeZones);
    position.click();
    EXPECT_FALSE(fixture.store.presentation().editLabelLayout);
    EXPECT_TRUE(fixture.store.presentation().showSafeZones);
    EXPECT_TRUE(fixture.child<QCheckBox>(QStringLiteral("Safe zones")).isChecked());
}

TEST(FilmTimeline, SegmentsKeepOnePointAndThePlayheadStaysInTheStrip) {
    const double width = 560;
    const double twoHours = 7200;
    const QRectF tiny = FilmTimeline::segmentRect(width, 26, twoHours, 3600, 3600.01);
    EXPECT_DOUBLE_EQ(tiny.width(), 1);
    EXPECT_DOUBLE_EQ(tiny.left(), 280);
    const QRectF half = FilmTimeline::segmentRect(width, 26, twoHours, 0, 3600);
    EXPECT_DOUBLE_EQ(half.width(), 279) << "a point less than its share leaves a gap";
    EXPECT_DOUBLE_EQ(FilmTimeline::playheadOffset(width, twoHours, -3), 0);
    EXPECT_DOUBLE_EQ(FilmTimeline::playheadOffset(width, twoHours, 9000), width);
    EXPECT_DOUBLE_EQ(FilmTimeline::playheadOffset(width, twoHours, 1800), 140);
}

TEST(FilmTimeline, ClickingASegmentSelectsOnlyThatShotAndSeeksToItsStart) {
    PreviewFixture fixture;
    fixture.load(testing::makeProject(1, 4));
    const auto& shots = fixture.store.project().shots;
    fixture.store.setSelection({shots[0].id, shots[1].id});
    fixture.store.focusSelected();
    FilmTimeline& timeline = fixture.pane.timeline();
    const QRectF third = FilmTimeline::segmentRect(timeline.width(), FilmTimeline::kHeight, 4, 2, 3);
    QTest::mouseClick(&timeline, Qt::LeftButton, Qt::NoModifier, third.center().toPoint());
    EXPECT_EQ(fixture.store.selection(), std::set<Uuid>{shots[2].id});
    EXPECT_EQ(fixture.player->lastSeek, 2.0);
    EXPECT_EQ(timeline.shotAt(third.left() - 3), shots[1].id);
}

TEST(PreviewPane, TransportButtonsNeedAnItemAndPlayPauseFollowsTheRate) {
    PreviewFixture fixture;
    fixture.load(testing::makeProject(1, 3));
    fixture.store.focus(fixture.store.project().shots[0].id, false);
    fixture.player->item.reset();
    fixture.player->calls.clear();
    fixture.child<QToolButton>(QStringLiteral("Next frame")).click();
    fixture.child<QToolButton>(QStringLiteral("Previous frame")).click();
    EXPECT_TRUE(fixture.player->calls.empty());

    fixture.store.focusSelected();
    fixture.player->time = 0;
    QToolButton& playPause = fixture.child<QToolButton>(QStringLiteral("Play / Pause"));
    playPause.click();
    EXPECT_GT(fixture.player->rate(), 0);
    playPause.click();
    EXPECT_EQ(fixture.player->rate(), 0);
    fixture.child<QToolButton>(QStringLiteral("Next frame")).click();
    EXPECT_DOUBLE_EQ(*fixture.player->lastSeek, 0.04);
}

}  // namespace
}  // namespace marrowick
