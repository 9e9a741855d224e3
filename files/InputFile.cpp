// Opening a regular file without blocking and reading it through a file descriptor.
#include "files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/Faults.h"

namespace kavrel {

namespace {

// What the file is, when it is not a regular file.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

}  // namespace

InputFile::InputFile(const Folder& folder, const std::string& name, const std::string& kind)
    // Non-blocking, so that opening a named pipe returns at once; a regular file ignores it.
    : fd_(::openat(folder.Descriptor(), name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)),
      stream_(nullptr) {
  if (fd_ < 0) {
    const int error = errno;
    // A socket cannot be opened at all (ENXIO): say what it is, as for the other kinds.
    struct stat status {};
    if (error == ENXIO && ::fstatat(folder.Descriptor(), name.c_str(), &status, 0) == 0 &&
        S_ISSOCK(status.st_mode)) {
      throw InputFault(name + ": cannot read the " + kind + ": it is a socket");
    }
    const std::string why = error == ENOENT   ? "no such file in this folder"
                            : error == EACCES ? "permission denied"
                            : error == ELOOP  ? "a symbolic link loop"
                                              : std::strerror(error);
    throw InputFault(folder.Shown(name) + ": cannot open the " + kind + " (" + why + ")");
  }
  struct stat status {};
  if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
    const std::string what = KindOf(status.st_mode);
    ::close(fd_);
    throw InputFault(folder.Shown(name) + ": cannot read the " + kind + ": it is " + what);
  }
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  buffer_ = std::make_unique<Buffer>(fd_, folder.Shown(name) + ": cannot read the " + kind);
  stream_.rdbuf(buffer_.get());
}

InputFile::~InputFile() {
  ::close(fd_);
}

InputFile::Buffer::int_type InputFile::Buffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  ssize_t got = 0;
  do {
    got = ::read(fd_, data_, sizeof data_);
  } while (got < 0 && errno == EINTR);
  if (got < 0) throw InputFault(what_ + ": " + std::strerror(errno));
  if (got == 0) return traits_type::eof();
  setg(data_, data_, data_ + got);
  return traits_type::to_int_type(*gptr());
}

}  // namespace kavrel
