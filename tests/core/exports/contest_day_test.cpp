// Contest entry files written over a whole racing day: the file byte for byte on a small day,
// races without odds files or not on sale, the folder checks and write errors, the dialog runs
// (single rule, all patterns, automatic) and a generated day of 36 races.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <filesystem>
#include <string>
#include <vector>

#include "support/odds_day.h"
#include "analysis/pipeline.h"
#include "support/pat98_builders.h"
#include "exports/contest.h"
#include "exports/day_batch.h"
#include "pat98/day_loader.h"
#include "pat98/record_writers.h"
#include "samples/pat98/fixture_results.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;
using test::TempDir;

const std::string kDashes(76, '-');

// The lines of a written file (decoded; CR LF checked).
std::vector<std::string> FileLines(const fs::path& p) {
  const std::string bytes = test::ReadAll(p);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "line without CR LF at the end of " << p;
      break;
    }
    lines.push_back(text::DecodeSjis(bytes.substr(start, end - start)));
    start = end + 2;
  }
  return lines;
}

// 東京 on 8 September 2002 (a Sunday): race 1 with its race card, race 2 sold but without odds
// files, race 3 with odds but not on sale, race 4 under lower-case file names; and 中山, whose
// races have no odds files at all.
struct SmallDay {
  TempDir dir;
  TempDir out;
  Session s;
  FakePort port;

  SmallDay() {
    const fs::path d = dir.path();
    test::WriteOrFail(d, "UY-A.JRA", BettingGuideBytes(test::MakeGuide(5, 2, {31, 31, 0, 31})));
    test::WriteOrFail(d, "UY-B.JRA", BettingGuideBytes(test::MakeGuide(6, 2, {31, 31})));
    for (int race : {1, 3, 4}) {
      const auto odds = test::MakeOdds(8, 5, 2, race);
      const std::string zo = race == 4 ? "zo-524.jra" : RaceFileName("ZO-", 5, 2, race);
      const std::string uo = race == 4 ? "uo-524.jra" : RaceFileName("UO-", 5, 2, race);
      test::WriteOrFail(d, zo, fixture::OddsFileBytes(odds));
      test::WriteOrFail(d, uo, fixture::QuinellaFileBytes(test::MakeQuinella(odds)));
    }
    RaceCardFile card;
    card.year = 2002;
    card.month = 9;
    card.day = 8;
    card.courseCode = 5;
    card.courseName = "東京";
    card.kai = 4;
    card.dayOfMeeting = 2;
    card.race = 1;
    card.postTime = "1005";
    card.track = "芝";
    card.distance = "1600";
    card.title1 = "テスト特別";
    card.title2 = "３歳以上５００万下";
    WriteRaceCardFile(d, card);

    test::PointAt(s, d);
    s.app.settings.CSVpath = out.path().string();
    EXPECT_EQ(LoadCurrentData(s, port), 0);
    port.messages.clear();
  }
};

std::string Flow1to5Line(int race, const std::string& codes) {
  return text::FormatText(std::to_string(race), "@@") + "R" + "   1" + "  1- 2  1- 3  1- 4  1- 5" +
         std::string(12, ' ') + "  | " + "05" + "0" + std::to_string(race) + "08" + codes +
         "????" + "????" + "?????" + "?????";
}

TEST(ContestDay, FileOfASmallDayByteForByte) {
  SmallDay d;
  const ContestRule rule{kContestQ, 1, kContestQ, kContestFlow};
  const ContestRunResult res = ExportContestEntries(d.s, d.port, rule);
  EXPECT_FALSE(res.Failed);
  EXPECT_TRUE(d.port.messages.empty()) << d.port.messages.front().text;
  EXPECT_EQ(res.File, d.out.path() / "P020908Q1QN.txt");
  EXPECT_EQ(res.RaceLines, 2);

  // Horse 1 is the favourite of every race (the cheapest pairs); partners are positions 2-5.
  const std::vector<std::string> expected = {
      kDashes,
      "東京 2002年  4回  2日目  9月  8日(日) [0000] Tazuna98 Ver 2.041 (Q1QN)",
      kDashes,
      Flow1to5Line(1, "4311" "6"),  // ３歳以上 4, ５００万下 3, 芝 1, 1600 m
      Flow1to5Line(4, "000" "00"),  // no race card
      "",
      kDashes,
      "中山 2002年  4回  2日目  9月  8日(日) [0000] Tazuna98 Ver 2.041 (Q1QN)",
      kDashes,
      "",
  };
  std::string bytes;
  for (const auto& line : expected) bytes += text::EncodeSjis(line) + "\r\n";
  EXPECT_EQ(test::ReadAll(res.File), bytes);
  EXPECT_EQ(FileLines(res.File), expected);
  EXPECT_EQ(text::CharCount(expected[3]), 76u);
  EXPECT_FALSE(d.s.batch.Running);
}

