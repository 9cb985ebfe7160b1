#include "results/race_card.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pat98/record_writers.h"
#include "session.h"
#include "support/temp_dir.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {
namespace {

using tz::test::ReadAll;
using tz::test::TempDir;

// The text followed by blanks up to `chars` characters.
std::string Pad(const std::string& s, std::size_t chars) {
  return s + std::string(chars - text::CharCount(s), ' ');
}

RaceCardFile SampleCard(int runners = 3) {
  RaceCardFile c;
  c.year = 2003;
  c.month = 5;
  c.day = 10;
  c.courseCode = 5;
  c.courseName = "東京";
  c.kai = 2;
  c.dayOfMeeting = 8;
  c.race = 11;
  c.postTime = "1540";
  c.track = "芝";
  c.distance = "1600";
  c.title1 = "ＮＨＫマイルカップ";
  c.title2 = "３歳オープン";
  const char* names[] = {"ゴールドアリュール", "ｷﾝｸﾞｶﾒﾊﾒﾊ", "テイエムオーシャン", "ABC", "ﾃｽﾄ"};
  const char* jockeys[] = {"武豊　　　　　", "岡部（替）　　", "蛯名", "横山典", "後藤"};
  for (int k = 0; k < runners; ++k) {
    RaceCardEntry e;
    e.bracket = k / 2 + 1;
    e.number = k + 1;
    e.name = names[k % 5];
    e.jockey = jockeys[k % 5];
    e.markCode = (k % 5) * 10;
    e.weight = k % 2 ? "54.0" : "57.0";
    c.runners.push_back(e);
  }
  return c;
}

// A session whose selected race is course 5, day 8, race 11 with `horses` horses shown in the
// given popularity order.
Session SelectedRace(const TempDir& d, std::vector<int> order) {
  Session s;
  s.app.DataFolder = d.path();
  s.race.CurrentCourse = 5;
  s.race.OddsDay = 8;
  s.race.CurrentRace = 11;
  s.race.CurrentDayKind = 1;
  s.race.OddsCourseName = "??";
  s.race.HorseCount = static_cast<int>(order.size());
  for (std::size_t p = 0; p < order.size(); ++p) {
    s.race.HorseOrder[p + 1] = order[p];
    s.race.HorseBracket[p + 1] = static_cast<int>(p) + 1;
  }
  return s;
}

TEST(RaceCardWriter, NamesFilesWithCodeCharacters) {
  struct Case {
    int course, day, race;
    const char* name;
  } cases[] = {
      {5, 8, 11, "DE-58B.JRA"},  {10, 2, 12, "DE-A2C.JRA"}, {5, 11, 8, "DE-5B8.JRA"},
      {6, 10, 1, "DE-6A1.JRA"},  {6, 12, 10, "DE-6CA.JRA"}, {0, 1, 1, "DE-011.JRA"},
      {0, 13, 0, "DE-000.JRA"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RaceCardFileName(c.course, c.day, c.race), c.name) << c.course << "/" << c.day;
  }
}

TEST(RaceCardWriter, WritesTheRecordByteForByte) {
  RaceCardFile c = SampleCard(2);
  c.runners[1].name = "Aアイウエオカキクケ";  // 19 bytes: the last character would be split
  std::string b = RaceCardBytes(c);
  ASSERT_EQ(b.size(), 92u + 2 * 48 + 2);
  EXPECT_EQ(b.substr(b.size() - 2), "\r\n");
  EXPECT_EQ(b.substr(0, 8), "20030510");
  EXPECT_EQ(text::DecodeSjis(b.substr(8, 4)), "東京");
  EXPECT_EQ(b.substr(12, 14), "20030208111540");
  EXPECT_EQ(text::DecodeSjis(b.substr(26, 4)), "芝  ");
  EXPECT_EQ(b.substr(30, 4), "1600");
  EXPECT_EQ(text::DecodeSjis(b.substr(34, 28)), Pad("ＮＨＫマイルカップ", 19));
  EXPECT_EQ(b.substr(90, 2), " 2");
  std::string r1 = b.substr(92, 48);
  EXPECT_EQ(r1.substr(0, 6), " 1 11 ");
  EXPECT_EQ(text::DecodeSjis(r1.substr(6, 18)), "ゴールドアリュール");
  EXPECT_EQ(text::DecodeSjis(r1.substr(24, 18)), "武豊　　　　　    ");
  EXPECT_EQ(r1.substr(42, 6), "0057.0");
  std::string r2 = b.substr(140, 48);
  EXPECT_EQ(r2.substr(0, 6), " 1 21 ");
  EXPECT_EQ(text::DecodeSjis(r2.substr(6, 18)), "Aアイウエオカキク ");
  EXPECT_EQ(r2.substr(42, 6), "1054.0");

  c.postTime = "";
  c.runners.assign(20, c.runners[0]);
  b = RaceCardBytes(c);
  EXPECT_EQ(b.substr(22, 4), "    ");
  EXPECT_EQ(b.substr(90, 2), "18");
  EXPECT_EQ(b.size(), 92u + 18 * 48 + 2);

  TempDir d;
  d.Write("de-58b.jra", "old");
  auto p = WriteRaceCardFile(d.path(), SampleCard(2));
  EXPECT_EQ(p.filename(), "de-58b.jra");
  EXPECT_EQ(ReadAll(p), RaceCardBytes(SampleCard(2)));
}

TEST(RaceCard, ReadsHeaderNamesAndPostTime) {
  TempDir d;
  WriteRaceCardFile(d.path(), SampleCard(3));
  Session s = SelectedRace(d, {3, 1, 2});
  ASSERT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardRead);
  EXPECT_EQ(s.race.OddsCourseName, "東京");
  EXPECT_EQ(s.race.StartTimeText, "1540");
  EXPECT_EQ(s.race.StartTimeCaption, "    発走時刻  15時40分");
  EXPECT_EQ(s.race.RaceTrackType, "芝");
  EXPECT_EQ(s.race.RaceDistance, "1600");
  EXPECT_EQ(DistanceCaption(s.race), "芝1600m");
  // Half-width, prolonged-sound marks as "-", always 18 characters.
  EXPECT_EQ(s.race.HorseName[0], Pad("ｺﾞ-ﾙﾄﾞｱﾘｭ-ﾙ", 18));
  EXPECT_EQ(s.race.HorseName[1], Pad("ｷﾝｸﾞｶﾒﾊﾒﾊ", 18));
  EXPECT_EQ(s.race.HorseName[2], Pad("ﾃｲｴﾑｵ-ｼｬﾝ", 18));
  for (std::size_t k = 3; k < 18; ++k) EXPECT_EQ(s.race.HorseName[k], std::string(18, ' '));

