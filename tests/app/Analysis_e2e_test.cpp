// The kavrel executable from the data file to the report: the reports worked out by hand, the
// faults that end a run with a message and leave the earlier report and pictures as they were,
// the command line and the front end chosen without a display.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/TempFolder.h"

namespace kavrel::test {
namespace {

namespace fs = std::filesystem;

const std::string Small = TestData("small_KAVREL_BAS.DAT");
// Smoothing 1, NS 1, ND 0, order 0: the measured coefficients are reported.
const std::string Measured = "1\n1\n0\n0\n";
const char* const Written[] = {"KAVREL.OUT", "KAVREL_COEFFICIENTS.svg",
                               "KAVREL_FORM_FACTOR_RAW.svg", "KAVREL_FORM_FACTOR_SMOOTHED.svg"};

std::string Slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// A data file with these run lines ("Rtm Vm"), particulars ("Sw Lwl") and water temperature.
std::string DataFile(const std::string& runs, const std::string& particulars = "4 5",
                     const std::string& temperature = "15") {
  return "t\n\n\n\n\n\n\n\nh\n" + runs + "0 0\n\n\n" + particulars + "\nT\n" + temperature + "\n";
}

TEST(Executable, WritesTheReportsWorkedOutByHand) {
  // Empty lines take the defaults and CR LF answers lose their CR; only exactly Y or y converts.
  // The new temperature is refused when it is not a number, lies outside the tables or is beyond
  // single precision, and may carry blanks.
  const std::string outside =
      " lies outside the water tables. Please enter a temperature from 0 "
      "to 30 degrees.\n";
  // A lone CR in a heading is text, not a line end, even before numbers. A closed standard
  // output does not stop the analysis, but the status says so. A folder renamed during the
  // dialogue still gets its report.
  std::string crHeading = Small;
  crHeading.insert(crHeading.find("Rtm Vm") + 6, "\r12.5 3.0");
  const std::string closedOut =
      "kavrel: the report was written, but standard output was closed before the end\nstatus 5\n";
  const std::string renamed =
      "(d=$PWD; { printf 'N\\n1\\n1\\n'; sleep 0.5; mv \"$d\" \"$d.moved\"; printf '0\\n0\\n'; } | "
      "@ --terminal; s=$?; mv \"$d.moved\" \"$d\"; exit $s)";
  const struct {
    std::string input;
    const char* report;
    std::string shown;  // on standard output, % standing for the folder
    std::string err{};  // the whole of standard error
    std::string data = Small;
    std::string command = "@ --terminal";
  } cases[] = {
      {"\r\n\n\n\n\n", "small_expected.OUT", " <2> TORBEN MUNK WAVE RESISTANCE APROACH\n"},
      {" Y\n" + Measured, "small_expected.OUT", "[smoothing type entry]"},
      {"yes\n" + Measured, "small_expected.OUT", "[smoothing type entry]"},
      {"y\r\n20\r\n1\r\n1\r\n0\r\n0\r\n", "small_expected_20C.OUT", "answer (default 15): "},
      {"Y\n31\nabc\n1e300\n 20 \n" + Measured, "small_expected_20C.OUT", "",
       "The temperature 31" + outside +
           "The answer \"abc\" is not a number. Please type a number with the point \".\" as "
           "decimal separator.\nThe temperature 1e300" +
           outside},
      {"N\n" + Measured, "small_expected.OUT",
       " The water temperature during the resistance tests is 15.00 degrees\n", "", crHeading},
      {"N\n" + Measured, "small_expected.OUT", "", closedOut, Small,
       "((sleep 0.3; @ --terminal; echo status $? >&2) | true)"},
      {"", "small_expected.OUT", "The report is written to %.moved/KAVREL.OUT", "", Small, renamed},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", c.data);
    folder.Write("KAVREL.OUT", "an earlier report\r\n");
    const auto run = RunKavrel(folder.Path(), c.input, c.command);
    EXPECT_EQ(run.status, 0) << c.input;
    EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData(c.report)) << c.input;
    std::string shown = c.shown;
    if (const auto at = shown.find('%'); at != std::string::npos)
      shown.replace(at, 1, folder.Path().string());
    EXPECT_NE(run.out.find(shown), std::string::npos) << shown;
    EXPECT_EQ(run.err, c.err);
    for (const char* picture : Written) EXPECT_TRUE(folder.Exists(picture)) << picture;
  }
}

TEST(Executable, FaultsEndWithAMessageAndKeepTheEarlierReportAndPictures) {
  // A limit of 0 bytes on every file kavrel writes fails its writes as a full disk would. As
  // root, kavrel runs with every capability dropped: it keeps its user id, and so owns the
  // folder, but is bound by the permission bits like anyone.
  const std::string setpriv = getuid() == 0 ? "setpriv --inh-caps=-all --bounding-set=-all " : "";
  const bool canDrop = std::system((setpriv + "true > /dev/null 2>&1").c_str()) == 0;
  const std::string unprivileged = canDrop ? setpriv + "@ --terminal" : "";
  std::string binary;  // 20 lines of every byte (the line ends as x), NUL first
  for (int i = 0, b = 0; i < 20 * 257; b = ++i % 257)
    binary += b == 256 ? '\n' : b == '\n' || b == '\r' ? 'x' : static_cast<char>(b);
  const std::string tenMegabytes(std::size_t{10} << 20, '1'), Dat = "KAVREL_BAS.DAT";
  const std::string notFinite =
      " of the run on this line is not a finite number; its numbers are out of any sensible "
      "range\n";
  const std::string converted =
      " of the run on this line is not a finite number after the temperature conversion; its "
      "numbers are out of any sensible range\n";
  // Stopped by SIGTERM while waiting for the last answer, after the previews were written.
  const std::string terminated =
      "(mkfifo answers; exec 4<>answers; printf 'N\\n1\\n1\\n0\\n2\\nY\\n' >&4; "
      "@ --terminal < answers & p=$!; sleep 1; kill -TERM $p; wait $p; s=$?; rm answers; exit $s)";
  const struct {
    std::string data;  // the data file; empty: none; "/": a folder of that name; "|": a named
                       // pipe; "mem": a link to /proc/self/mem, whose reading fails
    std::string says;  // a line of standard error after "kavrel: ", @ standing for the folder
    int status = 1;
    std::string input{};
    std::string command = "@ --terminal";  // empty: skipped, as are the cases after it
    const char* locked = nullptr;  // "": the folder, made read-only; a file, made unreadable
  } cases[] = {
      {"", Dat + ": cannot open the data file (no such file in this folder)\n"},
      {"/", Dat + ": cannot read the data file: it is a folder\n"},
      {"|", Dat + ": cannot read the data file: it is a named pipe (FIFO)\n"},
      {"mem", Dat + ": cannot read the data file: Input/output error\n"},
      {binary, Dat + ":10: \"?????????\" is not a number\n"},
      // A 10 MB heading line is skipped like any other; a 10 MB number line is refused.
      {std::string(10 << 20, 'x') + "\n\n\n\n\n\n\n\nh\n" + tenMegabytes + " 1\n0 0\n",
       Dat + ":10: the line is too long for a number line (more than 1000 characters)\n"},
      {DataFile("1 2\n0.5 0\n"), Dat + ":11: run 2: the speed must be positive, found 0 m/s\n"},
      {DataFile("1 2\n", "-4 5"), Dat + ":14: the wetted surface Sw must be positive, found -4\n"},
      {DataFile("1 2\n", "4 0"),
       Dat + ":14: the water-line length Lwl must be positive, found 0\n"},
      {DataFile("1 2\n", "4 5", "35"),
       Dat + ":16: the water temperature 35 degrees lies outside the water tables (0 to "
             "30 degrees)\n"},
      // Rnm = 0.01 m/s * 0.01 m / 1.13902e-6 m2/s = 87.79477 at 15 degrees.
      {DataFile("1 2\n0.01 0.01\n", "4 0.01"), Dat + ":11: run 2: the Reynolds number 87.7947"},
      // At 15 degrees (Rho 999.0 kg/m3, Nue 1.139e-6 m2/s), with Sw 4 m2:
      //   Rtm 1e303 kg at 0.001 m/s: Ctm = 1e303 * 9.80665 / (0.5 * 999 * 4 * 1e-6) = 4.9e306,
      //     finite, but 1000 * Ctm = 4.9e309 is beyond the largest double (1.8e308);
      //   Rtm 1e306 kg: Ctm itself is 4.9e309;  Vm 1e303 m/s: Rnm = 4.4e309.
      {DataFile("1e303 0.001\n"), Dat + ":10: the total resistance coefficient Ctm" + notFinite},
      {DataFile("1e306 0.001\n"), Dat + ":10: the total resistance coefficient Ctm" + notFinite},
      {DataFile("1 1e303\n"), Dat + ":10: the Reynolds number Rnm" + notFinite},
      // Converted from 30 degrees (Rho 995.6, Nue 0.80091e-6) to 4 (Rho 999.9, Nue 1.56557e-6);
      // Rtm 1.8e307 kg at 1 m/s, Sw 3e305 m2, Lwl 0.00017 m. At 30 degrees Rnm = 212.26,
      // Cfm = 0.075 / (log10 Rnm - 2)^2 = 0.7020, Ctm = Rtm g / (0.5 Rho Sw Vm^2) = 1.1820: all
      // finite, also times 1000 (Rtm g = 1.765e308 too). At 4 degrees Rnm' = 108.59 (above 100,
      // so 4 is accepted), Cfm' = 58.596, Ctm' = Ctm + Cfm' - Cfm = 59.076, and
      // Rtm' = 0.5 Rho' Sw Vm^2 Ctm' / g = 9.0e308, beyond the largest double.
      {DataFile("1.8e307 1\n", "3e305 0.00017", "30"), Dat + ":10: the resistance Rtm" + converted,
       1, "Y\n4\n"},
      {DataFile("1 2\n"), "end of input while waiting for an answer to \"smoothing type entry\"\n",
       1, "N\n"},
      // Failed after the previews were written (the answers through a pipe): the previews go,
      // the earlier pictures stay.
      {Small, "end of input while waiting for an answer to \"calculation ending entry\"\n", 1,
       "N\n1\n1\n0\n2\nY\n", "(cat | @ --terminal)"},
      {Small, "stopped by the user; no report was written\n", 1, "", terminated},
      {Small, "cannot write the report KAVREL.OUT in @: File too large\n", 3, "N\n" + Measured,
       "(trap '' XFSZ; ulimit -f 0; exec @ --terminal)"},
      {Small, "cannot write the report KAVREL.OUT in @: Permission denied\n", 3, "N\n" + Measured,
       unprivileged, ""},
      {Small, Dat + ": cannot open the data file (permission denied)\n", 1, "", unprivileged,
       "KAVREL_BAS.DAT"},
  };
  const std::string earlier = "an earlier report or picture\r\n";
  for (const auto& c : cases) {
    if (c.command.empty()) GTEST_SKIP() << "setpriv cannot drop capabilities here";
    TempFolder folder;
    const fs::path data = folder.Path() / "KAVREL_BAS.DAT";
    if (c.data == "/") fs::create_directory(data);
    ASSERT_TRUE(c.data != "|" || mkfifo(data.c_str(), 0600) == 0);
    if (c.data == "mem") fs::create_symlink("/proc/self/mem", data);
    if (c.data.size() > 3) folder.Write("KAVREL_BAS.DAT", c.data);
    for (const char* name : Written) folder.Write(name, earlier);
    if (c.locked != nullptr) {
      const auto removed = *c.locked != '\0' ? fs::perms::owner_read : fs::perms::owner_write;
      fs::permissions(folder.Path() / c.locked, removed, fs::perm_options::remove);
    }
    const auto run = RunKavrel(folder.Path(), c.input, c.command);
    EXPECT_EQ(run.status, c.status) << c.says;
    std::string says = "kavrel: " + c.says;
    if (const auto at = says.find('@'); at != std::string::npos)
      says.replace(at, 1, folder.Path().string());
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err.substr(0, 500);
    for (const char* name : Written) EXPECT_EQ(folder.Read(name), earlier) << name << c.says;
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), c.data.empty() ? 4 : 5)
        << c.says;
  }
}

