// The FHWARS results log conversion: forum postings in, results files (KS-) out.
#include "fhwars/results_log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "samples/fhwars/fixture_results_log.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/sjis.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using fixture::ForumResultsPosting;
using test::FakePort;
using test::Message;
using test::ReadAll;
using test::TempDir;

std::string Sjis(std::string_view utf8) { return text::EncodeSjis(utf8); }
std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// 2003-05-10, 東京 2回 8日 11R: three placed horses, two scratched horses.
ForumResultsPosting Posting(bool withWide) {
  ForumResultsPosting p;
  p.withWide = withWide;
  p.year = 2003;
  p.month = 5;
  p.dayOfMonth = 10;
  p.kai = 2;
  p.course = 5;
  p.day = 8;
  p.race = 11;
  p.title = "ＮＨＫマイルカップ";
  p.scratched = {7, 14};
  p.finishers = {{1, "", 3, "サクラローレル", "1.33.5"},
                 {2, "", 11, "テイエムオーシャン", "1.33.6"},
                 {3, "", 5, "ダンツフレーム", "1.33.6"},
                 {4, "", 1, "アグネスタキオン", "1.33.9"},
                 {5, "", 9, "ジャングルポケット", "1.34.0"}};
  p.win = {{3, 0, 450}};
  p.place = {{3, 0, 160}, {11, 0, 220}, {5, 0, 310}};
  p.bracket = {{2, 6, 1250}};
  p.quinella = {{3, 11, 2340}};
  p.wide = {{3, 11, 780}, {3, 5, 1020}, {5, 11, 1500}};
  return p;
}

// Parses the lines of one posting as the walker hands them over.
ResultsPosting Parse(const std::vector<std::string>& lines, ResultsLayout layout) {
  ResultsLogLines log(fixture::JoinLogLines(lines));
  std::string header;
  EXPECT_TRUE(log.Next(header));
  auto p = ReadResultsPosting(header, log, layout);
  EXPECT_TRUE(p.has_value());
  return p.value_or(ResultsPosting{});
}

// A session that converts `logBytes` (saved as results.log) into the folder "out".
struct Conversion {
  TempDir root;
  Session s;
  FakePort port;
  ResultsLogReport report;

