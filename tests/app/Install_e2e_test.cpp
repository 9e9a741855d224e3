// kavrel as installed: the manual page agrees with --help, and an install staged with DESTDIR
// runs and analyses.
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
              R"(\.TP \.[BI] (--[a-z]+|[A-Z]+))");
  EXPECT_EQ(pageOptions, (std::set<std::string>{"--desktop", "--help", "--terminal", "--version",
                                                "FOLDER"}));
  EXPECT_EQ(helpOptions, pageOptions);
}

TEST(Install, AStagedInstallRunsAndAnalyses) {
  TempFolder stage;
  const auto install = RunKavrel(
      stage.Path(), "", "DESTDIR=\"$PWD\" cmake --install '" + Build + "' --prefix /usr/local");
  ASSERT_EQ(install.status, 0) << install.err;
  const fs::path usr = stage.Path() / "usr/local";
  for (const char* file : {"bin/kavrel", "share/man/man1/kavrel.1", "share/doc/kavrel/README.md",
                           "share/doc/kavrel/examples/KAVREL_BAS.DAT",
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

}  // namespace
}  // namespace kavrel::test
