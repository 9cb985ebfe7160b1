#include "fhwars/odds_log.h"

#include <fmt/format.h>

#include <algorithm>
#include <stdexcept>

#include "pat98/day_loader.h"
#include "pat98/file_names.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace fs = std::filesystem;

namespace {

// A posting that does not follow the layout; the text says why.
struct LayoutError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

constexpr const char* kTruncated = "発言が途中で切れています";

// Pads with blanks or cuts a text to `n` characters.
std::string FitChars(std::string_view utf8, std::size_t n) {
  std::size_t count = text::CharCount(utf8);
  if (count >= n) return text::Left(utf8, n);
  return std::string(utf8) + std::string(n - count, ' ');
}

std::string Zero2(int v) { return fmt::format("{:02d}", v); }

bool AllBlank(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

// Byte positions of one posting in Shift_JIS, 1-based as the layout counts them.
class PostingBytes {
 public:
  explicit PostingBytes(std::string bytes) : b_(std::move(bytes)) {}

  std::size_t size() const { return b_.size(); }

  std::string_view Raw(std::size_t pos, std::size_t len) const {
    if (pos < 1 || pos + len - 1 > b_.size()) throw LayoutError(kTruncated);
    return std::string_view(b_).substr(pos - 1, len);
  }
  std::string Text(std::size_t pos, std::size_t len) const { return text::DecodeSjis(Raw(pos, len)); }

  // A number with blanks around it allowed; what follows its digits (a unit such as "R" or
  // "年") is not read. No digit at all does not follow the layout.
  int Int(std::size_t pos, std::size_t len, const char* what, int lo, int hi) const {
    std::string_view f = Raw(pos, len);
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    int v = 0;
    std::size_t digits = 0;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9' && digits < 6) {
      v = v * 10 + (f[i] - '0');
      ++i;
      ++digits;
    }
    if (digits == 0) throw LayoutError(fmt::format("{}が数字ではありません", what));
    if (v < lo || v > hi) throw LayoutError(fmt::format("{}が範囲外です ({})", what, v));
    return v;
  }

  // 1-based position of `utf8` (encoded) at or after `from`; 0 when absent.
  std::size_t Find(std::string_view utf8, std::size_t from) const {
    if (from < 1) from = 1;
    if (from > b_.size()) return 0;
    std::size_t p = b_.find(text::EncodeSjis(utf8), from - 1);
    return p == std::string::npos ? 0 : p + 1;
  }
  std::size_t FindByte(char c, std::size_t from) const {
    if (from < 1) from = 1;
    if (from > b_.size()) return 0;
    std::size_t p = b_.find(c, from - 1);
    return p == std::string::npos ? 0 : p + 1;
  }

 private:
  std::string b_;
};

// Partners of a wide entry: the m-th entry read for horse X pairs it with the m-th number of
// this list that is smaller than X.
constexpr int kWidePartners[] = {5, 4, 3, 2, 1, 10, 9, 8, 7, 6, 15, 14, 13, 12, 11, 17, 16};

int WidePartner(int x, int m) {
  int seen = 0;
  for (int y : kWidePartners) {
    if (y < x && ++seen == m) return y;
  }
  return 0;
}

// The horse name: half-width, the prolonged-sound mark as "-", 18 characters, and never more
// than the 18 bytes the race card holds.
std::string HorseName(std::string_view posted) {
  std::string half = text::ToHalfWidth(posted);
  std::string name;
  for (char32_t c : text::ToU32(half)) {
    if (c == U'ｰ') name += '-';
    else text::AppendUtf8(name, c);
  }
  name = FitChars(name, 18);
  return text::DecodeSjis(text::FixedSjis(name, 18));
}

std::string QuinellaValue(std::string_view raw) {
  if (raw == " -----") return kScratchedOdds6;
  if (AllBlank(raw)) return kScratchedOdds6;  // no quote: a missing combination, not odds 0
  std::string v = text::DecodeSjis(raw);
  if (v.find('.') == std::string::npos) v = text::Trim(v) + ".0";
  return FitChars(v, 6);
}

std::string BracketValue(std::string_view raw) {
  if (raw == "----" || AllBlank(raw)) return std::string(5, ' ');
  std::string v = text::DecodeSjis(raw);
  if (v.find('.') != std::string::npos) v = " " + v;
  else v = text::Trim(v) + ".0";
  return FitChars(v, 5);
}

OddsPosting Parse(const PostingBytes& b) {
  OddsPosting p;
  p.courseName = b.Text(11, 4);
  p.courseCode = RacecourseCode(p.courseName);
  p.race = b.Int(15, 7, "ﾚｰｽ番号", 1, 12);
  int yy = b.Int(31, 4, "年", 0, 99);
  p.year = yy < 91 ? 2000 + yy : 1900 + yy;
  p.kai = b.Int(38, 2, "開催回", 0, 99);
  p.dayOfMeeting = b.Int(43, 2, "開催日次", 1, 12);
  p.month = b.Int(50, 4, "月", 1, 12);
  p.dayOfMonth = b.Int(57, 4, "日", 1, 31);
  p.oddsHour = b.Int(75, 2, "ｵｯｽﾞ時刻", 0, 99);
  p.oddsMinute = b.Int(78, 2, "ｵｯｽﾞ時刻", 0, 99);
  p.title1 = b.Text(92, 28);

  const std::size_t f = b.Find("発走", 120);
  if (f == 0) throw LayoutError("発走時刻がありません");
  p.postHour = b.Int(f + 5, 2, "発走時刻", 0, 99);
  p.postMinute = b.Int(f + 8, 2, "発走時刻", 0, 99);
  p.title2 = b.Text(f + 26, 28);
  p.track = b.Text(f + 62, 4);
  p.distance = b.Text(f + 69, 4);
  const int n = b.Int(f + 76, 2, "頭数", 1, 18);
  p.horseCount = n;

  int bracket = 0;
  for (int k = 1; k <= n; ++k) {
    const std::size_t h = f + 243 + 81 * static_cast<std::size_t>(k - 1);
    OddsPostingHorse horse;
    if (b.Raw(h + 2, 2) != "  ") bracket = b.Int(h + 2, 2, "枠番", 0, 8);
    horse.bracket = bracket;
    horse.number = b.Int(h + 7, 2, "馬番", 1, 18);
    std::string_view win = b.Raw(h + 11, 5);
    horse.win = win == "-----" ? kScratchedOdds5 : text::DecodeSjis(win);
    std::string_view low = b.Raw(h + 18, 4);
    std::string_view high = b.Raw(h + 23, 4);
    horse.placeLow = low == "----" ? kScratchedOdds5 : " " + text::DecodeSjis(low);
    horse.placeHigh = high == "----" ? kScratchedOdds5 : " " + text::DecodeSjis(high);
    horse.name = HorseName(b.Text(h + 28, 18));
    const bool changed = b.Raw(h + 66, 1) == "H";
    horse.jockey = b.Text(h + 67, 8) + (changed ? "（替）　　" : "　　　　　");
    horse.weight = b.Text(h + 76, 4);
    p.horses.push_back(std::move(horse));
  }

  const std::size_t q = f + 243 + 81 * static_cast<std::size_t>(n);
  const bool table = q + 5 <= b.size() && b.Raw(q + 3, 3) == "   ";
  if (table) {
    for (int i = 1; i < n; ++i) {
      const std::size_t r = q + 85 + 81 * static_cast<std::size_t>(i - 1);
      for (int j = i + 1; j <= n; ++j) {
        std::size_t pos;
        if (j <= 6) pos = r + 6 * (j - 1);
        else if (j <= 12) pos = r + 6 * (j - 1) + 5;
        else pos = r + 81 * static_cast<std::size_t>(n) + 123 + 6 * (j - 13);
        std::string v = QuinellaValue(b.Raw(pos, 6));
        if (v != kScratchedOdds6) p.quinellaFound = true;
        p.quinella[i][j] = v;
        p.quinella[j][i] = v;
      }
    }
  }

  std::size_t bq = table ? q + 85 + 81 * static_cast<std::size_t>(n - 1) + 121 : q + 43;
  if (n > 12) bq += 40;
  const std::size_t step = n > 12 ? 81 : 44;
  const int rows = std::min(n, 8);
  for (int i = 1; i <= rows; ++i) {
    const std::size_t row = bq + step * static_cast<std::size_t>(i - 1);
    for (int j = 1; j <= 8; ++j) p.bracketQuinella[i][j] = BracketValue(b.Raw(row + 5 * (j - 1), 4));
  }
  const std::size_t tableEnd = bq + step * static_cast<std::size_t>(rows - 1) + 39;

  if (p.quinellaFound) {
    const std::size_t anchor = b.Find("ワイド ０１", tableEnd);
    if (anchor == 0) {
      for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
          if (i == j) continue;
          p.wideLow[i][j] = "000.0";
          p.wideHigh[i][j] = "000.0";
        }
      }
    } else {
      std::array<int, 19> seen{};
      std::size_t pos = anchor;
      const int entries = n * (n - 1) / 2;
      for (int e = 0; e < entries; ++e) {
        const std::size_t c = b.FindByte(':', pos);
        if (c == 0 || c < 3) throw LayoutError("ワイドのｵｯｽﾞが途中で切れています");
        const int x = b.Int(c - 2, 2, "ワイドの馬番", 2, n);
        const int y = WidePartner(x, ++seen[x]);
        if (y == 0) throw LayoutError(fmt::format("ワイドの馬番{}が多すぎます", x));
        std::string_view low = b.Raw(c + 1, 5);
        std::string_view high = b.Raw(c + 7, 5);
        std::string lowText = low == " ----" ? kScratchedOdds5 : text::DecodeSjis(low);
        std::string highText = high == " ----" ? kScratchedOdds5 : text::DecodeSjis(high);
        p.wideLow[x][y] = p.wideLow[y][x] = lowText;
        p.wideHigh[x][y] = p.wideHigh[y][x] = highText;
        pos = c + 1;
      }
    }
  }
  return p;
}

