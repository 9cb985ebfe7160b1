#include "betting/bet_file.h"

#include <cctype>

#include "pat98/day_loader.h"
#include "session.h"
#include "text/files.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace fs = std::filesystem;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Characters 3-8 of the guide date.
std::string DayPrefix(std::string_view guideDate) {
  return guideDate.size() >= 8 ? std::string(guideDate.substr(2, 6)) : std::string(guideDate);
}

}  // namespace

std::string NextBetFileName(const fs::path& folder, std::string_view guideDate) {
  const std::string day = DayPrefix(guideDate);
  int highest = 0;
  for (const std::string& name : text::ListFolder(folder, day + "*.BET")) {
    // Characters 7-8 are the sequence number; other names of the day do not count.
    if (name.size() < 8 || !IsDigit(name[6]) || !IsDigit(name[7])) continue;
    int seq = (name[6] - '0') * 10 + (name[7] - '0');
    if (seq > highest) highest = seq;
  }
  int next = highest + 1;
  if (next > 99) next = 99;  // the last number of the day is written over
  std::string nn{static_cast<char>('0' + next / 10), static_cast<char>('0' + next % 10)};
  return day + nn + ".BET";
}

std::string AsAdvanceSaleRace(std::string_view text, int race) {
  const std::string needle = std::to_string(race) + "R";
  const std::string upper = text::ToUpperAscii(text);
  std::size_t at = upper.find(needle);
  std::string out(text);
  if (at != std::string::npos) out.replace(at, needle.size(), "13R");
  return out;
}

std::string BetFileBytes(std::string_view text) {
  // The text box holds CR LF line ends; a lone CR or LF is written as CR LF too, so that PAT98
  // reads every line.
  return text::EncodeSjis(text::WithCrLf(text) + "\r\n");
}

fs::path WriteBetFile(const BetFileRequest& request, UserPort& port, std::string_view title) {
  if (request.Folder.empty() || !text::FolderExists(request.Folder)) {
    port.Error(title, "BETﾌｧｲﾙ送出ﾌｫﾙﾀﾞが存在しません。\n\n" + request.Folder.string());
    return {};
  }
  if (!IsGuideDate(request.GuideDate)) {
    port.Error(title, std::string(text::kBadFileNameMessage) + "\n\n" + request.GuideDate);
    return {};
  }
  const std::string body =
      request.AdvanceSale ? AsAdvanceSaleRace(request.Text, request.Race) : request.Text;
  const std::string bytes = BetFileBytes(body);
  // Another program (or window) may write the same next number at the same moment: the name
  // is claimed only while free, and a taken one sends us to the number after it. Only "99" is
  // written over, keeping the letter case of the file there.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = NextBetFileName(request.Folder, request.GuideDate);
    const fs::path target = text::ResolveName(request.Folder, name);
    std::string error;
    if (name.compare(6, 2, "99") == 0) {
      error = text::WriteFileAtomic(target, bytes);
    } else {
      const text::NewFileOutcome out = text::WriteFileNew(target, bytes);
      // A file another writer just gave that name: the listing finds the number after it. A
      // folder or other entry in the way is not counted by the listing and is an error.
      if (out.result == text::NewFileResult::Exists && text::FileExists(target)) continue;
      error = out.result == text::NewFileResult::Exists ? "an entry of that name is in the way"
                                                        : out.error;
    }
    if (!error.empty()) {
      port.Error(title, "BETﾌｧｲﾙを書き込めませんでした。\n\n" + target.string() + "\n\n" + error);
      return {};
    }
    return target;
  }
  port.Error(title, "BETﾌｧｲﾙを書き込めませんでした。\n\n" + request.Folder.string());
  return {};
}

fs::path WriteBetFile(Session& s, UserPort& port) {
  BetFileRequest request;
  request.Folder = s.app.BetFolder;
  request.GuideDate = s.betWindow.GuideDate;
  request.Race = s.betWindow.Race;
  request.AdvanceSale = s.betWindow.AdvanceSale;
  request.Text = s.betWindow.Text;
  fs::path written = WriteBetFile(request, port, s.app.AppTitle);
  if (!written.empty()) s.betWindow.LastBetFile = written.filename().string();
  return written;
}

}  // namespace tz
