#include "jrdb/jrdb_readers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "samples/jrdb_fixtures.h"
#include "support/temp_dir.h"

namespace tz::jrdb {
namespace {

namespace fs = std::filesystem;
namespace fx = tz::fixture::jrdb;

fs::path Real(const char* day, const char* file) {
  if (std::string(day) == "20020908") {
    return fs::path(TAZUNA_SOURCE_DIR) / "samples" / "real-20020908" / "jrdb" / file;
  }
  return fs::path(TAZUNA_SOURCE_DIR) / "tests" / "data" / (std::string("jrdb-") + day) / file;
}

std::string RealBytes(const char* day, const char* file) { return test::ReadAll(Real(day, file)); }

// ---- Real files ----

TEST(JrdbReaders, RealBaseOddsOfTheWholeDay) {
  std::vector<Problem> problems;
  auto oz = ReadBaseOdds("OZ020908.txt", RealBytes("20020908", "OZ020908.txt"), problems);
  auto ow = ReadWideOdds("OW020908.txt", RealBytes("20020908", "OW020908.txt"), problems);
  EXPECT_TRUE(problems.empty()) << ProblemText(problems[0]);
  ASSERT_EQ(oz.size(), 36u);
  ASSERT_EQ(ow.size(), 36u);
  int runners = 0;
  for (const auto& r : oz) {
    runners += r.runners;
    EXPECT_TRUE(r.hasQuinella);
  }
  EXPECT_EQ(runners, 478);
  // 札幌 2回2日 1R: 13 runners, the values as the file has them.
  EXPECT_EQ(oz[0].keyText, "01022201");
  EXPECT_EQ(oz[0].key.course, 1);
  EXPECT_EQ(oz[0].key.kai, 2);
  EXPECT_EQ(oz[0].key.day, 2);
  EXPECT_EQ(oz[0].runners, 13);
  EXPECT_EQ(oz[0].win[1], "7.9");
  EXPECT_EQ(oz[0].win[13], "6.3");
  EXPECT_EQ(oz[0].win[14], "");
  EXPECT_EQ(oz[0].place[1], "2.5");
  EXPECT_EQ(oz[0].quinella[PairIndex(1, 2)], "31.7");
  EXPECT_EQ(oz[0].quinella[PairIndex(1, 14)], "");
  EXPECT_EQ(ow[0].wide[PairIndex(1, 2)], "10.9");
  EXPECT_EQ(PairIndex(17, 18), kPairCount - 1);
  EXPECT_EQ(PairIndex(2, 3), 17);
}

TEST(JrdbReaders, RealRunnersAndNamesGiveEveryName) {
  std::vector<Problem> problems;
  auto skb = ReadRunnerIds("SKB020908.txt", RealBytes("20020908", "SKB020908.txt"), problems);
  auto ukc = ReadHorseNames("UKC020908.txt", RealBytes("20020908", "UKC020908.txt"), problems);
  EXPECT_TRUE(problems.empty()) << ProblemText(problems[0]);
  ASSERT_EQ(skb.size(), 478u);
  ASSERT_EQ(ukc.size(), 478u);
  std::map<std::string, std::string> names;
  for (const auto& h : ukc) names[h.horseId] = h.name;
  EXPECT_EQ(names["99101712"], "アドマイヤエディ");
  for (const auto& r : skb) EXPECT_FALSE(names[r.horseId].empty()) << r.line;
}

TEST(JrdbReaders, RealProgrammeMeetingsAndResults) {
  std::vector<Problem> problems;
  auto bac = ReadProgramme("BAC080913.txt", RealBytes("20080913", "BAC080913.txt"), problems);
  auto kab = ReadMeetings("KAB080913.txt", RealBytes("20080913", "KAB080913.txt"), problems);
  auto sed = ReadResults("SED080913.txt", RealBytes("20080913", "SED080913.txt"), problems);
  EXPECT_TRUE(problems.empty()) << ProblemText(problems[0]);
  ASSERT_EQ(bac.size(), 24u);
  EXPECT_EQ(bac[0].date, "20080913");
  EXPECT_EQ(bac[0].postTime, "1000");
  EXPECT_EQ(bac[0].distance, 1200);
  EXPECT_EQ(bac[0].surface, 1);
  EXPECT_EQ(bac[0].shortName, "２歳未勝利");
  EXPECT_EQ(bac[0].runners, 8);
  EXPECT_TRUE(bac[0].sale[0] && bac[0].sale[1] && bac[0].sale[3] && bac[0].sale[5]);
  EXPECT_FALSE(bac[0].sale[2]);  // no bracket quinella in a field of eight
  ASSERT_EQ(kab.size(), 2u);
  EXPECT_EQ(kab[0].key.course, 1);
  EXPECT_EQ(kab[0].key.race, 0);
  EXPECT_EQ(kab[0].weather, 1);
  EXPECT_EQ(kab[0].turfGoing, 1);
  EXPECT_EQ(kab[1].key.course, 6);

  // Every runner of the day; places, the three that did not finish and the one excluded.
  ASSERT_EQ(sed.size(), 324u);
  std::map<int, int> abnormal;
  std::set<std::string> racesWithWinner;
  for (const auto& r : sed) {
    ++abnormal[r.abnormal];
    if (r.abnormal != 0) EXPECT_EQ(r.place, 0);
    if (r.place == 1) racesWithWinner.insert(r.key.Text());
  }
  EXPECT_EQ(abnormal[2], 1);
  EXPECT_EQ(abnormal[3], 3);
  EXPECT_EQ(racesWithWinner.size(), 24u);
  EXPECT_EQ(sed[0].number, 1);
  EXPECT_EQ(sed[0].name, "ヒカルジョディー");
  EXPECT_EQ(sed[0].place, 1);
  EXPECT_EQ(sed[0].time, "1103");
  EXPECT_EQ(sed[0].weightTenths, 540);
  EXPECT_EQ(sed[0].jockey, "秋山真一郎");
  EXPECT_EQ(sed[0].finalWinOdds, "8.8");
  EXPECT_EQ(sed[0].popularity, 3);
}

TEST(JrdbReaders, RealHorseFileGivesNameJockeyAndWeightOfEveryRunner) {
  std::vector<Problem> problems;
  const std::string bytes = RealBytes("20150801", "KYI150801.txt");
  auto kyi = ReadHorseEntries("KYI150801.txt", bytes, problems);
  EXPECT_TRUE(problems.empty()) << ProblemText(problems[0]);
  ASSERT_EQ(kyi.size(), SplitRecords(bytes).size());
  ASSERT_GT(kyi.size(), 400u);
  for (const auto& e : kyi) {
    EXPECT_FALSE(e.name.empty()) << e.line;
    EXPECT_FALSE(e.jockey.empty()) << e.line;
    EXPECT_GE(e.weightTenths, 480) << e.line;
    EXPECT_LE(e.weightTenths, 630) << e.line;
    EXPECT_GE(e.bracket, 1) << e.line;
  }
  EXPECT_EQ(kyi[0].name, "コスモベガス");
  EXPECT_EQ(kyi[0].jockey, "黛弘人");
  EXPECT_EQ(kyi[0].weightTenths, 540);
  EXPECT_EQ(kyi[0].trainer, "上原博之");
  EXPECT_EQ(kyi[0].baseOdds, "15.7");
  EXPECT_EQ(kyi[0].bracket, 1);
}

// ---- Fixtures: payouts and the records that cannot be used ----

TEST(JrdbReaders, PayoutsOfEveryPool) {
  fx::Payouts p;
  p.key = {6, 8, 4, 1, 11};
  p.win = {{"03", 450}};
  p.place = {{"03", 160}, {"07", 230}, {"12", 1210}};
  p.bracket = {{"25", 980}};
  p.quinella = {{"0307", 1840}};
  p.wide = {{"0307", 610}, {"0312", 3020}, {"0712", 4470}};
  p.exacta = {{"0307", 3150}};
  p.trio = {{"030712", 15220}};
  p.trifecta = {{"030712", 78960}, {"030712", 123456789}};
  const std::string line = fx::PayoutsLine(p);
  EXPECT_EQ(line.size(), 442u);
  std::vector<Problem> problems;
  auto r = ReadPayouts("HJC080913.txt", fx::FileBytes({line}), problems);
  ASSERT_TRUE(problems.empty()) << ProblemText(problems[0]);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].key.Text(), "06084111");
  ASSERT_EQ(r[0].win.size(), 1u);
  EXPECT_EQ(r[0].win[0].amount, 450);
  ASSERT_EQ(r[0].place.size(), 3u);
  EXPECT_EQ(r[0].place[2].numbers, "12");
  EXPECT_EQ(r[0].place[2].amount, 1210);
  EXPECT_EQ(r[0].bracket[0].numbers, "25");
  EXPECT_EQ(r[0].quinella[0].numbers, "0307");
  ASSERT_EQ(r[0].wide.size(), 3u);
  EXPECT_EQ(r[0].wide[2].amount, 4470);
  EXPECT_EQ(r[0].exacta[0].amount, 3150);
  EXPECT_EQ(r[0].trio[0].numbers, "030712");
  ASSERT_EQ(r[0].trifecta.size(), 2u);
  EXPECT_EQ(r[0].trifecta[1].amount, 123456789);
}