// Race 1 has its results file: what the flow 1-2 .. 1-5 of horse 1 paid in each pool; race 4
// has none and keeps the question marks.
TEST(ContestDay, SumsOfThePicksFromTheResults) {
  SmallDay d;
  fixture::ResultsFile res;
  res.course = 5;
  res.yearDigit = 2;
  res.kai = 4;
  res.day = 2;
  res.race = 1;
  res.finishers = {{1, 1, "ｲﾁ", "1.34.7"}, {2, 3, "ｻﾝ", "1.34.9"}, {3, 5, "ｺﾞ", "1.35.0"}};
  res.win = {{1, 1230}};
  res.place = {{1, 150}, {3, 300}, {5, 400}};
  res.bracket = {{1, 3, 2010}};
  res.quinella = {{1, 3, 2340}};
  res.wide = {{1, 3, 800}, {1, 5, 1500}, {3, 5, 2000}};
  fixture::WriteResultsFile(d.dir.path(), res);

  const auto run = ExportContestEntries(d.s, d.port, {kContestQ, 1, kContestQ, kContestFlow});
  ASSERT_FALSE(run.Failed);
  EXPECT_TRUE(d.port.Errors().empty());
  const auto lines = FileLines(run.File);
  ASSERT_EQ(lines.size(), 10u);
  // Win 1230 and place 150 on horse 1; quinella 1-3; wide 1-3 and 1-5 (3-5 is no pick).
  EXPECT_EQ(lines[3].substr(58), "0123" "0015" "00234" "00230");
  EXPECT_EQ(lines[4].substr(58), std::string(18, '?'));
}

TEST(ContestDay, BoxAndAProgressStepPerLine) {
  SmallDay d;
  const ContestRunResult res =
      ExportContestEntries(d.s, d.port, {kContestW, 1, kContestQ, kContestBox});
  ASSERT_FALSE(res.Failed);
  EXPECT_EQ(res.File.filename(), "P020908W1QB.txt");
  const auto lines = FileLines(res.File);
  ASSERT_EQ(lines.size(), 10u);
  // Win favourite 1 with the three best partners 2, 3, 4: six pairs, no blank slot.
  EXPECT_EQ(lines[3].substr(0, 43), " 1R   1  1- 2  1- 3  1- 4  2- 3  2- 4  3- 4");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 6), "(W1QB)");
  EXPECT_EQ(d.port.progressCalls, 2);
  // Two lines for the day's three indexed odds files (race 3 is not on sale).
  EXPECT_EQ(d.s.contest.RaceProgress, 66);
}

TEST(ContestDay, FolderChecksAndWriteErrorsAreReported) {
  {
    SmallDay d;
    d.s.app.settings.CSVpath.clear();
    const auto res = ExportContestEntries(d.s, d.port, {});
    EXPECT_TRUE(res.Failed);
    EXPECT_EQ(d.port.Errors(), std::vector<std::string>{".CSV.TXT出力ﾌｫﾙﾀﾞを指定されていません。\n\n"});
  }
  {
    SmallDay d;
    const std::string missing = (d.out.path() / "nowhere").string();
    d.s.app.settings.CSVpath = missing;
    const auto res = ExportContestEntries(d.s, d.port, {});
    EXPECT_TRUE(res.Failed);
    EXPECT_EQ(d.port.Errors(), std::vector<std::string>{"ﾌｧｲﾙ出力ﾌｫﾙﾀﾞが存在しません。\n\n" + missing});
    EXPECT_FALSE(fs::exists(missing));
  }
  {
    // The file cannot be created: the unexpected-error message, the run does not start.
    SmallDay d;
    fs::create_directory(d.out.path() / "P020908T1TN.txt");
    const auto res = ExportContestEntries(d.s, d.port, {});
    EXPECT_TRUE(res.Failed);
    ASSERT_EQ(d.port.Errors().size(), 1u);
    EXPECT_EQ(d.port.Errors()[0].rfind("ErrorNo.21\n\n", 0), 0u) << d.port.Errors()[0];
    EXPECT_FALSE(d.s.batch.Running);
  }
  {
    // A disk that fills up (a file-size limit, its signal ignored): the failed write is
    // reported, never a silent success, and the old file stays whole.
    SmallDay d;
    d.out.Write("P020908T1TN.txt", "old entries");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 256;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto res = ExportContestEntries(d.s, d.port, {});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(res.Failed);
    ASSERT_EQ(d.port.Errors().size(), 1u);
    EXPECT_EQ(d.port.Errors()[0].rfind("ErrorNo.27\n\n", 0), 0u) << d.port.Errors()[0];
    EXPECT_EQ(test::ReadAll(d.out.path() / "P020908T1TN.txt"), "old entries");
    EXPECT_FALSE(d.s.batch.Running);
  }
}

