// The kavrel executable against hostile input and failed writes: each ends with a clear
// message and the right exit status, and the earlier report and pictures stay as they were.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

namespace fs = std::filesystem;
using testing::RunKavrel;
using testing::RunResult;
using testing::TempFolder;
using testing::TestData;

const std::string Earlier = "an earlier report\r\n";
const std::string EarlierPicture = "<svg>an earlier picture</svg>\n";
// Temperature N, smoothing 1, NS 1, ND 0, Order 0: the small test's measured coefficients.
const std::string KeepMeasured = "N\n1\n1\n0\n0\n";
constexpr std::size_t TenMegabytes = std::size_t{10} << 20;
const char* const Pictures[] = {"KAVREL_COEFFICIENTS.svg", "KAVREL_FORM_FACTOR_RAW.svg",
                                "KAVREL_FORM_FACTOR_SMOOTHED.svg"};

std::string Slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs `command` (a shell text in which $KAVREL names the executable) in `folder` with
// `input` on its standard input. Standard output and error go through pipes, so that a
// limit on the size of the files kavrel writes does not cut what it prints.
RunResult RunWrapped(const fs::path& folder, const std::string& input, const std::string& command) {
  const std::string base = folder.string();
  std::ofstream(base + ".stdin", std::ios::binary) << input;
  std::ofstream(base + ".sh") << "cd '" << base << "' || exit 99\n"
                              << "KAVREL='" << KAVREL_EXECUTABLE << "'\n"
                              << "{ { " << command << " < '" << base << ".stdin'; echo $? > '"
                              << base << ".status'; } 2>&1 1>&3 | cat > '" << base
                              << ".stderr'; } 3>&1 | cat > '" << base << ".stdout'\n";
  RunResult result;
  if (std::system(("sh '" + base + ".sh'").c_str()) == 0) {
    result.status = std::stoi("0" + Slurp(base + ".status"));
  }
  result.out = Slurp(base + ".stdout");
  result.err = Slurp(base + ".stderr");
  for (const char* suffix : {".stdin", ".sh", ".status", ".stdout", ".stderr"}) {
    std::error_code error;
    fs::remove(base + suffix, error);
  }
  return result;
}

// The command that runs kavrel without the power to ignore permissions: as root, with every
// capability dropped (root keeps its user id, and so owns the test folder, but is bound by
// its permission bits like anyone); empty when that cannot be done here.
std::string WithoutPrivileges() {
  if (getuid() != 0) return "\"$KAVREL\" --terminal";
  if (std::system("setpriv --inh-caps=-all --bounding-set=-all true > /dev/null 2>&1") != 0) {
    return {};
  }
  return "setpriv --inh-caps=-all --bounding-set=-all \"$KAVREL\" --terminal";
}

// A folder with the small test, an earlier report and earlier pictures.
void PrepareEarlierRun(const TempFolder& folder) {
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  folder.Write("KAVREL.OUT", Earlier);
  for (const char* picture : Pictures) folder.Write(picture, EarlierPicture);
}

void ExpectEarlierFilesKept(const TempFolder& folder, const std::string& name) {
  EXPECT_EQ(folder.Read("KAVREL.OUT"), Earlier) << name;
  for (const char* picture : Pictures) EXPECT_EQ(folder.Read(picture), EarlierPicture) << name;
  // No temporary file is left behind.
  for (const auto& entry : fs::directory_iterator(folder.Path())) {
    EXPECT_NE(entry.path().filename().string()[0], '.') << name << ": " << entry.path();
  }
}

