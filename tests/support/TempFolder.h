// Temporary folders and a way to run the kavrel executable in one, for end-to-end tests.
#pragma once

#include <filesystem>
#include <string>

namespace kavrel::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  TempFolder(TempFolder&&) = delete;
  TempFolder& operator=(TempFolder&&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  void Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

struct RunResult {
  int status = -1;  // exit status of the process
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs the shell text `command`, in which @ stands for the kavrel executable ("@ --help",
// "DISPLAY=:97 @", "(ulimit -f 0; exec @ --terminal)"; a command without @ runs as it is), in
// `folder` with `input` piped to it.
// What it prints comes back through pipes, which a limit on the size of files cannot cut.
RunResult RunKavrel(const std::filesystem::path& folder, const std::string& input,
                    const std::string& command = "@ --terminal");

// Contents of a data file kept beside the test support.
std::string TestData(const std::string& name);

}  // namespace kavrel::test