  explicit Conversion(const std::string& logBytes) {
    root.Write("logs/results.log", logBytes);
    fs::create_directories(root / "out");
    s.app.settings.Txtpath = (root / "logs").string();
    s.app.settings.Tksfile = "results.log";
    s.app.settings.Cnvpath = (root / "out").string();
  }
  int Run() {
    report = {};
    return ConvertResultsLog(s.app, s.wars, port, &report);
  }
  std::string Out(std::string_view name) const { return ReadAll(root / "out" / std::string(name)); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(root / "out")) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

std::string FinisherRecord(std::string place, std::string horse, std::string name, std::string time) {
  std::string n = Sjis(name);
  n.resize(18, ' ');
  return place + " " + horse + n + time + Blanks(12);
}

// The header and finisher records are the same in both layouts.
std::string ExpectedHead() {
  std::string title = Sjis("ＮＨＫマイルカップ");
  title.resize(32, ' ');
  return "20030510" + Sjis("東京") + "2003" + "02" + "08" + "11" + Blanks(12) + title + Blanks(24) +
         FinisherRecord("1", " 3", "ｻｸﾗﾛ-ﾚﾙ", "1.33.5") +
         FinisherRecord("2", "11", "ﾃｲｴﾑｵ-ｼｬﾝ", "1.33.6") +
         FinisherRecord("3", " 5", "ﾀﾞﾝﾂﾌﾚ-ﾑ", "1.33.6") +
         FinisherRecord("4", " 1", "ｱｸﾞﾈｽﾀｷｵﾝ", "1.33.9") +
         FinisherRecord("5", " 9", "ｼﾞｬﾝｸﾞﾙﾎﾟｹｯﾄ", "1.34.0");
}

// Win, place, bracket-quinella and quinella entries as the results file lists them.
std::string ExpectedPriced() {
  return std::string(" 3     450") + Blanks(10) + Blanks(10) +                       // win 1-3
         " 3     160" + "11     220" + " 5     310" + Blanks(10) + Blanks(10) +       // place 1-5
         " 2-6    1250" + Blanks(12) + Blanks(12) +                                    // bracket 1-3
         "  3-11    2340" + Blanks(14) + Blanks(14);                                   // quinella 1-3
}

TEST(ResultsLog, PostingWithWidePayoutsGivesTheSevenHundredByteRecord) {
  ResultsPosting p = Parse(fixture::ResultsPostingLines(Posting(true)), ResultsLayout::WithWide);
  std::string rec = ResultsRecordBytes(p);
  ASSERT_EQ(rec.size(), 702u);
  std::string section = std::string(" ") + ExpectedPriced() +
                        "  3-11     780" + "  3- 5    1020" + "  5-11    1500" + Blanks(14 * 4) +
                        Blanks(43) + " 7" + "14" + Blanks(6) + Blanks(8) + " TAZUNA ";
  EXPECT_EQ(rec, ExpectedHead() + Blanks(84) + section + "\r\n");
  // The results reader tells the layouts apart by the section's third character: here the
  // second character of the winner's right-aligned number.
  EXPECT_EQ(rec[374 + 2], '3');
  EXPECT_EQ(ResultsFileName(p), "KS-5328B.JRA");
}

TEST(ResultsLog, PostingWithoutWidePayoutsGivesTheFiveHundredSixtyByteRecord) {
  ResultsPosting p = Parse(fixture::ResultsPostingLines(Posting(false)), ResultsLayout::WithoutWide);
  std::string rec = ResultsRecordBytes(p);
  ASSERT_EQ(rec.size(), 562u);
  std::string section = ExpectedPriced() + "  " + " 7" + "14" + Blanks(6) + Blanks(8) + " TAZUNA ";
  EXPECT_EQ(rec, ExpectedHead() + Blanks(84) + section + "\r\n");
  EXPECT_EQ(rec[374 + 2], ' ');
}

TEST(ResultsLog, HeaderNumbersMakeTheFileNameAndHeaderFields) {
  struct Case {
    int course, year, kai, day, race;
    const char* name;
    const char* headerKey;  // bytes 13-22 of the record: year, 回, 日, race
  } cases[] = {
      {10, 1999, 3, 4, 12, "KS-A934C.JRA", "1999030412"},
      {5, 2003, 2, 8, 11, "KS-5328B.JRA", "2003020811"},
      {6, 1998, 1, 2, 9, "KS-68129.JRA", "19980102 9"},
      {3, 2000, 5, 1, 10, "KS-3051A.JRA", "2000050110"},
  };
  for (const Case& c : cases) {
    ForumResultsPosting f = Posting(true);
    f.course = c.course;
    f.year = c.year;
    f.kai = c.kai;
    f.day = c.day;
    f.race = c.race;
    ResultsPosting p = Parse(fixture::ResultsPostingLines(f), ResultsLayout::WithWide);
    EXPECT_EQ(ResultsFileName(p), c.name);
    EXPECT_EQ(ResultsRecordBytes(p).substr(12, 10), c.headerKey) << c.name;
  }

  // Header numbers that are not numbers are 0: course character "0", four blanks as the name.
  std::vector<std::string> lines = fixture::ResultsPostingLines(Posting(true));
  lines[0].replace(12, 2, "xx");
  ResultsPosting p = Parse(lines, ResultsLayout::WithWide);
  EXPECT_EQ(ResultsFileName(p), "KS-0328B.JRA");
  EXPECT_EQ(ResultsRecordBytes(p).substr(8, 4), Blanks(4));
}

TEST(ResultsLog, FinisherPlaceFields) {
  // Blank places mean no finisher in the slot; places 1-9 are written as their digit; a place
  // that is not a number 1-9 cannot be written into the one-digit field and is taken as no
  // finisher, and the posting is still converted (and reported).
  struct Case {
    const char* field;
    char written;
    bool reported;
  } cases[] = {{"  ", ' ', false}, {" 1", '1', false}, {"1 ", '1', false}, {"03", '3', false},
               {"中", ' ', true},  {"12", ' ', true},  {" 0", ' ', true},  {"-1", ' ', true},
               {" *", ' ', true}};
  for (const Case& c : cases) {
    ForumResultsPosting f = Posting(true);
    f.finishers[1].placeText = c.field;
    Conversion conv(fixture::ResultsLogBytes({f}));
    EXPECT_EQ(conv.Run(), 1);
    std::string rec = conv.Out("KS-5328B.JRA");
    ASSERT_EQ(rec.size(), 702u) << c.field;
    EXPECT_EQ(rec[90 + 40], c.written) << c.field;
    EXPECT_EQ(rec.substr(90 + 41, 3), " 11") << "the rest of the record stays: " << c.field;
    EXPECT_EQ(conv.report.problems.size(), c.reported ? 1u : 0u) << c.field;
  }

  // Fewer than five finishers posted: the empty slots start with two blanks.
  ForumResultsPosting f = Posting(false);
  f.finishers.resize(3);
  std::string rec = ResultsRecordBytes(Parse(fixture::ResultsPostingLines(f), ResultsLayout::WithoutWide));
  EXPECT_EQ(rec.substr(90 + 120, 2), "  ");
  EXPECT_EQ(rec.substr(90 + 160, 2), "  ");
}

TEST(ResultsLog, HorseNamesAreHalfWidthWithHyphensAndNeverLongerThanEighteenBytes) {
  struct Case {
    const char* posted;
    const char* written;
  } cases[] = {
      {"サクラローレル", "ｻｸﾗﾛ-ﾚﾙ"},
      {"ｻｸﾗﾛｰﾚﾙ", "ｻｸﾗﾛ-ﾚﾙ"},
      {"ＡＢＣ", "ABC"},
      // 9 katakana with voiced marks become 18 half-width characters.
      {"ガギグゲゴザジズゼ", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞ"},
      // Kanji stay double-byte: the name is cut at 18 bytes so that the record keeps its layout.
      {"冠名冠名冠名冠名冠", "冠名冠名冠名冠名冠"},
  };
  for (const Case& c : cases) {
    ForumResultsPosting f = Posting(true);
    f.finishers[0].name = c.posted;
    std::string rec = ResultsRecordBytes(Parse(fixture::ResultsPostingLines(f), ResultsLayout::WithWide));
    std::string expected = Sjis(c.written);
    expected.resize(18, ' ');
    EXPECT_EQ(rec.substr(94, 18), expected) << c.posted;
    EXPECT_EQ(rec.size(), 702u) << c.posted;
  }
}

TEST(ResultsLog, ScratchedSlotsComeFromHeaderBytesInBothLayouts) {
  for (bool wide : {true, false}) {
    ForumResultsPosting f = Posting(wide);
    f.scratched = {2, 15, 18, 1, 9};
    // The header names the racecourse in kanji before the slots: they are found by byte.
    ResultsPosting p = Parse(fixture::ResultsPostingLines(f),
                             wide ? ResultsLayout::WithWide : ResultsLayout::WithoutWide);
    EXPECT_EQ(p.scratched, (std::array<std::string, 5>{" 2", "15", "18", " 1", " 9"}));
    std::string rec = ResultsRecordBytes(p);
    EXPECT_EQ(rec.substr(wide ? 674 : 534, 10), " 21518 1 9");

    f.scratched = {};
    rec = ResultsRecordBytes(Parse(fixture::ResultsPostingLines(f),
                                   wide ? ResultsLayout::WithWide : ResultsLayout::WithoutWide));
    EXPECT_EQ(rec.substr(wide ? 674 : 534, 10), Blanks(10));
  }
}

TEST(ResultsLog, HeaderMarkersChooseTheParser) {
  auto header = [](std::string tail) { return "///20030510205811" + tail; };
  EXPECT_EQ(HeaderLayout(header("FHWARS///")), ResultsLayout::WithWide);   // 24-26
  EXPECT_EQ(HeaderLayout(header("FHWAR///")), ResultsLayout::WithoutWide);  // 23-25
  EXPECT_EQ(HeaderLayout(header("FHWAR////")), ResultsLayout::WithWide);   // both
  EXPECT_EQ(HeaderLayout(header("FHWARS ")), std::nullopt);
  EXPECT_EQ(HeaderLayout("///"), std::nullopt);
}

TEST(ResultsLog, HeaderWithBothMarkersIsConvertedOnceWithWidePayouts) {
  // "////" at 23-26 carries both markers. Read literally, the header would run both parsers,
  // the second one swallowing the next posting as its body.
  std::vector<std::string> first = fixture::ResultsPostingLines(Posting(true));
  first[0].replace(22, 4, "////");
  ForumResultsPosting secondPosting = Posting(false);
  secondPosting.race = 12;
  std::vector<std::string> lines = first;
  for (const std::string& l : fixture::ResultsPostingLines(secondPosting)) lines.push_back(l);
  Conversion conv(fixture::JoinLogLines(lines));
  EXPECT_EQ(conv.Run(), 2);
  EXPECT_EQ(conv.Files(), (std::vector<std::string>{"KS-5328B.JRA", "KS-5328C.JRA"}));
  EXPECT_EQ(conv.Out("KS-5328B.JRA").size(), 702u);
  EXPECT_EQ(conv.Out("KS-5328C.JRA").size(), 562u);
  EXPECT_TRUE(conv.report.problems.empty());
}

TEST(ResultsLog, WalkerCountsHeadersAndSkipsForumText) {
  ForumResultsPosting a = Posting(true), b = Posting(false), c = Posting(true);
  b.race = 10;
  c.course = 8;
  std::string log = fixture::ResultsLogBytes({a, b});
  // A header line without a second marker counts, writes nothing and is reported as not
  // converted: every posting is written, kept or failed.
  log += "///20030510205812 no marker here\r\n";
  log += fixture::ResultsLogBytes({c});
  Conversion conv(log);
  EXPECT_EQ(conv.Run(), 4);
  EXPECT_EQ(conv.Files(), (std::vector<std::string>{"KS-5328A.JRA", "KS-5328B.JRA", "KS-8328B.JRA"}));
  EXPECT_EQ(conv.port.progressCalls, 4);
  EXPECT_EQ(conv.report.written + conv.report.kept + conv.report.failed, 4);
  EXPECT_EQ(conv.report.failed, 1);
  ASSERT_EQ(conv.report.problems.size(), 1u);
  EXPECT_NE(conv.report.problems[0].find("///20030510205812 no marker here"), std::string::npos);

  // A log without results headers counts 0.
  Conversion none("#00001 FHWARS\r\nnothing to see\r\n");
  EXPECT_EQ(none.Run(), 0);
  EXPECT_TRUE(none.Files().empty());
}

TEST(ResultsLog, LineEndsOtherThanCrLfAreLinesToo) {
  std::vector<std::string> lines = fixture::ResultsPostingLines(Posting(true));
  Conversion crlf(fixture::JoinLogLines(lines));
  ASSERT_EQ(crlf.Run(), 1);
  const std::string expected = crlf.Out("KS-5328B.JRA");
  ASSERT_EQ(expected.size(), 702u);
  for (const char* end : {"\n", "\r"}) {
    std::string log;
    for (const std::string& l : lines) log += l + end;
    Conversion conv(log);
    EXPECT_EQ(conv.Run(), 1);
    EXPECT_EQ(conv.Out("KS-5328B.JRA"), expected);
  }
}

TEST(ResultsLog, PostingCutShortWritesNothingAndTheConversionGoesOn) {
  ForumResultsPosting next = Posting(false);
  next.race = 12;
  std::vector<std::string> cut = fixture::ResultsPostingLines(Posting(true));
  cut.resize(10);  // header and 9 body lines

  // Cut short by the next posting: that posting is still converted.
  std::vector<std::string> lines = cut;
  for (const std::string& l : fixture::ResultsPostingLines(next)) lines.push_back(l);
  Conversion middle(fixture::JoinLogLines(lines));
  EXPECT_EQ(middle.Run(), 2);
  EXPECT_EQ(middle.Files(), (std::vector<std::string>{"KS-5328C.JRA"}));
  EXPECT_EQ(middle.report.failed, 1);
  ASSERT_EQ(middle.report.problems.size(), 1u);
  EXPECT_NE(middle.report.problems[0].find("KS-5328B.JRA"), std::string::npos);

  // Cut short by the end of the log: no file, the posting counts.
  Conversion end(fixture::ResultsLogBytes({next}) + fixture::JoinLogLines(cut));
  EXPECT_EQ(end.Run(), 2);
  EXPECT_EQ(end.Files(), (std::vector<std::string>{"KS-5328C.JRA"}));
  EXPECT_EQ(end.report.failed, 1);

  // A header that is the log's last line.
  Conversion last(fixture::JoinLogLines({cut[0]}));
  EXPECT_EQ(last.Run(), 1);
  EXPECT_TRUE(last.Files().empty());
}

TEST(ResultsLog, ExistingFilesFollowTheOverwriteChoice) {
  ForumResultsPosting f = Posting(true);
  Conversion conv(fixture::ResultsLogBytes({f}));
  // An existing file in another letter case is the same file.
  conv.root.Write("out/ks-5328b.jra", "old");
  conv.s.wars.WarsOverwrite = false;
  EXPECT_EQ(conv.Run(), 1);
  EXPECT_EQ(conv.Out("ks-5328b.jra"), "old");
  EXPECT_EQ(conv.report.kept, 1);
  EXPECT_EQ(conv.report.written, 0);

  conv.s.wars.WarsOverwrite = true;
  EXPECT_EQ(conv.Run(), 1);
  EXPECT_EQ(conv.Files(), (std::vector<std::string>{"ks-5328b.jra"}));
  EXPECT_EQ(conv.Out("ks-5328b.jra").size(), 702u);

  // Converting the same log twice while keeping files: nothing written, the same count.
  fs::remove(conv.root / "out" / "ks-5328b.jra");
  conv.s.wars.WarsOverwrite = false;
  EXPECT_EQ(conv.Run(), 1);
  std::string first = conv.Out("KS-5328B.JRA");
  EXPECT_EQ(conv.Run(), 1);
  EXPECT_EQ(conv.report.written, 0);
  EXPECT_EQ(conv.Out("KS-5328B.JRA"), first);
}

TEST(ResultsLog, FileThatCannotBeWrittenIsReportedAndOthersAreStillWritten) {
  ForumResultsPosting a = Posting(true), b = Posting(true);
  b.race = 12;
  Conversion conv(fixture::ResultsLogBytes({a, b}));
  // A folder stands where the first file would go.
  fs::create_directories(conv.root / "out" / "KS-5328B.JRA");
  conv.s.wars.WarsOverwrite = true;
  EXPECT_EQ(conv.Run(), 2);
  EXPECT_EQ(conv.report.failed, 1);
  EXPECT_EQ(conv.report.files, (std::vector<std::string>{"KS-5328C.JRA"}));
  ASSERT_EQ(conv.report.problems.size(), 1u);
  EXPECT_NE(conv.report.problems[0].find("KS-5328B.JRA"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(conv.root / "out" / "KS-5328B.JRA"));
  // No temporary file is left behind.
  EXPECT_EQ(conv.Files(), (std::vector<std::string>{"KS-5328B.JRA", "KS-5328C.JRA"}));
}

// The OK command: checks in order, the question, the count.
struct OkCase {
  const char* what;
  std::function<void(Conversion&)> arrange;
  Message::Kind kind;
  const char* text;
};

TEST(ResultsLog, OkCommandChecksBeforeConverting) {
  const OkCase cases[] = {
      {"no text folder", [](Conversion& c) { c.s.app.settings.Txtpath.clear(); }, Message::Error,
       "ﾃｷｽﾄﾌｫﾙﾀﾞが指定されていません"},
      {"no file", [](Conversion& c) { c.s.app.settings.Tksfile.clear(); }, Message::Error,
       "ﾃｷｽﾄﾌｧｲﾙが指定されていません"},
      {"no output folder", [](Conversion& c) { c.s.app.settings.Cnvpath.clear(); }, Message::Error,
       "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞが指定されていません"},
      {"PAT98 folder", [](Conversion& c) { c.s.app.Pat98Folder = c.s.app.settings.Cnvpath; },
       Message::Warning, "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞにPAT98ｲﾝｽﾄｰﾙﾌｫﾙﾀﾞが指定されています"},
      {"PAT98 folder with a trailing separator",
       [](Conversion& c) { c.s.app.Pat98Folder = c.s.app.settings.Cnvpath + "/"; }, Message::Warning,
       "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞにPAT98ｲﾝｽﾄｰﾙﾌｫﾙﾀﾞが指定されています"},
      {"text folder missing", [](Conversion& c) { c.s.app.settings.Txtpath += "-gone"; }, Message::Error,
       "ﾃｷｽﾄﾌｫﾙﾀﾞが存在しません"},
      {"output folder missing", [](Conversion& c) { c.s.app.settings.Cnvpath += "-gone"; }, Message::Error,
       "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞが存在しません"},
      {"log missing", [](Conversion& c) { c.s.app.settings.Tksfile = "other.log"; }, Message::Error,
       "ﾃｷｽﾄﾌｧｲﾙが存在しません"},
  };
  for (const OkCase& c : cases) {
    Conversion conv(fixture::ResultsLogBytes({Posting(true)}));
    conv.s.app.AppTitle = "Tazuna98";
    c.arrange(conv);
    EXPECT_EQ(RunResultsLogConversion(conv.s.app, conv.s.wars, conv.port, true), std::nullopt)
        << c.what;
    ASSERT_EQ(conv.port.messages.size(), 1u) << c.what;
    EXPECT_EQ(conv.port.messages[0].kind, c.kind) << c.what;
    EXPECT_EQ(conv.port.messages[0].text, c.text) << c.what;
    EXPECT_EQ(conv.port.messages[0].title, "Tazuna98") << c.what;
    EXPECT_FALSE(fs::exists(conv.root / "out" / "KS-5328B.JRA")) << c.what;
  }
  // The output folder is never created by the check.
  Conversion conv(fixture::ResultsLogBytes({Posting(true)}));
  conv.s.app.settings.Cnvpath += "-gone";
  RunResultsLogConversion(conv.s.app, conv.s.wars, conv.port, false);
  EXPECT_FALSE(fs::exists(conv.s.app.settings.Cnvpath));
  // The overwrite choice is taken before the folders are checked.
  EXPECT_FALSE(conv.s.wars.WarsOverwrite);
  conv.port.messages.clear();
  RunResultsLogConversion(conv.s.app, conv.s.wars, conv.port, true);
  EXPECT_TRUE(conv.s.wars.WarsOverwrite);
}

TEST(ResultsLog, OkCommandAsksThenTellsTheCount) {
  ForumResultsPosting b = Posting(true);
  b.race = 12;
  Conversion conv(fixture::ResultsLogBytes({Posting(true), b}));
  conv.port.answers = {Answer::No};
  EXPECT_EQ(RunResultsLogConversion(conv.s.app, conv.s.wars, conv.port, false), std::nullopt);
  EXPECT_TRUE(conv.Files().empty());
  ASSERT_EQ(conv.port.messages.size(), 1u);
  EXPECT_EQ(conv.port.messages[0].title, kWarsResultsTitle);
  EXPECT_EQ(conv.port.messages[0].text, "実行しますか?");
  EXPECT_EQ(conv.port.messages[0].buttons, Buttons::YesNo);

  conv.port.messages.clear();
  conv.port.answers = {Answer::Yes};
  EXPECT_EQ(RunResultsLogConversion(conv.s.app, conv.s.wars, conv.port, false), 2);
  EXPECT_EQ(conv.Files().size(), 2u);
  ASSERT_EQ(conv.port.messages.size(), 2u);
  EXPECT_EQ(conv.port.messages[1].text, "2ﾌｧｲﾙ処理しました。");
  EXPECT_EQ(conv.port.messages[1].title, kWarsResultsTitle);
  EXPECT_EQ(conv.port.messages[1].icon, Icon::None);

  // A posting that could not be converted is named in one message after the count.
  std::vector<std::string> cut = fixture::ResultsPostingLines(Posting(false));
  cut.resize(5);
  Conversion broken(fixture::ResultsLogBytes({b}) + fixture::JoinLogLines(cut));
  EXPECT_EQ(RunResultsLogConversion(broken.s.app, broken.s.wars, broken.port, false), 2);
  ASSERT_EQ(broken.port.messages.size(), 3u);
  EXPECT_EQ(broken.port.messages[1].text, "2ﾌｧｲﾙ処理しました。");
  EXPECT_EQ(broken.port.messages[2].kind, Message::Error);
  EXPECT_NE(broken.port.messages[2].text.find("KS-5328B.JRA"), std::string::npos);
}

TEST(ResultsLog, BundledExampleLogIsTheGeneratedOne) {
  fs::path sample = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "fhwars" / "results-log.txt";
  EXPECT_EQ(ReadAll(sample), fixture::SampleResultsLogBytes())
      << "regenerate with: tazuna98-cli fhwars-results --write-sample-log samples/fhwars/results-log.txt";
}

}  // namespace
}  // namespace tz
