#include "jrdb/jrdb_records.h"

#include <fmt/format.h>

#include <cctype>

#include "pat98/file_names.h"
#include "pat98/race_model.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz::jrdb {

namespace {

bool AllBlank(std::string_view s) {
  for (char c : s) {
    if (c != ' ') return false;
  }
  return true;
}

std::string TwoDigits(int v) { return fmt::format("{:02d}", v); }

char KeyChar(int v) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(FileCodeChar(v))));
}

}  // namespace

std::string ProblemText(const Problem& p) {
  if (p.file.empty()) return p.what;
  if (p.line <= 0) return fmt::format("{}: {}", p.file, p.what);
  return fmt::format("{} {}行目: {}", p.file, p.line, p.what);
}

std::vector<Line> SplitRecords(std::string_view bytes) {
  std::vector<Line> out;
  std::size_t at = 0;
  int number = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    // A lone control byte such as the end-of-file mark 0x1A is no record either.
    if (!AllBlank(line) && !(line.size() == 1 && line[0] == '\x1a')) {
      out.push_back({number, std::string(line)});
    }
    at = end + 1;
  }
  return out;
}

std::string RaceKey::MeetingText() const {
  return TwoDigits(course) + TwoDigits(year) + KeyChar(kai) + KeyChar(day);
}

std::string RaceKey::Text() const { return MeetingText() + TwoDigits(race); }

std::optional<RaceKey> ParseRaceKey(std::string_view record, bool withRace, std::string* why) {
  auto fail = [&](std::string w) -> std::optional<RaceKey> {
    if (why) *why = std::move(w);
    return std::nullopt;
  };
  const std::size_t size = withRace ? 8 : 6;
  if (record.size() < size) return fail("レースキーがありません");
  RaceKey k;
  auto course = IntField(record, 0, 2);
  auto year = IntField(record, 2, 2);
  k.kai = CodeCharValue(record[4]);
  k.day = CodeCharValue(record[5]);
  if (!course || !year || record[0] == ' ' || record[2] == ' ' || k.kai == 0 || k.day == 0) {
    return fail(fmt::format("レースキー「{}」が読めません", text::DecodeSjis(record.substr(0, size))));
  }
  k.course = *course;
  k.year = *year;
  if (k.course < 1 || k.course > kMaxCourses) {
    return fail(fmt::format("場コード「{}」はJRAの競馬場ではありません", record.substr(0, 2)));
  }
  if (withRace) {
    auto race = IntField(record, 6, 2);
    if (!race || *race < 1 || *race > kMaxRaces) {
      return fail(fmt::format("レース番号「{}」が読めません", text::DecodeSjis(record.substr(6, 2))));
    }
    k.race = *race;
  }
  return k;
}

std::string_view Bytes(std::string_view record, std::size_t offset, std::size_t width) {
  if (offset >= record.size()) return {};
  return record.substr(offset, width);
}

std::string TextField(std::string_view record, std::size_t offset, std::size_t width) {
  return text::Trim(text::DecodeSjis(Bytes(record, offset, width)));
}

std::optional<int> IntField(std::string_view record, std::size_t offset, std::size_t width,
                            bool* blank, bool signedField) {
  std::string_view f = Bytes(record, offset, width);
  std::size_t b = f.find_first_not_of(' ');
  if (blank) *blank = b == std::string_view::npos;
  if (b == std::string_view::npos) return 0;
  std::size_t e = f.find_last_not_of(' ');
  std::string_view digits = f.substr(b, e - b + 1);
  bool negative = false;
  if (signedField && !digits.empty() && digits[0] == '-') {
    negative = true;
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  int v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return negative ? -v : v;
}

std::optional<std::string> DecimalField(std::string_view record, std::size_t offset,
                                        std::size_t width) {
  std::string_view f = Bytes(record, offset, width);
  std::size_t b = f.find_first_not_of(' ');
  if (b == std::string_view::npos) return std::string();
  std::size_t e = f.find_last_not_of(' ');
  std::string_view v = f.substr(b, e - b + 1);
  int points = 0, digits = 0;
  for (char c : v) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      return std::nullopt;
    }
  }
  if (points > 1 || digits == 0) return std::nullopt;
  return std::string(v);
}

RecordReader::RecordReader(std::string fileName, std::string_view bytes,
                           std::vector<Problem>& problems)
    : file_(std::move(fileName)), lines_(SplitRecords(bytes)), problems_(problems) {}

void RecordReader::Fail(const Line& line, std::string what) {
  problems_.push_back({file_, line.number, std::move(what)});
}

std::optional<RaceKey> RecordReader::Key(const Line& line, std::size_t minBytes, bool withRace) {
  if (line.bytes.size() < minBytes) {
    Fail(line, fmt::format("レコードが短すぎます ({}バイト、{}バイト必要)", line.bytes.size(), minBytes));
    return std::nullopt;
  }
  std::string why;
  auto key = ParseRaceKey(line.bytes, withRace, &why);
  if (!key) Fail(line, why);
  return key;
}

std::optional<int> RecordReader::Int(const Line& line, std::size_t offset, std::size_t width,
                                     const char* field) {
  auto v = IntField(line.bytes, offset, width);
  if (!v) {
    Fail(line, fmt::format("{}「{}」が数字ではありません", field,
                           text::DecodeSjis(Bytes(line.bytes, offset, width))));
  }
  return v;
}

int FullYear(int twoDigits) { return twoDigits >= 90 ? 1900 + twoDigits : 2000 + twoDigits; }

}  // namespace tz::jrdb
