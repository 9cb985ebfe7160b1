#include "samples/fhwars/fixture_results_log.h"

#include <fmt/format.h>

#include <algorithm>

#include "pat98/day_loader.h"
#include "samples/pat98/sample_results.h"
#include "text/sjis.h"

namespace tz::fixture {

namespace {

// Puts `bytes` into `line` at 1-based byte position `at`, growing the line with blanks.
void Put(std::string& line, std::size_t at, std::string_view bytes) {
  if (line.size() < at - 1 + bytes.size()) line.resize(at - 1 + bytes.size(), ' ');
  line.replace(at - 1, bytes.size(), bytes);
}

std::string Num2(int v) { return fmt::format("{:>2}", v); }
std::string Pay6(long v) { return fmt::format("{:>6}", v); }
std::string Pair5(int a, int b) { return Num2(a) + "-" + Num2(b); }

const ForumPayout* At(const std::vector<ForumPayout>& v, std::size_t k) {
  return k < v.size() ? &v[k] : nullptr;
}

}  // namespace

std::vector<std::string> ResultsPostingLines(const ForumResultsPosting& p) {
  std::vector<std::string> lines;
  // Header: the race key, forum text up to the second "///", then the race in words and the
  // scratched horses at fixed byte positions.
  std::string key = fmt::format("///{:04d}{:02d}{:02d}{}{:02d}{}{:02d}", p.year, p.month, p.dayOfMonth,
                                p.kai % 10, p.course, p.day % 10, p.race);
  const std::size_t marker = p.withWide ? 24 : 23;
  std::string header = key;
  Put(header, 18, text::FixedSjis(p.headerText, marker - 18));
  Put(header, marker, "///");
  std::string course = RacecourseTableName(p.course);
  const std::size_t slots = p.withWide ? 66 : 65;
  Put(header, marker + 3, text::FixedSjis(fmt::format(" {}{}R 取消:", course, p.race), slots - marker - 3));
  for (std::size_t k = 0; k < 5; ++k) {
    Put(header, slots + 3 * k, k < p.scratched.size() ? Num2(p.scratched[k]) : "  ");
  }
  lines.push_back(header);

  lines.push_back(text::EncodeSjis("  着 馬番 馬名               タイム   --------------------------"));
  std::string info;
  Put(info, 1, text::FixedSjis(fmt::format(" {}年{}月{}日 {}回{}{}日 {}R", p.year, p.month, p.dayOfMonth, p.kai,
                                course, p.day, p.race),
                    47));
  Put(info, 48, text::FixedSjis(p.title, 32));
  lines.push_back(info);
  lines.push_back(text::EncodeSjis("------------------------------------------------------------"));
  lines.push_back(text::EncodeSjis("着順 馬番  馬名              タイム"));
  for (std::size_t k = 0; k < 5; ++k) {
    std::string line;
    if (k < p.finishers.size()) {
      const ForumFinisher& f = p.finishers[k];
      Put(line, 1, !f.placeText.empty() ? text::FixedSjis(f.placeText, 2) : f.place == 0 ? "  " : Num2(f.place));
      Put(line, 7, Num2(f.horse));
      Put(line, 11, text::FixedSjis(f.name, 18));
      Put(line, 33, text::FixedSjis(f.time, 6));
    }
    lines.push_back(line);
  }
  lines.push_back(text::EncodeSjis("払戻金"));
  for (std::size_t k = 0; k < 7; ++k) {
    std::string line;
    const ForumPayout* single = k < 2 ? At(p.win, k) : At(p.place, k - 2);
    if (k == 0 && single) Put(line, 1, text::EncodeSjis("単勝"));
    if (k == 2 && single) Put(line, 1, text::EncodeSjis("複勝"));
    if (single) {
      Put(line, 7, Num2(single->first));
      Put(line, 14, Pay6(single->payout));
    }
    const std::size_t pairAt = p.withWide ? 32 : 48;
    const std::size_t payAt = p.withWide ? 41 : 57;
    const ForumPayout* pair = k < 2 ? At(p.bracket, k) : k < 5 ? At(p.quinella, k - 2) : nullptr;
    if (pair) {
      if (k == 0 || k == 2) Put(line, pairAt - 6, text::EncodeSjis(k == 0 ? "枠連" : "馬連"));
      Put(line, pairAt, Pair5(pair->first, pair->second));
      Put(line, payAt, Pay6(pair->payout));
    }
    if (p.withWide) {
      if (const ForumPayout* w = At(p.wide, k)) {
        if (k == 0) Put(line, 53, text::EncodeSjis("ワイド"));
        Put(line, 61, Pair5(w->first, w->second));
        Put(line, 70, Pay6(w->payout));
      }
    }
    lines.push_back(line);
  }
  return lines;
}

std::string JoinLogLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

std::string ResultsLogBytes(const std::vector<ForumResultsPosting>& postings) {
  std::vector<std::string> lines;
  int number = 1201;
  for (const ForumResultsPosting& p : postings) {
    lines.push_back(text::EncodeSjis(fmt::format("#{:05d}/{:05d} FHWARS  成績速報 {}{}R", number, number + 1,
                                                 RacecourseTableName(p.course), p.race)));
    lines.push_back(text::EncodeSjis(fmt::format("({:02d})  {:02d}/{:02d}/{:02d} 16:{:02d}", number % 7,
                                                 p.year % 100, p.month, p.dayOfMonth, p.race * 3 % 60)));
    lines.push_back("");
    for (std::string& l : ResultsPostingLines(p)) lines.push_back(std::move(l));
    lines.push_back("");
    lines.push_back(text::EncodeSjis("                                        ＦＨＷＡＲＳ成績係"));
    lines.push_back("");
    ++number;
  }
  return JoinLogLines(lines);
}

std::vector<ForumResultsPosting> SampleResultsPostings(const SampleDay& day) {
  std::vector<ForumResultsPosting> out;
  for (const SampleRaceResult& res : SampleDayResults(day)) {
    ForumResultsPosting p;
    p.withWide = res.sellsWide;
    p.year = std::stoi(day.date.substr(0, 4));
    p.month = std::stoi(day.date.substr(4, 2));
    p.dayOfMonth = std::stoi(day.date.substr(6, 2));
    p.kai = res.kai;
    p.course = res.course;
    p.day = res.day;
    p.race = res.race;
    p.title = res.title;
    p.scratched = res.scratched;
    for (const ResultFinisher& f : res.finishers) {
      p.finishers.push_back({f.place, "", f.horse, f.name, f.time});
    }
    for (const SinglePayout& w : res.win) p.win.push_back({w.horse, 0, w.payout});
    for (const SinglePayout& w : res.place) p.place.push_back({w.horse, 0, w.payout});
    for (const PairPayout& b : res.bracket) p.bracket.push_back({b.first, b.second, b.payout});
    for (const PairPayout& q : res.quinella) p.quinella.push_back({q.first, q.second, q.payout});
    for (const PairPayout& w : res.wide) p.wide.push_back({w.first, w.second, w.payout});
    out.push_back(std::move(p));
  }
  return out;
}

std::string SampleResultsLogBytes() {
  return ResultsLogBytes(SampleResultsPostings(BuildSampleDay(1, "20021020")));
}

}  // namespace tz::fixture