// A record put together by hand at JRDB's published positions (1-based 9, 36, 81, 108, 144,
// 228, 300, 342; 444 bytes with CR LF), with the unused entries as the field types give them:
// zero-filled numbers and a zero-suppressed amount of 0. Nothing of the fixture writer is used,
// so an offset shared by the writer and the reader cannot hide here.
TEST(JrdbReaders, PayoutsAtThePublishedPositionsWithZeroFilledEmptyEntries) {
  std::string line(442, ' ');
  auto put = [&line](std::size_t position, const std::string& text) { line.replace(position - 1, text.size(), text); };
  put(1, "06084111");
  struct PoolAt {
    std::size_t position, entries, numberWidth, amountWidth;
    std::string first;  // the first entry; the others are empty
  };
  const PoolAt pools[] = {
      {9, 3, 2, 7, "03    450"},          {36, 5, 2, 7, "03    160"},
      {81, 3, 2, 7, "25    980"},         {108, 3, 4, 8, "0307    1840"},
      {144, 7, 4, 8, "0307     610"},     {228, 6, 4, 8, "0307    3150"},
      {300, 3, 6, 8, "030712   15220"},   {342, 6, 6, 9, "030712123456789"},
  };
  for (const PoolAt& p : pools) {
    put(p.position, p.first);
    const std::size_t width = p.numberWidth + p.amountWidth;
    for (std::size_t k = 1; k < p.entries; ++k) {
      put(p.position + k * width, std::string(p.numberWidth, '0') + std::string(p.amountWidth - 1, ' ') + "0");
    }
  }
  ASSERT_EQ(line.size() + 2, 444u);

  std::vector<Problem> problems;
  auto r = ReadPayouts("HJC080913.txt", fx::FileBytes({line}), problems);
  ASSERT_TRUE(problems.empty()) << ProblemText(problems[0]);
  ASSERT_EQ(r.size(), 1u);
  const std::vector<PayoutEntry>* read[] = {&r[0].win,  &r[0].place,  &r[0].bracket, &r[0].quinella,
                                            &r[0].wide, &r[0].exacta, &r[0].trio,    &r[0].trifecta};
  const std::pair<std::string, long> expected[] = {{"03", 450},    {"03", 160},      {"25", 980},
                                                   {"0307", 1840}, {"0307", 610},    {"0307", 3150},
                                                   {"030712", 15220}, {"030712", 123456789}};
  for (std::size_t k = 0; k < std::size(read); ++k) {
    ASSERT_EQ(read[k]->size(), 1u) << "pool " << k;
    EXPECT_EQ((*read[k])[0].numbers, expected[k].first) << "pool " << k;
    EXPECT_EQ((*read[k])[0].amount, expected[k].second) << "pool " << k;
  }

  // A zero number with an amount is no empty entry but a broken one.
  put(9 + 9, "00    210");
  problems.clear();
  EXPECT_TRUE(ReadPayouts("HJC080913.txt", fx::FileBytes({line}), problems).empty());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(ProblemText(problems[0]).find("単勝払戻の2番目"), std::string::npos) << ProblemText(problems[0]);
}

