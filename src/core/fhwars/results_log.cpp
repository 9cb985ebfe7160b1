#include "fhwars/results_log.h"

#include <fmt/format.h>

#include <cstdlib>
#include <filesystem>

#include "fhwars/forum_log.h"
#include "pat98/day_loader.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

namespace fs = std::filesystem;
using text::MidB;

constexpr int kBodyLineChars = 80;

// Pads with blanks or cuts to exactly n bytes.
std::string FitBytes(std::string_view bytes, std::size_t n) {
  std::string out(bytes.substr(0, std::min(bytes.size(), n)));
  out.resize(n, ' ');
  return out;
}

int HeaderNumber(std::string_view header, std::size_t start, std::size_t len) {
  return static_cast<int>(text::Val(text::Mid(header, start, len)));
}

// A body line padded with blanks or cut to 80 characters, in Shift_JIS.
std::string BodyLineBytes(std::string_view line) {
  std::string t = text::Left(line, kBodyLineChars);
  std::size_t chars = text::CharCount(t);
  if (chars < kBodyLineChars) t.append(kBodyLineChars - chars, ' ');
  return text::EncodeSjis(t);
}

// Bytes start..start+len-1 of a body line (always long enough after padding).
std::string Field(std::string_view bytes, std::size_t start, std::size_t len) {
  return FitBytes(MidB(bytes, start, len), len);
}

bool AllBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// The place field of a finisher line: two blanks give " " (no finisher); a place 1-9 gives its
// digit. Anything else cannot be written into the one-digit place of the results file and is
// taken as no finisher.
std::optional<std::string> PlaceText(std::string_view field) {
  if (AllBlank(field)) return std::string(" ");
  std::string t = text::Trim(field);
  if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  int v = static_cast<int>(text::Val(t));
  if (v < 1 || v > 9) return std::nullopt;
  return std::to_string(v);
}

// The horse name as the results file holds it: half-width, "ｰ" written as "-", 18 characters
// and never more than 18 bytes.
std::string NameBytes(std::string_view field) {
  std::string name = text::ToHalfWidth(text::DecodeSjis(field));
  std::string out;
  for (char32_t c : text::ToU32(name)) {
    if (c == U'ｰ') c = U'-';
    text::AppendUtf8(out, c);
  }
  return text::FixedSjis(text::Left(out, 18), 18);
}

ResultsPosting ParseHeader(std::string_view header, ResultsLayout layout) {
  ResultsPosting p;
  p.layout = layout;
  p.year = HeaderNumber(header, 4, 4);
  p.month = HeaderNumber(header, 8, 2);
  p.dayOfMonth = HeaderNumber(header, 10, 2);
  p.kai = HeaderNumber(header, 12, 1);
  p.course = HeaderNumber(header, 13, 2);
  p.day = HeaderNumber(header, 15, 1);
  p.race = HeaderNumber(header, 16, 2);
  std::string bytes = text::EncodeSjis(header);
  const std::size_t first = layout == ResultsLayout::WithWide ? 66 : 65;
  for (std::size_t k = 0; k < 5; ++k) p.scratched[k] = FitBytes(MidB(bytes, first + 3 * k, 2), 2);
  return p;
}

std::string PostingLabel(const ResultsPosting& p) {
  std::string course = RacecourseTableName(p.course);
  if (course.empty()) course = fmt::format("場{}", p.course);
  return fmt::format("{:04d}/{:02d}/{:02d} {} {}R ({})", p.year, p.month, p.dayOfMonth, course,
                     p.race, ResultsFileName(p));
}

void ParsePosting(const AppState& app, const WarsState& wars, std::string_view header,
                  ResultsLogLines& log, ResultsLayout layout, ResultsLogReport& report) {
  std::optional<ResultsPosting> p = ReadResultsPosting(header, log, layout);
  if (!p) {
    ++report.failed;
    report.problems.push_back(PostingLabel(ParseHeader(header, layout)) +
                              ": 発言が途中で終わっているため変換しませんでした");
    return;
  }
  std::string err = WriteResultsFile(app, wars, *p, report);
  if (!err.empty()) {
    ++report.failed;
    report.problems.push_back(PostingLabel(*p) + ": 書き込めませんでした (" + err + ")");
    return;
  }
  for (int slot : p->unreadablePlaces) {
    report.problems.push_back(PostingLabel(*p) + fmt::format(": {}行目の着順が読めないため着順なしとしました", slot));
  }
}

}  // namespace

