#include "tools/driver/InputTimeline.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "tests/support/ScopedTempDir.h"

using quiltRush::InputEvent;
using quiltRush::InputTimeline;

namespace {

InputTimeline parse(const std::string& text) {
    std::istringstream in(text);
    return InputTimeline::parse(in);
}

// The message of the runtime error that parsing the text throws, or "" if none.
std::string parseError(const std::string& text) {
    try {
        parse(text);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

InputEvent event(int tick, InputEvent::Kind kind) {
    InputEvent made;
    made.tick = tick;
    made.kind = kind;
    return made;
}

}  // namespace

TEST(InputTimelineTest, ReadsEveryKindOfEventWithGlutCodes) {
    InputTimeline timeline = parse(
        "0 move 320 164\n"
        "1 press left\n"
        "1 release right\n"
        "2 press middle\n"
        "3 key space\n"
        "3 key enter\n"
        "3 key escape\n"
        "4 keydown d\n"
        "5 keyup D\n"
        "6 wheel up\n"
        "6 wheel down\n"
        "7 reshape 800 600\n");
    const auto& events = timeline.getEvents();
    ASSERT_EQ(events.size(), 12u);
    EXPECT_EQ(events[0].kind, InputEvent::Kind::Move);
    EXPECT_EQ(events[0].x, 320);
    EXPECT_EQ(events[0].y, 164);
    EXPECT_EQ(events[1].kind, InputEvent::Kind::Press);
    EXPECT_EQ(events[1].button, 0);
    EXPECT_EQ(events[2].kind, InputEvent::Kind::Release);
    EXPECT_EQ(events[2].button, 2);
    EXPECT_EQ(events[3].button, 1);
    EXPECT_EQ(events[4].key, 32);
    EXPECT_EQ(events[5].key, 13);
    EXPECT_EQ(events[6].key, 27);
    EXPECT_EQ(events[7].kind, InputEvent::Kind::KeyDown);
    EXPECT_EQ(events[7].key, 'd');
    EXPECT_EQ(events[8].kind, InputEvent::Kind::KeyUp);
    EXPECT_EQ(events[8].key, 'D');
    EXPECT_EQ(events[9].kind, InputEvent::Kind::Wheel);
    EXPECT_EQ(events[9].button, 3);
    EXPECT_EQ(events[10].button, 4);
    EXPECT_EQ(events[11].kind, InputEvent::Kind::Reshape);
    EXPECT_EQ(events[11].x, 800);
    EXPECT_EQ(events[11].y, 600);
    EXPECT_EQ(timeline.lastTick(), 7);
}

TEST(InputTimelineTest, CommentsBlankLinesAndExtraSpacesAreSkipped) {
    InputTimeline timeline = parse(
        "# a whole-line comment\n"
        "\n"
        "   \t\n"
        "  12\tmove   -5  490   # off the window is allowed while a button is held\n"
        "13 press left#no space before the mark\n");
    ASSERT_EQ(timeline.getEvents().size(), 2u);
    EXPECT_EQ(timeline.getEvents()[0].tick, 12);
    EXPECT_EQ(timeline.getEvents()[0].x, -5);
    EXPECT_EQ(timeline.getEvents()[0].y, 490);
    EXPECT_EQ(timeline.getEvents()[1].kind, InputEvent::Kind::Press);
}

TEST(InputTimelineTest, EventsOfOneTickKeepTheirFileOrder) {
    InputTimeline timeline = parse("5 key space\n5 release left\n5 move 1 2\n");
    ASSERT_EQ(timeline.getEvents().size(), 3u);
    EXPECT_EQ(timeline.getEvents()[0].kind, InputEvent::Kind::Key);
    EXPECT_EQ(timeline.getEvents()[1].kind, InputEvent::Kind::Release);
    EXPECT_EQ(timeline.getEvents()[2].kind, InputEvent::Kind::Move);
}

TEST(InputTimelineTest, AnEmptyFileIsAnEmptyTimeline) {
    InputTimeline timeline = parse("# nothing to do\n");
    EXPECT_TRUE(timeline.getEvents().empty());
    EXPECT_EQ(timeline.lastTick(), -1);
}

TEST(InputTimelineTest, MalformedLinesAreReportedWithTheirLineNumber) {
    EXPECT_EQ(parseError("0 move 1 2\n\n2 jump\n"), "line 3: unknown event 'jump'");
    EXPECT_EQ(parseError("x move 1 2\n"), "line 1: 'x' is not a tick (0 or more)");
    EXPECT_EQ(parseError("-1 move 1 2\n"), "line 1: '-1' is not a tick (0 or more)");
    EXPECT_EQ(parseError("7\n"), "line 1: no event after the tick");
    EXPECT_EQ(parseError("1 move 1\n"), "line 1: 'move' takes 2 arguments");
    EXPECT_EQ(parseError("1 move 1 2 3\n"), "line 1: 'move' takes 2 arguments");
    EXPECT_EQ(parseError("1 move 1.5 2\n"), "line 1: positions are whole numbers");
    EXPECT_EQ(parseError("1 move 99999999999 2\n"), "line 1: positions are whole numbers");
    EXPECT_EQ(parseError("1 press\n"), "line 1: 'press' takes 1 argument");
    EXPECT_EQ(parseError("1 press thumb\n"), "line 1: unknown button 'thumb'");
    EXPECT_EQ(parseError("1 wheel left\n"), "line 1: the wheel turns up or down");
    EXPECT_EQ(parseError("1 key tab\n"), "line 1: unknown key 'tab'");
    EXPECT_EQ(parseError("1 reshape -1 480\n"), "line 1: a window size cannot be negative");
}

TEST(InputTimelineTest, TicksMustNotGoBack) {
    EXPECT_EQ(parseError("10 press left\n9 release left\n"), "line 2: tick 9 comes before the tick above it");
    InputTimeline timeline;
    timeline.press(10, 0);
    EXPECT_THROW(timeline.release(9, 0), std::invalid_argument);
    timeline.release(10, 0);  // the same tick is fine
    EXPECT_EQ(timeline.getEvents().size(), 2u);
}

TEST(InputTimelineTest, AddRefusesEventsTheFileCannotName) {
    InputTimeline timeline;
    EXPECT_THROW(timeline.press(0, 3), std::invalid_argument);  // the wheel is not a held button
    InputEvent wheel = event(0, InputEvent::Kind::Wheel);
    wheel.button = 0;
    EXPECT_THROW(timeline.add(wheel), std::invalid_argument);
    EXPECT_THROW(timeline.key(0, ' ' - 1), std::invalid_argument);
    EXPECT_THROW(timeline.key(0, '#'), std::invalid_argument);
    InputEvent negative = event(0, InputEvent::Kind::Reshape);
    negative.x = -1;
    EXPECT_THROW(timeline.add(negative), std::invalid_argument);
    EXPECT_THROW(timeline.move(-1, 0, 0), std::invalid_argument);
    EXPECT_TRUE(timeline.getEvents().empty());
}

TEST(InputTimelineTest, TextReadsBackToTheSameEvents) {
    InputTimeline timeline;
    timeline.move(0, 320, 164);
    timeline.press(1, 0);
    timeline.release(2, 0);
    timeline.press(3, 2);
    timeline.move(4, -3, 500);
    timeline.release(5, 2);
    timeline.key(6, 32);
    timeline.key(6, 13);
    timeline.key(6, 27);
    timeline.key(7, 'd');
    InputEvent down = event(8, InputEvent::Kind::KeyDown);
    down.key = 'q';
    timeline.add(down);
    InputEvent wheel = event(9, InputEvent::Kind::Wheel);
    wheel.button = 4;
    timeline.add(wheel);
    InputEvent reshape = event(10, InputEvent::Kind::Reshape);
    reshape.x = 641;
    reshape.y = 481;
    timeline.add(reshape);

    EXPECT_EQ(timeline.toText(),
              "0 move 320 164\n1 press left\n2 release left\n3 press right\n4 move -3 500\n5 release right\n"
              "6 key space\n6 key enter\n6 key escape\n7 key d\n8 keydown q\n9 wheel down\n10 reshape 641 481\n");
    EXPECT_EQ(parse(timeline.toText()).getEvents(), timeline.getEvents());
}

TEST(InputTimelineTest, SavesAndLoadsAFile) {
    testSupport::ScopedTempDir directory;
    InputTimeline timeline;
    timeline.move(3, 10, 20);
    timeline.key(4, 'd');
    timeline.save("run.timeline");
    EXPECT_EQ(directory.read("run.timeline"), "3 move 10 20\n4 key d\n");
    EXPECT_EQ(InputTimeline::load("run.timeline").getEvents(), timeline.getEvents());
}

TEST(InputTimelineTest, LoadNamesTheFileInItsErrors) {
    testSupport::ScopedTempDir directory;
    EXPECT_THROW(InputTimeline::load("missing.timeline"), std::runtime_error);
    directory.write("bad.timeline", "1 press left\n2 fly\n");
    try {
        InputTimeline::load("bad.timeline");
        FAIL() << "a bad line was read";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "bad.timeline: line 2: unknown event 'fly'");
    }
}
