// The inspector: deciding the selection, editing the range and note, the group and the assistant.
#include "ui/inspector.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

#include "ui/assistant_section.h"
#include "ui/group_section.h"
#include "ui/notes_section.h"
#include "ui/range_section.h"
#include "ui/time_field.h"
#include "ui_fixture.h"
#include "workspace/quit_confirmation.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

struct InspectorFixture : testing::StoreFixture {
    Inspector inspector{store, store};

    InspectorFixture(const Project& project = testing::groupedProject({"/films/a.mov", "/films/b.mov"}, 4)) {
        load(project);
        inspector.show();
    }

    const Shot& shot(std::size_t index) const { return store.project().shots[index]; }

    QAbstractButton& button(const QString& text) const {
        return testing::findWidget<QAbstractButton>(inspector, text, testing::Presence::shown);
    }

    bool showsText(const QString& text) const { return testing::showsLabel(inspector, text, testing::Presence::shown); }

    void type(TimeField& field, const QString& text) {
        field.setText(text);
        field.commit();
    }
};

TEST(Inspector, WithoutACurrentShotOnlyTheHintShows) {
    InspectorFixture fixture;
    EXPECT_TRUE(fixture.showsText(
        QStringLiteral("Select a shot to set its disclosure, edit the range and inspect related shots.")));
    EXPECT_THROW(fixture.button(QStringLiteral("Apply range")), std::runtime_error);
}

TEST(Inspector, TheLabelSwitchDecidesTheWholeSelectionInOneUndoStep) {
    InspectorFixture fixture;
    const std::vector<Uuid> ids = fixture.firstShots(3);
    fixture.store.setSelection({ids.begin(), ids.end()});
    QAbstractButton& requiresLabel = fixture.button(QStringLiteral("Requires an AI label"));
    EXPECT_FALSE(requiresLabel.isChecked());
    requiresLabel.click();
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(fixture.shot(i).disclosure, Disclosure::modified);
    EXPECT_TRUE(requiresLabel.isChecked());
    EXPECT_TRUE(fixture.button(QStringLiteral("AI modified")).isChecked());
    EXPECT_TRUE(fixture.showsText(QStringLiteral(
        "Selection applies to 3 shot(s). AI involvement and legal scope are confirmed by you.")));

    fixture.store.undoEdit();
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(fixture.shot(i).disclosure, Disclosure::unreviewed);
    EXPECT_FALSE(requiresLabel.isChecked());
    EXPECT_FALSE(fixture.store.canUndo());

    requiresLabel.click();
    requiresLabel.click();
    EXPECT_EQ(fixture.shot(2).disclosure, Disclosure::none) << "switching off reviews without a label";
}

TEST(Inspector, OptionButtonsReviewedAndResetDecideTheSelection) {
    InspectorFixture fixture;
    fixture.store.setSelection({fixture.shot(0).id, fixture.shot(1).id});
    EXPECT_TRUE(fixture.showsText(QStringLiteral("Awaiting human review")));
    fixture.button(QStringLiteral("AI generated")).click();
    EXPECT_EQ(fixture.shot(1).disclosure, Disclosure::generated);
    EXPECT_FALSE(fixture.showsText(QStringLiteral("Awaiting human review")));
    EXPECT_TRUE(fixture.button(QStringLiteral("AI generated")).isChecked());
    EXPECT_FALSE(fixture.button(QStringLiteral("AI modified")).isChecked());

    fixture.button(QStringLiteral("Mark reviewed \u00b7 no label")).click();
    EXPECT_EQ(fixture.shot(0).disclosure, Disclosure::none);
    EXPECT_NO_THROW(fixture.button(QStringLiteral("Reviewed \u00b7 no label")));

    fixture.button(QStringLiteral("Reset to unreviewed")).click();
    EXPECT_EQ(fixture.shot(0).disclosure, Disclosure::unreviewed);
    EXPECT_EQ(fixture.shot(1).disclosure, Disclosure::unreviewed);
    EXPECT_TRUE(fixture.showsText(QStringLiteral("Awaiting human review")));
}

