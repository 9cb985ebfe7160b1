// The .BET file: the confirmed bet list written as the next numbered file of the day into the
// bet folder that PAT98 watches and sends as votes.
//
// Name: yymmdd of the guide date, a two-digit sequence number and ".BET" (03040501.BET is the
// first file of 5 April 2003). Every file of the day counts; a name whose sequence characters
// are not two digits is ignored; the next number is the highest + 1, and only "99" is ever
// written over. Content: the bet list text, CR LF, in Shift_JIS, written atomically.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/user_port.h"

namespace tz {

struct Session;

// The name of the next .BET file of the day `guideDate` (yyyymmdd) in `folder`.
std::string NextBetFileName(const std::filesystem::path& folder, std::string_view guideDate);

// The advance-sale race is addressed as race 13: the first "<race>R" of the text (any letter
// case) becomes "13R".
std::string AsAdvanceSaleRace(std::string_view text, int race);

// The bytes of the file: the text with its line ends as CR LF, then CR LF, in Shift_JIS.
std::string BetFileBytes(std::string_view text);

struct BetFileRequest {
  std::filesystem::path Folder;  // BetFolder
  std::string GuideDate;         // yyyymmdd
  int Race = 0;                  // race number of the list
  bool AdvanceSale = false;      // the advance-sale race is selected
  std::string Text;              // the bet list text as the window holds it
};

// Writes the next .BET file. A missing folder or a failed write is reported through `port`
// (title `title`) and nothing is left under the file's name. Returns the written file's path,
// empty on failure.
std::filesystem::path WriteBetFile(const BetFileRequest& request, UserPort& port,
                                   std::string_view title);

// The same for the bet window of the session: its text, race and guide date, and BetFolder.
std::filesystem::path WriteBetFile(Session& s, UserPort& port);

}  // namespace tz
