#include "results/results_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "samples/pat98/fixture_results.h"
#include "samples/pat98/fixture_voting_log.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/strings.h"

namespace tz {
namespace {

using fixture::DayPayoutFiles;
using fixture::DayPayoutKind;
using fixture::DayPayoutRace;
using fixture::ResultsFile;
using tz::test::FakePort;
using tz::test::TempDir;

// Course 5 (東京), year digit 2, 回 4, 日 6, race 11.
void SelectRace(Session& s, const TempDir& dir, int race = 11) {
  s.app.DataFolder = dir.path();
  s.app.AppTitle = "Tazuna98";
  s.race.CurrentCourse = 5;
  s.race.OddsHeaderDigit = 2;
  s.race.OddsKai = 4;
  s.race.OddsDay = 6;
  s.race.CurrentRace = race;
  for (int h = 1; h <= 18; ++h) s.race.HorseName[static_cast<std::size_t>(h - 1)] = "Horse" + std::to_string(h);
}

ResultsFile Race11(bool withWide) {
  ResultsFile f;
  f.course = 5;
  f.yearDigit = 2;
  f.kai = 4;
  f.day = 6;
  f.race = 11;
  f.weather = "小雨";
  f.turfGoing = "稍重";
  f.dirtGoing = "重";
  f.withWide = withWide;
  f.finishers = {{1, 3, "サクラローレル", "1.34.7"}, {2, 12, "ｷﾝｸﾞﾍｲﾛｰ", "1.34.9"}, {3, 5, "ABC", "1.35.0"}};
  f.win = {{3, 420}};
  f.place = {{3, 150}, {12, 890}, {5, 230}};
  f.bracket = {{2, 6, 1230}};
  f.quinella = {{3, 12, 4560}};
  if (withWide) f.wide = {{3, 12, 1500}, {3, 5, 480}, {5, 12, 2990}};
  return f;
}

std::vector<std::string> Records(const ResultState& r, int from, int to) {
  return {r.PayoutTable.begin() + from, r.PayoutTable.begin() + to};
}

std::vector<std::string> OfKind(const std::vector<std::string>& v, char kind) {
  std::vector<std::string> out;
  std::copy_if(v.begin(), v.end(), std::back_inserter(out), [&](const std::string& r) { return r[4] == kind; });
  return out;
}

TEST(ResultsFileNames, HexCourseAndRaceDecimalMiddle) {
  EXPECT_EQ(ResultsFileName(5, 3, 2, 8, 11), "KS-5328B.JRA");
  EXPECT_EQ(ResultsFileName(10, 2, 4, 12, 9), "KS-A24129.JRA");
  EXPECT_EQ(PayoutFileName("UH-", 10, 2, 4, 6), "UH-A246.JRA");
  EXPECT_EQ(RaceKey(5, 11), "0511");
}

TEST(ResultsReader, LayoutBReadsEverythingAndRefunds) {
  TempDir dir;
  ResultsFile f = Race11(true);
  f.scratched = {7};
  f.bracketFlags[8] = 1;
  f.bracketFlags[3] = 2;
  fixture::WriteResultsFile(dir.path(), f);
  Session s;
  SelectRace(s, dir);
  FakePort port;
  ReadRaceResults(s, port);
  const ResultState& r = s.results;
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(r.ResultsAvailability, PayoutsFound::All);
  EXPECT_EQ(r.ResultWeather, "小雨");
  EXPECT_EQ(r.ResultTurfGoing, "稍重");
  EXPECT_EQ(r.ResultDirtGoing, "重　");
  EXPECT_EQ((std::array<int, 5>{1, 2, 3, 0, 0}), r.FinisherPlace);
  EXPECT_EQ((std::array<int, 5>{3, 12, 5, 0, 0}), r.FinisherHorse);
  // Full-width names become half-width and the prolonged-sound mark a hyphen.
  EXPECT_EQ(text::TrimRight(r.FinisherName[0]), "ｻｸﾗﾛ-ﾚﾙ");
  EXPECT_EQ(text::TrimRight(r.FinisherName[1]), "ｷﾝｸﾞﾍｲﾛ-");
  EXPECT_EQ(r.FinisherTime[0], "1.34.7");

  ASSERT_EQ(r.PayoutCount, 9);
  const std::vector<std::string> priced{
      "051110003420   ", "051120003150   ", "051120012890   ", "051120005230   ",
      "0511302061230  ", "0511403124560  ", "0511503121500  ", "051150305480   ",
      "0511505122990  "};
  EXPECT_EQ(Records(r, 0, 9), priced);
  EXPECT_EQ(r.RefundHorsesText, "7,");

  // Horse 7 scratched: win, place, 17 quinella and 17 wide pairs; bracket 8 void (8 pairs) and
  // 3-3 void: 45 refunds, merged behind the priced records.
  ASSERT_EQ(r.ResultEntryCount, 9 + 45);
  ASSERT_EQ(r.PayoutTable.size(), 54u);
  std::vector<std::string> refunds = Records(r, 9, 54);
  for (const auto& rec : refunds) EXPECT_EQ(rec.substr(9), "000000") << rec;
  EXPECT_EQ(OfKind(refunds, '1'), std::vector<std::string>{"051110007000000"});
  EXPECT_EQ(OfKind(refunds, '2'), std::vector<std::string>{"051120007000000"});
  std::vector<std::string> pairs = OfKind(refunds, '4');
  ASSERT_EQ(pairs.size(), 17u);
  EXPECT_EQ(pairs.front(), "051140107000000");
  EXPECT_EQ(pairs[5], "051140607000000");
  EXPECT_EQ(pairs[6], "051140708000000");
  EXPECT_EQ(pairs.back(), "051140718000000");
  EXPECT_EQ(OfKind(refunds, '5').size(), 17u);
  std::vector<std::string> brackets = OfKind(refunds, '3');
  ASSERT_EQ(brackets.size(), 9u);
  EXPECT_EQ(brackets[0], "051130303000000");  // flag 2 at bracket 3: only 3-3
  EXPECT_EQ(brackets[1], "051130108000000");  // flag 1 at bracket 8: 1-8 .. 8-8
  EXPECT_EQ(brackets[8], "051130808000000");
}

TEST(ResultsReader, LayoutAHasNoWideAndReadsItsOwnSlots) {
  TempDir dir;
  ResultsFile f = Race11(false);
  f.scratched = {3, 12};
  fixture::WriteResultsFile(dir.path(), f);
  Session s;
  SelectRace(s, dir);
  ASSERT_TRUE(ReadResultsFile(s.results, s.app, s.folders, 5, 2, 4, 6, 11));
  const ResultState& r = s.results;
  EXPECT_EQ(r.PayoutCount, 6);
  EXPECT_TRUE(OfKind(Records(r, 0, r.PayoutCount), '5').empty());
  EXPECT_EQ(r.RefundHorsesText, "3,12,");
  // Kinds 1, 2 and 4 only: 2 + 2 + 17 + 17.
  EXPECT_EQ(r.ResultEntryCount, 38);
  EXPECT_TRUE(OfKind(r.RefundTable, '5').empty());
  EXPECT_EQ(OfKind(r.RefundTable, '4').size(), 34u);
}

TEST(ResultsReader, BlankFirstFinisherStillReadsPayouts) {
  TempDir dir;
  ResultsFile f = Race11(true);
  f.finishers = {{0, 0, "", ""}, {2, 12, "X", "1.34.9"}};
  fixture::WriteResultsFile(dir.path(), f);
  Session s;
  SelectRace(s, dir);
  ASSERT_TRUE(ReadResultsFile(s.results, s.app, s.folders, 5, 2, 4, 6, 11));
  EXPECT_EQ(s.results.FinisherPlace[0], 0);
  EXPECT_EQ(s.results.FinisherPlace[1], 2);
  EXPECT_EQ(s.results.PayoutCount, 9);
}

// Five scratched horses with wide payouts and every bracket void: far more records than a
// table of 201 holds. Every record must be there, none twice.
TEST(ResultsReader, KeepsEveryRecordOfABigRefundRace) {
  TempDir dir;
  ResultsFile f = Race11(true);
  f.scratched = {1, 4, 9, 16, 18};
  for (int w = 1; w <= 8; ++w) f.bracketFlags[static_cast<std::size_t>(w)] = 1;
  fixture::WriteResultsFile(dir.path(), f);
  Session s;
  SelectRace(s, dir);
  FakePort port;
  ReadRaceResults(s, port);
  const ResultState& r = s.results;
  // 5 x 36 horse refunds + 8 x 8 bracket refunds.
  EXPECT_EQ(r.PayoutCount, 9);
  ASSERT_EQ(r.ResultEntryCount, 9 + 180 + 64);
  ASSERT_EQ(r.PayoutTable.size(), static_cast<std::size_t>(r.ResultEntryCount));
  EXPECT_EQ(r.PayoutTable.back(), "051130808000000");
  std::set<std::string> horseRefunds;
  for (int k = r.PayoutCount; k < r.ResultEntryCount; ++k) {
    if (r.PayoutTable[static_cast<std::size_t>(k)][4] != '3') horseRefunds.insert(r.PayoutTable[static_cast<std::size_t>(k)]);
  }
  EXPECT_EQ(horseRefunds.size(), 180u - 20u);  // a pair of two scratched horses comes twice
  EXPECT_EQ(r.RefundHorsesText, "1,4,9,16,18,");
}

// Files that exist but cannot be results files: reported once, nothing read, no per-day file
// tried, no crash whatever the length.
TEST(ResultsReader, DamagedResultsFilesFailCleanly) {
  const std::string good = fixture::ResultsFileBytes(Race11(true));
  std::string badPosition = good;
  badPosition[90] = 'X';  // first finisher's place
  std::string badPayout = good;
  badPayout[90 + 284 + 5] = 'Z';  // inside the first win payout
  std::string badSlot = good;
  badSlot[90 + 284 + 300] = 'Q';  // first scratched-horse slot
  const std::vector<std::pair<std::string, std::string>> cases{
      {"empty", ""},
      {"header only", good.substr(0, 90)},
      {"through the finishers", good.substr(0, 90 + 200)},
      {"payout section cut", good.substr(0, 90 + 284 + 100)},
      {"flags cut", good.substr(0, good.size() - 8)},
      {"place not a digit", badPosition},
      {"payout not a number", badPayout},
      {"slot not a number", badSlot},
  };
  for (const auto& [label, bytes] : cases) {
    SCOPED_TRACE(label);
    TempDir dir;
    dir.Write("KS-5246B.JRA", bytes);
    DayPayoutFiles day;
    day.course = 5;
    day.yearDigit = 2;
    day.kai = 4;
    day.day = 6;
    day.races = {{11, '1', {{3, 420}}, {{3, 150}}}};
    fixture::WriteDayPayoutFiles(dir.path(), day);
    Session s;
    SelectRace(s, dir);
    s.results.PayoutTable = {"stale"};
    s.results.PayoutCount = 1;
    FakePort port;
    ReadRaceResults(s, port);
    EXPECT_EQ(port.Errors(), std::vector<std::string>{std::string(kNotAResultsFile)});
    EXPECT_EQ(port.messages[0].title, "Tazuna98");
    EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::None);
    EXPECT_EQ(s.results.PayoutCount, 0);
    EXPECT_TRUE(s.results.PayoutTable.empty());
    EXPECT_EQ(s.results.FinisherPlace, (std::array<int, 5>{}));
  }
}

TEST(ResultsReader, MissingResultsFileIsNoFailure) {
  TempDir dir;
  Session s;
  SelectRace(s, dir);
  EXPECT_TRUE(ReadResultsFile(s.results, s.app, s.folders, 5, 2, 4, 6, 11));
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::None);
  FakePort port;
  ReadRaceResults(s, port);
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::None);
  EXPECT_EQ(s.race.LoadStatus, 0);
}

