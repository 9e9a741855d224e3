// Temporary folders and running the kavrel executable in them.
#include "tests/support/TempFolder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kavrel::test {

namespace fs = std::filesystem;

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
  std::ifstream file(path_ / name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool TempFolder::Exists(const std::string& name) const {
  return fs::exists(path_ / name);
}

namespace {
std::string Slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}
}  // namespace

RunResult RunKavrel(const fs::path& folder, const std::string& input,
                    const std::string& arguments) {
  // Beside the folder, not in it: a test may make the folder read-only.
  const fs::path in = folder.string() + ".stdin";
  const fs::path out = folder.string() + ".stdout";
  const fs::path err = folder.string() + ".stderr";
  {
    std::ofstream file(in, std::ios::binary);
    file << input;
  }
  const std::string command = "cd '" + folder.string() + "' && '" KAVREL_EXECUTABLE "' " +
                              arguments + " < '" + in.string() + "' > '" + out.string() + "' 2> '" +
                              err.string() + "'";
  const int raw = std::system(command.c_str());
  RunResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = Slurp(out);
  result.err = Slurp(err);
  std::error_code error;
  fs::remove(in, error);
  fs::remove(out, error);
  fs::remove(err, error);
  return result;
}

std::string TestData(const std::string& name) {
  return Slurp(fs::path(KAVREL_TEST_DATA) / name);
}

}  // namespace kavrel::test
