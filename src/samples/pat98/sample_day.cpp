#include "samples/pat98/sample_day.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <system_error>

#include "pat98/day_loader.h"
#include "pat98/odds_reader.h"
#include "pat98/tote.h"
#include "samples/pat98/sample_results.h"
#include "samples/pat98/sample_votes.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

using fixture::OddsCell;

constexpr double kWinPlaceRate = 0.80;
constexpr double kPairRate = kPairPayoutRate;

// Deterministic draws on top of mt19937 (whose output the standard fixes), so the same seed
// gives the same day with every standard library.
class Draw {
 public:
  explicit Draw(unsigned seed) : rng_(seed) {}
  double Uniform() { return (rng_() >> 5) * (1.0 / 134217728.0); }  // [0, 1)
  int Int(int lo, int hi) { return lo + static_cast<int>(Uniform() * (hi - lo + 1)); }
  bool Chance(double p) { return Uniform() < p; }
  double Normal() {
    double u1 = std::max(Uniform(), 1e-12);
    double u2 = Uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
  }
  template <typename T>
  const T& Pick(const std::vector<T>& v) { return v[static_cast<std::size_t>(Int(0, static_cast<int>(v.size()) - 1))]; }

 private:
  std::mt19937 rng_;
};

struct Probabilities {
  int n = 0;
  std::vector<double> win;                   // 1..n, 0 for scratched horses
  std::vector<double> place;                 // 1..n
  std::vector<std::vector<double>> quinella;  // [i][j], both in the first two
  std::vector<std::vector<double>> wide;      // [i][j], both in the first three
};

// Harville order probabilities from the win probabilities.
Probabilities Harville(const std::vector<double>& win, int places) {
  Probabilities p;
  p.n = static_cast<int>(win.size()) - 1;
  p.win = win;
  p.place.assign(p.n + 1, 0);
  p.quinella.assign(p.n + 1, std::vector<double>(p.n + 1, 0));
  p.wide.assign(p.n + 1, std::vector<double>(p.n + 1, 0));
  for (int a = 1; a <= p.n; ++a) {
    if (win[a] <= 0) continue;
    p.place[a] += win[a];
    for (int b = 1; b <= p.n; ++b) {
      if (b == a || win[b] <= 0) continue;
      double pab = win[a] * win[b] / (1 - win[a]);
      p.quinella[a][b] += pab;
      p.quinella[b][a] += pab;
      p.place[b] += pab;
      if (places == 2) continue;
      for (int c = 1; c <= p.n; ++c) {
        if (c == a || c == b || win[c] <= 0) continue;
        double pabc = pab * win[c] / (1 - win[a] - win[b]);
        p.place[c] += pabc;
        p.wide[a][c] += pabc;
        p.wide[c][a] += pabc;
        p.wide[b][c] += pabc;
        p.wide[c][b] += pabc;
      }
    }
  }
  for (int i = 1; i <= p.n; ++i) {
    for (int j = 1; j <= p.n; ++j) p.wide[i][j] += p.quinella[i][j];
  }
  return p;
}

// Bracket-quinella odds from the probabilities of the horse pairs (pairProb[i][j], i < j), paid
// out at the pair rate: a bracket pair takes the share of its horse pairs in `total`; a pair of
// brackets no two horses make is blank, one whose share is not positive scratched.
void FillBracketOdds(std::array<std::array<OddsCell, 9>, 9>& bracket,
                     const std::array<int, kMaxHorses + 1>& brackets, int n,
                     const std::vector<std::vector<double>>& pairProb, double total) {
  const auto odds = BracketOddsFromPairs(brackets, n, pairProb, total);
  for (int a = 1; a <= 8; ++a) {
    for (int b = a; b <= 8; ++b) {
      if (!odds[a][b]) bracket[a][b] = OddsCell::Blank();
      else if (*odds[a][b] == 0) bracket[a][b] = OddsCell::Scratched();
      else bracket[a][b] = OddsCell::Of(*odds[a][b]);
    }
  }
}

