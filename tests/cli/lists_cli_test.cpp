// The longshots and predicted commands of tazuna98-cli, run as a user runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_test.h"
#include "exports/day_lists.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "support/fake_port.h"
#include "text/files.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using test::ShellQuote;

const fs::path kSample = test::SampleData();

// The list as the program builds it in-process.
Session BuiltInProcess(bool longshots) {
  Session s;
  test::FakePort port;
  s.app.Pat98Folder = kSample;
  s.app.DataFolder = kSample;
  LoadCurrentData(s, port);
  if (longshots) {
    BuildLongshotList(s, port);
  } else {
    BuildPredictedValuesList(s, port);
  }
  return s;
}

TEST(CliLists, LongshotsJsonIsTheDaysList) {
  const auto r = RunCli("longshots --data " + ShellQuote(kSample.string()) + " --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["GuideDate"], "20021020");
  ASSERT_EQ(j["Meetings"].size(), 3u);
  const Session s = BuiltInProcess(true);
  int slots = 0;
  for (int m = 1; m <= 3; ++m) {
    const auto& meeting = j["Meetings"][m - 1];
    EXPECT_EQ(meeting["Caption"], s.longshotList.MeetingCaptions[m]);
    ASSERT_EQ(meeting["Races"].size(), 12u);
    for (int race = 1; race <= 12; ++race) {
      const auto& got = meeting["Races"][race - 1];
      const LongshotRace& want = s.longshotList.Races[ListRaceIndex(m, race)];
      EXPECT_EQ(got["Lbrace"], want.Caption);
      EXPECT_EQ(got["Lbtan"], want.Upset);
      std::size_t k = 0;
      for (const auto& slot : got["Slots"]) {
        EXPECT_EQ(slot["Lbuma"]["Text"], want.Slots[k].Horse.Text);
        EXPECT_EQ(slot["Lbchaku"]["Text"], want.Slots[k].Place.Text);
        ++k;
        ++slots;
      }
      if (k < want.Slots.size()) EXPECT_EQ(want.Slots[k].Horse.Text, "");
    }
  }
  EXPECT_GT(slots, 0);
}

TEST(CliLists, LongshotsOutWritesBothFilesAndAsksBeforeReplacing) {
  test::TempDir out;
  const std::string args =
      "longshots --data " + ShellQuote(kSample.string()) + " --out " + ShellQuote(out.path().string());
  auto r = RunCli(args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Session s = BuiltInProcess(true);
  const fs::path txt = out.path() / "1020推奨馬.txt";
  const fs::path csv = out.path() / "1020推奨馬.csv";
  EXPECT_EQ(test::ReadAll(txt), text::JoinLinesSjis(LongshotTextLines(s.longshotList)));
  EXPECT_EQ(test::ReadAll(csv), text::JoinLinesSjis(LongshotCsvLines(s.longshotList)));

  // Existing files: the default answer keeps them and the command fails; --yes replaces them.
  out.Write("1020推奨馬.txt", "old");
  r = RunCli(args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("上書きしますか"), std::string::npos);
  EXPECT_EQ(test::ReadAll(txt), "old");
  r = RunCli(args + " --yes");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(test::ReadAll(txt), text::JoinLinesSjis(LongshotTextLines(s.longshotList)));

  // A missing export folder is refused.
  r = RunCli("longshots --data " + ShellQuote(kSample.string()) + " --out " +
             ShellQuote((out.path() / "none").string()));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(kListFolderMissing), std::string::npos);
}

TEST(CliLists, PredictedJsonAndMissingDay) {
  const auto r = RunCli("predicted --data " + ShellQuote(kSample.string()) + " --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  const Session s = BuiltInProcess(false);
  int analysed = 0;
  for (int m = 1; m <= 3; ++m) {
    for (int race = 1; race <= 12; ++race) {
      const auto& got = j["Meetings"][m - 1]["Races"][race - 1];
      const PredictedRace& want = s.predictedList.Races[ListRaceIndex(m, race)];
      ASSERT_EQ(got["Analysed"], want.Filled);
      if (!want.Filled) continue;
      ++analysed;
      EXPECT_EQ(got["UpsetText"], want.UpsetText);
      EXPECT_EQ(got["Leading"], want.Leading);
      ASSERT_EQ(got["Groups"]["Z"].size(), want.Groups[kGroupZ].size());
      for (std::size_t k = 0; k < want.Groups[kGroupZ].size(); ++k) {
        EXPECT_EQ(got["Groups"]["Z"][k]["Horse"], want.Groups[kGroupZ][k].HorseText);
        EXPECT_EQ(got["Groups"]["Z"][k]["Place"], want.Groups[kGroupZ][k].PlaceText);
      }
    }
  }
  EXPECT_EQ(analysed, 35);

  test::TempDir empty;
  const auto none = RunCli("predicted --data " + ShellQuote(empty.path().string()));
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("データを読み込めません"), std::string::npos);
}

}  // namespace
}  // namespace tz