  RaceCardRows rows = BuildRaceCardRows(s.race, s.app);
  EXPECT_FALSE(rows.narrow);
  ASSERT_EQ(rows.rows.size(), 3u);
  const RaceCardRow& first = rows.rows[0];  // horse 3, the third record
  EXPECT_EQ(first.position, 1);
  EXPECT_EQ(first.number, 3);
  EXPECT_EQ(first.bracket, 2);
  EXPECT_EQ(first.nameCell, " " + Pad("ﾃｲｴﾑｵ-ｼｬﾝ", 18));
  EXPECT_EQ(first.jockeyCell, " " + Pad("蛯名", 16));
  EXPECT_EQ(first.weightCell, "△57.0");
  EXPECT_EQ(rows.rows[1].number, 1);
  EXPECT_EQ(rows.rows[1].jockeyCell, " " + Pad("武豊　　　　　", 16));
  EXPECT_EQ(rows.rows[2].jockeyCell, " " + Pad("岡部（替）　　", 16));
}

TEST(RaceCard, PostTimeCaptions) {
  struct Case {
    const char* post;
    const char* caption;
  } cases[] = {
      {"1540", "発走時刻  15時40分"}, {"1505", "発走時刻  15時5分"}, {"0930", "発走時刻  9時30分"},
      {"    ", ""},                   {"15:4", ""},                 {"154", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PostTimeCaption(c.post), c.caption) << c.post;

  TempDir d;
  RaceCardFile card = SampleCard(2);
  card.postTime = "1505";
  WriteRaceCardFile(d.path(), card);
  Session s = SelectedRace(d, {1, 2});
  ReadRaceCard(s.race, s.app, s.folders);
  EXPECT_EQ(s.race.StartTimeCaption, "    発走時刻  15時5分");
}

TEST(RaceCard, NoPostTimeLeavesTheCaptionAndAdvanceSaleShowsNone) {
  TempDir d;
  RaceCardFile card = SampleCard(2);
  card.postTime = "";
  WriteRaceCardFile(d.path(), card);
  Session s = SelectedRace(d, {1, 2});
  s.race.StartTimeText = "1200";
  s.race.StartTimeCaption = "    earlier";
  EXPECT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardRead);
  EXPECT_EQ(s.race.StartTimeText, "");
  EXPECT_EQ(s.race.StartTimeCaption, "    earlier");

  // The advance-sale race: a post time in the card is not taken.
  WriteRaceCardFile(d.path(), SampleCard(2));
  s.race.CurrentDayKind = 2;
  EXPECT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardRead);
  EXPECT_EQ(s.race.StartTimeText, "");
  EXPECT_EQ(s.race.StartTimeCaption, "    earlier");
  EXPECT_EQ(text::Left(s.race.HorseName[0], 2), "ｺﾞ");
}