TEST(Executable, AFolderInTheWayOfAPictureAndATenMegabyteAnswer) {
  // The answer line is cut to 1000 characters and marked, so it is never a number; the folder
  // in the way of a picture keeps the whole set from being written. Answers through a pipe may come from a person: the previews
  // are written, and the warning on the one that cannot be is given once. Answers read from a
  // file come all at once: no previews are written, and no warning given.
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", Small);
  fs::create_directories(folder.Path() / "KAVREL_COEFFICIENTS.svg" / "inside");
  fs::create_directories(folder.Path() / "KAVREL_COEFFICIENTS.preview.svg" / "inside");
  const std::string tenMegabytes(std::size_t{10} << 20, '1');
  const std::string picture = "the picture KAVREL_COEFFICIENTS.svg ", in = folder.Path().string();
  const std::string refused = "The answer \"" + tenMegabytes.substr(0, 1000) +
                              "...\" is not a number. Please type a number with the point \".\" "
                              "as decimal separator.\n";
  const std::string failed = "kavrel: cannot write " + picture + "in " + in + ": Is a directory\n";
  const std::string warning =
      "kavrel: warning: cannot write the preview KAVREL_COEFFICIENTS.preview.svg in " + in +
      ": Is a directory\n";
  std::string answers = "N\n";
  answers += tenMegabytes;
  answers += "\n";
  answers += Measured;
  for (const auto& [command, expected] :
       {std::pair{"(cat | @ --terminal)", warning}, std::pair{"@ --terminal", std::string()}}) {
    const auto run = RunKavrel(folder.Path(), answers, command);
    EXPECT_EQ(run.status, 3);
    std::string says = refused;
    says += expected;
    says += failed;
    EXPECT_EQ(run.err, says) << command;
    EXPECT_FALSE(folder.Exists("KAVREL.OUT")) << "the set is written whole or not at all";
    EXPECT_TRUE(fs::is_directory(folder.Path() / "KAVREL_COEFFICIENTS.svg" / "inside"));
  }
}