TEST(Inspector, AnOutPointBelowTheInPointFailsAndKeepsTheTypedValues) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(1).id, false);
    RangeSection& range = fixture.inspector.range();
    fixture.type(range.inField(), TimeField::secondsText(1.5));
    fixture.type(range.outField(), TimeField::secondsText(1.2));
    fixture.button(QStringLiteral("Apply range")).click();
    ASSERT_TRUE(fixture.store.error());
    EXPECT_EQ(fixture.shot(1).start, 1.0);
    EXPECT_EQ(fixture.shot(1).end, 2.0);
    EXPECT_EQ(range.inField().text(), range.inField().format(1.5));
    EXPECT_EQ(range.outField().text(), range.outField().format(1.2));
}

TEST(Inspector, SecondsShowSixDecimalsInTheUsersLocaleAndIgnoreWhatDoesNotParse) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TimeField field(QStringLiteral("In seconds"));
    field.setValue(1.5);
    EXPECT_EQ(field.text(), QStringLiteral("1,500000"));
    field.setText(QStringLiteral("2,25"));
    field.commit();
    EXPECT_EQ(field.value(), 2.25);
    field.setText(QStringLiteral("later"));
    field.commit();
    EXPECT_EQ(field.value(), 2.25);
    EXPECT_EQ(field.text(), QStringLiteral("2,250000"));
    QLocale::setDefault(previous);
}

TEST(Inspector, SetInAtPlayheadThenApplyMovesTheStartToTheSnappedFrame) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(1).id, false);
    fixture.player->time = 1.2345;  // between frames of the 25 fps film
    fixture.player->tick();
    fixture.button(QStringLiteral("Set in at playhead")).click();
    EXPECT_EQ(fixture.inspector.range().inPoint(), 1.2345);
    fixture.button(QStringLiteral("Apply range")).click();
    EXPECT_FALSE(fixture.store.error());
    EXPECT_DOUBLE_EQ(fixture.shot(1).start, 1.24);
    EXPECT_EQ(fixture.inspector.range().inField().text(), fixture.inspector.range().inField().format(1.24));
    EXPECT_EQ(fixture.shot(0).end, fixture.shot(1).start) << "the neighbour moved with it";
}

TEST(Inspector, TheDraftFollowsTheShotAndItsRangeButNotItsOtherFields) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(1).id, false);
    RangeSection& range = fixture.inspector.range();
    fixture.type(range.inField(), TimeField::secondsText(1.1));
    fixture.inspector.notes().editor().setPlainText(QStringLiteral("typed"));
    fixture.store.decide(Disclosure::modified);
    fixture.store.setNote(fixture.shot(1).id, "stored elsewhere");
    EXPECT_EQ(range.inPoint(), 1.1) << "a decision or a note alone keeps the draft";
    EXPECT_EQ(fixture.inspector.notes().editor().toPlainText(), QStringLiteral("typed"));

    fixture.store.split(fixture.shot(1).id, 1.6);
    EXPECT_EQ(range.inPoint(), 1.0) << "the range changed: a new range draft";
    EXPECT_DOUBLE_EQ(range.outPoint(), 1.6);
    EXPECT_EQ(fixture.inspector.notes().editor().toPlainText(), QStringLiteral("typed")) << "typed text stays";
    EXPECT_TRUE(fixture.inspector.notes().markedUnsaved());
    fixture.store.undoEdit();
    EXPECT_EQ(range.outPoint(), 2.0) << "undo moved the range back";
    fixture.store.focus(fixture.shot(2).id, false);
    EXPECT_EQ(range.inPoint(), 2.0);
}