TEST(ResultsReader, FindsTheFileInAnyLetterCase) {
  TempDir dir;
  dir.Write("ks-5246b.jra", fixture::ResultsFileBytes(Race11(true)));
  Session s;
  SelectRace(s, dir);
  ASSERT_TRUE(ReadResultsFile(s.results, s.app, s.folders, 5, 2, 4, 6, 11));
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::All);
}

TEST(ResultsReader, VotesOnlyReadsNoResults) {
  TempDir dir;
  fixture::WriteResultsFile(dir.path(), Race11(true));
  Session s;
  SelectRace(s, dir);
  s.history.HitMessage = "的中しています！";
  FakePort port;
  ReadRaceResults(s, port, ResultsRead::VotesOnly);
  EXPECT_EQ(s.results.PayoutCount, 0);
  EXPECT_EQ(s.history.HitMessage, "的中しています！");
}

// After the results, the votes of the race are read and checked against the merged table;
// a batch run and a damaged results file never reach the voting log.
TEST(ResultsReader, VotesAreCheckedAfterTheResultsOnlyOutsideBatchRuns) {
  TempDir dir;
  ResultsFile f = Race11(true);
  f.scratched = {7};
  fixture::WriteResultsFile(dir.path(), f);
  fixture::VoteFileRecord votes;
  votes.date = "20021020";
  votes.votes = {{1, 5, 11, 4, 3, 12, 2, 1}, {1, 5, 11, 1, 0, 7, 3, 1}, {1, 5, 11, 5, 3, 5, 1, 1}};
  ASSERT_EQ(fixture::WriteVotingLog(dir.path(), {votes}), "");
  for (bool batch : {false, true}) {
    SCOPED_TRACE(batch);
    Session s;
    SelectRace(s, dir);
    s.race.GuideDate = "20021020";
    FakePort port;
    ReadRaceResults(s, port, batch ? ResultsRead::ResultsOnly : ResultsRead::ResultsAndVotes);
    EXPECT_EQ(s.results.ResultEntryCount, 9 + 36);
    EXPECT_EQ(s.race.LoadStatus, 0);
    if (batch) {
      EXPECT_TRUE(s.history.VoteList.empty());
      continue;
    }
    EXPECT_EQ(s.history.VoteList.size(), 3u);
    ASSERT_EQ(s.history.PayoutHit.size(), 45u);
    EXPECT_EQ(s.history.PayoutHit[5], 1);  // quinella 3-12
    EXPECT_EQ(s.history.PayoutHit[7], 1);  // wide 3-5
    EXPECT_EQ(s.history.MaxHitPayout, 4560);
    EXPECT_EQ(s.history.LogReturn, 2 * 4560 + 3 * 100 + 480);  // the win on horse 7 is refunded
    EXPECT_EQ(s.history.HitMessage, "的中しています！");
  }
  dir.Write("KS-5246B.JRA", "damaged");
  Session s;
  SelectRace(s, dir);
  s.race.GuideDate = "20021020";
  FakePort port;
  ReadRaceResults(s, port);
  EXPECT_EQ(port.Errors().size(), 1u);
  EXPECT_TRUE(s.history.VoteList.empty());
}