TEST(Executable, CommandLineAndNoDisplay) {
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", Small);
  const auto help = RunKavrel(folder.Path(), "", "@ --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--terminal"), std::string::npos);
  const auto version = RunKavrel(folder.Path(), "", "@ --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.substr(0, 7), "kavrel ");
  const auto wrong = RunKavrel(folder.Path(), "", "@ --colour");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("'--colour'"), std::string::npos);
  EXPECT_EQ(RunKavrel(folder.Path(), "", "@ --terminal --desktop").status, 2);

  // Without a display, and without --terminal, the analysis runs on the terminal; --desktop
  // insists on the windows and fails, saying why.
  const std::pair<const char*, const char*> displays[] = {
      {"env -u DISPLAY @", "no X display: DISPLAY is not set"},
      {"DISPLAY=:97 @", "cannot open the X display \":97\""}};  // no server there
  for (const auto& [command, whyNot] : displays) {
    fs::remove(folder.Path() / "KAVREL.OUT");
    const auto automatic = RunKavrel(folder.Path(), "N\n" + Measured, command);
    EXPECT_EQ(automatic.status, 0) << command << automatic.err;
    EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected.OUT")) << command;
    const auto desktop = RunKavrel(folder.Path(), "", std::string(command) + " --desktop");
#if defined(KAVREL_HAVE_DESKTOP)
    EXPECT_EQ(desktop.err,
              std::string("kavrel: --desktop: no display can be opened: ") + whyNot + "\n");
#endif
    EXPECT_EQ(desktop.status, 2) << command;
  }
}