// Each bad record is named by file and line, the good records around it are still read.
TEST(JrdbReaders, BadRecordsAreNamedByFileAndLine) {
  fx::BaseOdds good;
  good.key = {5, 2, 4, 2, 1};
  good.win = {"2.0", "3.5"};
  good.place = {"1.1", "1.4"};
  good.quinella.assign(kPairCount, "");
  good.quinella[0] = "4.5";
  auto with = [&](auto change) {
    fx::BaseOdds r = good;
    change(r);
    return fx::BaseOddsLine(r);
  };
  struct Case {
    std::string line;
    std::string what;
  };
  const std::vector<Case> cases = {
      {fx::BaseOddsLine(good).substr(0, 189), "短すぎ"},
      {with([](fx::BaseOdds& r) { r.key.course = 11; }), "場コード「11」"},
      {with([](fx::BaseOdds& r) { r.key.race = 13; }), "レース番号"},
      {"0502xx01" + fx::BaseOddsLine(good).substr(8), "レースキー"},
      {with([](fx::BaseOdds& r) { r.win.resize(19, "9.9"); r.place.resize(19, "9.9"); }),
       "登録頭数が19"},
      {with([](fx::BaseOdds& r) { r.win[1] = "3,5"; }), "単勝基準ｵｯｽﾞの2番目"},
      {with([](fx::BaseOdds& r) { r.quinella[3] = "ｶﾞﾗｸﾀ"; }), "馬連基準ｵｯｽﾞの4番目"},
  };
  for (const Case& c : cases) {
    std::vector<Problem> problems;
    const std::string bytes = fx::FileBytes({fx::BaseOddsLine(good), "   ", c.line,
                                             fx::BaseOddsLine(good) + "EXTRA BYTES"});
    auto records = ReadBaseOdds("oz020908.txt", bytes, problems);
    ASSERT_EQ(problems.size(), 1u) << c.what;
    EXPECT_EQ(problems[0].line, 3) << c.what;
    EXPECT_NE(ProblemText(problems[0]).find("oz020908.txt 3行目"), std::string::npos);
    EXPECT_NE(problems[0].what.find(c.what), std::string::npos) << problems[0].what;
    ASSERT_EQ(records.size(), 2u) << c.what;  // the long record keeps its fields
    EXPECT_EQ(records[1].line, 4);
    EXPECT_EQ(records[1].quinella[0], "4.5");
  }
}