DayPayoutFiles Day(std::vector<DayPayoutRace> races) {
  DayPayoutFiles d;
  d.course = 5;
  d.yearDigit = 2;
  d.kai = 4;
  d.day = 6;
  d.races = std::move(races);
  return d;
}

DayPayoutRace Race(int win, int place, int quinella) {
  DayPayoutRace r;
  r.race = 11;
  for (int k = 0; k < win; ++k) r.win.push_back({3 + k, 400 + k});
  for (int k = 0; k < place; ++k) r.place.push_back({3 + k, 150 + k});
  r.bracket = {{2, 6, 1230}};
  for (int k = 0; k < quinella; ++k) r.quinella.push_back({3, 4 + k, 4560 + k});
  r.wide = {{3, 4, 900}};
  return r;
}

TEST(PayoutFiles, WithoutWideFileGiveFifteenAndMergeRefunds) {
  TempDir dir;
  DayPayoutRace r = Race(1, 3, 1);
  r.scratched = {7};
  r.bracketFlags[2] = 2;
  fixture::WriteDayPayoutFiles(dir.path(), Day({r}),
                               {DayPayoutKind::Win, DayPayoutKind::Place, DayPayoutKind::Bracket, DayPayoutKind::Quinella});
  Session s;
  SelectRace(s, dir);
  FakePort port;
  ReadRaceResults(s, port);
  const ResultState& res = s.results;
  EXPECT_EQ(res.ResultsAvailability, PayoutsFound::AllButWide);
  EXPECT_EQ(res.PayoutCount, 6);
  // UH keeps its payout field as the file has it; the others are rewritten left-aligned.
  EXPECT_EQ(Records(res, 0, 6), (std::vector<std::string>{
                                    "051110003400   ", "051120003150   ", "051120004151   ",
                                    "051120005152   ", "0511302061230  ", "051140304  4560"}));
  // 2-2 void; horse 7: win, place, 17 quinella pairs.
  EXPECT_EQ(res.ResultEntryCount, 6 + 1 + 19);
  EXPECT_EQ(res.PayoutTable[6], "051130202000000");
  EXPECT_EQ(res.RefundHorsesText, "7,");
  EXPECT_EQ((std::array<int, 5>{3, 4, 5, 0, 0}), res.FinisherHorse);
  EXPECT_EQ((std::array<int, 5>{1, 2, 3, 0, 0}), res.FinisherPlace);
  EXPECT_EQ(res.FinisherName[1], "Horse4");  // the race card's name
  EXPECT_EQ(res.ResultTurfGoing, "    ");
}