TEST(ContestDay, AnExistingFileIsReplacedWithoutAsking) {
  SmallDay d;
  const fs::path old = d.out.path() / "p020908t1tn.TXT";  // the same name in other letter case
  test::WriteOrFail(d.out.path(), old.filename().string(), std::string(5000, 'x'));
  const auto res = ExportContestEntries(d.s, d.port, {});
  EXPECT_FALSE(res.Failed);
  EXPECT_TRUE(d.port.messages.empty());
  EXPECT_EQ(res.File, old);
  EXPECT_EQ(FileLines(old).size(), 10u);
  EXPECT_EQ(text::ListFolder(d.out.path(), "*").size(), 1u);
}

TEST(ContestDay, SingleRuleRunKeepsTheRuleAndTheSelectedMeeting) {
  SmallDay d;
  SelectMeeting(d.s, 2);
  const auto res = RunContestRule(d.s, d.port, {kContestZ, 2, kContestP, kContestBox});
  EXPECT_FALSE(res.Failed);
  EXPECT_EQ(res.File.filename(), "P020908Z2PB.txt");
  const Settings& st = d.s.app.settings;
  EXPECT_EQ(std::vector<int>({st.CnJiku, st.CnRank, st.CnHimo, st.CnBken}),
            std::vector<int>({4, 2, 6, 2}));
  EXPECT_EQ(d.s.race.CurrentMeeting, 2);
  EXPECT_EQ(d.s.race.CurrentCourse, 6);
  EXPECT_FALSE(d.s.batch.Running);
  EXPECT_FALSE(d.s.contest.Running);
  for (int b = 5; b <= 17; ++b) EXPECT_FALSE(d.s.dayView.raceButtons[b].pressed);

  // A rule with an unselected part: the plain message, nothing written.
  SmallDay e;
  const auto refused = RunContestRule(e.s, e.port, {kContestZ, 0, kContestP, kContestBox});
  EXPECT_TRUE(refused.Failed);
  ASSERT_EQ(e.port.messages.size(), 1u);
  EXPECT_EQ(e.port.messages[0].text, kContestNoSelection);
  EXPECT_EQ(e.port.messages[0].icon, Icon::None);
  EXPECT_TRUE(text::ListFolder(e.out.path(), "*").empty());
}

TEST(ContestDay, AutomaticRunWritesEveryCombinationInOrder) {
  SmallDay d;
  d.s.app.settings.CnJiku = 3;
  std::vector<std::string> started;
  std::vector<ContestRunResult> results;
  const ContestMasks masks{(1 << 0) | (1 << 6), 1 << 1, 1 << 6, 3};  // T, Q; rank 2; Q; N, B
  ASSERT_TRUE(RunAutoContest(
      d.s, d.port, masks,
      [&](const ContestRule& r) {
        started.push_back(ContestRuleCode(r) + " " + d.s.contest.RuleLabels[0] +
                          d.s.contest.RuleLabels[1] + d.s.contest.RuleLabels[2] +
                          d.s.contest.RuleLabels[3]);
      },
      {}, &results));
  EXPECT_EQ(started, (std::vector<std::string>{"T2QN Ｔ値２位仮単人気流し", "Q2QN 仮単人気２位仮単人気流し",
                                               "T2QB Ｔ値２位仮単人気ボックス",
                                               "Q2QB 仮単人気２位仮単人気ボックス"}));
  ASSERT_EQ(results.size(), 4u);
  for (const auto& r : results) EXPECT_TRUE(fs::exists(r.File));
  const Settings& st = d.s.app.settings;
  EXPECT_EQ(std::vector<int>({st.CJ, st.CR, st.CH, st.CB}), std::vector<int>({65, 2, 64, 3}));
  EXPECT_EQ(std::vector<int>({st.CnJiku, st.CnRank, st.CnHimo, st.CnBken}),
            std::vector<int>({1, 1, 1, 1}));
  EXPECT_EQ(d.s.contest.RuleProgress, 100);

  // A stop after the first rule: that file is complete, no other is written.
  SmallDay e;
  std::vector<ContestRunResult> one;
  ASSERT_TRUE(RunAutoContest(e.s, e.port, masks, {},
                             [](int, int, const ContestRule&) { return true; }, &one));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(FileLines(one[0].File).size(), 10u);
  EXPECT_EQ(text::ListFolder(e.out.path(), "*").size(), 1u);

  // A group without a tick: the message, nothing stored or written.
  SmallDay f;
  EXPECT_FALSE(RunAutoContest(f.s, f.port, {1, 1, 0, 1}, {}, {}));
  EXPECT_EQ(f.port.messages.size(), 1u);
  EXPECT_EQ(f.s.app.settings.CJ, 0);
  EXPECT_TRUE(text::ListFolder(f.out.path(), "*").empty());
}

