// Odds files of any name and content: the pseudo guide builder and the reload after it must
// never fail.
#include "fuzz_support.h"
#include "pat98/day_loader.h"
#include "pat98/pseudo_guide.h"
#include "session.h"

namespace {

// A file-name character from a byte: digits and letters only.
char NameChar(char c) {
  static const char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabc";
  return kChars[static_cast<unsigned char>(c) % (sizeof kChars - 1)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto folder = tz::fuzz::ScratchFolder();
  auto parts = tz::fuzz::Split(data, size, 5);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const std::string& p = parts[k];
    if (p.size() < 4) continue;
    std::string codes = {NameChar(p[0]), NameChar(p[1]), NameChar(p[2])};
    std::string body = p.substr(3);
    // Odd parts become quinella companions of the file before them.
    tz::fuzz::Put(folder, (k % 2 == 0 ? "ZO-" : "UO-") + codes + ".JRA", body);
  }
  tz::Session s;
  s.app.Pat98Folder = folder;
  s.app.DataFolder = folder;
  tz::fuzz::QuietPort port;
  tz::BuildPseudoGuide(s.race, s.app, port);
  if (s.race.LoadStatus == 0) tz::ReadDayGuides(s.race, s.app, s.folders);
  if (s.race.LoadStatus == 0) tz::BuildOddsFileIndex(s.race, s.app);
  return 0;
}