TEST(BadInput, ReadOnlyFolderKeepsTheEarlierReportAndPictures) {
  const std::string command = WithoutPrivileges();
  if (command.empty()) GTEST_SKIP() << "capabilities cannot be dropped here (setpriv)";
  TempFolder folder;
  PrepareEarlierRun(folder);
  fs::permissions(folder.Path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const RunResult run = RunWrapped(folder.Path(), KeepMeasured, command);
  fs::permissions(folder.Path(), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_NE(run.err.find("kavrel: warning: cannot write the picture KAVREL_COEFFICIENTS.svg in " +
                         folder.Path().string() + "\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("kavrel: cannot write the report KAVREL.OUT in " + folder.Path().string() +
                         ": Permission denied\n"),
            std::string::npos)
      << run.err;
  ExpectEarlierFilesKept(folder, "read-only folder");
}

TEST(BadInput, UnreadableDataFileIsNamed) {
  const std::string command = WithoutPrivileges();
  if (command.empty()) GTEST_SKIP() << "capabilities cannot be dropped here (setpriv)";
  TempFolder folder;
  PrepareEarlierRun(folder);
  fs::permissions(folder.Path() / "KAVREL_BAS.DAT", fs::perms::none);
  const RunResult run = RunWrapped(folder.Path(), KeepMeasured, command);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "kavrel: KAVREL_BAS.DAT: cannot open the data file (permission denied)\n");
  ExpectEarlierFilesKept(folder, "unreadable data file");
}

TEST(BadInput, FullDiskKeepsTheEarlierReportAndPictures) {
  // A limit of 0 bytes on every file kavrel writes fails its writes as a full disk would
  // (with "File too large" instead of "No space left on device").
  TempFolder folder;
  PrepareEarlierRun(folder);
  const RunResult run = RunWrapped(folder.Path(), KeepMeasured,
                                   "(trap '' XFSZ; ulimit -f 0; exec \"$KAVREL\" --terminal)");
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_NE(run.err.find("kavrel: cannot write the report KAVREL.OUT in " + folder.Path().string() +
                         ": File too large\n"),
            std::string::npos)
      << run.err;
  ExpectEarlierFilesKept(folder, "full disk");
}

TEST(BadInput, APictureThatCannotBeReplacedAfterTheReportIsWritten) {
  // A folder in the way of a picture: the report is written, the picture is not.
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  fs::create_directories(folder.Path() / "KAVREL_COEFFICIENTS.svg" / "inside");
  const RunResult run = RunKavrel(folder.Path(), KeepMeasured);
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("kavrel: the report was written, but the picture "
                         "KAVREL_COEFFICIENTS.svg could not be written in " +
                         folder.Path().string() + "\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected.OUT"));
  EXPECT_TRUE(fs::is_directory(folder.Path() / "KAVREL_COEFFICIENTS.svg" / "inside"));
}

std::string SmallWith(const std::string& runs) {
  return "t\n\n\n\n\n\n\n\nh\n" + runs + "0 0\n\n\n4 5\nT\n15\n";
}

TEST(BadInput, HostileDataFilesEndWithTheirLineNamed) {
  std::string binary;
  for (int line = 0; line < 20; ++line) {
    for (int byte = 0; byte < 256; ++byte) {
      if (byte != '\n' && byte != '\r') binary += static_cast<char>(byte);
    }
    binary += '\n';
  }
  const std::string tenMegabytes(TenMegabytes, '1');
  const struct {
    const char* name;
    std::string data;
    std::string message;
  } cases[] = {
      {"binary, NUL bytes", binary, "kavrel: KAVREL_BAS.DAT:10: \"?????????\" is not a number\n"},
      {"a 10 MB number line", SmallWith(tenMegabytes + " 1\n"),
       "kavrel: KAVREL_BAS.DAT:10: the line is too long for a number line (more than 1000 "
       "characters)\n"},
      {"overflowing coefficient", SmallWith("1e303 0.001\n"),
       "kavrel: KAVREL_BAS.DAT:10: the total resistance coefficient Ctm of the run on this line "
       "is not a finite number; its numbers are out of any sensible range\n"},
      {"infinity", SmallWith("1 inf\n"), "kavrel: KAVREL_BAS.DAT:10: \"inf\" is not a number\n"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", c.data);
    folder.Write("KAVREL.OUT", Earlier);
    const RunResult run = RunKavrel(folder.Path(), KeepMeasured);
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_EQ(run.err, c.message) << c.name;
    EXPECT_EQ(folder.Read("KAVREL.OUT"), Earlier) << c.name;
  }

  TempFolder folder;
  fs::create_directory(folder.Path() / "KAVREL_BAS.DAT");
  const RunResult run = RunKavrel(folder.Path(), KeepMeasured);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "kavrel: KAVREL_BAS.DAT: cannot read the data file: it is a folder\n");
}

TEST(BadInput, ATenMegabyteHeadingLineIsSkippedLikeAnyOther) {
  TempFolder folder;
  std::string data = TestData("small_KAVREL_BAS.DAT");
  data.insert(0, std::string(TenMegabytes, 'x'));
  folder.Write("KAVREL_BAS.DAT", data);
  const RunResult run = RunKavrel(folder.Path(), KeepMeasured);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected.OUT"));
}

TEST(BadInput, AnswersThatAreNoNumbersAreAskedAgain) {
  // A 10 MB answer line is cut to 1000 characters and marked, so it is never a number.
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  const std::string huge(TenMegabytes, '1');
  const RunResult run = RunKavrel(folder.Path(), "N\n" + huge + "\nnan\ninf\n1e999\n1\n1\n0\n0\n");
  EXPECT_EQ(run.status, 0) << run.err.substr(0, 200);
  const std::string refusal =
      "\" is not a number. Please type a number with the point \".\" as "
      "decimal separator.\n";
  EXPECT_EQ(run.err, "The answer \"" + std::string(1000, '1') + "..." + refusal +
                         "The answer \"nan" + refusal + "The answer \"inf" + refusal +
                         "The answer \"1e999" + refusal);
  EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected.OUT"));
}

}  // namespace
}  // namespace kavrel
