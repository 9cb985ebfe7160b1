#include "app/countdown.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

const std::string kCaption = "    発走時刻  15時40分";

TimeLabelState Fresh() {
  TimeLabelState l;
  l.Caption = "発走時刻  15時40分";
  return l;
}

struct Case {
  const char* name;
  std::string guideDate;
  std::string post;
  ClockReading now;
  bool visible;
  std::string caption;
  std::string tooltip;
  Colour back, fore;
};

TEST(Countdown, LabelFollowsTheClock) {
  const Case cases[] = {
      {"eight minutes to go turns yellow", "20030510", "1540", {2003, 5, 10, 15, 32, 0}, true,
       "発走時刻  15時40分", "あと 8分", 65535, 0},
      {"hours and minutes, normal colours", "20030510", "1540", {2003, 5, 10, 13, 10, 0}, true,
       "発走時刻  15時40分", "あと 2時間30分", 0x800000, 0xFFFFFF},
      {"exactly ten minutes stays normal", "20030510", "1540", {2003, 5, 10, 15, 30, 0}, true,
       "発走時刻  15時40分", "あと 10分", 0x800000, 0xFFFFFF},
      {"one hour counts whole minutes", "20030510", "1540", {2003, 5, 10, 14, 35, 30}, true,
       "発走時刻  15時40分", "あと 1時間4分", 0x800000, 0xFFFFFF},
      {"post time reached", "20030510", "1540", {2003, 5, 10, 15, 40, 0}, true,
       "    発走時刻  15時40分", "締め切り", 255, 0xFFFFFF},
      {"after the post time", "20030510", "1540", {2003, 5, 10, 16, 5, 0}, true,
       "    発走時刻  15時40分", "締め切り", 255, 0xFFFFFF},
      {"a day already over", "20030503", "1540", {2003, 5, 10, 9, 0, 0}, true,
       "発走時刻  15時40分", "レース終了", 4210752, 0xFFFFFF},
      {"earlier month, later day number", "20030428", "1540", {2003, 5, 1, 9, 0, 0}, true,
       "発走時刻  15時40分", "レース終了", 4210752, 0xFFFFFF},
      {"a future day counts down", "20030511", "1540", {2003, 5, 10, 15, 32, 0}, true,
       "発走時刻  15時40分", "あと 8分", 65535, 0},
      {"no race card leaves the label alone", "20030510", "", {2003, 5, 10, 15, 32, 0}, false,
       "発走時刻  15時40分", "", 0x800000, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TimeLabelState l = UpdateCountdown(Fresh(), c.guideDate, c.post, kCaption + "  ", c.now);
    EXPECT_EQ(l.Visible, c.visible);
    EXPECT_EQ(l.Caption, c.caption);
    EXPECT_EQ(l.ToolTip, c.tooltip);
    EXPECT_EQ(l.Back, c.back);
    EXPECT_EQ(l.Fore, c.fore);
  }
}

TEST(Countdown, YellowStaysUntilThePostTimePasses) {
  TimeLabelState l = Fresh();
  l = UpdateCountdown(l, "20030510", "1540", kCaption, {2003, 5, 10, 15, 35, 0});
  EXPECT_EQ(l.Back, 65535);
  l = UpdateCountdown(l, "20030510", "1540", kCaption, {2003, 5, 10, 15, 36, 0});
  EXPECT_EQ(l.ToolTip, "あと 4分");
  EXPECT_EQ(l.Back, 65535);
  l = UpdateCountdown(l, "20030510", "1540", kCaption, {2003, 5, 10, 15, 41, 0});
  EXPECT_EQ(l.Back, 255);
  EXPECT_EQ(l.Caption, kCaption);
}

}  // namespace
}  // namespace tz
