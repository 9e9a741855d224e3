// kavrel as installed: the manual page agrees with --help, an install staged with DESTDIR runs
// and analyses, and the Debian packages hold what they should and depend on what they should.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/TempFolder.h"

namespace kavrel::test {
namespace {

namespace fs = std::filesystem;

const std::string Source = KAVREL_SOURCE_DIR, Build = KAVREL_BUILD_DIR;

// Every line of `text` that matches `pattern`, as its first group.
std::set<std::string> Matches(const std::string& text, const std::string& pattern) {
  std::set<std::string> found;
  const std::regex line(pattern);
  std::istringstream lines(text);
  for (std::string l; std::getline(lines, l);) {
    if (std::smatch m; std::regex_match(l, m, line)) found.insert(m[1]);
  }
  return found;
}

TEST(ManPage, RendersWithoutWarningsAndListsTheOptionsOfHelp) {
  TempFolder folder;
  const std::string manual = Source + "/doc/kavrel.1";
  const auto render = RunKavrel(folder.Path(), "", "groff -man -ww -z '" + manual + "'");
  EXPECT_EQ(render.status, 0);
  EXPECT_EQ(render.err, "");

  // --help lists each option at the start of an indented line; the manual page under OPTIONS
  // as the tag of a .TP paragraph, in roff's escaped hyphens.
  const auto help = RunKavrel(folder.Path(), "", "@ --help");
  const std::set<std::string> helpOptions = Matches(help.out, R"(  (--[a-z]+|[A-Z]+) .*)");
  std::ostringstream text;
  text << std::ifstream(manual).rdbuf();
  const std::string page = text.str();
  const auto options = page.find("\n.SH OPTIONS\n"), end = page.find("\n.SH ", options + 1);
  ASSERT_NE(options, std::string::npos);
  std::string section = page.substr(options, end - options);
  section = std::regex_replace(section, std::regex(R"(\\-)"), "-");
  const std::set<std::string> pageOptions =
      Matches(std::regex_replace(section, std::regex("\\.TP\n"), ".TP "),
              R"(\.TP \.[BI] (--[a-z]+|[A-Z]+)( .*)?)");
  EXPECT_EQ(pageOptions, (std::set<std::string>{"--answers", "--desktop", "--help", "--output",
                                                "--summary", "--terminal", "--version", "FOLDER"}));
  EXPECT_EQ(helpOptions, pageOptions);
}

TEST(Install, AStagedInstallRunsAndAnalyses) {
  TempFolder stage;
  const auto install = RunKavrel(
      stage.Path(), "", "DESTDIR=\"$PWD\" cmake --install '" + Build + "' --prefix /usr/local");
  ASSERT_EQ(install.status, 0) << install.err;
  const fs::path usr = stage.Path() / "usr/local";
  for (const char* file : {"bin/kavrel", "share/man/man1/kavrel.1.gz", "share/doc/kavrel/README.md",
                           "share/doc/kavrel/LICENSE", "share/doc/kavrel/examples/KAVREL_BAS.DAT",
                           "share/doc/kavrel/examples/KAVREL_SHIP.DAT",
                           "share/doc/kavrel/examples/KAVREL_ANSWERS.txt"}) {
    EXPECT_TRUE(fs::is_regular_file(usr / file)) << file;
  }
  const std::string kavrel = (usr / "bin/kavrel").string();
  EXPECT_EQ(RunKavrel(stage.Path(), "", kavrel + " --version").out,
            std::string("kavrel ") + KAVREL_VERSION + "\n");
  fs::create_directory(stage.Path() / "test");
  stage.Write("test/KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  const auto run = RunKavrel(stage.Path(), "N\n1\n1\n0\n0\n", kavrel + " --terminal test");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(stage.Read("test/KAVREL.OUT"), TestData("small_expected.OUT"));
}

// The value of a field of a package's control file.
std::string Field(const std::string& control, const std::string& name) {
  const std::set<std::string> values = Matches(control, " " + name + ": (.*)");
  return values.empty() ? "" : *values.begin();
}

// The names of the packages a Depends field lists.
std::set<std::string> Names(const std::string& depends) {
  std::set<std::string> names;
  const std::regex name(R"((?:^|, )([a-z0-9.+-]+))");
  for (std::sregex_iterator i(depends.begin(), depends.end(), name), e; i != e; ++i)
    names.insert((*i)[1]);
  return names;
}

TEST(Package, TheDebianPackagesHoldTheirFilesAndDependencies) {
  TempFolder out;
  const auto cpack =
      RunKavrel(out.Path(), "", "cpack --config '" + Build + "/CPackConfig.cmake' -B \"$PWD\"");
  ASSERT_EQ(cpack.status, 0) << cpack.out << cpack.err;
  const std::string version = KAVREL_VERSION;
  const std::string deb = "kavrel_" + version + "_amd64.deb";
  ASSERT_TRUE(out.Exists(deb)) << cpack.out;
  const std::string control = RunKavrel(out.Path(), "", "dpkg-deb --info " + deb).out;
  EXPECT_EQ(Field(control, "Package"), "kavrel");
  EXPECT_EQ(Field(control, "Version"), version);
  EXPECT_EQ(Field(control, "Section"), "science");
  EXPECT_NE(Field(control, "Maintainer").find('@'), std::string::npos);
  EXPECT_NE(control.find(" Description: "), std::string::npos);
  const std::set<std::string> files =
      Matches(RunKavrel(out.Path(), "", "dpkg-deb --contents " + deb).out, R"(.* \./(\S+[^/]))");
  EXPECT_EQ(files,
            (std::set<std::string>{
                "usr/bin/kavrel", "usr/share/man/man1/kavrel.1.gz",
                "usr/share/doc/kavrel/README.md", "usr/share/doc/kavrel/copyright",
                "usr/share/doc/kavrel/changelog.gz", "usr/share/doc/kavrel/examples/KAVREL_BAS.DAT",
                "usr/share/doc/kavrel/examples/KAVREL_SHIP.DAT",
                "usr/share/doc/kavrel/examples/KAVREL_ANSWERS.txt"}));

  // The program needs the C and C++ runtimes only (and the sanitizers' in a sanitised build).
  std::set<std::string> runtimes = {"libc6", "libstdc++6", "libgcc-s1"};
  if (KAVREL_SANITIZED != 0) runtimes.insert({"libasan8", "libubsan1"});
  const std::set<std::string> depends = Names(Field(control, "Depends"));
  EXPECT_TRUE(depends.contains("libc6")) << Field(control, "Depends");
  for (const std::string& name : depends) EXPECT_TRUE(runtimes.contains(name)) << name;

  // The desktop module's package, depending on the program of the same version and on FLTK.
  if (KAVREL_DESKTOP_MODULE[0] == '\0') {
    GTEST_SKIP() << "this tree builds no desktop module (FLTK was not found)";
  }
  const std::string desktop = "kavrel-desktop_" + version + "_amd64.deb";
  ASSERT_TRUE(out.Exists(desktop)) << cpack.out;
  const std::string desktopControl = RunKavrel(out.Path(), "", "dpkg-deb --info " + desktop).out;
  EXPECT_EQ(Field(desktopControl, "Package"), "kavrel-desktop");
  EXPECT_EQ(Field(desktopControl, "Version"), version);
  const std::string desktopDepends = Field(desktopControl, "Depends");
  EXPECT_NE(desktopDepends.find("kavrel (= " + version + ")"), std::string::npos);
  EXPECT_TRUE(Names(desktopDepends).contains("libfltk1.3")) << desktopDepends;
  EXPECT_EQ(Field(desktopControl, "Recommends"), "fonts-liberation");
  EXPECT_EQ(Matches(RunKavrel(out.Path(), "", "dpkg-deb --contents " + desktop).out,
                    R"(.* \./(\S+[^/]))"),
            (std::set<std::string>{"usr/lib/kavrel/kavrel-desktop.so",
                                   "usr/share/doc/kavrel-desktop/copyright",
                                   "usr/share/doc/kavrel-desktop/changelog.gz"}));
}

}  // namespace
}  // namespace kavrel::test