TEST(PayoutFiles, WinAndPlaceOnlyGiveThreeAndNoMerge) {
  TempDir dir;
  DayPayoutRace r = Race(1, 3, 1);
  fixture::WriteDayPayoutFiles(dir.path(), Day({r}), {DayPayoutKind::Win, DayPayoutKind::Place});
  Session s;
  SelectRace(s, dir);
  FakePort port;
  ReadRaceResults(s, port);
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::Win | PayoutsFound::Place);
  EXPECT_EQ(s.results.PayoutCount, 4);
  EXPECT_EQ(s.results.PayoutTable.size(), 4u);
}

// Refunds join the payouts only when win, place, bracket quinella and quinella were all read;
// the wide file does not stand in for a missing one.
TEST(PayoutFiles, RefundsMergeOnlyWithTheFourMainPayouts) {
  using K = DayPayoutKind;
  struct Case {
    std::vector<DayPayoutKind> files;
    bool merged;
  };
  const std::vector<Case> cases = {
      {{K::Win, K::Place, K::Bracket, K::Quinella}, true},
      {{K::Win, K::Place, K::Bracket, K::Quinella, K::Wide}, true},
      {{K::Win, K::Place, K::Wide}, false},
      {{K::Bracket, K::Quinella, K::Wide}, false},
      {{K::Wide}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.files.size() << " files, merged " << c.merged);
    TempDir dir;
    DayPayoutRace r = Race(1, 3, 1);
    r.scratched = {7};
    const DayPayoutFiles day = Day({r});
    for (DayPayoutKind kind : c.files) fixture::WriteDayPayoutFiles(dir.path(), day, {kind});
    Session s;
    SelectRace(s, dir);
    FakePort port;
    ReadRaceResults(s, port);
    const ResultState& res = s.results;
    ASSERT_FALSE(res.RefundTable.empty());
    EXPECT_EQ(res.PayoutTable.size() > static_cast<std::size_t>(res.PayoutCount), c.merged);
  }
}

