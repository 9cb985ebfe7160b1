#include "samples/pat98/fixture_writer.h"

#include <fmt/format.h>

#include <cctype>
#include <system_error>

#include "text/files.h"
#include "text/sjis.h"

namespace tz::fixture {

namespace {

std::string Z2(int v) { return fmt::format("{:02d}", v % 100 < 0 ? 0 : v % 100); }
std::string S2(int v) { return fmt::format("{:>2d}", v % 100 < 0 ? 0 : v % 100); }

// The course name filled up to its four bytes with full-width blanks (and a blank when odd).
std::string PaddedCourseName(std::string_view name) {
  std::string out(name);
  std::size_t bytes = text::SjisLength(out);
  for (; bytes + 2 <= 4; bytes += 2) out += "　";
  for (; bytes < 4; ++bytes) out += ' ';
  return out;
}

OddsFileHeader Record(const OddsHeader& h) {
  OddsFileHeader r = h;
  r.courseName = PaddedCourseName(h.courseName);
  return r;
}

std::string Field(const OddsCell& c, int width) { return text::EncodeSjis(OddsField(c, width)); }

}  // namespace

GuideRecord::GuideRecord() {
  date = "20020908";
  courseCode = 5;
  year = 2002;
  kai = 1;
  day = 1;
}

MeetingGuideRecord::MeetingGuideRecord() {
  date = "20020908";
  hour = 9;
  minute = 30;
}

OddsHeader::OddsHeader() {
  date = "20020908";
  courseName = "東京";
  year = 2002;
  kai = 1;
  day = 1;
  race = 1;
  timeKind = 0;
  hour = 9;
  minute = 30;
}

std::string OddsField(const OddsCell& c, int width) {
  switch (c.kind) {
    case OddsCell::Kind::Scratched:
      return std::string(width - 4, ' ') + "ﾄﾘｹｼ";
    case OddsCell::Kind::Blank:
      return std::string(width, ' ');
    case OddsCell::Kind::Raw:
      return text::DecodeSjis(text::FixedSjis(c.raw, width));
    case OddsCell::Kind::Number:
      return OddsValueText(c.value, width);
  }
  return std::string(width, ' ');
}

std::string OddsHeaderBytes(const OddsHeader& h) { return OddsHeaderRecord(Record(h)); }

std::string OddsFileBytes(const OddsFile& f) {
  OddsFileRecord r;
  r.header = Record(f.header);
  for (std::size_t k = 0; k < f.horses.size(); ++k) {
    const HorseOdds& o = f.horses[k];
    r.horses.push_back({static_cast<int>(k + 1), OddsField(o.win, 5), OddsField(o.placeLow, 5),
                        OddsField(o.placeHigh, 5)});
  }
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) r.bracket[i][j] = OddsField(f.bracket[i][j], 5);
  }
  return OddsRecordBytes(r);
}

std::string QuinellaFileBytes(const QuinellaFile& f) {
  QuinellaFileRecord r;
  r.header = Record(f.header);
  r.withWide = f.withWide;
  for (int i = 1; i <= 18; ++i) {
    for (int j = i + 1; j <= 18; ++j) {
      r.quinella[i][j] = OddsField(f.quinella[i][j], 6);
      r.wideLow[i][j] = OddsField(f.wideLow[i][j], 5);
      r.wideHigh[i][j] = OddsField(f.wideHigh[i][j], 5);
    }
  }
  return QuinellaRecordBytes(r);
}

std::string JrdbRaceKey(int course, int year, int kai, int day, int race) {
  std::string key = Z2(course) + Z2(year % 100);
  key += static_cast<char>(std::tolower(static_cast<unsigned char>(FileCodeChar(kai))));
  key += static_cast<char>(std::tolower(static_cast<unsigned char>(FileCodeChar(day))));
  key += Z2(race);
  return key;
}

std::string JrdbLine(const JrdbRace& r) {
  std::string line = JrdbRaceKey(r.course, r.year, r.kai, r.day, r.race);
  line += S2(static_cast<int>(r.win.size()));
  auto cells = [&](const std::vector<OddsCell>& v, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) line += i < v.size() ? Field(v[i], 5) : std::string(5, ' ');
  };
  cells(r.win, 18);
  cells(r.place, 18);
  cells(r.quinella, 153);
  return line;
}

std::string JrdbFileBytes(const std::vector<JrdbRace>& races) {
  std::string out;
  for (const JrdbRace& r : races) out += JrdbLine(r) + "\r\n";
  return out;
}

std::string JrdbFileName(std::string_view date) {
  std::string d(date);
  return "OZ" + (d.size() >= 8 ? d.substr(2, 6) : d) + ".TXT";
}

std::string WriteFixture(const std::filesystem::path& folder, std::string_view name,
                         std::string_view bytes) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return ec.message();
  return text::WriteFileAtomic(text::ResolveName(folder, name), bytes);
}

}  // namespace tz::fixture
