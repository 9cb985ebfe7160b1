#include "samples/pat98/fixture_voting_log.h"

#include <fmt/format.h>

#include "samples/pat98/fixture_writer.h"

namespace tz::fixture {

namespace {

std::string Fit(std::string s, std::size_t n) {
  s.resize(n, ' ');
  return s;
}

}  // namespace

std::string VoteText(const LoggedVote& v, int seq) {
  return fmt::format("{:03}{}{:02}{:02}{}{:02}{:02}{:04}{:02}", seq % 1000, v.saleKind % 10,
                     v.course % 100, v.race % 100, v.kind % 10, v.first % 100, v.second % 100,
                     v.units % 10000, v.state % 100);
}

std::string VotingLogIndexBytes(const std::vector<VoteFileRecord>& files) {
  std::string out = Fit("PAT98 VOTE LOG", 16) + fmt::format("{:3}", files.size() % 1000) + "    ";
  for (std::size_t i = 0; i < 100; ++i) {
    if (i < files.size()) {
      out += Fit(files[i].name, 5) + "   " + Fit(files[i].date, 8) + fmt::format("{:04}", i + 1) +
             std::string(6, ' ');
    } else {
      out += std::string(26, ' ');
    }
  }
  return out + "\r\n";
}

std::string VoteFileBytes(const VoteFileRecord& f) {
  std::string out = Fit("PAT98VOTE", 12);
  out += f.empty ? std::string("0000") : fmt::format("{:04}", f.votes.size() % 10000);
  out += "    ";
  std::string section = f.empty ? std::string("00") : fmt::format("{:02}", f.votes.size() % 100);
  if (!f.empty) {
    int seq = 1;
    for (const LoggedVote& v : f.votes) section += VoteText(v, seq++);
  }
  out += section;
  if (out.size() < 1004) out.resize(1004, ' ');
  return out;
}

std::string WriteVotingLog(const std::filesystem::path& folder, const std::vector<VoteFileRecord>& files) {
  std::string err = WriteFixture(folder, "LG-FILE.JRA", VotingLogIndexBytes(files));
  for (const VoteFileRecord& f : files) {
    if (!err.empty()) break;
    err = WriteFixture(folder, f.name + ".JRA", VoteFileBytes(f));
  }
  return err;
}

}  // namespace tz::fixture