const std::vector<std::string> kSyllables = {
    "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "ス", "セ", "ソ",
    "タ", "チ", "ツ", "テ", "ト", "ナ", "ニ", "ノ", "ハ", "ヒ", "フ", "ホ", "マ", "ミ", "ム",
    "メ", "モ", "ヤ", "ユ", "ヨ", "ラ", "リ", "ル", "レ", "ロ", "ワ", "ン", "ガ", "ギ", "グ",
    "ゴ", "ザ", "ジ", "ズ", "ダ", "デ", "ド", "バ", "ビ", "ブ", "ベ", "ボ", "パ", "ピ", "プ",
    "ー", "ヴ"};
const std::vector<std::string> kJockeys = {"武豊", "岡部", "横山典", "蛯名", "柴田善", "田中勝",
                                           "安藤勝", "河内", "四位", "藤田", "後藤", "松永幹",
                                           "福永", "幸", "池添", "秋山", "勝浦", "北村宏"};

std::string HorseName(Draw& d) {
  std::string name;
  int len = d.Int(3, 9);
  for (int k = 0; k < len; ++k) {
    std::string s = d.Pick(kSyllables);
    if (k == 0 && (s == "ン" || s == "ー")) s = "ア";
    name += s;
  }
  return name;
}

// The jockey field: the name in eight bytes, then five full-width blanks or "（替）　　" for
// a changed jockey.
std::string JockeyField(Draw& d) {
  std::string out = d.Pick(kJockeys);
  std::size_t bytes = text::EncodeSjis(out).size();
  for (; bytes + 2 <= 8; bytes += 2) out += "　";
  for (; bytes < 8; ++bytes) out += " ";
  out += d.Chance(0.08) ? "（替）　　" : "　　　　　";
  return out;
}

struct MeetingPlan {
  int course;
  std::string name;
  int kai;
  int day;
  MeetingWeatherRecord weather;
};

struct RacePlan {
  int runners;
  int saleCode;
  int scratched;
  bool zeroQuote;
};

// Field size and sale code of each race: mostly full fields with quinella and wide, plus the
// cases that need to be seen: small fields, bracket-only sales, a quinella-only race, a race
// that is not on sale, zero quotes and scratched horses in every kind of race.
RacePlan PlanRace(Draw& d, int meeting, int race) {
  RacePlan p{d.Int(10, 18), 31, 0, false};
  if (d.Chance(0.3)) p.scratched = 1;
  if (d.Chance(0.06)) p.scratched = 2;
  switch (meeting * 100 + race) {
    case 101: p = {18, 31, 0, false}; break;
    case 102: p = {16, 31, 1, false}; break;
    case 103: p = {12, 7, 1, false}; break;   // bracket-only sale, representatives
    case 105: p = {6, 7, 0, false}; break;    // bracket-only sale, small field
    case 107: p = {5, 15, 0, false}; break;
    case 109: p = {9, 31, 0, true}; break;
    case 204: p = {8, 7, 1, false}; break;
    case 206: p = {14, 15, 1, false}; break;  // quinella without wide
    case 208: p = {7, 15, 0, false}; break;
    case 211: p = {18, 31, 2, false}; break;
    case 301: p = {9, 7, 0, false}; break;
    case 305: p = {16, 31, 0, true}; break;
    case 312: p = {11, 0, 0, false}; break;   // odds file present, race not on sale
    default: break;
  }
  return p;
}

const std::vector<std::string> kLowerTitles = {"２歳未勝利", "２歳新馬", "３歳以上５００万下",
                                               "３歳以上１０００万下", "障害未勝利"};
const std::vector<std::string> kSpecialNames = {"紅葉", "秋嶺", "白秋", "錦秋", "菊花賞トライアル",
                                                "神無月", "鳴尾", "飛鳥", "鞍馬", "嵐山"};

