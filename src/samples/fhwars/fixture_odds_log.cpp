#include "samples/fhwars/fixture_odds_log.h"

#include <fmt/format.h>

#include <algorithm>

#include "pat98/odds_reader.h"
#include "samples/pat98/sample_day.h"
#include "text/files.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz::fixture {

namespace {

namespace fs = std::filesystem;

const std::string kSeparator(79, '=');

// One line built at byte positions of its Shift_JIS form.
class Line {
 public:
  explicit Line(std::size_t length) : b_(length, ' ') {}
  // Writes the text at 1-based byte `pos`, cut or padded to `width` bytes (0: as it is).
  Line& Put(std::size_t pos, std::string_view utf8, std::size_t width = 0) {
    std::string bytes = width ? text::FixedSjis(utf8, width) : text::EncodeSjis(utf8);
    if (b_.size() < pos - 1 + bytes.size()) b_.resize(pos - 1 + bytes.size(), ' ');
    b_.replace(pos - 1, bytes.size(), bytes);
    return *this;
  }
  Line& Right(std::size_t pos, std::string_view utf8, std::size_t width) {
    std::size_t n = text::SjisLength(utf8);
    std::string t = n >= width ? std::string(utf8) : std::string(width - n, ' ') + std::string(utf8);
    return Put(pos, t, width);
  }
  std::string Text() const { return text::DecodeSjis(b_); }

 private:
  std::string b_;
};

std::string Int(int v, int width) { return fmt::format("{:>{}d}", v, width); }
std::string Zero(int v) { return fmt::format("{:02d}", v); }

// An odds value in `width` places: one decimal while it fits, else whole; values beyond the
// field are posted as the largest that fits, as PAT98 caps its own fields.
std::string Fit(double v, int width) {
  v = std::min(v, width >= 6 ? 9999.9 : width == 5 ? 999.9 : 999.0);
  std::string t = ForumOdds(v, width);
  return static_cast<int>(t.size()) <= width ? t : fmt::format("{:>{}.0f}", v, width);
}

std::string Cell(const OddsCell& c, int width, const char* scratched) {
  switch (c.kind) {
    case OddsCell::Kind::Number: return Fit(c.value, width);
    case OddsCell::Kind::Scratched: return scratched;
    case OddsCell::Kind::Blank: return std::string(width, ' ');
    case OddsCell::Kind::Raw: return c.raw;
  }
  return {};
}

// The bracket-quinella row cells of row i: value (i, j) at 1 + 5·(j − 1).
void PutBracketRow(Line& l, const ForumOddsPosting& p, int i) {
  for (int j = 1; j <= 8; ++j) {
    const std::string& v = i <= j ? p.bracket[i][j] : p.bracket[j][i];
    l.Right(1 + 5 * (j - 1), v.empty() ? "----" : v, 4);
  }
}

}  // namespace

std::string ForumOdds(double v, int width) { return fmt::format("{:>{}.1f}", v, width); }

ForumOddsPosting MakeForumPosting(int n, const std::string& course, int day, int race) {
  ForumOddsPosting p;
  p.courseName = course;
  p.dayOfMeeting = day;
  p.race = race;
  auto brackets = BracketsForField(n);
  for (int h = 1; h <= n; ++h) {
    ForumHorse horse;
    horse.bracket = h > 1 && brackets[h] == brackets[h - 1] ? 0 : brackets[h];
    horse.number = h;
    horse.win = ForumOdds(1.5 + h, 5);
    horse.placeLow = ForumOdds(1.1 + h / 10.0, 4);
    horse.placeHigh = ForumOdds(1.9 + h / 10.0, 4);
    horse.name = fmt::format("テストホース{}", h);
    horse.jockey = "騎手" + std::string(1, static_cast<char>('A' + h - 1));
    horse.weight = "57.0";
    p.horses.push_back(horse);
  }
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      p.quinella[i][j] = j == i + 1 ? Int(10 * i + j, 6) : ForumOdds(10 * i + j, 6);
      p.wideLow[i][j] = ForumOdds(i + j, 5);
      p.wideHigh[i][j] = ForumOdds(i + j + 1, 5);
    }
  }
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) p.bracket[i][j] = ForumOdds(i + j + 0.5, 4);
  }
  return p;
}