// The header both odds records share: a snapshot at the posting's odds time.
OddsFileHeader OddsHeader(const OddsPosting& p) {
  OddsFileHeader h;
  h.date = fmt::format("{}{}{}", p.year, Zero2(p.month), Zero2(p.dayOfMonth));
  h.courseName = p.courseName;
  h.year = p.year;
  h.kai = p.kai;
  h.day = p.dayOfMeeting;
  h.race = p.race;
  h.timeKind = 0;
  h.hour = p.oddsHour;
  h.minute = p.oddsMinute;
  h.title1 = p.title1;
  h.title2 = p.title2;
  h.horseCount = p.horseCount;
  return h;
}

}  // namespace

std::optional<OddsPosting> ReadOddsPosting(std::string_view posting, std::string* problem) {
  try {
    return Parse(PostingBytes(text::EncodeSjis(posting)));
  } catch (const LayoutError& e) {
    if (problem) *problem = e.what();
    return std::nullopt;
  }
}

RaceCardFile OddsPostingRaceCard(const OddsPosting& p) {
  RaceCardFile c;
  c.year = p.year;
  c.month = p.month;
  c.day = p.dayOfMonth;
  c.courseCode = p.courseCode;
  c.courseName = p.courseName;
  c.kai = p.kai;
  c.dayOfMeeting = p.dayOfMeeting;
  c.race = p.race;
  c.postTime = Zero2(p.postHour) + Zero2(p.postMinute);
  c.track = p.track;
  c.distance = p.distance;
  c.title1 = p.title1;
  c.title2 = p.title2;
  for (const OddsPostingHorse& h : p.horses) {
    c.runners.push_back({h.bracket, h.number, h.name, h.jockey, 0, h.weight});
  }
  return c;
}