TEST(ContestDay, AllPatternsWriteNinetyEightFlowFiles) {
  SmallDay d;
  d.s.app.settings.CnHimo = 5;
  int calls = 0;
  const auto results =
      RunAllContestPatterns(d.s, d.port, [&](int done, int total, const ContestRule&) {
        ++calls;
        EXPECT_EQ(total, 98);
        EXPECT_EQ(done, calls);
        return false;
      });
  ASSERT_EQ(results.size(), 98u);
  EXPECT_EQ(results.front().File.filename(), "P020908T1TN.txt");
  EXPECT_EQ(results[1].File.filename(), "P020908T1FN.txt");
  EXPECT_EQ(results[7].File.filename(), "P020908F1TN.txt");
  EXPECT_EQ(results.back().File.filename(), "P020908Q2QN.txt");
  EXPECT_EQ(text::ListFolder(d.out.path(), "*").size(), 98u);
  EXPECT_EQ(d.s.app.settings.CnHimo, 1);

  // 中止: the stop flag ends the run after the rule being written.
  SmallDay e;
  const auto stopped = RunAllContestPatterns(e.s, e.port, [&](int done, int, const ContestRule&) {
    if (done == 3) e.s.contest.StopRequested = true;
    return false;
  });
  EXPECT_EQ(stopped.size(), 3u);
}

// Every race of a generated day of three meetings (sale codes 31, 15 and 7, scratched horses):
// the layout of every block and line.
TEST(ContestDay, GeneratedDayHasABlockPerMeetingAndALinePerRace) {
  TempDir dir, out;
  test::WriteOddsDay(dir.path());
  Session s;
  FakePort port;
  test::PointAt(s, dir.path());
  s.app.settings.CSVpath = out.path().string();
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  const auto res = ExportContestEntries(s, port, {kContestQ, 1, kContestF, kContestFlow});
  ASSERT_FALSE(res.Failed);
  EXPECT_TRUE(port.Errors().empty());
  EXPECT_EQ(res.File.filename(), "P030105Q1FN.txt");
  EXPECT_EQ(res.RaceLines, 36);
  const auto lines = FileLines(res.File);
  ASSERT_EQ(lines.size(), 3u * 16u);
  const char* courses[] = {"中山", "京都", "小倉"};
  for (int m = 0; m < 3; ++m) {
    const std::size_t at = 16u * m;
    EXPECT_EQ(lines[at], kDashes);
    EXPECT_EQ(lines[at + 1].rfind(courses[m], 0), 0u) << lines[at + 1];
    EXPECT_NE(lines[at + 1].find("日(日) [0000] Tazuna98 Ver 2.041 (Q1FN)"), std::string::npos);
    EXPECT_EQ(lines[at + 2], kDashes);
    for (int r = 1; r <= 12; ++r) {
      const std::string& line = lines[at + 2 + r];
      SCOPED_TRACE(line);
      EXPECT_EQ(line.substr(0, 3), text::FormatText(std::to_string(r), "@@") + "R");
      EXPECT_EQ(line.substr(43, 4), "  | ");
      // No results in the folder: every sum is unknown.
      EXPECT_EQ(line.substr(line.size() - 18), std::string(18, '?'));
      EXPECT_EQ(line.size(), 76u);
    }
    EXPECT_EQ(lines[at + 15], "");
  }
  // The bracket-only races (8 and 10 horses) write each pair as four blanks and the digits of
  // two brackets, the smaller first, so a slot stays six characters wide.
  for (std::size_t at : {32u + 3u, 32u + 4u}) {
    const std::string& bracketRace = lines[at];
    SCOPED_TRACE(bracketRace);
    int pairs = 0;
    for (int slot = 0; slot < 6; ++slot) {
      const std::string cell = bracketRace.substr(7 + 6 * slot, 6);
      if (cell == "      ") continue;
      ++pairs;
      EXPECT_EQ(cell.substr(0, 4), "    ");
      EXPECT_TRUE(cell[4] >= '1' && cell[4] <= '8' && cell[5] >= '1' && cell[5] <= '8') << cell;
      EXPECT_LE(cell[4], cell[5]) << cell;
    }
    EXPECT_GT(pairs, 0);
  }
}