// The same rules in every other reader: a short record and a garbled number field.
TEST(JrdbReaders, EveryReaderRefusesShortAndGarbledRecords) {
  using Reader = std::size_t (*)(const std::string&, std::vector<Problem>&);
  struct Case {
    const char* file;
    std::string good;
    std::size_t garbleAt;  // a number field
    std::size_t needed;    // bytes the reader needs
    Reader read;
  };
  const fx::Key k{9, 2, 4, 2, 11};
  fx::HorseEntry entry;
  entry.key = k;
  entry.name = "テスト";
  fx::Programme bac;
  bac.key = k;
  fx::Meeting kab;
  kab.key = k;
  fx::Result sed;
  sed.key = k;
  fx::WideOdds ow;
  ow.key = k;
  ow.runners = 2;
  ow.wide = {"3.3"};
  fx::Payouts hjc;
  hjc.key = k;
  hjc.win = {{"01", 350}};
  const std::vector<Case> cases = {
      {"OW", fx::WideOddsLine(ow), 8, 775,
       [](const std::string& b, std::vector<Problem>& p) { return ReadWideOdds("OW", b, p).size(); }},
      {"SKB", fx::RunnerIdLine(k, 3, "00101234"), 8, 18,
       [](const std::string& b, std::vector<Problem>& p) { return ReadRunnerIds("SKB", b, p).size(); }},
      {"UKC", fx::HorseNameLine("00101234", "テスト"), 2, 44,
       [](const std::string& b, std::vector<Problem>& p) { return ReadHorseNames("UKC", b, p).size(); }},
      {"KYI", fx::HorseEntryLine(entry), 184, 324,
       [](const std::string& b, std::vector<Problem>& p) { return ReadHorseEntries("KYI", b, p).size(); }},
      {"BAC", fx::ProgrammeLine(bac), 21, 168,
       [](const std::string& b, std::vector<Problem>& p) { return ReadProgramme("BAC", b, p).size(); }},
      {"KAB", fx::MeetingLine(kab), 21, 42,
       [](const std::string& b, std::vector<Problem>& p) { return ReadMeetings("KAB", b, p).size(); }},
      {"SED", fx::ResultLine(sed), 141, 182,
       [](const std::string& b, std::vector<Problem>& p) { return ReadResults("SED", b, p).size(); }},
      {"HJC", fx::PayoutsLine(hjc), 12, 431,
       [](const std::string& b, std::vector<Problem>& p) { return ReadPayouts("HJC", b, p).size(); }},
  };
  for (const Case& c : cases) {
    std::vector<Problem> problems;
    EXPECT_EQ(c.read(fx::FileBytes({c.good}), problems), 1u) << c.file;
    EXPECT_TRUE(problems.empty()) << c.file << ": " << ProblemText(problems[0]);

    std::string garbled = c.good;
    garbled[c.garbleAt] = 'x';
    EXPECT_EQ(c.read(fx::FileBytes({c.good.substr(0, c.needed)}), problems), 1u) << c.file;
    for (const std::string& bad : {garbled, c.good.substr(0, c.needed - 1)}) {
      problems.clear();
      EXPECT_EQ(c.read(fx::FileBytes({c.good, bad}), problems), 1u) << c.file;
      ASSERT_EQ(problems.size(), 1u) << c.file;
      EXPECT_EQ(problems[0].line, 2) << c.file;
    }
  }
}

TEST(JrdbReaders, RecordsSplitOnLineEndsAndSkipBlankLines) {
  auto lines = SplitRecords("A\r\n\r\n   \nB\nC\x1a\n\x1a");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].bytes, "A");
  EXPECT_EQ(lines[1].number, 4);
  EXPECT_EQ(lines[1].bytes, "B");
  EXPECT_EQ(lines[2].bytes, "C\x1a");
}

}  // namespace
}  // namespace tz::jrdb
