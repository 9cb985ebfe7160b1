// The options dialog's values and the range dialog's validation.
#include "app/options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <vector>

#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"

namespace tz {
namespace {

TEST(Options, EveryStoredBoxShowsAndTakesItsOwnSetting) {
  std::vector<int Settings::*> seen;
  for (const OptionBox& box : kOptionBoxes) {
    if (!box.Setting) continue;
    // One setting per box.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), box.Setting), 0) << box.Index;
    seen.push_back(box.Setting);
    // Only this box ticked: exactly its setting is 1 after OK, and it reads back ticked.
    Session s;
    Settings& set = s.app.settings;
    for (const OptionBox& other : kOptionBoxes) {
      if (other.Setting) set.*other.Setting = 1;
    }
    OptionsDialogValues v;
    v.Check[box.Index] = 1;
    ApplyOptions(s, v);
    for (const OptionBox& other : kOptionBoxes) {
      if (other.Setting) EXPECT_EQ(set.*other.Setting, other.Index == box.Index ? 1 : 0) << box.Index;
    }
    OptionsDialogValues back = FillOptions(set);
    for (int i = 0; i < kOptionBoxCount; ++i) EXPECT_EQ(back.Check[i], i == box.Index ? 1 : 0);
  }
  EXPECT_EQ(seen.size(), 24u);  // 26 boxes, 20 and 21 are not stored
  EXPECT_EQ(kOptionBoxes[20].Setting, nullptr);
  EXPECT_EQ(kOptionBoxes[21].Setting, nullptr);
  EXPECT_FALSE(kOptionBoxes[19].Visible);
  for (int i = 0; i < kOptionBoxCount; ++i) EXPECT_EQ(kOptionBoxes[i].Index, i);
}

TEST(Options, PredictionSourceAndValuesOtherThanOne) {
  const int modes[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}};
  for (const auto& m : modes) {
    Settings set;
    set.YosoMode = m[0];
    EXPECT_EQ(FillOptions(set).YosoMode, m[1]) << m[0];
  }
  // A setting outside 0/1 shows ticked and is stored as 1.
  Session s;
  s.app.settings.HitColor = 2;
  OptionsDialogValues v = FillOptions(s.app.settings);
  EXPECT_NE(v.Check[2], 0);
  v.YosoMode = 2;
  ApplyOptions(s, v);
  EXPECT_EQ(s.app.settings.HitColor, 1);
  EXPECT_EQ(s.app.settings.YosoMode, 2);
}

TEST(Options, TheBankLinkActsAtOnce) {
  test::TempDir dir;
  Session s;
  s.app.Pat98Folder = dir.path() / "pat";
  s.app.DataFolder = dir.path() / "TZNA" / "20021020";
  std::filesystem::create_directories(s.app.Pat98Folder);
  s.race.MeetingCount = 2;
  const auto link = s.app.Pat98Folder / "zenibako.txt";

  OptionsDialogValues v = FillOptions(s.app.settings);
  v.Check[0] = 1;
  ApplyOptions(s, v);
  EXPECT_EQ(s.app.settings.BankLink, 1);
  ASSERT_TRUE(std::filesystem::exists(link));
  EXPECT_EQ(test::ReadAll(link), s.app.DataFolder.string() + "\r\n");

  v.Check[0] = 0;
  ApplyOptions(s, v);
  EXPECT_EQ(s.app.settings.BankLink, 0);
  EXPECT_FALSE(std::filesystem::exists(link));
}

TEST(RangeDialog, ShowsTheLimitsAsDecimalText) {
  Settings set;
  set.OddsRanges = {150, 900, 4000, 7000, 123456, 2000000000};
  EXPECT_EQ(FillRangeDialog(set),
            (std::array<std::string, 6>{"150", "900", "4000", "7000", "123456", "2000000000"}));
}

TEST(RangeDialog, AcceptsOnlyStrictlyRisingLimitsAboveOneHundred) {
  using Texts = std::array<std::string, 6>;
  struct Case {
    Texts texts;
    bool accepted;
    std::array<std::int32_t, 6> stored;
  };
  const Case cases[] = {
      {{"1000", "2000", "4000", "7000", "10000", "30000"}, true, {1000, 2000, 4000, 7000, 10000, 30000}},
      {{"1000", "2000", "2000", "7000", "10000", "30000"}, false, {}},
      {{"100", "2000", "4000", "7000", "10000", "30000"}, false, {}},
      {{"101", "2000", "4000", "7000", "10000", "30000"}, true, {101, 2000, 4000, 7000, 10000, 30000}},
      // Each text counts by the whole number at its start.
      {{" 1500.9yen", "2000", "3000.5", "3001", "9999", "50000"}, true, {1500, 2000, 3000, 3001, 9999, 50000}},
      {{"100.9", "2000", "4000", "7000", "10000", "30000"}, false, {}},
      {{"abc", "2000", "4000", "7000", "10000", "30000"}, false, {}},
      {{"1000", "2000", "4000", "7000", "30000", "10000"}, false, {}},
      {{"1000", "", "4000", "7000", "10000", "30000"}, false, {}},
      // Limits beyond what the settings hold are refused, not wrapped.
      {{"1000", "2000", "4000", "7000", "10000", "99999999999"}, false, {}},
      {{"1000", "2000", "4000", "7000", "10000", "2147483647"}, true, {1000, 2000, 4000, 7000, 10000, 2147483647}},
  };
  for (const Case& c : cases) {
    Session s;
    s.app.AppTitle = "Tazuna98";
    const auto before = s.app.settings.OddsRanges;
    test::FakePort port;
    const bool ok = AcceptRanges(s, port, c.texts);
    EXPECT_EQ(ok, c.accepted) << c.texts[0] << " " << c.texts[2] << " " << c.texts[5];
    if (c.accepted) {
      EXPECT_TRUE(port.messages.empty());
      EXPECT_EQ(s.app.settings.OddsRanges, c.stored);
    } else {
      // All or nothing: not one limit changes, and the user is told.
      EXPECT_EQ(s.app.settings.OddsRanges, before);
      ASSERT_EQ(port.messages.size(), 1u);
      EXPECT_EQ(port.messages[0].kind, test::Message::Error);
      EXPECT_EQ(port.messages[0].title, "Tazuna98");
      EXPECT_EQ(port.messages[0].text, "入力ｴﾗｰ");
    }
  }
}

}  // namespace
}  // namespace tz