TEST(Inspector, TypedTextStaysWithItsShotMarkedUnsavedAndReplacingOrQuittingAsks) {
    const std::pair<const char*, std::function<void(InspectorFixture&)>> typings[] = {
        {"note", [](InspectorFixture& f) { QTest::keyClicks(&f.inspector.notes().editor(), QStringLiteral("Crane")); }},
        {"IN", [](InspectorFixture& f) {
             f.inspector.range().inField().selectAll();
             QTest::keyClicks(&f.inspector.range().inField(), QStringLiteral("0.5"));
         }},
        {"OUT", [](InspectorFixture& f) {
             f.inspector.range().outField().selectAll();
             QTest::keyClicks(&f.inspector.range().outField(), QStringLiteral("0.75"));
         }},
    };
    for (const auto& [field, type] : typings) {
        InspectorFixture fixture;
        const auto texts = [&] {
            return std::vector<QString>{fixture.inspector.notes().editor().toPlainText(),
                                        fixture.inspector.range().inField().text(),
                                        fixture.inspector.range().outField().text()};
        };
        const auto marked = [&] {
            return fixture.inspector.notes().markedUnsaved() || fixture.inspector.range().markedUnsaved();
        };
        fixture.store.focus(fixture.shot(0).id, false);
        const std::vector<QString> saved = texts();
        type(fixture);
        const std::vector<QString> typed = texts();
        ASSERT_NE(typed, saved) << field;
        EXPECT_TRUE(marked()) << field;

        fixture.store.focus(fixture.shot(1).id, false);
        const TimeField& shown = fixture.inspector.range().inField();
        EXPECT_EQ(texts(), (std::vector<QString>{QString(), shown.format(1), shown.format(2)})) << field;
        EXPECT_FALSE(marked()) << field;
        fixture.store.focus(fixture.shot(0).id, false);
        EXPECT_EQ(texts(), typed) << field << ": the draft comes back with its shot";
        EXPECT_TRUE(marked()) << field;

        fixture.store.focus(fixture.shot(2).id, false);
        fixture.dialogs.alertAnswers = {0, 0};  // "Keep editing" twice
        fixture.store.newProject();
        EXPECT_FALSE(confirmQuit(&fixture.store, fixture.dialogs, {})) << field;
        ASSERT_EQ(fixture.dialogs.alerts.size(), 2u) << field;
        EXPECT_EQ(fixture.dialogs.alerts[0].message, "Discard unsaved notes and ranges?");
        EXPECT_EQ(fixture.dialogs.alerts[1].buttons, (std::vector<std::string>{"Keep editing", "Discard and quit"}));
        EXPECT_FALSE(fixture.store.project().shots.empty()) << field << ": the review was not replaced";

        fixture.dialogs.alertAnswers = {1};  // "Discard"
        fixture.store.newProject();
        EXPECT_TRUE(fixture.store.project().shots.empty()) << field;
        EXPECT_EQ(fixture.store.drafts().count(fixture.store.project()), 0u);
    }
}

TEST(Inspector, SavingTheNoteClearsItsUnsavedMark) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(0).id, false);
    QTest::keyClicks(&fixture.inspector.notes().editor(), QStringLiteral("Crane"));
    EXPECT_TRUE(fixture.inspector.notes().markedUnsaved());
    fixture.button(QStringLiteral("Save note")).click();
    EXPECT_FALSE(fixture.inspector.notes().markedUnsaved());
    EXPECT_EQ(fixture.store.drafts().find(fixture.shot(0).id), nullptr);
    EXPECT_TRUE(confirmQuit(&fixture.store, fixture.dialogs, {}));
    EXPECT_TRUE(fixture.dialogs.alerts.empty());
}

TEST(Inspector, MergeNextOnTheLastShotOfAFilmFailsAndChangesNothing) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(3).id, false);
    const Project before = fixture.store.project();
    fixture.button(QStringLiteral("Merge next")).click();
    EXPECT_TRUE(fixture.store.error());
    EXPECT_EQ(fixture.store.project(), before);
    EXPECT_FALSE(fixture.store.canUndo());
}