ResultsLogLines::ResultsLogLines(std::string_view bytes) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines_.push_back(text::DecodeSjis(bytes.substr(start)));
      break;
    }
    lines_.push_back(text::DecodeSjis(bytes.substr(start, end - start)));
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
}

bool ResultsLogLines::Next(std::string& line) {
  if (next_ >= lines_.size()) return false;
  line = lines_[next_++];
  return true;
}

void ResultsLogLines::Unread() {
  if (next_ > 0) --next_;
}

bool IsResultsHeader(std::string_view line) { return line.substr(0, 3) == "///"; }

std::optional<ResultsLayout> HeaderLayout(std::string_view header) {
  if (text::Mid(header, 24, 3) == "///") return ResultsLayout::WithWide;
  if (text::Mid(header, 23, 3) == "///") return ResultsLayout::WithoutWide;
  return std::nullopt;
}

std::optional<ResultsPosting> ReadResultsPosting(std::string_view header, ResultsLogLines& log,
                                                 ResultsLayout layout) {
  ResultsPosting p = ParseHeader(header, layout);
  std::array<std::string, kResultsPostingBodyLines + 1> body;
  for (int i = 1; i <= kResultsPostingBodyLines; ++i) {
    std::string line;
    if (!log.Next(line)) return std::nullopt;
    if (IsResultsHeader(line)) {
      // The next posting starts before this one ended: leave its header for the walker.
      log.Unread();
      return std::nullopt;
    }
    body[i] = BodyLineBytes(line);
  }

  p.title = Field(body[2], 48, 32);
  for (int k = 0; k < 5; ++k) {
    const std::string& line = body[5 + k];
    ResultsFinisher& f = p.finishers[k];
    std::optional<std::string> place = PlaceText(Field(line, 1, 2));
    if (!place) {
      p.unreadablePlaces.push_back(k + 1);
      place = " ";
    }
    f.place = *place;
    f.horse = Field(line, 7, 2);
    f.name = NameBytes(Field(line, 11, 18));
    f.time = Field(line, 33, 6);
  }

  const bool wide = layout == ResultsLayout::WithWide;
  // Pair columns: bracket combination, quinella combination and their payout.
  const std::size_t pairAt = wide ? 32 : 48;
  const std::size_t pairPayAt = wide ? 41 : 57;
  for (int k = 0; k < 7; ++k) {
    const std::string& line = body[11 + k];
    ResultsPayoutEntry single{Field(line, 7, 2), Field(line, 14, 6)};
    if (k < 2) {
      p.win[k] = single;
      p.bracket[k] = {Field(line, pairAt + 1, 2) + Field(line, pairAt + 4, 1),
                      Field(line, pairPayAt, 6)};
    } else {
      p.place[k - 2] = single;
      if (k < 5) p.quinella[k - 2] = {Field(line, pairAt, 5), Field(line, pairPayAt, 6)};
    }
    if (wide) p.wide[k] = {Field(line, 61, 5), Field(line, 70, 6)};
  }
  return p;
}

std::string ResultsFileName(const ResultsPosting& p) {
  return tz::ResultsFileName(p.course, std::abs(p.year % 10), p.kai, p.day, p.race);
}

ResultsFileRecord ResultsPostingRecord(const ResultsPosting& p) {
  ResultsFileRecord r;
  r.head = ResultsRecordHead(p.year, p.month, p.dayOfMonth, RacecourseTableName(p.course), p.kai,
                             p.day, p.race);
  r.title = p.title;
  r.finishers = p.finishers;
  r.withWide = p.layout == ResultsLayout::WithWide;
  r.win = p.win;
  r.place = p.place;
  r.bracket = p.bracket;
  r.quinella = p.quinella;
  if (r.withWide) r.wide = p.wide;
  r.scratched = p.scratched;
  r.trailer = " TAZUNA ";
  return r;
}