TEST(RaceCard, MarkCodesPrefixTheWeight) {
  struct Case {
    int code;
    const char* cell;
  } cases[] = {{10, "☆54.0"}, {20, "△54.0"}, {30, "▲54.0"}, {40, "★54.0"},
               {0, "　54.0"},  {15, "　54.0"}, {99, "　54.0"}};
  TempDir d;
  RaceCardFile card = SampleCard(0);
  std::vector<int> order;
  for (const Case& c : cases) {
    RaceCardEntry e;
    e.bracket = 1;
    e.number = static_cast<int>(card.runners.size()) + 1;
    e.name = "ﾃｽﾄ";
    e.markCode = c.code;
    e.weight = "54.0";
    card.runners.push_back(e);
    order.push_back(e.number);
  }
  WriteRaceCardFile(d.path(), card);
  Session s = SelectedRace(d, order);
  ASSERT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardRead);
  RaceCardRows rows = BuildRaceCardRows(s.race, s.app);
  ASSERT_EQ(rows.rows.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(rows.rows[i].weightCell, cases[i].cell) << cases[i].code;
  }
}

TEST(RaceCard, BracketColoursAndCheckListColouring) {
  TempDir d;
  RaceCardFile card = SampleCard(0);
  for (int k = 1; k <= 8; ++k) {
    card.runners.push_back({k, k, k == 3 ? "ﾁｪｯｸ ﾎｰｽ" : "ﾎｰｽ", k == 5 ? "柴田善" : "騎手", 0, "55.0"});
  }
  WriteRaceCardFile(d.path(), card);
  Session s = SelectedRace(d, {1, 2, 3, 4, 5, 6, 7, 8});
  s.app.BoxColors = {255, 16711680};
  s.app.CheckList = {CheckEntry{}, CheckEntry{1, "ﾁｪｯｸ ﾎ-ｽ"}, CheckEntry{0, "柴田善"}};
  ReadRaceCard(s.race, s.app, s.folders);
  RaceCardRows rows = BuildRaceCardRows(s.race, s.app);
  ASSERT_EQ(rows.rows.size(), 8u);
  for (int b = 1; b <= 8; ++b) {
    const RaceCardRow& row = rows.rows[static_cast<std::size_t>(b - 1)];
    EXPECT_EQ(row.bracket, b);
    EXPECT_EQ(row.bracketBack, s.app.BracketColors[static_cast<std::size_t>(b - 1)]);
    if (b == 2 || b == 4) {
      EXPECT_EQ(row.bracketText, s.app.BracketColors[0]) << b;
    } else {
      EXPECT_FALSE(row.bracketText) << b;
    }
    EXPECT_EQ(row.nameColour, b == 3 ? std::optional<Colour>(16711680) : std::nullopt) << b;
    EXPECT_EQ(row.jockeyColour, b == 5 ? std::optional<Colour>(255) : std::nullopt) << b;
  }
}