SampleRace BuildRace(Draw& d, const std::string& date, const MeetingPlan& m, int meeting,
                     int race, int day, bool advance) {
  RacePlan plan = advance ? RacePlan{15, 31, 0, false} : PlanRace(d, meeting, race);
  SampleRace out;
  out.course = m.course;
  out.kai = m.kai;
  out.day = day;
  out.race = race;
  out.saleCode = plan.saleCode;
  out.advanceSale = advance;
  const int n = plan.runners;

  // Win probabilities of the runners; scratched horses get none.
  std::vector<double> strength(n + 1, 0);
  double spread = 0.7 + 0.4 * d.Uniform();
  for (int h = 1; h <= n; ++h) strength[h] = std::exp(spread * d.Normal());
  std::vector<int> scratched;
  while (static_cast<int>(scratched.size()) < plan.scratched) {
    int h = d.Int(1, n);
    if (std::find(scratched.begin(), scratched.end(), h) == scratched.end()) scratched.push_back(h);
  }
  for (int h : scratched) strength[h] = 0;
  double total = 0;
  for (int h = 1; h <= n; ++h) total += strength[h];
  std::vector<double> win(n + 1, 0);
  for (int h = 1; h <= n; ++h) win[h] = strength[h] / total;
  int runners = n - static_cast<int>(scratched.size());
  Probabilities p = Harville(win, runners <= 7 ? 2 : 3);

  // The horse nobody backed: the weakest runner, with a few of its pairs.
  int zeroHorse = 0;
  if (plan.zeroQuote) {
    double low = 2;
    for (int h = 1; h <= n; ++h) {
      if (win[h] > 0 && win[h] < low) {
        low = win[h];
        zeroHorse = h;
      }
    }
  }
  auto isScratched = [&](int h) { return win[h] <= 0; };

  fixture::OddsHeader& hd = out.odds.header;
  hd.date = date;
  hd.courseName = m.name;
  hd.year = std::stoi(date.substr(0, 4));
  hd.kai = m.kai;
  hd.day = day;
  hd.race = race;
  int postMinutes = 10 * 60 + 30 * (race - 1) + (race >= 6 ? 40 : 0);
  if (meeting == 1 && race <= 2 && !advance) {
    hd.timeKind = 1;  // final odds at the post time
    hd.hour = postMinutes / 60;
    hd.minute = postMinutes % 60;
  } else {
    hd.timeKind = 0;
    hd.hour = advance ? 17 : 9;
    hd.minute = advance ? 0 : 30 + meeting * 5;
  }
  if (race == 11) {
    hd.title1 = kSpecialNames[(meeting * 3 + day) % kSpecialNames.size()] + "ステークス";
  } else if (race == 10 || race == 12) {
    hd.title1 = kSpecialNames[(meeting * 5 + race) % kSpecialNames.size()] + "特別";
  } else {
    hd.title1 = d.Pick(kLowerTitles);
  }
  bool turf = d.Chance(0.55);
  int distance = turf ? d.Pick(std::vector<int>{1200, 1400, 1600, 1800, 2000, 2400})
                      : d.Pick(std::vector<int>{1000, 1150, 1200, 1400, 1700, 1800});
  hd.title2 = fmt::format("{}{}ｍ", turf ? "芝" : "ダート", distance);
  hd.horseCount = n;

  for (int h = 1; h <= n; ++h) {
    fixture::HorseOdds o;
    if (isScratched(h)) {
      o = {OddsCell::Scratched(), OddsCell::Scratched(), OddsCell::Scratched()};
    } else if (h == zeroHorse) {
      o = {OddsCell::Of(0), OddsCell::Of(0), OddsCell::Of(0)};
    } else {
      double mid = kWinPlaceRate / p.place[h];
      double lowOdds = std::max(1.0, std::floor(mid * 0.7 * 10) / 10);
      double highOdds = std::max(lowOdds, std::floor(mid * 1.4 * 10) / 10);
      o = {OddsCell::Of(ToteOdds(kWinPlaceRate, win[h])), OddsCell::Of(lowOdds), OddsCell::Of(highOdds)};
    }
    out.odds.horses.push_back(o);
  }

  // Bracket quinella from the quinella probabilities of the horses of each bracket.
  const auto brackets = BracketsForField(n);
  FillBracketOdds(out.odds.bracket, brackets, n, p.quinella, 1.0);

  if (plan.saleCode == 15 || plan.saleCode == 31) {
    fixture::QuinellaFile q;
    q.header = hd;
    q.withWide = plan.saleCode == 31;
    for (int i = 1; i < n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (isScratched(i) || isScratched(j)) {
          q.quinella[i][j] = q.wideLow[i][j] = q.wideHigh[i][j] = OddsCell::Scratched();
          continue;
        }
        if ((i == zeroHorse || j == zeroHorse) && d.Chance(0.5)) {
          q.quinella[i][j] = q.wideLow[i][j] = q.wideHigh[i][j] = OddsCell::Of(0);
          continue;
        }
        q.quinella[i][j] = OddsCell::Of(ToteOdds(kPairRate, p.quinella[i][j]));
        double mid = kPairRate / p.wide[i][j];
        double lowOdds = std::max(1.0, std::floor(mid * 0.8 * 10) / 10);
        q.wideLow[i][j] = OddsCell::Of(lowOdds);
        q.wideHigh[i][j] = OddsCell::Of(std::max(lowOdds, std::floor(mid * 1.3 * 10) / 10));
      }
    }
    out.quinella = q;
  }

  // Race card.
  RaceCardFile& c = out.card;
  c.year = hd.year;
  c.month = std::stoi(date.substr(4, 2));
  c.day = std::stoi(date.substr(6, 2));
  c.courseCode = m.course;
  c.courseName = m.name;
  c.kai = m.kai;
  c.dayOfMeeting = day;
  c.race = race;
  // The advance-sale race has no post time on the day before.
  c.postTime = advance ? "" : fmt::format("{:02d}{:02d}", postMinutes / 60, postMinutes % 60);
  c.track = turf ? "芝" : "ダ";
  c.distance = std::to_string(distance);
  c.title1 = hd.title1;
  c.title2 = hd.title2;
  for (int h = 1; h <= n; ++h) {
    RaceCardEntry e;
    e.bracket = brackets[h];
    e.number = h;
    e.name = HorseName(d);
    e.jockey = JockeyField(d);
    e.markCode = d.Chance(0.15) ? d.Pick(std::vector<int>{10, 20, 30, 40}) : 0;
    e.weight = fmt::format("{:.1f}", 52.0 + d.Int(0, 6) + (d.Chance(0.2) ? 0.5 : 0.0));
    c.runners.push_back(e);
  }

  // JRDB base odds: the same market seen through a slightly different model.
  fixture::JrdbRace& j = out.jrdb;
  j.course = m.course;
  j.year = hd.year;
  j.kai = m.kai;
  j.day = day;
  j.race = race;
  std::vector<double> base(n + 1, 0);
  double baseTotal = 0;
  for (int h = 1; h <= n; ++h) {
    base[h] = win[h] * std::exp(0.15 * d.Normal());
    baseTotal += base[h];
  }
  for (int h = 1; h <= n; ++h) {
    if (isScratched(h)) {
      j.win.push_back(OddsCell::Of(999.9));
      j.place.push_back(OddsCell::Of(999.9));
      continue;
    }
    double pb = base[h] / baseTotal;
    j.win.push_back(OddsCell::Of(ToteOdds(kWinPlaceRate, pb)));
    double placeProb = std::min(0.95, p.place[h] * pb / win[h]);
    j.place.push_back(OddsCell::Of(ToteOdds(kWinPlaceRate, placeProb)));
  }
  for (int a = 1; a < 18; ++a) {
    for (int b = a + 1; b <= 18; ++b) {
      if (a > n || b > n) {
        j.quinella.push_back(OddsCell::Blank());
      } else if (isScratched(a) || isScratched(b)) {
        j.quinella.push_back(OddsCell::Of(999.9));
      } else {
        j.quinella.push_back(OddsCell::Of(ToteOdds(kPairRate, p.quinella[a][b])));
      }
    }
  }
  return out;
}

}  // namespace