TEST(Inspector, SplitAtPlayheadAndMergeNextEditTheCurrentShot) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(0).id, false);
    fixture.player->time = 0.4;
    fixture.player->tick();
    fixture.button(QStringLiteral("Split at playhead")).click();
    ASSERT_EQ(fixture.store.project().shots.size(), 9u);
    EXPECT_EQ(fixture.shot(0).end, 0.4);
    fixture.button(QStringLiteral("Merge next")).click();
    EXPECT_EQ(fixture.store.project().shots.size(), 8u);
    EXPECT_EQ(fixture.shot(0).end, 1.0);
}

TEST(Inspector, AnUngroupedShotShowsNotIndexedAndDisablesTheGroupButtons) {
    InspectorFixture fixture;  // shot i of each film is in group i % 3
    fixture.store.focus(fixture.shot(0).id, false);
    EXPECT_TRUE(fixture.showsText(QStringLiteral("Not indexed")));
    EXPECT_TRUE(fixture.showsText(QStringLiteral("0 visually similar shot(s) across 0 film(s)")));
    EXPECT_FALSE(fixture.button(QStringLiteral("View group")).isEnabled());
    EXPECT_FALSE(fixture.button(QStringLiteral("Select group")).isEnabled());

    fixture.store.focus(fixture.shot(1).id, false);  // group 1: the second shot of each film
    EXPECT_TRUE(fixture.showsText(QStringLiteral("G1")));
    EXPECT_TRUE(fixture.showsText(QStringLiteral("2 visually similar shot(s) across 2 film(s)")));
    fixture.button(QStringLiteral("Select group")).click();
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{fixture.shot(1).id, fixture.shot(5).id}));
    fixture.button(QStringLiteral("View group")).click();
    EXPECT_EQ(fixture.store.listOptions().filter.key(), "group:1");
}

TEST(Inspector, SaveNoteWithAnUnchangedTextStillRecordsHistory) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(2).id, false);
    const std::size_t before = fixture.store.project().history.size();
    fixture.button(QStringLiteral("Save note")).click();
    ASSERT_EQ(fixture.store.project().history.size(), before + 1);
    EXPECT_EQ(fixture.store.project().history.back().action, "note");

    fixture.inspector.notes().editor().setPlainText(QStringLiteral("Sky replaced in grade"));
    fixture.button(QStringLiteral("Save note")).click();
    EXPECT_EQ(fixture.shot(2).note, "Sky replaced in grade");
}

TEST(Inspector, EditsAreRefusedWhileAnActivityRuns) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(0).id, false);
    fixture.beginActivity();
    EXPECT_FALSE(fixture.button(QStringLiteral("Apply range")).isEnabled());
    EXPECT_FALSE(fixture.button(QStringLiteral("AI modified")).isEnabled());
    EXPECT_FALSE(fixture.button(QStringLiteral("Save note")).isEnabled());
    fixture.endActivity();
    EXPECT_TRUE(fixture.button(QStringLiteral("Save note")).isEnabled());
}

TEST(Inspector, TheAssistantOffersAConnectionWithoutAModelAndItsRequestsWithOne) {
    InspectorFixture fixture;
    fixture.store.focus(fixture.shot(0).id, false);
    fixture.store.assistant().setState({});
    fixture.button(QStringLiteral("Connect a local vision model\u2026")).click();
    EXPECT_TRUE(fixture.store.presentation().settings);

    AssistantState connected;
    connected.modelName = "Qwen3-VL-2B-Instruct-Q4_K_M.gguf";
    fixture.store.assistant().setState(connected);
    EXPECT_TRUE(fixture.showsText(QStringLiteral("Qwen3-VL-2B-Instruct-Q4_K_M.gguf")));
    EXPECT_TRUE(fixture.button(QStringLiteral("Describe shot")).isEnabled());
    EXPECT_TRUE(fixture.button(QStringLiteral("Check cut")).isEnabled());
    fixture.beginActivity();
    EXPECT_FALSE(fixture.button(QStringLiteral("Check cut")).isEnabled());
    fixture.endActivity();
}

}  // namespace
}  // namespace marrowick
