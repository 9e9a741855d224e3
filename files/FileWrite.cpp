// Writing a file through a temporary file in the same folder and a rename.
#include "files/FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "files/StopCleanup.h"
#include "text/Faults.h"

namespace kavrel {

namespace {

// Creates a new hidden file ".<name>.XXXXXX" beside `name`, as mkstemp would; its name is
// left in `temporary`. Listed for removal on a stop, with no stop between making and listing.
int CreateTemporary(int folder, const std::string& name, std::string& temporary, int& listed) {
  static constexpr char Letters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on assigning a literal here.
    temporary.assign(1, '.');
    temporary += name;
    temporary += '.';
    for (int i = 0; i < 6; ++i) temporary += Letters[random() % (sizeof Letters - 1)];
    const StopSignalsBlocked blocked;
    const int fd =
        ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      listed = RemoveOnStop(folder, temporary.c_str());
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

std::optional<std::string> WriteAt(int dir, const std::string& name, std::string_view content,
                                   Durability durability) {
  Temporary made;
  auto failure = WriteTemporary(dir, name, content, durability, made);
  if (!failure && ::renameat(dir, made.name.c_str(), dir, name.c_str()) != 0) {
    failure = std::strerror(errno);
    ::unlinkat(dir, made.name.c_str(), 0);
  }
  ForgetOnStop(made.listed);
  return failure;
}

}  // namespace

std::optional<std::string> WriteTemporary(int dir, const std::string& name,
                                          std::string_view content, Durability durability,
                                          Temporary& made) {
  const int fd = CreateTemporary(dir, name, made.name, made.listed);
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
  // The file is readable like any file the user makes (the temporary file has 0600).
  if (failure.empty()) {
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0) failure = std::strerror(errno);
  }
  if (failure.empty() && durability == Durability::Durable && fsync(fd) != 0) {
    failure = std::strerror(errno);
  }
  if (::close(fd) != 0 && failure.empty()) failure = std::strerror(errno);
  if (failure.empty()) return std::nullopt;
  ::unlinkat(dir, made.name.c_str(), 0);
  ForgetOnStop(made.listed);
  made.listed = -1;
  return failure;
}

std::optional<std::string> WriteFileAtomically(const Folder& folder, const std::string& name,
                                               std::string_view content, Durability durability) {
  return WriteAt(folder.Descriptor(), name, content, durability);
}

std::optional<std::string> WriteFileAtomically(const std::filesystem::path& path,
                                               std::string_view content, Durability durability) {
  const std::filesystem::path parent =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const int dir = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return std::strerror(errno);
  auto failure = WriteAt(dir, path.filename().string(), content, durability);
  ::close(dir);
  return failure;
}

std::string WriteFailureText(std::string_view what, std::string_view name, const Folder& folder,
                             std::string_view reason, bool afterReport) {
  std::string text = afterReport ? "the report was written, but " : "cannot write ";
  text += what;
  text += ' ';
  text += name;
  text += afterReport ? " could not be written in " : " in ";
  text += folder.Path().string();
  text += ": ";
  text += reason;
  return text;
}

void WriteOutput(const Folder& folder, const std::string& name, std::string_view content,
                 std::string_view what, bool afterReport) {
  if (const auto failure = WriteFileAtomically(folder, name, content)) {
    throw WriteFault(WriteFailureText(what, name, folder, *failure, afterReport));
  }
}

}  // namespace kavrel
