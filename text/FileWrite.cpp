// Writing a file through a temporary file in the same folder and a rename.
#include "text/FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/StopCleanup.h"

namespace kavrel {

std::optional<std::string> WriteFileAtomically(const std::filesystem::path& path,
                                               std::string_view content, Durability durability) {
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  // A hidden name beside the file; built by appending (GCC 12 gives a false -Wrestrict
  // warning on the chained concatenation in optimised builds).
  std::string hidden = ".";
  hidden += path.filename().string();
  hidden += ".XXXXXX";
  std::string temporary = (folder / hidden).string();
  int fd = -1;
  int listed = -1;
  {
    // Made and listed for removal on a stop, with no stop between the two.
    const StopSignalsBlocked blocked;
    fd = mkstemp(temporary.data());
    if (fd >= 0) listed = RemoveOnStop(temporary.c_str());
  }
  if (fd < 0) return std::strerror(errno);
  std::string failure;
  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0 && failure.empty()) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      failure = std::strerror(errno);
    } else {
      data += written;
      left -= static_cast<std::size_t>(written);
    }
  }
  // The file is readable like any file the user makes (mkstemp gives 0600).
  if (failure.empty()) {
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0) failure = std::strerror(errno);
  }
  if (failure.empty() && durability == Durability::Durable && fsync(fd) != 0) {
    failure = std::strerror(errno);
  }
  if (::close(fd) != 0 && failure.empty()) failure = std::strerror(errno);
  if (failure.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
    failure = std::strerror(errno);
  }
  if (!failure.empty()) ::unlink(temporary.c_str());
  ForgetOnStop(listed);
  if (failure.empty()) return std::nullopt;
  return failure;
}

}  // namespace kavrel