SampleDay BuildSampleDay(unsigned seed, const std::string& date) {
  if (date.size() != 8 || date.find_first_not_of("0123456789") != std::string::npos) {
    throw std::invalid_argument("date must be yyyymmdd");
  }
  Draw d(seed);
  SampleDay day;
  day.date = date;
  const std::vector<MeetingPlan> meetings = {
      {5, "東京", 4, 6, {"晴", "良", "良", 1}},
      {8, "京都", 4, 6, {"曇", "良", "稍重", 2}},
      {3, "福島", 3, 6, {"小雨", "稍重", "重", 4}},
  };
  day.meetingGuide.date = date;
  day.meetingGuide.hour = 8;
  day.meetingGuide.minute = 45;
  for (int m = 0; m < 3; ++m) {
    const MeetingPlan& mp = meetings[m];
    day.meetingGuide.meetings.push_back(mp.weather);
    fixture::GuideRecord g;
    g.date = date;
    g.courseCode = mp.course;
    g.year = std::stoi(date.substr(0, 4));
    g.kai = mp.kai;
    g.day = mp.day;
    for (int r = 1; r <= 12; ++r) {
      SampleRace race = BuildRace(d, date, mp, m + 1, r, mp.day, false);
      g.saleCodes[r] = race.saleCode;
      day.races.push_back(std::move(race));
    }
    day.guides.push_back(g);
  }
  // Meeting 1 sells its next day's main race in advance.
  const MeetingPlan& first = meetings[0];
  SampleRace adv = BuildRace(d, date, first, 1, 11, first.day + 1, true);
  fixture::GuideRecord dGuide = day.guides[0];
  dGuide.day = first.day + 1;
  dGuide.saleCodes.fill(0);
  dGuide.saleCodes[11] = adv.saleCode;
  day.advanceGuide = dGuide;
  day.races.push_back(std::move(adv));
  return day;
}

