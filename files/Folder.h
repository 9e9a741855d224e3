// The working folder held open: every file is read from and written to the folder the analysis
// started in, even when the folder is renamed or moved while the dialogue runs.
#pragma once

#include <filesystem>
#include <string>

namespace kavrel {

class Folder {
 public:
  // Opens the folder at `path`; throws InputFault, naming it, when it cannot be opened.
  // Messages call a file in it `shownAs` followed by the file's name: "" for the current
  // folder, "tests/a/" for a folder the user named so.
  explicit Folder(const std::filesystem::path& path, std::string shownAs = {});
  ~Folder();
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  Folder(Folder&&) = delete;
  Folder& operator=(Folder&&) = delete;

  // The open folder, for openat and its kin.
  int Descriptor() const { return fd_; }
  // The path it was opened by, for messages.
  const std::filesystem::path& Path() const { return path_; }
  // Where it is now, should it have been renamed or moved meanwhile (as the system tells);
  // the path it was opened by when the system cannot tell.
  std::filesystem::path CurrentPath() const;
  // The file `name` in it, as messages call it.
  std::string Shown(const std::string& name) const { return shownAs_ + name; }

 private:
  std::filesystem::path path_;
  std::string shownAs_;
  int fd_ = -1;
};

}  // namespace kavrel