std::string ForumPostingText(const ForumOddsPosting& p) {
  const int n = static_cast<int>(std::min<std::size_t>(p.horses.size(), 18));
  std::vector<std::string> lines;
  lines.push_back(p.messageHeader.empty()
                      ? fmt::format("17/0001  HCB00000  ﾀﾂﾅ          {}{}R ｵｯｽﾞ", p.courseName, p.race)
                      : p.messageHeader);
  lines.push_back(kSeparator);

  // The race line: racecourse 11-14, race 15-21, year 31-34, 回 38-39, 日 43-44, month
  // 50-53, day 57-60, odds time 75-79.
  Line race(79);
  race.Put(1, "【ｵｯｽﾞ】").Put(11, p.courseName, 4).Right(15, Int(p.race, 2), 7).Put(22, "R");
  race.Right(31, Zero(p.year), 4).Put(35, "年").Right(38, Int(p.kai, 2), 2).Put(40, "回");
  race.Right(43, Int(p.dayOfMeeting, 2), 2).Put(45, "日").Right(50, Int(p.month, 2), 4).Put(54, "月");
  race.Right(57, Int(p.dayOfMonth, 2), 4).Put(61, "日").Put(66, "ｵｯｽﾞ時刻");
  race.Put(75, Zero(p.oddsHour)).Put(77, ":").Put(78, Zero(p.oddsMinute));
  lines.push_back(race.Text());

  Line title(79);
  title.Put(11, p.title1, 28);
  lines.push_back(title.Text());

  // "発走" at byte 164 of the posting, so that the first horse line follows 245 bytes on.
  Line post(81);
  post.Put(2, "発走").Put(7, Zero(p.postHour)).Put(9, ":").Put(10, Zero(p.postMinute));
  post.Put(28, p.title2, 28).Put(64, p.track, 4).Put(71, p.distance, 4).Put(75, "m");
  post.Right(78, Int(p.postedHorseCount ? p.postedHorseCount : n, 2), 2).Put(80, "頭");
  lines.push_back(post.Text());
  Line heading(79);
  heading.Put(1, "枠  馬番  単勝   複勝      馬名").Put(66, "騎手").Put(75, "斤量");
  lines.push_back(heading.Text());
  lines.push_back(std::string(80, '-'));

  for (int k = 0; k < n; ++k) {
    const ForumHorse& h = p.horses[k];
    Line l(79);
    if (h.bracket > 0) l.Right(1, Int(h.bracket, 2), 2);
    l.Right(6, Int(h.number, 2), 2).Right(10, h.win, 5).Right(17, h.placeLow, 4).Put(21, "-");
    l.Right(22, h.placeHigh, 4).Put(27, h.name, 18);
    if (h.jockeyChanged) l.Put(65, "H");
    l.Put(66, h.jockey, 8).Put(75, h.weight, 4);
    lines.push_back(l.Text());
  }

  if (p.withQuinella) {
    Line qh(79);
    qh.Put(5, "馬連");
    lines.push_back(qh.Text());
    for (int i = 1; i < n; ++i) {
      Line row(79);
      row.Right(1, Int(i, 2), 2);
      for (int j = i + 1; j <= std::min(n, 12); ++j) {
        std::size_t pos = j <= 6 ? 3 + 6 * (j - 1) : 3 + 6 * (j - 1) + 5;
        row.Right(pos, p.quinella[i][j], 6);
      }
      lines.push_back(row.Text());
    }
    if (n <= 12) {
      lines.push_back(std::string(79, '-'));
      Line bh(40);
      bh.Put(1, "枠連");
      lines.push_back(bh.Text());
    } else {
      lines.push_back("");
      Line h1(79);
      h1.Put(1, "枠連");
      lines.push_back(h1.Text());
      Line h2(78);
      h2.Put(44, "馬連 13-18");
      lines.push_back(h2.Text());
      for (int i = 1; i < n; ++i) {
        Line row(79);
        if (i <= 8) PutBracketRow(row, p, i);
        for (int j = std::max(13, i + 1); j <= n; ++j) row.Right(44 + 6 * (j - 13), p.quinella[i][j], 6);
        lines.push_back(row.Text());
      }
    }
  } else {
    Line bh(n <= 12 ? 39 : 79);
    bh.Put(1, "枠連");
    lines.push_back(bh.Text());
  }
  if (!p.withQuinella || n <= 12) {
    for (int i = 1; i <= std::min(n, 8); ++i) {
      Line row(n <= 12 ? 42 : 79);
      PutBracketRow(row, p, i);
      lines.push_back(row.Text());
    }
  }

  if (p.withQuinella && p.withWide) {
    // Partner groups in the order the entries are read: 5..1, 10..6, 15..11, 17..16.
    const std::vector<std::vector<int>> groups = {
        {5, 4, 3, 2, 1}, {10, 9, 8, 7, 6}, {15, 14, 13, 12, 11}, {17, 16}};
    const char* const headings[] = {"ワイド ０１－０５", "ワイド ０６－１０", "ワイド １１－１５",
                                    "ワイド １６－１７"};
    for (std::size_t g = 0; g < groups.size(); ++g) {
      if (groups[g].back() >= n) break;
      lines.push_back(headings[g]);
      for (int x = 2; x <= n; ++x) {
        std::string l;
        for (int y : groups[g]) {
          if (y >= x) continue;
          fmt::format_to(std::back_inserter(l), "{:>2}:{:>5} {:>5} ", x, p.wideLow[y][x],
                         p.wideHigh[y][x]);
        }
        if (!l.empty()) lines.push_back(text::TrimRight(l));
      }
    }
  }
  lines.push_back(kSeparator);

  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

std::string ForumOddsLogBytes(const std::vector<ForumOddsPosting>& postings) {
  std::string t = "FHWARS 17番会議室 ｵｯｽﾞ発言ﾛｸﾞ\r\n\r\n";
  for (const ForumOddsPosting& p : postings) t += ForumPostingText(p) + "\r\n";
  return text::EncodeSjis(t);
}

std::vector<ForumOddsPosting> ForumPostingsFromSampleDay(const SampleDay& day) {
  std::vector<ForumOddsPosting> out;
  int serial = 0;
  for (const SampleRace& r : day.races) {
    if (r.advanceSale || r.saleCode == 0) continue;
    const OddsHeader& h = r.odds.header;
    ForumOddsPosting p;
    ++serial;
    p.courseName = h.courseName;
    p.race = h.race;
    p.year = h.year % 100;
    p.kai = h.kai;
    p.dayOfMeeting = h.day;
    p.month = std::stoi(h.date.substr(4, 2));
    p.dayOfMonth = std::stoi(h.date.substr(6, 2));
    p.oddsHour = h.hour;
    p.oddsMinute = h.minute;
    if (r.card.postTime.size() == 4) {
      p.postHour = std::stoi(r.card.postTime.substr(0, 2));
      p.postMinute = std::stoi(r.card.postTime.substr(2, 2));
    }
    p.title1 = h.title1;
    p.title2 = h.title2;
    p.track = r.card.track;
    p.distance = r.card.distance;
    p.messageHeader = fmt::format("17/{:04d}  HCB{:05d}  ﾀﾂﾅ          {}{}R ｵｯｽﾞ", serial,
                                  10000 + serial, h.courseName, h.race);
    const int n = h.horseCount;
    int lastBracket = 0;
    for (int k = 1; k <= n; ++k) {
      ForumHorse horse;
      const HorseOdds& o = r.odds.horses[k - 1];
      int bracket = k <= static_cast<int>(r.card.runners.size()) ? r.card.runners[k - 1].bracket
                                                                  : BracketsForField(n)[k];
      horse.bracket = bracket == lastBracket ? 0 : bracket;
      lastBracket = bracket;
      horse.number = k;
      horse.win = Cell(o.win, 5, "-----");
      horse.placeLow = Cell(o.placeLow, 4, "----");
      horse.placeHigh = Cell(o.placeHigh, 4, "----");
      if (k <= static_cast<int>(r.card.runners.size())) {
        const RaceCardEntry& e = r.card.runners[k - 1];
        horse.name = e.name;
        horse.jockey = text::Trim(e.jockey);
        horse.weight = e.weight;
      }
      p.horses.push_back(horse);
    }
    for (int i = 1; i <= 8; ++i) {
      for (int j = i; j <= 8; ++j) {
        const OddsCell& c = r.odds.bracket[i][j];
        p.bracket[i][j] = c.kind == OddsCell::Kind::Number ? Fit(c.value, 4) : "----";
      }
    }
    p.withQuinella = r.quinella.has_value();
    if (r.quinella) {
      p.withWide = r.quinella->withWide;
      for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
          p.quinella[i][j] = Cell(r.quinella->quinella[i][j], 6, " -----");
          p.wideLow[i][j] = Cell(r.quinella->wideLow[i][j], 5, " ----");
          p.wideHigh[i][j] = Cell(r.quinella->wideHigh[i][j], 5, " ----");
        }
      }
    }
    out.push_back(std::move(p));
  }
  return out;
}

std::string WriteForumOddsLog(const fs::path& file, const std::vector<ForumOddsPosting>& postings) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  if (ec) return ec.message();
  return text::WriteFileAtomic(file, ForumOddsLogBytes(postings));
}

}  // namespace tz::fixture