OddsFileRecord OddsPostingOddsRecord(const OddsPosting& p) {
  OddsFileRecord r;
  r.header = OddsHeader(p);
  for (const OddsPostingHorse& h : p.horses) {
    r.horses.push_back({h.number, h.win, h.placeLow, h.placeHigh});
  }
  r.bracket = p.bracketQuinella;
  return r;
}

QuinellaFileRecord OddsPostingQuinellaRecord(const OddsPosting& p) {
  QuinellaFileRecord r;
  r.header = OddsHeader(p);
  r.withWide = true;
  r.quinella = p.quinella;
  r.wideLow = p.wideLow;
  r.wideHigh = p.wideHigh;
  return r;
}

std::string OddsPostingRaceCardBytes(const OddsPosting& p) {
  return RaceCardBytes(OddsPostingRaceCard(p));
}
std::string OddsPostingOddsBytes(const OddsPosting& p) {
  return OddsRecordBytes(OddsPostingOddsRecord(p));
}
std::string OddsPostingQuinellaBytes(const OddsPosting& p) {
  return QuinellaRecordBytes(OddsPostingQuinellaRecord(p));
}

std::string ConvertedRaceFileName(std::string_view prefix, const OddsPosting& p) {
  return RaceFileName(prefix, p.courseCode, p.dayOfMeeting, p.race);
}

