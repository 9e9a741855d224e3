// Holding the working folder open as a directory descriptor.
#include "files/Folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "text/Faults.h"

namespace kavrel {

Folder::Folder(const std::filesystem::path& path, std::string shownAs)
    : path_(path),
      shownAs_(std::move(shownAs)),
      fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (fd_ < 0) {
    throw InputFault("cannot open the folder " + path.string() + ": " + std::strerror(errno));
  }
}

std::filesystem::path Folder::CurrentPath() const {
  std::error_code error;
  auto now = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd_), error);
  if (error || now.empty() || !now.is_absolute()) return path_;
  return now;
}

Folder::~Folder() {
  ::close(fd_);
}

}  // namespace kavrel