// The program copied alone into a folder has no desktop module beside it (nor in ../lib/kavrel):
// --desktop fails with status 2 and says what is missing; the automatic choice says so in one
// line and runs in the terminal. A file that is no module is refused the same way.
TEST(Executable, WithoutItsDesktopModule) {
  TempFolder folder, bin;
  folder.Write("KAVREL_BAS.DAT", Small);
  fs::copy_file(KAVREL_EXECUTABLE, bin.Path() / "kavrel");
  const std::string alone = "DISPLAY=:97 '" + (bin.Path() / "kavrel").string() + "'";
  const std::string missing = "the desktop front end kavrel-desktop.so is not installed (neither " +
                              (bin.Path() / "kavrel-desktop.so").string() + " nor " +
                              (bin.Path().parent_path() / "lib/kavrel/kavrel-desktop.so").string() +
                              " exists)";
  auto run = RunKavrel(folder.Path(), "", alone + " --desktop");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "kavrel: --desktop: " + missing + "\n");
  run = RunKavrel(folder.Path(), "N\n" + Measured, alone);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "kavrel: " + missing + "; the analysis runs in the terminal\n");
  EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected.OUT"));

  bin.Write("kavrel-desktop.so", "not a module\n");
  run = RunKavrel(folder.Path(), "", alone + " --desktop");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.find("kavrel: --desktop: cannot load the desktop front end " +
                         (bin.Path() / "kavrel-desktop.so").string() + ": "),
            0U)
      << run.err;
}