OddsPostingResult ParseOddsPosting(const AppState& app, const WarsState& wars,
                                   std::string_view posting) {
  OddsPostingResult result;
  result.posting = ReadOddsPosting(posting, &result.problem);
  if (!result.posting) return result;
  const OddsPosting& p = *result.posting;
  const fs::path folder = app.settings.Cnvpath;
  auto write = [&](std::string_view prefix, const std::string& bytes) {
    result.files.push_back(
        WriteConvertedFile(wars, folder, ConvertedRaceFileName(prefix, p), bytes));
  };
  write(kRaceCardFilePrefix, OddsPostingRaceCardBytes(p));
  write(kOddsFilePrefix, OddsPostingOddsBytes(p));
  if (p.quinellaFound) write(kQuinellaFilePrefix, OddsPostingQuinellaBytes(p));
  result.converted = true;
  return result;
}

std::string DecodeOddsLog(std::string_view fileBytes) {
  if (fileBytes.size() <= 2) return {};
  return text::DecodeSjis(fileBytes.substr(0, fileBytes.size() - 2));
}

std::vector<std::string> SplitOddsLog(std::string_view logText) {
  const std::u32string t = text::ToU32(logText);
  std::vector<std::string> postings;
  std::size_t pos = 0;
  while (pos < t.size()) {
    const std::size_t first = t.find(U'=', pos);
    if (first == std::u32string::npos) break;
    const std::size_t start = first + 81;
    if (start >= t.size()) break;
    const std::size_t second = t.find(U'=', start);
    // A posting whose closing separator is missing runs to the end of the log.
    const std::size_t end = second == std::u32string::npos ? t.size() : std::min(t.size(), second + 81);
    postings.push_back(text::ToU8(std::u32string_view(t).substr(start, end - start)));
    pos = end;
  }
  return postings;
}

int ConvertOddsLog(const AppState& app, const WarsState& wars, UserPort& port, OddsLogReport* out) {
  OddsLogReport local;
  OddsLogReport& report = out ? *out : local;
  report = OddsLogReport{};
  const fs::path log = WarsLogPath(app, app.settings.Txtfile);
  auto bytes = text::ReadFileBytes(log);
  if (!bytes) {
    port.Error(app.AppTitle, kWarsTextFileMissing);
    return 0;
  }
  const std::vector<std::string> postings = SplitOddsLog(DecodeOddsLog(*bytes));
  report.total = static_cast<int>(postings.size());
  for (std::size_t k = 0; k < postings.size(); ++k) {
    OddsPostingResult r = ParseOddsPosting(app, wars, postings[k]);
    if (r.converted) {
      ++report.processed;
      for (ConvertedFile& f : r.files) report.files.push_back(std::move(f));
    } else {
      report.skipped.push_back({static_cast<int>(k + 1), r.problem});
    }
    port.Progress(static_cast<int>(k + 1), report.total);
    port.ProcessPendingEvents();
  }

  if (!report.skipped.empty()) {
    std::string msg = "ｵｯｽﾞ発言の形式で読めない発言は変換しませんでした。";
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < report.skipped.size() && i < kShown; ++i) {
      msg += fmt::format("\n{}件目の発言: {}", report.skipped[i].index, report.skipped[i].problem);
    }
    if (report.skipped.size() > kShown) {
      msg += fmt::format("\nほか{}件", report.skipped.size() - kShown);
    }
    port.Error(app.AppTitle, msg);
  }
  std::string failed;
  for (const ConvertedFile& f : report.files) {
    if (f.outcome == ConvertedFile::Outcome::Failed) failed += "\n" + f.name + ": " + f.error;
  }
  if (!failed.empty()) port.Error(app.AppTitle, "次のﾌｧｲﾙを書き込めませんでした。" + failed);
  return report.processed;
}