TEST(RaceCard, MissingCardShowsNumbersAndBracketsOnly) {
  TempDir d;
  Session s = SelectedRace(d, {2, 1});
  s.race.HorseName[0] = "OLD NAME";
  s.race.StartTimeText = "1540";
  EXPECT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardMissing);
  EXPECT_EQ(s.race.StartTimeText, "");
  EXPECT_EQ(s.race.HorseName[0], std::string(18, ' '));
  EXPECT_EQ(DistanceCaption(s.race), "");
  RaceCardRows rows = BuildRaceCardRows(s.race, s.app);
  EXPECT_TRUE(rows.narrow);
  ASSERT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(rows.rows[0].number, 2);
  EXPECT_EQ(rows.rows[0].bracket, 2);  // HorseBracket[2]
  EXPECT_EQ(rows.rows[0].bracketText, s.app.BracketColors[0]);
  EXPECT_EQ(rows.rows[0].nameCell, "");
  EXPECT_EQ(rows.rows[0].weightCell, "");
}

TEST(RaceCard, DaysTenToTwelveUseLetterCodesAndNamesIgnoreCase) {
  TempDir d;
  RaceCardFile card = SampleCard(1);
  card.dayOfMeeting = 11;
  card.race = 8;
  d.Write("de-5b8.jra", RaceCardBytes(card));
  d.Write("DE-5118.JRA", "garbage that must not be read");
  Session s = SelectedRace(d, {1});
  s.race.OddsDay = 11;
  s.race.CurrentRace = 8;
  EXPECT_EQ(SelectedRaceCardName(s.race), "DE-5B8.JRA");
  EXPECT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardRead);
  EXPECT_EQ(s.race.StartTimeText, "1540");
}

// The names, jockeys and titles as they were read before the fields were decoded in place: each
// step on a text of its own.
std::string FixedCharsOfText(const std::string& utf8, std::size_t n) {
  std::u32string u = text::ToU32(utf8);
  if (u.size() > n) u.resize(n);
  return text::ToU8(u) + std::string(n - u.size(), ' ');
}
std::string HorseNameOfText(std::string_view raw) {
  std::string half = text::ToHalfWidth(text::DecodeSjis(raw));
  for (std::size_t at = half.find("ｰ"); at != std::string::npos; at = half.find("ｰ", at + 1)) {
    half.replace(at, std::string_view("ｰ").size(), "-");
  }
  return FixedCharsOfText(half, 18);
}

// `raw` as a field of exactly `width` bytes: cut, or padded with blanks.
std::string FieldOf(std::string raw, std::size_t width) {
  raw.resize(width, ' ');
  return raw;
}

