#include "jrdb/jrdb_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "analysis/pipeline.h"
#include "pat98/day_loader.h"
#include "results/results_reader.h"
#include "results/results_window_model.h"
#include "samples/jrdb_fixtures.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz::jrdb {
namespace {

namespace fs = std::filesystem;
namespace fx = tz::fixture::jrdb;
using test::FakePort;

const fs::path kSource(TAZUNA_SOURCE_DIR);
const fs::path kReal2002 = kSource / "samples" / "real-20020908" / "jrdb";
const fs::path kReal2008 = kSource / "tests" / "data" / "jrdb-20080913";

// A session with the day of `folder` loaded.
void Load(Session& s, FakePort& port, const fs::path& folder) {
  s.app.Pat98Folder = folder;
  s.app.DataFolder = folder;
  s.app.settings.OZpath = (folder / "jrdb").string();
  ASSERT_EQ(LoadCurrentData(s, port), 0);
}

// What the analysis makes of one race: 仮単, the popularity order, the vote shares, the upset
// value.
struct RaceFigures {
  std::vector<std::string> synthetic, shares;
  std::vector<int> order;
  int upset = 0;
  std::string upsetText;
  bool operator==(const RaceFigures&) const = default;
};

RaceFigures Analyse(Session& s, FakePort& port, int meeting, int race) {
  SelectMeeting(s, meeting);
  SelectRace(s, port, 4 + race);
  RaceFigures f;
  EXPECT_EQ(s.race.LoadStatus, 0) << meeting << "/" << race;
  for (int h = 1; h <= s.race.HorseCount; ++h) {
    f.synthetic.push_back(s.analysis.SyntheticWinText[h]);
    f.shares.push_back(s.analysis.QuinellaShareText[h]);
    f.order.push_back(s.analysis.WinOrder[h]);
  }
  f.upset = s.analysis.UpsetValue;
  f.upsetText = s.analysis.UpsetText;
  return f;
}

TEST(JrdbImport, RealDayOfBaseOddsAnalysesAsTheSampleDayMadeFromThem) {
  test::TempDir out;
  ImportReport rep = ImportJrdbDay(kReal2002, out.path(), false);
  ASSERT_TRUE(rep.ok) << rep.error;
  EXPECT_EQ(rep.date, "20020908");
  EXPECT_EQ(rep.counts.meetings, 3);
  EXPECT_EQ(rep.counts.races, 36);
  EXPECT_EQ(rep.counts.runners, 478);
  EXPECT_EQ(rep.counts.results, 0);

  Session imported, sample;
  FakePort port;
  Load(imported, port, out.path());
  Load(sample, port, kSource / "samples" / "real-20020908");
  ASSERT_EQ(imported.race.MeetingCount, 3);
  int names = 0;
  for (int m = 1; m <= 3; ++m) {
    for (int race = 1; race <= 12; ++race) {
      RaceFigures a = Analyse(imported, port, m, race);
      RaceFigures b = Analyse(sample, port, m, race);
      EXPECT_EQ(a, b) << m << "/" << race;
      EXPECT_FALSE(a.synthetic.empty());
      EXPECT_TRUE(imported.analysis.JrdbLoaded) << "base odds of " << m << "/" << race;
      for (int h = 0; h < imported.race.HorseCount; ++h) {
        if (!text::Trim(imported.race.HorseName[h]).empty()) ++names;
      }
    }
  }
  EXPECT_EQ(names, 478);
  EXPECT_TRUE(port.messages.empty()) << port.messages[0].text;

  // The day is the one the sample generator wrote from the same files, byte for byte.
  for (const std::string& name : rep.files) {
    EXPECT_EQ(test::ReadAll(out / name),
              test::ReadAll(kSource / "samples" / "real-20020908" / name)) << name;
  }
}

TEST(JrdbImport, RealProgrammeAndResultsWithoutOdds) {
  test::TempDir out;
  ImportReport rep = ImportJrdbDay(kReal2008, out.path(), false);
  ASSERT_TRUE(rep.ok) << rep.error;
  EXPECT_EQ(rep.counts.meetings, 2);
  EXPECT_EQ(rep.counts.races, 24);
  EXPECT_EQ(rep.counts.results, 24);
  EXPECT_EQ(rep.counts.payouts, 24);  // one winner a race, no dead heat for first
  for (const std::string& name : rep.files) {
    EXPECT_FALSE(text::StartsWithNoCase(name, "ZO-") || text::StartsWithNoCase(name, "UO-")) << name;
  }

  // The race card of 札幌 1R: post time from BAC, names, jockeys and weights from SED.
  const std::string cardBytes = test::ReadAll(out / "DE-111.JRA");
  ASSERT_GT(cardBytes.size(), 26u);
  EXPECT_EQ(cardBytes.substr(22, 4), "1000");
  const std::string card = text::DecodeSjis(cardBytes);
  EXPECT_NE(card.find("ヒカルジョディー"), std::string::npos);
  EXPECT_NE(card.find("秋山真一"), std::string::npos);
  EXPECT_NE(card.find("54.0"), std::string::npos);

  Session s;
  FakePort port;
  Load(s, port, out.path());
  ASSERT_EQ(s.race.MeetingCount, 2);
  EXPECT_EQ(s.race.MeetingInfo[1].CourseCode, 1);  // 札幌
  EXPECT_EQ(s.race.MeetingInfo[2].CourseCode, 6);  // 中山
  EXPECT_EQ(text::Trim(s.race.MeetingGuide[1].Weather), "晴");
  EXPECT_EQ(text::Trim(s.race.MeetingGuide[1].TurfGoing), "良");
  // Sapporo 1R sells no bracket quinella; quinella and wide are sold: 31.
  EXPECT_EQ(s.race.RaceSaleCode[1][1], 31);

  // The results list: every race has its winner, the win payout is the final odds times 100.
  const ResultsListModel& list = BuildResultsList(s);
  ASSERT_EQ(list.Meetings.size(), 2u);
  for (const auto& meeting : list.Meetings) {
    for (const auto& race : meeting.races) {
      EXPECT_TRUE(race.hasResults) << meeting.course << "/" << race.race;
      EXPECT_FALSE(race.win.payout.empty());
      EXPECT_TRUE(race.quinella.empty());  // no payout file: no other pool
    }
  }
  // 札幌 1R: ヒカルジョディー (1) won at 8.8.
  EXPECT_EQ(list.Meetings[0].races[0].win.numbers, "1");
  EXPECT_EQ(list.Meetings[0].races[0].win.payout, "880");

  // The results window of a race with an excluded horse and three that did not finish.
  std::set<std::string> withScratched;
  for (int m = 1; m <= 2; ++m) {
    for (int race = 1; race <= 12; ++race) {
      const tz::MeetingRecord& info = s.race.MeetingInfo[m];
      // What the reader adds to, as the results list starts each race.
      s.results.PayoutCount = 0;
      s.results.ResultEntryCount = 0;
      s.results.RefundHorsesText.clear();
      ASSERT_TRUE(ReadResultsFile(s.results, s.app, s.folders, info.CourseCode, 8, info.Kai,
                                  info.Day, race));
      const ResultsWindowModel& w = BuildResultsWindow(s);
      ASSERT_GE(w.Finishers.size(), 3u);
      EXPECT_EQ(w.Finishers[0].place, 1);
      EXPECT_EQ(w.Weather.empty(), false);
      if (!w.RefundHorses.empty()) withScratched.insert(std::to_string(m) + "/" + std::to_string(race));
      if (m == 1 && race == 1) {
        // ヒカルジョディー, メジロマリアン, then the third, with their times.
        EXPECT_EQ(w.Finishers[0].horse, 1);
        EXPECT_EQ(text::Trim(w.Finishers[0].nameCell), "ﾋｶﾙｼﾞｮﾃﾞｨ-");  // as the window shows names
        EXPECT_EQ(w.Finishers[0].time, "1.10.3");
        EXPECT_EQ(w.Finishers[1].horse, 2);
        EXPECT_EQ(w.Finishers[1].place, 2);
      }
    }
  }
  EXPECT_EQ(withScratched.size(), 1u);  // the one horse excluded (除外) that day
}

// A race with every pool in the payout file: each payout reaches the results file.
TEST(JrdbImport, PayoutFileGivesEveryPool) {
  test::TempDir src, out;
  const fx::Key key{5, 8, 4, 1, 11};
  fx::Programme bac;
  bac.key = key;
  bac.runners = 10;
  bac.raceName = "テスト特別";
  std::vector<std::string> sed;
  for (int h = 1; h <= 10; ++h) {
    fx::Result r;
    r.key = key;
    r.number = h;
    r.runners = 10;
    r.name = "ウマ" + std::to_string(h);
    r.place = h == 10 ? 0 : (h % 10);
    r.abnormal = h == 10 ? 1 : 0;
    r.finalWinOdds = h == 1 ? "3.1" : "20.0";
    sed.push_back(fx::ResultLine(r));
  }
  fx::Payouts p;
  p.key = key;
  p.win = {{"01", 310}};
  p.place = {{"01", 120}, {"02", 250}, {"03", 300}};
  p.bracket = {{"12", 770}};
  p.quinella = {{"0102", 1230}};
  p.wide = {{"0102", 450}, {"0103", 560}, {"0203", 890}};
  fx::WriteFiles(src.path(), {{"BAC080913.txt", fx::FileBytes({fx::ProgrammeLine(bac)})},
                              {"SED080913.txt", fx::FileBytes(sed)},
                              {"hjc080913.TXT", fx::FileBytes({fx::PayoutsLine(p)})}});
  ImportReport rep = ImportJrdbDay(src.path(), out.path(), false);
  ASSERT_TRUE(rep.ok) << rep.error;
  EXPECT_EQ(rep.counts.payouts, 9);

  Session s;
  FakePort port;
  Load(s, port, out.path());
  ASSERT_TRUE(ReadResultsFile(s.results, s.app, s.folders, 5, 8, 4, 1, 11));
  const ResultsWindowModel& w = BuildResultsWindow(s);
  ASSERT_EQ(w.Payouts[1].size(), 1u);
  EXPECT_EQ(w.Payouts[1][0].payout, "310");
  ASSERT_EQ(w.Payouts[2].size(), 3u);
  EXPECT_EQ(w.Payouts[2][2].payout, "300");
  ASSERT_EQ(w.Payouts[3].size(), 1u);
  EXPECT_EQ(w.Payouts[3][0].numbers, "1-2");
  ASSERT_EQ(w.Payouts[4].size(), 1u);
  EXPECT_EQ(w.Payouts[4][0].payout, "1230");
  ASSERT_EQ(w.Payouts[5].size(), 3u);
  EXPECT_EQ(w.Payouts[5][2].numbers, "2-3");
  EXPECT_EQ(w.RefundHorses, "10");
  ASSERT_GE(w.Finishers.size(), 5u);
  EXPECT_EQ(w.Finishers[0].horse, 1);
  EXPECT_EQ(w.Finishers[4].horse, 5);
}

TEST(JrdbImport, SaleCodes) {
  struct Case {
    std::string flags;  // 単勝 複勝 枠連 馬連 馬単 ワイド ３連複 ３連単; "" without BAC
    bool wideOdds;
    int code;
  };
  const std::vector<Case> cases = {{"11111111", false, 31}, {"11011111", false, 31},
                                   {"11110000", false, 15}, {"11100000", true, 7},
                                   {"00000000", false, 0},  {"", true, 31},
                                   {"", false, 15}};
  for (const Case& c : cases) {
    JrdbRace r;
    if (!c.flags.empty()) {
      ProgrammeRecord p;
      for (int i = 0; i < 8; ++i) p.sale[i] = c.flags[i] == '1';
      r.programme = p;
    }
    if (c.wideOdds) r.wide = WideOddsRecord{};
    EXPECT_EQ(SaleCode(r), c.code) << c.flags << " " << c.wideOdds;
  }
}

// ---- Bad input: a message naming the file and line, and nothing written ----

struct BadDay {
  const char* what;
  std::vector<std::pair<std::string, std::string>> files;
  std::string message;  // part of the error
};

std::string Oz(const fx::Key& k, int runners) {
  fx::BaseOdds o;
  o.key = k;
  for (int h = 1; h <= runners; ++h) {
    o.win.push_back("5.0");
    o.place.push_back("1.5");
  }
  o.quinella.assign(153, "");
  for (int i = 0; i < 153; ++i) o.quinella[i] = "20.0";
  return fx::BaseOddsLine(o);
}

TEST(JrdbImport, BadInputIsNamedAndWritesNothing) {
  const fx::Key k{5, 2, 4, 2, 1};
  auto at = [](int course, int race) { return fx::Key{course, 2, 4, 2, race}; };
  const std::vector<BadDay> cases = {
      {"no file of a day", {{"README.TXT", "x"}, {"OZ0209.TXT", Oz(k, 8)}}, kJrdbNoDayMessage},
      {"several dates", {{"OZ020908.TXT", Oz(k, 8)}, {"SED020915.txt", ""}}, "20020915"},
      {"short record", {{"OZ020908.TXT", fx::FileBytes({Oz(k, 8), Oz(at(5, 2), 8).substr(0, 150)})}},
       "OZ020908.TXT 2行目: レコードが短すぎます"},
      {"base odds without the quinella block",
       {{"OZ020908.TXT", fx::FileBytes({Oz(k, 8), Oz(at(5, 2), 8).substr(0, 400)})}},
       "OZ020908.TXT 2行目: 馬連基準ｵｯｽﾞがありません"},
      {"garbled record",
       {{"oz020908.txt", fx::FileBytes({Oz(k, 8)}) + "\x82\xa0\x82\xa2garbage" + std::string(200, '#')}},
       "oz020908.txt 2行目"},
      {"more than 18 runners", {{"OZ020908.TXT", fx::FileBytes({Oz(k, 19)})}}, "登録頭数が19"},
      {"runner beyond the field",
       {{"OZ020908.TXT", fx::FileBytes({Oz(k, 8)})},
        {"SKB020908.TXT", fx::FileBytes({fx::RunnerIdLine(k, 9, "00101234")})}},
       "SKB020908.TXT 1行目: 馬番9は8頭立て"},
      {"unknown racecourse", {{"OZ020908.TXT", fx::FileBytes({Oz(k, 8), Oz(at(30, 1), 8)})}},
       "OZ020908.TXT 2行目: 場コード「30」"},
      {"four meetings",
       {{"OZ020908.TXT", fx::FileBytes({Oz(at(1, 1), 8), Oz(at(4, 1), 8), Oz(at(5, 1), 8),
                                        Oz(at(9, 1), 8)})}},
       "開催が4つあります"},
      {"a key of another year", {{"OZ030908.TXT", fx::FileBytes({Oz(k, 8)})}}, "2002年のレース"},
      {"the same race twice", {{"OZ020908.TXT", fx::FileBytes({Oz(k, 8), Oz(k, 8)})}},
       "OZ020908.TXT 2行目: レース「05024201」が2度"},
  };
  for (const BadDay& c : cases) {
    test::TempDir src, out;
    fx::WriteFiles(src.path(), c.files);
    out.Write("KEEP.TXT", "mine");
    ImportReport rep = ImportJrdbDay(src.path(), out.path(), true);
    EXPECT_FALSE(rep.ok) << c.what;
    EXPECT_NE(rep.error.find(c.message), std::string::npos) << c.what << ": " << rep.error;
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(out.path())) left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"KEEP.TXT"}) << c.what;
  }
}