std::string WriteSampleDay(const SampleDay& day, const std::filesystem::path& folder) {
  static const char* const kGuides[] = {"UY-A.JRA", "UY-B.JRA", "UY-C.JRA"};
  auto put = [&](const std::filesystem::path& dir, const std::string& name, const std::string& bytes) {
    return fixture::WriteFixture(dir, name, bytes);
  };
  std::string err;
  for (std::size_t m = 0; m < day.guides.size() && m < 3; ++m) {
    if (!(err = put(folder, kGuides[m], BettingGuideBytes(day.guides[m]))).empty()) return err;
  }
  if (day.advanceGuide) {
    if (!(err = put(folder, "UY-D.JRA", BettingGuideBytes(*day.advanceGuide))).empty()) return err;
  }
  if (!day.meetingGuide.meetings.empty()) {
    if (!(err = put(folder, "KA-ANNAI.JRA", MeetingGuideBytes(day.meetingGuide))).empty()) {
      return err;
    }
  }
  std::vector<fixture::JrdbRace> jrdb;
  for (const SampleRace& r : day.races) {
    std::string oddsName = RaceFileName(kOddsFilePrefix, r.course, r.day, r.race);
    if (!(err = put(folder, oddsName, fixture::OddsFileBytes(r.odds))).empty()) return err;
    if (r.quinella) {
      std::string qName = RaceFileName(kQuinellaFilePrefix, r.course, r.day, r.race);
      if (!(err = put(folder, qName, fixture::QuinellaFileBytes(*r.quinella))).empty()) return err;
    }
    std::string cardName = RaceCardFileName(r.card.courseCode, r.card.dayOfMeeting, r.card.race);
    if (!(err = put(folder, cardName, RaceCardBytes(r.card))).empty()) return err;
    jrdb.push_back(r.jrdb);
  }
  if (!(err = WriteSampleResults(day, folder)).empty()) return err;
  if (!(err = WriteSampleVotes(day, folder)).empty()) return err;
  if (!day.writeJrdb) return {};
  return put(folder / "jrdb", fixture::JrdbFileName(day.date), fixture::JrdbFileBytes(jrdb));
}

}  // namespace tz