TEST(RaceCard, OddFieldsReadAsEachStepOnItsOwnText) {
  // Raw code-page-932 fields: malformed bytes, pairs cut by the field's end, blanks, half-width
  // katakana, prolonged-sound marks at the ends, NUL and control bytes, more than 16 jockey
  // characters.
  const std::vector<std::string> fields = {
      "",
      "\x81\x5b\x83\x41\x81\x5b",                       // ーアー
      "\xb0\xb1\xb0",                                    // ｰｱｰ
      "\x81\x5b" + std::string(16, ' '),                 // ー then blanks
      std::string(16, ' ') + "\x81\x5b",                 // blanks then ー
      "\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b",  // ガ x 9
      "A\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83\x4b\x83",     // cut pair
      "\x83\x94\x83\x95\x83\x96\x83\x8e\x83\x90",       // ヴヵヶヮヰ
      "\xff\xfd\x80\xa0\x81\x20\x82",                    // bytes without meaning
      "\x81\x40\x81\x40\x95\x90\x96\x4c\x81\x40",       // 　　武豊　
      "ABCDEFGHIJKLMNOPQR",
      std::string("\0\t\x7f\x5c\x7e", 5),
      "\x82\x60\x82\x61\x82\x62\x81\x5b\xb6\xde\xb0",   // ＡＢＣーｶﾞｰ
      std::string(18, '\x81'),
  };
  RaceCardFile card = SampleCard(static_cast<int>(fields.size()));
  std::string bytes = RaceCardBytes(card);
  ASSERT_GE(bytes.size(), 92 + 48 * fields.size());
  for (std::size_t k = 0; k < fields.size(); ++k) {
    const std::size_t at = 92 + 48 * k;
    bytes.replace(at + 6, 18, FieldOf(fields[k], 18));
    // The jockey field takes the next field of the table, so that each is read both ways.
    bytes.replace(at + 24, 18, FieldOf(fields[(k + 1) % fields.size()], 18));
  }
  for (std::size_t k = 0; k + 1 < fields.size(); k += 2) {
    TempDir d;
    std::string withTitles = bytes;
    withTitles.replace(34, 28, FieldOf(fields[k] + fields[k + 1], 28));
    withTitles.replace(62, 28, FieldOf("\x81\x40" + fields[k + 1] + "\x81\x40", 28));
    d.Write("DE-58B.JRA", withTitles);
    Session s = SelectedRace(d, {1});
    ASSERT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardRead);
    ASSERT_EQ(s.race.RaceCardRunnerCount, static_cast<int>(fields.size()));
    EXPECT_EQ(s.race.RaceCardTitle[0], text::Trim(text::FieldB(withTitles, 35, 28))) << k;
    EXPECT_EQ(s.race.RaceCardTitle[1], text::Trim(text::FieldB(withTitles, 63, 28))) << k;
  }
  TempDir d;
  d.Write("DE-58B.JRA", bytes);
  Session s = SelectedRace(d, {1});
  ASSERT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardRead);
  for (std::size_t k = 0; k < fields.size(); ++k) {
    const std::string label = testing::PrintToString(fields[k]);
    EXPECT_EQ(s.race.HorseName[k], HorseNameOfText(FieldOf(fields[k], 18))) << label;
    EXPECT_EQ(s.race.RaceCardRunners[k].Jockey,
              FixedCharsOfText(text::DecodeSjis(FieldOf(fields[(k + 1) % fields.size()], 18)), 16))
        << label;
  }
}