WarsOddsRun RunWarsOddsConversion(const AppState& app, WarsState& wars, UserPort& port,
                                  bool overwrite, bool openAfter) {
  WarsOddsRun run;
  if (!CheckWarsConversion(app, wars, port, app.settings.Txtfile, overwrite,
                           MissingConvertFolder::OfferToCreate)) {
    return run;
  }
  if (port.Ask(kWarsOddsCaption, kWarsRunQuestion, Buttons::YesNo, Icon::Question, Answer::Yes) !=
      Answer::Yes) {
    run.result = WarsOddsRun::Result::Declined;
    return run;
  }
  run.result = WarsOddsRun::Result::Converted;
  run.count = ConvertOddsLog(app, wars, port, &run.report);
  port.Progress(0, 0);
  port.Ask(kWarsOddsCaption, std::to_string(run.count) + kWarsProcessedSuffix, Buttons::Ok,
           Icon::None, Answer::Ok);
  if (run.count > 0) {
    run.loadFolder = openAfter;
    run.closeDialog = true;
  }
  return run;
}

std::string WarsOddsHelpText() {
  const char* const lines[] = {
      "この機能は基本的に寝坊等により朝一ｵｯｽﾞを取得できなかったときに"
      "FHWARSの17番会議室のｵｯｽﾞ発言ﾛｸﾞから擬似的にｵｯｽﾞﾌｧｲﾙと出馬表ﾌｧｲﾙを作成する機能です。",
      "（過去のﾃﾞｰﾀ検証にも使えます。またPATで取得するより電話代が安くすみます）",
      "注意：この機能で作成されたﾌｧｲﾙはTazuna98専用の為、PAT98では使用できません。",
      "",
      "【準備】",
      "1. NIFTYﾏﾈｰｼﾞｬでFHWARSの17番会議室のｵｯｽﾞ発言ﾛｸﾞをﾀﾞｳﾝﾛｰﾄﾞします",
      "2. NIFTYﾏﾈｰｼﾞｬでﾀﾞｳﾝﾛｰﾄﾞしたﾛｸﾞをﾃｷｽﾄﾌｧｲﾙへ書き出します",
      "",
      "【当日の場合】",
      "3. PAT98で投票要項を取得します",
      "4. 本ｿﾌﾄで「現在のﾃﾞｰﾀを保存」選択します（当日の名前でﾌｫﾙﾀﾞが作成され、投票要項がｺﾋﾟｰされます）",
      "5. 本ｿﾌﾄで「FHWARS変換」を選択し、各ﾌｫﾙﾀﾞを指定後実行します",
      "     ﾃｷｽﾄﾌｧｲﾙ ： NIFTYﾏﾈｰｼﾞｬでﾛｸﾞを書き出したﾌｧｲﾙ",
      "     擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞ ： 「現在のﾃﾞｰﾀを保存」で作成されたﾌｫﾙﾀﾞ",
      "6. 本ｿﾌﾄで「過去のﾃﾞｰﾀを開く」を選択し、「現在のﾃﾞｰﾀを保存」で作成されたﾌｫﾙﾀﾞを選択します",
      "※競走成績を取得したときや馬券を投票したときは、その都度"
      "「結果と履歴を上書き保存」を選択してください",
      "",
      "【過去のﾃﾞｰﾀ検証の場合】",
      "3. ｴｸｽﾌﾟﾛｰﾗでﾌｫﾙﾀﾞを作成します",
      "4. 本ｿﾌﾄで「FHWARS変換」を選択し、各ﾌｫﾙﾀﾞを指定後実行します",
      "     ﾃｷｽﾄﾌｧｲﾙ ： NIFTYﾏﾈｰｼﾞｬでﾛｸﾞを書き出したﾌｧｲﾙ",
      "     擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞ ： ｴｸｽﾌﾟﾛｰﾗで作成したﾌｫﾙﾀﾞ",
      "5. 本ｿﾌﾄで「過去のﾃﾞｰﾀを開く」を選択し、ｴｸｽﾌﾟﾛｰﾗで作成したﾌｫﾙﾀﾞを選択します",
      "6. 「擬似投票要項を作成しますか？」で「はい」を選択します",
      "※擬似投票要項を作成後はﾚｰｽの追加は出来ませんので、"
      "擬似投票要項をｴｸｽﾌﾟﾛｰﾗで一旦削除してから6.の処理を行なってください",
      "※前売オッズはｻﾎﾟｰﾄしていません",
  };
  std::string t;
  for (const char* l : lines) {
    if (!t.empty() || l != lines[0]) t += "\r\n";
    t += l;
  }
  return t;
}

}  // namespace tz
