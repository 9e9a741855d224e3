// The kavrel executable against hostile input and failed writes: each ends with a clear
// message and the right exit status, and the earlier report and pictures stay as they were.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

namespace fs = std::filesystem;

const std::string Kavrel = "'" KAVREL_EXECUTABLE "' --terminal";
const std::string TenMegabytes(std::size_t{10} << 20, '1');

// Runs the shell text `command` in `folder`, answering N 1 1 0 0 (the measured coefficients).
// What it prints comes back through a pipe, which a limit on the size of files cannot cut.
test::RunResult RunShell(const fs::path& folder, const std::string& command) {
  const std::string shell = "cd '" + folder.string() + "' && printf 'N\\n1\\n1\\n0\\n0\\n' | ";
  FILE* pipe = popen((shell + command + " 2>&1").c_str(), "r");
  test::RunResult result;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.err.append(buffer, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(BadInput, EndsWithAMessageAndKeepsTheEarlierReportAndPictures) {
  // A limit of 0 bytes on every file kavrel writes fails its writes as a full disk would. As
  // root, kavrel runs with every capability dropped: it keeps its user id, and so owns the
  // folder, but is bound by the permission bits like anyone.
  const std::string setpriv = getuid() == 0 ? "setpriv --inh-caps=-all --bounding-set=-all " : "";
  const bool canDrop = std::system((setpriv + "true > /dev/null 2>&1").c_str()) == 0;
  const std::string unprivileged = canDrop ? setpriv + Kavrel : "";
  std::string binary;  // 20 lines of every byte (the line ends as x), NUL first
  for (int i = 0, b = 0; i < 20 * 257; b = ++i % 257)
    binary += b == 256 ? '\n' : b == '\n' || b == '\r' ? 'x' : static_cast<char>(b);
  const std::string small = test::TestData("small_KAVREL_BAS.DAT");
  const struct {
    std::string data;    // the data file; empty: a folder of that name
    const char* locked;  // "": the folder, made read-only; a file, made unreadable
    std::string command;
    int status;
    std::string says;  // a line kavrel prints, @ standing for the folder
  } cases[] = {
      {small, nullptr, "(trap '' XFSZ; ulimit -f 0; exec " + Kavrel + ")", 3,
       "kavrel: cannot write the report KAVREL.OUT in @: File too large"},
      {binary, nullptr, Kavrel, 1, "kavrel: KAVREL_BAS.DAT:10: \"?????????\" is not a number"},
      // A 10 MB heading line is skipped like any other; a 10 MB number line is refused.
      {std::string(10 << 20, 'x') + "\n\n\n\n\n\n\n\nh\n" + TenMegabytes + " 1\n0 0\n", nullptr,
       Kavrel, 1,
       "kavrel: KAVREL_BAS.DAT:10: the line is too long for a number line (more than 1000 "
       "characters)"},
      {"", nullptr, Kavrel, 1, "kavrel: KAVREL_BAS.DAT: cannot read the data file: it is a folder"},
      {small, "", unprivileged, 3,
       "kavrel: cannot write the report KAVREL.OUT in @: Permission denied"},
      {small, "KAVREL_BAS.DAT", unprivileged, 1,
       "kavrel: KAVREL_BAS.DAT: cannot open the data file (permission denied)"},
  };
  const std::string earlier = "an earlier report or picture\r\n";
  for (const auto& c : cases) {
    if (c.command.empty()) GTEST_SKIP() << "setpriv cannot drop capabilities here";
    test::TempFolder folder;
    if (c.data.empty()) fs::create_directory(folder.Path() / "KAVREL_BAS.DAT");
    if (!c.data.empty()) folder.Write("KAVREL_BAS.DAT", c.data);
    const char* const kept[] = {"KAVREL.OUT", "KAVREL_COEFFICIENTS.svg",
                                "KAVREL_FORM_FACTOR_RAW.svg", "KAVREL_FORM_FACTOR_SMOOTHED.svg"};
    for (const char* name : kept) folder.Write(name, earlier);
    if (c.locked != nullptr) {
      const auto removed = *c.locked != '\0' ? fs::perms::owner_read : fs::perms::owner_write;
      fs::permissions(folder.Path() / c.locked, removed, fs::perm_options::remove);
    }
    const auto run = RunShell(folder.Path(), c.command);
    EXPECT_EQ(run.status, c.status) << run.err.substr(0, 500);
    const std::string says = std::regex_replace(c.says, std::regex("@"), folder.Path().string());
    EXPECT_NE(run.err.find(says + "\n"), std::string::npos) << run.err.substr(0, 500);
    for (const char* name : kept) EXPECT_EQ(folder.Read(name), earlier) << name << c.says;
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 5) << c.says;
  }
}

TEST(BadInput, AFolderInTheWayOfAPictureAndATenMegabyteAnswer) {
  // The answer line is cut to 1000 characters and marked, so it is never a number; the report
  // is written, the picture is not.
  test::TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", test::TestData("small_KAVREL_BAS.DAT"));
  fs::create_directories(folder.Path() / "KAVREL_COEFFICIENTS.svg" / "inside");
  const auto run = test::RunKavrel(folder.Path(), "N\n" + TenMegabytes + "\n1\n1\n0\n0\n");
  EXPECT_EQ(run.status, 3);
  const std::string picture = "the picture KAVREL_COEFFICIENTS.svg ", in = folder.Path().string();
  EXPECT_EQ(run.err, "The answer \"" + TenMegabytes.substr(0, 1000) +
                         "...\" is not a number. Please type a number with the point \".\" as "
                         "decimal separator.\nkavrel: the report was written, but " +
                         picture + "could not be written in " + in + "\n");
  EXPECT_EQ(folder.Read("KAVREL.OUT"), test::TestData("small_expected.OUT"));
  EXPECT_TRUE(fs::is_directory(folder.Path() / "KAVREL_COEFFICIENTS.svg" / "inside"));
}

}  // namespace
}  // namespace kavrel