TEST(RaceCard, AReadLeavesNothingOfTheCardReadBefore) {
  // A card of many runners with long names and titles, then one of few with short ones: the
  // second read gives what it gives in a fresh session.
  RaceCardFile big = SampleCard(16);
  big.title1 = "第１２３回ジャパンカップダートＧ１";
  big.title2 = "３歳以上オープン国際指定";
  RaceCardFile small = SampleCard(2);
  small.title1 = "未勝利";
  small.title2 = "";
  small.postTime = "0930";
  small.track = "ダ";
  small.distance = "1200";
  small.courseName = "京都";
  small.runners[0].name = "ｱ";
  small.runners[0].jockey = "A";
  small.runners[1].weight = "5";
  TempDir d;
  WriteRaceCardFile(d.path(), big);
  Session reused = SelectedRace(d, {1, 2});
  ASSERT_EQ(ReadRaceCard(reused.race, reused.app, reused.folders), kRaceCardRead);
  TempDir d2;
  WriteRaceCardFile(d2.path(), small);
  reused.app.DataFolder = d2.path();
  Session fresh = SelectedRace(d2, {1, 2});
  ASSERT_EQ(ReadRaceCard(reused.race, reused.app, reused.folders), kRaceCardRead);
  ASSERT_EQ(ReadRaceCard(fresh.race, fresh.app, fresh.folders), kRaceCardRead);
  const RaceModel& a = reused.race;
  const RaceModel& b = fresh.race;
  EXPECT_EQ(a.HorseName, b.HorseName);
  EXPECT_EQ(a.RaceCardTitle, b.RaceCardTitle);
  EXPECT_EQ(a.RaceCardTitle[0], "未勝利");
  EXPECT_EQ(a.OddsCourseName, b.OddsCourseName);
  EXPECT_EQ(a.RaceTrackType, b.RaceTrackType);
  EXPECT_EQ(a.RaceDistance, b.RaceDistance);
  EXPECT_EQ(a.StartTimeText, b.StartTimeText);
  EXPECT_EQ(a.StartTimeCaption, b.StartTimeCaption);
  EXPECT_EQ(a.StartTimeCaption, "    発走時刻  9時30分");
  ASSERT_EQ(a.RaceCardRunnerCount, 2);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(a.RaceCardRunners[k].Jockey, b.RaceCardRunners[k].Jockey);
    EXPECT_EQ(a.RaceCardRunners[k].Weight, b.RaceCardRunners[k].Weight);
  }
  EXPECT_EQ(a.HorseName[0], Pad("ｱ", 18));
}

TEST(RaceCard, TruncatedOrGarbageFilesGiveDefinedResults) {
  std::string good = RaceCardBytes(SampleCard(3));
  std::string header = good.substr(0, 92);
  std::string overCount = good;
  overCount.replace(90, 2, "99");  // more runners declared than present
  std::string letters = good;
  letters.replace(90, 2, "ZZ");
  std::string badPost = good;
  badPost.replace(22, 4, "1\x82\xa0" "0");
  struct Case {
    const char* label;
    std::string bytes;
    int status;
    int runners;
    const char* post;
  } cases[] = {
      {"empty", "", kRaceCardUnusable, 0, ""},
      {"short header", good.substr(0, 91), kRaceCardUnusable, 0, ""},
      {"header only", header, kRaceCardRead, 0, "1540"},
      {"half a record", good.substr(0, 92 + 48 + 20), kRaceCardRead, 1, "1540"},
      {"declared 99", overCount, kRaceCardRead, 3, "1540"},
      {"count not a number", letters, kRaceCardRead, 0, "1540"},
      {"post time not digits", badPost, kRaceCardRead, 3, ""},
      {"binary noise", std::string(300, '\xff'), kRaceCardRead, 0, ""},
  };
  for (const Case& c : cases) {
    TempDir d;
    d.Write("DE-58B.JRA", c.bytes);
    Session s = SelectedRace(d, {3, 2, 1});
    s.race.StartTimeText = "0000";
    EXPECT_EQ(ReadRaceCard(s.race, s.app, s.folders), c.status) << c.label;
    EXPECT_EQ(s.race.RaceCardRunnerCount, c.runners) << c.label;
    EXPECT_EQ(s.race.StartTimeText, c.post) << c.label;
    RaceCardRows rows = BuildRaceCardRows(s.race, s.app);
    ASSERT_EQ(rows.rows.size(), 3u) << c.label;
    // Horses the card does not cover fall back to their numbers from the odds.
    EXPECT_EQ(rows.rows[0].number, 3) << c.label;
  }
  // A runner count of 18 followed by more records than that reads 18 only.
  RaceCardFile big = SampleCard(18);
  std::string bytes = RaceCardBytes(big);
  bytes.insert(bytes.size() - 2, bytes.substr(92, 48));
  TempDir d;
  d.Write("DE-58B.JRA", bytes);
  Session s = SelectedRace(d, {1});
  EXPECT_EQ(ReadRaceCard(s.race, s.app, s.folders), kRaceCardRead);
  EXPECT_EQ(s.race.RaceCardRunnerCount, 18);
}

}  // namespace
}  // namespace tz
