#include "app/sample_days.h"

#include <gtest/gtest.h>


#include "support/temp_dir.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// An installed tree (usr/bin beside usr/share/tazuna98/samples), a build folder and the
// checkout's samples folder, all under one temporary folder.
struct Trees {
  TempDir root;
  SampleLocations where;
  Trees() {
    for (const char* folder : {"usr/bin", "usr/share/tazuna98/samples", "build/src/ui",
                               "build2/src/ui", "opt/bin", "checkout/samples"}) {
      fs::create_directories(root / folder);
    }
    where = {"../share/tazuna98/samples", root / "build", root / "checkout/samples"};
  }
};

TEST(SampleDays, FindsTheInstalledSamplesOrTheCheckoutsFromTheBuildFolder) {
  Trees t;
  struct Case {
    const char* exeFolder;  // relative to the root; "" for an unknown folder
    const char* expected;   // relative to the root; "" for none
  };
  const Case cases[] = {
      {"usr/bin", "usr/share/tazuna98/samples"},
      {"build/src/ui", "checkout/samples"},
      {"build", "checkout/samples"},
      // A folder whose name only begins like the build folder's is not inside it.
      {"build2/src/ui", ""},
      {"opt/bin", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    fs::path exe = *c.exeFolder ? t.root / c.exeFolder : fs::path();
    fs::path expected = *c.expected ? t.root / c.expected : fs::path();
    EXPECT_EQ(FindSamplesFolder(exe, t.where), expected) << c.exeFolder;
  }

  // The installed samples win over the checkout's even inside the build folder.
  fs::create_directories(t.root / "build/src/share/tazuna98/samples");
  EXPECT_EQ(FindSamplesFolder(t.root / "build/src/ui", t.where),
            t.root / "build/src/share/tazuna98/samples");

  // Without the checkout's samples the build folder finds none.
  fs::remove_all(t.root / "checkout/samples");
  EXPECT_EQ(FindSamplesFolder(t.root / "build/other", t.where), fs::path());
}

TEST(SampleDays, FirstDayIsTheFirstFolderWithABettingGuide) {
  TempDir d;
  d.Write("samples/a-logs/odds-log.txt", "x");          // no guide
  fs::create_directories(d / "samples/b-empty");         // nothing at all
  fs::create_directories(d / "samples/c-dir/UY-A.JRA");  // a folder, not a guide
  d.Write("samples/d-day/uy-a.jra", "20021020");         // any letter case
  d.Write("samples/e-day/UY-A.JRA", "20021021");
  d.Write("samples/UY-A.JRA", "20021022");               // not in a day folder
  EXPECT_EQ(FirstSampleDay(d / "samples"), d / "samples/d-day");
  EXPECT_EQ(FirstSampleDay(d / "samples/a-logs"), fs::path());
  EXPECT_EQ(FirstSampleDay(d / "missing"), fs::path());
  EXPECT_EQ(FirstSampleDay(fs::path()), fs::path());
}

TEST(SampleDays, ExecutableFolderIsThatOfTheRunningTest) {
  fs::path folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(fs::exists(folder / "core_tests"));
}

}  // namespace
}  // namespace tz