TEST(JrdbImport, OutputThatCannotBeWrittenLeavesNoHalfDay) {
  test::TempDir src, out;
  fx::WriteFiles(src.path(), {{"OZ020908.TXT", fx::FileBytes({Oz({5, 2, 4, 2, 1}, 8), Oz({5, 2, 4, 2, 2}, 8)})}});

  // A file where the folder should be.
  out.Write("blocked", "a file");
  ImportReport rep = ImportJrdbDay(src.path(), out / "blocked" / "day", false);
  EXPECT_FALSE(rep.ok);
  EXPECT_NE(rep.error.find("blocked"), std::string::npos) << rep.error;

  // A later file of the day cannot be written (a folder holds its name): the files written
  // before it are removed, the file replaced is put back, a file of the user's is kept.
  const fs::path day = out / "day";
  fs::create_directories(day / "ZO-522.JRA");
  out.Write("day/UY-A.JRA", "old guide");
  out.Write("day/NOTES.TXT", "mine");
  rep = ImportJrdbDay(src.path(), day, true);
  EXPECT_FALSE(rep.ok);
  EXPECT_NE(rep.error.find("ZO-522.JRA"), std::string::npos) << rep.error;
  EXPECT_EQ(test::ReadAll(day / "UY-A.JRA"), "old guide");
  EXPECT_EQ(test::ReadAll(day / "NOTES.TXT"), "mine");
  EXPECT_FALSE(fs::exists(day / "ZO-521.JRA"));
  EXPECT_FALSE(fs::exists(day / "DE-521.JRA"));
  EXPECT_FALSE(fs::exists(day / "jrdb"));

  // Without overwrite an existing file of the day stops it before anything is written.
  fs::remove(day / "ZO-522.JRA");
  rep = ImportJrdbDay(src.path(), day, false);
  EXPECT_FALSE(rep.ok);
  EXPECT_TRUE(rep.declined);
  EXPECT_NE(rep.error.find("UY-A.JRA"), std::string::npos);
  EXPECT_FALSE(fs::exists(day / "ZO-521.JRA"));
  rep = ImportJrdbDay(src.path(), day, true);
  EXPECT_TRUE(rep.ok) << rep.error;
  EXPECT_NE(test::ReadAll(day / "UY-A.JRA"), "old guide");
}