TEST(PayoutFiles, StatusFiveCountsWithoutRecordsAndOtherStatusesCountNothing) {
  TempDir dir;
  DayPayoutRace r = Race(1, 3, 1);
  r.status = '5';
  DayPayoutRace other = Race(1, 3, 1);
  other.race = 10;  // another race's payouts never reach race 11
  fixture::WriteDayPayoutFiles(dir.path(), Day({r, other}));
  Session s;
  SelectRace(s, dir);
  ReadPayoutFiles(s.results, s.race, s.app, s.folders, 5, 2, 4, 6, 11);
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::All);
  EXPECT_EQ(s.results.PayoutCount, 0);
  ReadPayoutFiles(s.results, s.race, s.app, s.folders, 5, 2, 4, 6, 12);  // status "0"
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::None);
}

TEST(PayoutFiles, PlacesInferredFromTheNumbersOfPayouts) {
  struct Case {
    int win, place, quinella;
    std::array<int, 5> places;
  };
  const std::vector<Case> cases{
      {1, 3, 1, {1, 2, 3, 0, 0}},  // plain
      {2, 3, 1, {1, 1, 3, 0, 0}},  // dead heat for first
      {1, 3, 2, {1, 2, 2, 0, 0}},  // dead heat for second
      {1, 4, 1, {1, 2, 3, 3, 0}},  // dead heat for third
      {1, 2, 1, {1, 2, 0, 0, 0}},  // small field: two place payouts
      {3, 3, 1, {1, 1, 1, 0, 0}},  // three winners
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.win << " " << c.place << " " << c.quinella);
    TempDir dir;
    fixture::WriteDayPayoutFiles(dir.path(), Day({Race(c.win, c.place, c.quinella)}));
    Session s;
    SelectRace(s, dir);
    ReadPayoutFiles(s.results, s.race, s.app, s.folders, 5, 2, 4, 6, 11);
    EXPECT_EQ(s.results.FinisherPlace, c.places);
    EXPECT_EQ(s.results.WinPayoutCount, c.win);
    EXPECT_EQ(s.results.PlacePayoutCount, c.place);
  }
}