std::string ResultsRecordBytes(const ResultsPosting& p) {
  return ResultsRecordBytes(ResultsPostingRecord(p));
}

std::string WriteResultsFile(const AppState& app, const WarsState& wars, const ResultsPosting& p,
                             ResultsLogReport& report) {
  ConvertedFile f =
      WriteConvertedFile(wars, app.settings.Cnvpath, ResultsFileName(p), ResultsRecordBytes(p));
  switch (f.outcome) {
    case ConvertedFile::Outcome::Kept:
      ++report.kept;
      return {};
    case ConvertedFile::Outcome::Written:
      ++report.written;
      report.files.push_back(f.name);
      return {};
    case ConvertedFile::Outcome::Failed:
      break;
  }
  return f.error.empty() ? std::string("write failed") : f.error;
}

void ParseResultsPostingB(const AppState& app, const WarsState& wars, std::string_view header,
                          ResultsLogLines& log, ResultsLogReport& report) {
  ParsePosting(app, wars, header, log, ResultsLayout::WithWide, report);
}

void ParseResultsPostingA(const AppState& app, const WarsState& wars, std::string_view header,
                          ResultsLogLines& log, ResultsLogReport& report) {
  ParsePosting(app, wars, header, log, ResultsLayout::WithoutWide, report);
}

int ConvertResultsLog(const AppState& app, const WarsState& wars, UserPort& port,
                      ResultsLogReport* report) {
  ResultsLogReport local;
  ResultsLogReport& rep = report ? *report : local;
  const Settings& set = app.settings;
  std::optional<std::string> bytes = text::ReadFileBytes(WarsLogPath(app, set.Tksfile));
  if (!bytes) {
    rep.problems.push_back(set.Tksfile + ": ﾃｷｽﾄﾌｧｲﾙを読めませんでした");
    return 0;
  }
  ResultsLogLines log(*bytes);
  int total = 0;
  for (const std::string& line : log.lines()) {
    if (IsResultsHeader(line)) ++total;
  }
  int count = 0;
  std::string line;
  while (log.Next(line)) {
    if (!IsResultsHeader(line)) continue;
    std::optional<ResultsLayout> layout = HeaderLayout(line);
    if (layout == ResultsLayout::WithWide) {
      ParseResultsPostingB(app, wars, line, log, rep);
    } else if (layout == ResultsLayout::WithoutWide) {
      ParseResultsPostingA(app, wars, line, log, rep);
    } else {
      // A header without its closing "///" is counted and reported, never dropped silently.
      ++rep.failed;
      rep.problems.push_back(text::Trim(line) + ": 見出しの形式が違うため変換しませんでした");
    }
    ++count;
    port.Progress(count, total);
    port.ProcessPendingEvents();
  }
  rep.count = count;
  return count;
}

std::optional<int> RunResultsLogConversion(const AppState& app, WarsState& wars, UserPort& port,
                                           bool overwrite, ResultsLogReport* reportOut) {
  const std::string& title = app.AppTitle;
  if (!CheckWarsConversion(app, wars, port, app.settings.Tksfile, overwrite,
                           MissingConvertFolder::Refuse)) {
    return std::nullopt;
  }
  if (port.Ask(kWarsResultsTitle, kWarsRunQuestion, Buttons::YesNo, Icon::Question, Answer::Yes) !=
      Answer::Yes) {
    return std::nullopt;
  }
  ResultsLogReport local;
  ResultsLogReport& report = reportOut ? *reportOut : local;
  int count = ConvertResultsLog(app, wars, port, &report);
  port.Ask(kWarsResultsTitle, std::to_string(count) + kWarsProcessedSuffix, Buttons::Ok, Icon::None,
           Answer::Ok);
  if (!report.problems.empty()) {
    std::string text = "次の成績発言に問題がありました。";
    for (const std::string& p : report.problems) text += "\n" + p;
    port.Error(title, text);
  }
  return count;
}

}  // namespace tz