TEST(JrdbImport, SeasonImportsEachDayAndSkipsABrokenOne) {
  test::TempDir src, store;
  const fx::Key sat{6, 8, 4, 1, 1}, sun{6, 8, 4, 2, 1}, bad{6, 8, 4, 3, 1};
  fx::WriteFiles(src.path(), {{"OZ080913.TXT", fx::FileBytes({Oz(sat, 10)})},
                              {"OZ080914.TXT", fx::FileBytes({Oz(sun, 12)})},
                              {"OZ080915.TXT", fx::FileBytes({Oz(bad, 8).substr(0, 100)})}});
  FakePort port;
  auto reports = ImportJrdbSeason(src.path(), store.path(), false, port, {10, 20, 30});
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_TRUE(reports[0].ok);
  EXPECT_TRUE(reports[1].ok);
  EXPECT_FALSE(reports[2].ok);
  EXPECT_NE(reports[2].error.find("OZ080915.TXT 1行目"), std::string::npos);
  EXPECT_EQ(reports[0].folder, store / "2008-09-13");
  EXPECT_TRUE(fs::exists(store / "2008-09-14" / "ZO-621.JRA"));
  EXPECT_FALSE(fs::exists(store / "2008-09-15"));
  EXPECT_GE(port.progressCalls, 4);
  EXPECT_NE(ImportSummary(reports[1]).find("2008-09-14: 1開催 1ﾚｰｽ 12頭"), std::string::npos);

  // Again: the store's naming gives the days new folders; with overwrite the same ones.
  reports = ImportJrdbSeason(src.path(), store.path(), false, port, {10, 20, 30});
  EXPECT_EQ(reports[0].folder, store / "2008-09-13(102030)");
  reports = ImportJrdbSeason(src.path(), store.path(), true, port, {10, 20, 30});
  EXPECT_EQ(reports[0].folder, store / "2008-09-13");
  EXPECT_TRUE(reports[0].ok) << reports[0].error;
}

}  // namespace
}  // namespace tz::jrdb