TEST(PayoutFiles, WideFileRefundsWithoutTouchingTheRefundedHorses) {
  TempDir dir;
  DayPayoutRace r = Race(1, 3, 1);
  r.scratched = {2, 9};
  fixture::WriteDayPayoutFiles(dir.path(), Day({r}), {DayPayoutKind::Wide});
  Session s;
  SelectRace(s, dir);
  ReadPayoutFiles(s.results, s.race, s.app, s.folders, 5, 2, 4, 6, 11);
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::Wide);
  EXPECT_EQ(s.results.RefundHorsesText, "");
  EXPECT_EQ(s.results.ResultEntryCount, 34);
  EXPECT_EQ(OfKind(s.results.RefundTable, '5').size(), 34u);
  EXPECT_EQ(s.results.PayoutTable, std::vector<std::string>{"051150304   900"});
}

TEST(PayoutFiles, ShortAndDamagedFilesReadWhatIsThere) {
  TempDir dir;
  DayPayoutFiles d = Day({Race(1, 3, 1)});
  std::string th = fixture::DayPayoutFileBytes(d, DayPayoutKind::Win);
  // TH cut inside race 11's record: the record is padded with blanks, the first entry holds.
  dir.Write("TH-5246.JRA", th.substr(0, 20 + 10 * 44 + 20));
  // FH whose second place entry is garbage: that entry is left out, the others are read.
  std::string fh = fixture::DayPayoutFileBytes(d, DayPayoutKind::Place);
  fh[20 + 10 * 64 + 4 + 10] = 'x';
  dir.Write("FH-5246.JRA", fh);
  dir.Write("WH-5246.JRA", "WH");    // shorter than its header
  dir.Write("UH-5246.JRA", "");      // empty
  Session s;
  SelectRace(s, dir);
  ReadPayoutFiles(s.results, s.race, s.app, s.folders, 5, 2, 4, 6, 11);
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::Win | PayoutsFound::Place);
  EXPECT_EQ(Records(s.results, 0, s.results.PayoutCount),
            (std::vector<std::string>{"051110003400   ", "051120003150   ", "051120005152   "}));
}

TEST(PayoutFiles, RefundsOfTwoFilesBothStay) {
  // UH and KH both generate refunds for the same scratched horse; with the results list
  // resetting only the counts, nothing of the previous race may leak into the next.
  TempDir dir;
  DayPayoutRace r = Race(1, 3, 1);
  r.scratched = {5};
  DayPayoutRace next = Race(1, 3, 1);
  next.race = 12;
  fixture::WriteDayPayoutFiles(dir.path(), Day({r, next}));
  Session s;
  SelectRace(s, dir);
  ReadPayoutFiles(s.results, s.race, s.app, s.folders, 5, 2, 4, 6, 11);
  EXPECT_EQ(s.results.ResultEntryCount, 19 + 17);
  s.results.PayoutCount = 0;
  s.results.ResultEntryCount = 0;
  ReadPayoutFiles(s.results, s.race, s.app, s.folders, 5, 2, 4, 6, 12);
  EXPECT_EQ(s.results.ResultEntryCount, 0);
  EXPECT_TRUE(s.results.RefundTable.empty());
  EXPECT_EQ(s.results.PayoutCount, 7);
  MergeRefunds(s.results);
  EXPECT_EQ(s.results.ResultEntryCount, 7);
}

}  // namespace
}  // namespace tz