TEST(Executable, AnalysesTheFolderGivenOnTheCommandLine) {
  // Started from another folder, with a relative path holding a blank: every file goes to the
  // folder given, and the closing line names the report there.
  TempFolder elsewhere;
  const fs::path test = elsewhere.Path() / "tank 7";
  fs::create_directory(test);
  std::ofstream(test / "KAVREL_BAS.DAT", std::ios::binary) << Small;
  const auto run = RunKavrel(elsewhere.Path(), "N\n" + Measured, "@ --terminal 'tank 7'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Slurp(test / "KAVREL.OUT"), TestData("small_expected.OUT"));
  for (const char* picture : Written) EXPECT_TRUE(fs::exists(test / picture)) << picture;
  EXPECT_NE(run.out.find("The report is written to " + (test / "KAVREL.OUT").string() + "\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere.Path()), {}), 1);

  // A folder that is not there, a file in place of a folder, two folders: a wrong command line,
  // and nothing written anywhere.
  elsewhere.Write("KAVREL_BAS.DAT", Small);
  const std::pair<const char*, const char*> wrong[] = {
      {"@ --terminal missing", "kavrel: the folder 'missing' does not exist\n"},
      {"@ KAVREL_BAS.DAT --terminal", "kavrel: 'KAVREL_BAS.DAT' is not a folder\n"},
      {"@ . 'tank 7'", "kavrel: a second folder 'tank 7' after '.': kavrel analyses one FOLDER\n"}};
  for (const auto& [command, says] : wrong) {
    const auto refused = RunKavrel(elsewhere.Path(), "N\n" + Measured, command);
    EXPECT_EQ(refused.status, 2) << command;
    EXPECT_EQ(refused.err.substr(0, refused.err.find('\n') + 1), says);
    EXPECT_FALSE(elsewhere.Exists("KAVREL.OUT")) << command;
  }
  // The data file, the report, its table, three pictures and the report page.
  EXPECT_EQ(std::distance(fs::directory_iterator(test), {}), 7);
}

}  // namespace
}  // namespace kavrel::test
