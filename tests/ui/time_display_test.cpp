// Times in the shot rows, tooltips, transport clock and range fields follow the time display, and
// the range fields take timecode, a frame number or seconds alike.
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "ui/inspector.h"
#include "ui/range_section.h"
#include "ui/time_field.h"
#include "ui/transport_bar.h"
#include "ui_fixture.h"
#include "workspace/models/shot_list_model.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

// Two one-second shots of a 25 fps film that starts at 10:00:00:00.
struct TimecodeFixture : testing::StoreFixture {
    TimecodeFixture() {
        Project project = testing::makeProject(1, 2);
        project.films[0].startTimecode = "10:00:00:00";
        project.films[0].timecodeRate = 25;
        load(project);
        store.focus(store.project().shots[1].id, false);
    }
    const Shot& shot(std::size_t index) const { return store.project().shots[index]; }
    void show(TimeDisplay display) {
        PresentationState presentation = store.presentation();
        presentation.timeDisplay = display;
        store.setPresentation(presentation);
    }
};

using testing::showsLabel;

TEST(TimeDisplay, RowsClockAndRangeFieldsFollowThePreference) {
    TimecodeFixture fixture;
    ShotListModel model(fixture.store);
    TransportBar transport(fixture.store);
    Inspector inspector(fixture.store, fixture.store);
    fixture.player->time = 1.5;
    fixture.player->tick();
    struct Case {
        TimeDisplay display;
        const char* row;
        const char* clock;
        const char* in;
    };
    const Case cases[] = {
        {TimeDisplay::timecode, "10:00:01:00  \u2192  10:00:02:00", "10:00:01:12", "10:00:01:00"},
        {TimeDisplay::frames, "#25  \u2192  #50", "#37", "#25"},
        {TimeDisplay::seconds, "00:00:01.000  \u2192  00:00:02.000", "00:00:01.500", ""},
    };
    for (const Case& c : cases) {
        fixture.show(c.display);
        EXPECT_EQ(model.data(model.index(1), ShotListModel::ClockRangeRole).toString(), QString::fromUtf8(c.row));
        EXPECT_EQ(model.data(model.index(1), Qt::AccessibleTextRole).toString(),
                  QStringLiteral("Select shot at ") + QString::fromUtf8(c.row).section(QChar(' '), 0, 0));
        EXPECT_TRUE(showsLabel(transport, QString::fromUtf8(c.clock))) << c.clock;
        const QString in = c.display == TimeDisplay::seconds ? TimeField::secondsText(1.0) : QString::fromUtf8(c.in);
        EXPECT_EQ(inspector.range().inField().text(), in);
    }
    fixture.show(TimeDisplay::timecode);  // the preference outlives the test
}

TEST(TimeDisplay, TheClockCountsInTheFilmsTimecodeOnceAFilmIsShownBeforeThePlayheadMoves) {
    testing::StoreFixture fixture;
    TransportBar transport(fixture.store);
    EXPECT_TRUE(showsLabel(transport, QStringLiteral("00:00:00.000"))) << "no film: the clock string";
    Project project = testing::makeProject(1, 2);
    project.films[0].startTimecode = "10:00:00:00";
    project.films[0].timecodeRate = 25;
    fixture.load(project);
    fixture.store.focus(fixture.store.project().shots[0].id, false);
    EXPECT_TRUE(showsLabel(transport, QStringLiteral("10:00:00:00")));
}

TEST(TimeDisplay, AnInPointTypedAsTimecodeFrameNumberOrSecondsLandsOnTheSameFrame) {
    TimecodeFixture fixture;
    Inspector inspector(fixture.store, fixture.store);
    RangeSection& range = inspector.range();
    QPushButton* apply = &testing::findWidget<QPushButton>(inspector, QStringLiteral("Apply range"));
    for (const TimeDisplay display : {TimeDisplay::timecode, TimeDisplay::frames, TimeDisplay::seconds}) {
        fixture.show(display);
        for (const char* typed : {"10:00:01:12", "10:00:01;12", "#37", "1.48", "1.47", " #37 "}) {
            range.inField().setText(QString::fromUtf8(typed));
            range.inField().commit();
            apply->click();
            EXPECT_FALSE(fixture.store.error()) << typed;
            EXPECT_DOUBLE_EQ(fixture.shot(1).start, 1.48) << typed;
            EXPECT_EQ(range.inField().text(), range.inField().format(1.48)) << typed;
            fixture.store.undoEdit();
        }
        range.inField().setText(QStringLiteral("09:59:59:00"));  // before the film starts
        range.inField().commit();
        EXPECT_EQ(range.inPoint(), 1.0);
    }
    fixture.show(TimeDisplay::timecode);
}

}  // namespace
}  // namespace marrowick
