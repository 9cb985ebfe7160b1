// Builds PAT98's voting log from structured values: the index LG-FILE.JRA (one entry per
// transmission: vote-file name and date) and the vote files it names, byte for byte in the
// layout the history reader expects. Used by the tests and the sample-day generator.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tz::fixture {

// One vote as PAT98 logs it.
struct LoggedVote {
  int saleKind = 1;  // 1 sold on the race day, 2 advance sale
  int course = 5;    // racecourse code
  int race = 11;     // race number
  int kind = 4;      // bet kind 1..5
  int first = 0;     // first number (0 for win and place)
  int second = 0;    // second number (the horse for win and place)
  int units = 1;     // stake in units of 100 yen
  int state = 1;     // 1 = accepted
};

// One transmission: a vote file and its index entry.
struct VoteFileRecord {
  std::string name = "00001";    // five characters; the file is name + ".JRA"
  std::string date = "20021020"; // yyyymmdd of the votes
  std::vector<LoggedVote> votes;
  bool empty = false;            // the file says it holds no votes ("0000")
};

// The 19 characters of a vote in a vote file (`seq` fills the three leading characters).
std::string VoteText(const LoggedVote& v, int seq = 1);
// The index: 16 header bytes, the entry count in three digits, 4 bytes, then 100 entry slots
// of 26 bytes (name, 3 bytes, yyyymmdd, 10 bytes), CR LF (2625 bytes).
std::string VotingLogIndexBytes(const std::vector<VoteFileRecord>& files);
// A vote file: 12 header bytes, "0000" or the vote count in four digits, 4 bytes, then the
// vote section: the count in two digits and 19 characters per vote, padded to 1004 bytes.
std::string VoteFileBytes(const VoteFileRecord& f);
// Writes LG-FILE.JRA and every vote file into `folder`. Returns an error text, empty on success.
std::string WriteVotingLog(const std::filesystem::path& folder, const std::vector<VoteFileRecord>& files);

}  // namespace tz::fixture
