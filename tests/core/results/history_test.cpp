// The voting log: collecting the votes of the selected race from LG-FILE.JRA and its vote files,
// matching them with the payout table, the history text and the history window's totals.
#include "results/history.h"

#include <gtest/gtest.h>

#include <fmt/format.h>

#include "samples/pat98/fixture_voting_log.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

namespace tz {
namespace {

using fixture::LoggedVote;
using fixture::VoteFileRecord;

// A payout record: race key, bet kind, numbers, payout field.
std::string Pay(int kind, int a, int b, const std::string& payout, int course = 5, int race = 11) {
  return fmt::format("{:02}{:02}{}{:02}{:02}", course, race, kind, a, b) + payout;
}

LoggedVote Vote(int kind, int a, int b, int units, int saleKind = 1, int race = 11, int state = 1) {
  LoggedVote v;
  v.saleKind = saleKind;
  v.course = 5;
  v.race = race;
  v.kind = kind;
  v.first = a;
  v.second = b;
  v.units = units;
  v.state = state;
  return v;
}

struct HistoryFixture : ::testing::Test {
  test::TempDir dir;
  Session s;
  test::FakePort port;

  void SetUp() override {
    s.app.AppTitle = "Tazuna98";
    s.app.DataFolder = dir.path();
    s.race.GuideDate = "20021020";
    s.race.CurrentCourse = 5;
    s.race.CurrentRace = 11;
    s.race.CurrentDayKind = 1;
  }

  void Log(const std::vector<VoteFileRecord>& files) {
    ASSERT_EQ(fixture::WriteVotingLog(dir.path(), files), "");
  }