// The axis of every race is a runner holding the rule's rank in that race, or 0 when none
// holds it; a race without an axis has no pairs. Checked against the ranks the prediction rows
// show, race by race, for rules whose rank is often missing.
TEST(ContestDay, EachRaceHasItsOwnAxisOrNone) {
  const fs::path folder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";
  TempDir out;
  Session s;
  FakePort port;
  test::PointAt(s, folder);
  s.app.settings.CSVpath = out.path().string();
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  int withoutAxis = 0;
  for (const ContestRule rule : {ContestRule{kContestT, 5, kContestQ, kContestFlow},
                                 ContestRule{kContestZ, 4, kContestQ, kContestBox},
                                 ContestRule{kContestR, 3, kContestW, kContestFlow}}) {
    SCOPED_TRACE(ContestRuleCode(rule));
    // The horses holding the rank, race by race, as the prediction rows show them.
    std::vector<std::vector<int>> holders;
    ForEachRaceOfDay(s, port, [&](int, int) {
      std::vector<int> horses;
      for (int p = 1; p <= s.prediction.RowCount; ++p) {
        if (ContestRankAt(s, rule.AxisIndicator, p) == rule.AxisRank) {
          horses.push_back(s.race.HorseOrder[p]);
        }
      }
      holders.push_back(horses);
    });
    const auto res = ExportContestEntries(s, port, rule);
    ASSERT_FALSE(res.Failed);
    std::vector<std::string> raceLines;
    for (const std::string& line : FileLines(res.File)) {
      if (line.size() == 76 && line[2] == 'R') raceLines.push_back(line);
    }
    ASSERT_EQ(raceLines.size(), holders.size());
    for (std::size_t i = 0; i < raceLines.size(); ++i) {
      const std::string& line = raceLines[i];
      const int axis = static_cast<int>(text::Val(line.substr(5, 2)));
      const std::string slots = line.substr(7, 36);
      if (holders[i].empty()) {
        ++withoutAxis;
        EXPECT_EQ(axis, 0) << line;
        EXPECT_EQ(slots, std::string(36, ' ')) << line;
      } else {
        EXPECT_EQ(axis, holders[i].front()) << line;
        EXPECT_EQ(slots.find(" 0-"), std::string::npos) << line;
      }
    }
  }
  EXPECT_GT(withoutAxis, 0);  // the rules do meet races without an axis
  EXPECT_TRUE(port.Errors().empty());
}

// A run that cannot write anything says so once: without a loaded day (nothing written, not an
// empty file), and in the multi-rule runs without an export folder (one message for all 98
// rules, not one per rule).
TEST(ContestDay, RunsThatCannotWriteSaySoOnce) {
  {
    TempDir out;
    Session s;
    FakePort port;
    s.app.settings.CSVpath = out.path().string();
    const auto single = RunContestRule(s, port, {kContestT, 1, kContestT, kContestFlow});
    EXPECT_TRUE(single.Failed);
    EXPECT_TRUE(single.File.empty());
    EXPECT_EQ(port.Errors(), std::vector<std::string>{kContestNoDay});
    EXPECT_TRUE(text::ListFolder(out.path(), "*").empty());
  }
  {
    SmallDay d;
    const std::string missing = (d.out.path() / "nowhere").string();
    d.s.app.settings.CSVpath = missing;
    d.s.app.settings.CnJiku = 3;
    int rules = 0;
    const auto all = RunAllContestPatterns(d.s, d.port, [&](int, int, const ContestRule&) {
      ++rules;
      return false;
    });
    EXPECT_TRUE(all.empty());
    EXPECT_EQ(rules, 0);
    EXPECT_EQ(d.port.Errors(), std::vector<std::string>{"ﾌｧｲﾙ出力ﾌｫﾙﾀﾞが存在しません。\n\n" + missing});
    EXPECT_EQ(d.s.app.settings.CnJiku, 3);  // nothing ran, nothing stored

    d.port.messages.clear();
    EXPECT_FALSE(RunAutoContest(d.s, d.port, {0x7F, 0x3, 0x7F, 0x3}, {}, {}));
    EXPECT_EQ(d.port.Errors().size(), 1u);
    EXPECT_EQ(d.s.app.settings.CJ, 0);
  }
}

}  // namespace
}  // namespace tz
