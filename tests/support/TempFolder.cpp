// Temporary folders and running the kavrel executable in them.
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kavrel::test {

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "kavrel-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  // A test may have made the folder read-only.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(path_, error);
}

void TempFolder::Write(const std::string& name, const std::string& content) const {
  std::ofstream file(path_ / name, std::ios::binary);
  file << content;
}

std::string TempFolder::Read(const std::string& name) const {
  return Slurp(path_ / name);
}

bool TempFolder::Exists(const std::string& name) const {
  return fs::exists(path_ / name);
}

RunResult RunKavrel(const fs::path& folder, const std::string& input, const std::string& command) {
  // Beside the folder, not in it: a test may make the folder read-only.
  const std::string at = folder.string();
  std::ofstream(at + ".stdin", std::ios::binary) << input;
  std::string shell = command;
  if (const auto mark = shell.find('@'); mark != std::string::npos)
    shell.replace(mark, 1, "'" KAVREL_EXECUTABLE "'");
  // Standard error goes to the outer pipe through descriptor 3; the status through a file.
  const std::string script = "cd '" + at + "' && { { " + shell + " < '" + at +
                             ".stdin' 2>&3; echo $? > '" + at + ".status'; } | cat > '" + at +
                             ".stdout'; } 3>&1 | cat > '" + at + ".stderr'";
  if (std::system(script.c_str()) != 0) throw std::runtime_error("cannot run " + script);
  RunResult result{std::stoi(Slurp(at + ".status")), Slurp(at + ".stdout"), Slurp(at + ".stderr")};
  std::error_code error;
  for (const char* end : {".stdin", ".status", ".stdout", ".stderr"}) fs::remove(at + end, error);
  return result;
}

std::string TestData(const std::string& name) {
  return Slurp(fs::path(KAVREL_TEST_DATA) / name);
}

}  // namespace kavrel::test