  // Payouts as the results reader leaves them after merging the refunds.
  void Payouts(std::vector<std::string> table, int priced = -1) {
    s.results.PayoutTable = std::move(table);
    s.results.ResultEntryCount = static_cast<int>(s.results.PayoutTable.size());
    s.results.PayoutCount = priced < 0 ? s.results.ResultEntryCount : priced;
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    const std::string& t = s.history.HitListText;
    std::size_t a = 0;
    while (a < t.size()) {
      std::size_t b = t.find("\r\n", a);
      EXPECT_NE(b, std::string::npos) << "line without CR LF";
      if (b == std::string::npos) break;
      out.push_back(t.substr(a, b - a));
      a = b + 2;
    }
    return out;
  }
};

// Race 0511 of 20 October 2002: win 7 paid 1,230 yen, places 7, 12 and 3, quinella 7-12 paid
// 12,340 yen, horse 9 scratched (refunds), no wide payouts.
std::vector<std::string> RaceTable() {
  return {Pay(1, 0, 7, "1230  "), Pay(2, 0, 7, "330   "), Pay(2, 0, 12, "560   "),
          Pay(2, 0, 3, "210   "), Pay(4, 7, 12, "012340"), Pay(1, 0, 9, "000000"),
          Pay(4, 9, 12, "000000")};
}

TEST_F(HistoryFixture, VotesOfTheRaceAreMatchedWithThePayouts) {
  Log({{"00001",
        "20021020",
        {Vote(1, 0, 7, 3), Vote(2, 0, 5, 2), Vote(4, 12, 7, 1), Vote(5, 7, 12, 4),
         Vote(4, 9, 12, 5),
         // Not this race, not accepted, advance sale of the day: none is collected.
         Vote(4, 7, 12, 9, 1, 10), Vote(4, 7, 12, 9, 1, 11, 2), Vote(1, 0, 7, 9, 2)}},
       {"00002", "20021019", {Vote(4, 7, 12, 8)}},  // another day's race-day vote
       {"00003", "20021020", {Vote(2, 0, 7, 10)}}});
  Payouts(RaceTable());
  RunHistorySteps(s, port);

  const auto& h = s.history;
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(h.LogStatus, 0);
  EXPECT_EQ(h.VoteCount, 6);
  // Sorted by the whole entry; result code at 17, payout text at 18-23.
  EXPECT_EQ(h.VoteList, (std::vector<std::string>{
                            "105111000700030111230  ", "10511200050002012      ",
                            "10511200070010011330   ", "10511409120005013   100",
                            "10511412070001012      ", "10511507120004010      "}));
  // The quinella vote 12-7 is not the record 07-12: the numbers are compared as written.
  EXPECT_EQ(h.LogStake, (3 + 2 + 10 + 5 + 1 + 4) * 100);
  EXPECT_EQ(h.LogReturn, 3 * 1230 + 10 * 330 + 5 * 100);
  EXPECT_EQ(h.MaxHitPayout, 1230);
  EXPECT_EQ(h.PayoutHit, (std::vector<int>{1, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(h.HitMessage, "的中しています！");
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         " 単  7       300  ○", " 複  5       200  ×", " 複  7      1000  ○",
                         " 馬  9-12    500  返", " 馬 12- 7    100  ×", " ワ  7-12    400 "}));
}

TEST_F(HistoryFixture, HitMessageByTheLargestPayout) {
  struct Case {
    std::string payout;
    std::string message;
  } cases[] = {{"10000 ", "万馬券が的中しています！"},
               {"9990  ", "的中しています！"},
               {"012340", "万馬券が的中しています！"},
               {"000000", ""}};  // a refund is no hit
  for (const Case& c : cases) {
    SCOPED_TRACE(c.payout);
    s.history.HitMessage.clear();
    Log({{"00001", "20021020", {Vote(4, 7, 12, 1)}}});
    Payouts({Pay(4, 7, 12, c.payout)});
    RunHistorySteps(s, port);
    EXPECT_EQ(s.history.HitMessage, c.message);
  }
}

TEST(HitListLine, LayoutOfTheLines) {
  struct Case {
    std::string entry;
    std::string line;
  } cases[] = {
      // A quinella 3-12 of 5 units that hit.
      {"10511403120005011  1230", " 馬  3-12    500  ○"},
      {"10511300020001012      ", " 枠  0- 2    100  ×"},
      {"20511100070002019      ", " 単  7       200  ？"},
      {"30511200080001013   100", "*複  8       100  返"},
      {"30511505061000010      ", "*ワ  5- 6 100000 "},   // six digits: no leading blank
      {"10511600010001010      ", " ??" + std::string(10, ' ') + "100 "},  // unknown bet kind
      {"70511400010001017      ", "?馬  0- 1    100 ??"},
      {"1051140102", " 馬  1- 2      0 ??"},  // a short entry is read as blanks
  };
  for (const Case& c : cases) EXPECT_EQ(HitListLine(c.entry), c.line) << c.entry;
}

TEST_F(HistoryFixture, AdvanceSaleRaceTakesOnlyAdvanceSaleVotes) {
  // The advance-sale race: its votes of the day are collected but not counted; votes of the
  // day before are not looked at.
  s.race.CurrentDayKind = 2;
  Log({{"00001", "20021020", {Vote(4, 1, 2, 2, 2), Vote(4, 1, 3, 1, 1)}},
       {"00002", "20021019", {Vote(4, 1, 4, 1, 2)}}});
  Payouts({Pay(4, 1, 2, "500   ")});
  RunHistorySteps(s, port);
  EXPECT_EQ(s.history.VoteList, (std::vector<std::string>{"20511401020002019      "}));
  EXPECT_EQ(s.history.LogStake, 200);
  EXPECT_EQ(s.history.LogReturn, 0);
  EXPECT_EQ(Lines(), (std::vector<std::string>{" 馬  1- 2    200  ？"}));
}

TEST(PreviousDay, CalendarBoundaries) {
  struct Case {
    std::string date, previous;
  } cases[] = {{"20021020", "021019"}, {"20021101", "021031"}, {"20030101", "021231"},
               {"20030301", "030228"}, {"20040301", "040229"}, {"20000301", "000229"},
               {"19000301", "000228"}, {"20021201", "021130"}, {"20020501", "020430"},
               {"20021032", ""},       {"20021300", ""},       {"2002102", ""},
               {"99999999", ""},       {"", ""},               {"2002-1-1", ""}};
  for (const Case& c : cases) EXPECT_EQ(PreviousDayShort(c.date), c.previous) << c.date;
}

TEST_F(HistoryFixture, AdvanceSaleVotesOfTheDayBeforeAcrossAMonth) {
  s.race.GuideDate = "20021101";
  Log({{"00001", "20021031", {Vote(4, 1, 2, 3, 2), Vote(1, 0, 1, 1, 1), Vote(4, 1, 5, 1, 2, 10)}},
       {"00002", "20021101", {Vote(4, 1, 2, 1, 1)}},
       {"00003", "20021030", {Vote(4, 1, 3, 1, 2)}}});
  Payouts({Pay(4, 1, 2, "850   ")});
  RunHistorySteps(s, port);
  EXPECT_EQ(Lines(), (std::vector<std::string>{" 馬  1- 2    100  ○", "*馬  1- 2    300  ○"}));
  EXPECT_EQ(s.history.LogStake, 400);
  EXPECT_EQ(s.history.LogReturn, 4 * 850);
}

TEST_F(HistoryFixture, LargeStakesOnLargePayoutsAddUpWithoutWrapping) {
  struct Case {
    int units;
    const char* payout;
    std::int64_t returned;
  };
  // The largest stake on the largest payout, and one in-limit 300,000-yen stake just past 2^31.
  for (const Case& c : {Case{9999, "999999", 9999LL * 999999}, Case{3000, "715828", 3000LL * 715828}}) {
    SCOPED_TRACE(c.payout);
    Log({{"00001", "20021020", {Vote(1, 0, 7, c.units), Vote(1, 0, 7, c.units)}}});
    Payouts({Pay(1, 0, 7, c.payout)});
    RunHistorySteps(s, port);
    EXPECT_EQ(s.history.LogStake, 2LL * c.units * 100);
    EXPECT_EQ(s.history.LogReturn, 2 * c.returned);
    BuildHistoryWindow(s, true);
    EXPECT_EQ(s.historyWindow.ReturnText, std::to_string(2 * c.returned));
    EXPECT_EQ(s.historyWindow.BalanceText, "+" + std::to_string(2 * c.returned - 2LL * c.units * 100));
  }
}

// A vote-file name of the index that holds a path ("../ou") is no file of the day: the file it
// points to outside the day folder is never read.
TEST_F(HistoryFixture, VoteFileNamesOfTheIndexStayInTheDayFolder) {
  const auto day = dir / "day";
  std::filesystem::create_directories(day);
  ASSERT_EQ(fixture::WriteVotingLog(day, {{"../ou", "20021020", {Vote(1, 0, 7, 50)}},
                                          {"00001", "20021020", {Vote(1, 0, 7, 1)}}}),
            "");
  ASSERT_TRUE(std::filesystem::exists(dir / "ou.JRA"));
  s.app.DataFolder = day;
  Payouts({Pay(1, 0, 7, "1230  ")});
  RunHistorySteps(s, port);
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(s.history.VoteCount, 1);
  EXPECT_EQ(s.history.LogStake, 100);
}

TEST_F(HistoryFixture, EmptyVoteFilesAndMissingVoteFilesAreSkipped) {
  VoteFileRecord empty{"00002", "20021020", {Vote(4, 1, 2, 5)}, true};
  Log({{"00001", "20021020", {Vote(4, 1, 3, 1)}}, empty, {"00003", "20021020", {Vote(4, 1, 4, 1)}}});
  std::filesystem::remove(dir / "00003.JRA");
  Payouts({});
  RunHistorySteps(s, port);
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(s.history.LogStatus, 0);
  EXPECT_EQ(s.history.VoteList, (std::vector<std::string>{"10511401030001010      "}));
  // No payout of any kind: the vote stays undecided and shows no mark.
  EXPECT_EQ(Lines(), (std::vector<std::string>{" 馬  1- 3    100 "}));
}

TEST_F(HistoryFixture, IncompleteResultsScanOnlyTheCollectedCount) {
  // Win and place payouts read without refunds (nothing merged): the reader's count is that of
  // the refunds collected, none here, so no vote is decided.
  Log({{"00001", "20021020", {Vote(1, 0, 7, 1)}}});
  Payouts({Pay(1, 0, 7, "1230  ")});
  s.results.ResultEntryCount = 0;
  RunHistorySteps(s, port);
  EXPECT_EQ(s.history.VoteList[0].substr(16), "0      ");
  EXPECT_EQ(s.history.LogReturn, 0);
  EXPECT_EQ(s.history.HitMessage, "");
}

TEST_F(HistoryFixture, HitFlagsCoverEveryRecordOfALongTable) {
  // Scratched horses fill the table with refunds; a priced record beyond the 21st still gets
  // its flag.
  std::vector<std::string> table;
  for (int x = 1; x <= 17; ++x) table.push_back(Pay(4, x, 18, "000000"));
  for (int x = 1; x <= 17; ++x) table.push_back(Pay(5, x, 18, "000000"));
  table.push_back(Pay(5, 2, 4, "640   "));
  Payouts(table);
  Log({{"00001", "20021020", {Vote(5, 2, 4, 2)}}});
  RunHistorySteps(s, port);
  ASSERT_EQ(s.history.PayoutHit.size(), 35u);
  EXPECT_EQ(s.history.PayoutHit[34], 1);
  EXPECT_EQ(s.history.LogReturn, 1280);
}

TEST_F(HistoryFixture, NoLogLeavesNoVotesAndNoTotalsOfAnEarlierRace) {
  s.history.LogStake = 500;
  s.history.LogReturn = 2000;
  s.history.MaxHitPayout = 400;
  s.history.PayoutHit = {1, 0, 1};
  s.history.VoteList = {"10511401020005011   400"};
  s.history.VoteCount = 1;
  Payouts({Pay(4, 1, 2, "400   "), Pay(1, 0, 1, "200   ")});
  RunHistorySteps(s, port);
  EXPECT_EQ(s.race.LoadStatus, kLogMissing);
  EXPECT_EQ(s.history.LogStatus, kLogMissing);
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(s.history.VoteCount, 0);
  EXPECT_TRUE(s.history.VoteList.empty());
  EXPECT_EQ(s.history.HitListText, "");
  EXPECT_EQ(s.history.LogStake, 0);
  EXPECT_EQ(s.history.LogReturn, 0);
  EXPECT_EQ(s.history.MaxHitPayout, 0);
  EXPECT_EQ(s.history.PayoutHit, (std::vector<int>{0, 0}));
}

TEST_F(HistoryFixture, DamagedLogFilesAreReportedNeverRead) {
  const std::string index = fixture::VotingLogIndexBytes({{"00001", "20021020", {}},
                                                         {"00002", "20021020", {}}});
  const std::string good = fixture::VoteFileBytes({"00001", "20021020", {Vote(4, 1, 2, 1)}});
  std::string badCount = fixture::VoteFileBytes({"00002", "20021020", {Vote(4, 1, 3, 1)}});
  badCount.replace(20, 2, "x1");
  std::string tooMany = fixture::VoteFileBytes({"00002", "20021020", {Vote(4, 1, 3, 1)}});
  tooMany.replace(20, 2, "52");  // 52 votes do not fit into the 984 characters of the section
  std::string badUnits = fixture::VoteFileBytes({"00002", "20021020", {Vote(4, 1, 3, 1)}});
  badUnits.replace(20 + 2 + 13, 4, "0a01");
  std::string badIndexCount = index;
  badIndexCount.replace(16, 3, " ?2");

  struct Case {
    const char* what;
    std::string index, second;
    std::string failingFile;
  } cases[] = {
      {"index cut inside its entries", index.substr(0, 23 + 26 + 10), good, "LG-FILE.JRA"},
      {"index cut before its count", index.substr(0, 17), good, "LG-FILE.JRA"},
      {"index count not a number", badIndexCount, good, "LG-FILE.JRA"},
      {"vote file cut in its header", index, good.substr(0, 14), "00002.JRA"},
      {"vote file cut inside its votes", index, good.substr(0, 30), "00002.JRA"},
      {"vote count not a number", index, badCount, "00002.JRA"},
      {"more votes than the section holds", index, tooMany, "00002.JRA"},
      {"stake not a number", index, badUnits, "00002.JRA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    port.messages.clear();
    dir.Write("LG-FILE.JRA", c.index);
    dir.Write("00001.JRA", good);
    dir.Write("00002.JRA", c.second);
    Payouts({Pay(4, 1, 2, "400   ")});
    RunHistorySteps(s, port);
    EXPECT_EQ(s.race.LoadStatus, kLogReadError);
    EXPECT_EQ(s.history.LogStatus, kLogReadError);
    ASSERT_EQ(port.messages.size(), 1u);
    const auto& m = port.messages[0];
    EXPECT_EQ(m.kind, test::Message::Error);
    EXPECT_EQ(m.title, "Tazuna98");
    // Description, "(number)", CR LF CR LF, the path of the file.
    EXPECT_NE(m.text.find(")\n\n"), std::string::npos);
    EXPECT_NE(m.text.find("("), 0u);
    EXPECT_EQ(m.text.substr(m.text.size() - c.failingFile.size()), c.failingFile) << m.text;
    // The hit check and the history text are skipped; nothing of the damaged file is taken.
    EXPECT_EQ(s.history.HitListText, "");
    for (const std::string& e : s.history.VoteList) EXPECT_EQ(e.substr(0, 10), "1051140102");
  }
}

TEST_F(HistoryFixture, DamagedFileOfTheDayBeforeIsReportedAndLeftOut) {
  Log({{"00001", "20021020", {Vote(4, 1, 2, 1)}}, {"00002", "20021019", {Vote(4, 1, 3, 1, 2)}},
       {"00003", "20021019", {Vote(4, 1, 4, 2, 2)}}});
  dir.Write("00002.JRA", fixture::VoteFileBytes({"00002", "20021019", {Vote(4, 1, 3, 1, 2)}}).substr(0, 25));
  Payouts({Pay(4, 1, 2, "400   ")});
  RunHistorySteps(s, port);
  ASSERT_EQ(port.Errors().size(), 1u);
  EXPECT_NE(port.Errors()[0].find("00002.JRA"), std::string::npos);
  EXPECT_EQ(Lines(), (std::vector<std::string>{" 馬  1- 2    100  ○", "*馬  1- 4    200  ×"}));
  EXPECT_EQ(s.history.LogStake, 300);
}

TEST_F(HistoryFixture, HistoryWindowTotals) {
  struct Case {
    int stake, ret;
    std::string balance;
    Colour colour;
  } cases[] = {{1000, 3690, "+2690", colours::kBlack},
               {1000, 1000, "0", colours::kBlack},
               {2100, 500, "-1600", colours::kRed}};
  for (const Case& c : cases) {
    s.history.LogStake = c.stake;
    s.history.LogReturn = c.ret;
    s.history.HitListText = " 馬  3-12    500  ○\r\n";
    BuildHistoryWindow(s, true);
    const auto& w = s.historyWindow;
    EXPECT_EQ(w.Caption, "履歴");
    EXPECT_EQ(w.Text, s.history.HitListText);
    EXPECT_TRUE(w.TotalsVisible);
    EXPECT_EQ(w.StakeText, std::to_string(c.stake));
    EXPECT_EQ(w.ReturnText, std::to_string(c.ret));
    EXPECT_EQ(w.BalanceText, c.balance);
    EXPECT_EQ(w.BalanceColor, c.colour);
  }
  BuildHistoryWindow(s, false);
  EXPECT_FALSE(s.historyWindow.TotalsVisible);
}

TEST(MarkFinishers, PlacesOnTheSyntheticWinCells) {
  Session s;
  s.mainWindow.RowCount = 6;
  const int order[] = {0, 4, 2, 6, 1, 3, 5};
  for (int p = 1; p <= 6; ++p) s.race.HorseOrder[p] = order[p];
  s.results.FinisherPlace = {1, 2, 3, 4, 0};
  s.results.FinisherHorse = {6, 1, 4, 2, 3};
  MarkFinishers(s);
  const auto& c = s.mainWindow.odzren;
  EXPECT_EQ(c[3].ForeColor, colours::kRed);  // horse 6 won
  EXPECT_TRUE(c[3].Bold);
  EXPECT_EQ(c[3].ToolTip, "1着");
  EXPECT_EQ(c[4].ForeColor, colours::kRed);  // horse 1 second
  EXPECT_TRUE(c[4].Bold);
  EXPECT_EQ(c[1].ForeColor, colours::kRed);  // horse 4 third
  EXPECT_FALSE(c[1].Bold);
  EXPECT_EQ(c[1].ToolTip, "3着");
  EXPECT_EQ(c[2].ForeColor, colours::kBlue);  // horse 2 fourth
  EXPECT_FALSE(c[2].Bold);
  // Horse 3 has no place; horse 5 did not finish in the list.
  EXPECT_EQ(c[5].ForeColor, colours::kBlack);
  EXPECT_EQ(c[5].ToolTip, "");
  EXPECT_EQ(c[6].ForeColor, colours::kBlack);
}

}  // namespace
}  // namespace tz
