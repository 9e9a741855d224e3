// A temporary folder for tests that write files, removed with what it holds, and the data
// files kept beside the test support.
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

  const std::filesystem::path& Path() const { return path_; }
  void Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

 private:
  std::filesystem::path path_;
};

// Contents of a data file kept beside the test support.
std::string TestData(const std::string& name);

}  // namespace kavrel::test
