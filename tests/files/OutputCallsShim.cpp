// Preloaded into kavrel by output_set.sh: counts the calls that make, flush, rename or remove
// files, and at call KAVREL_SHIM_AT either sends the process signal KAVREL_SHIM_SIGNAL or
// fails the call with ENOSPC (KAVREL_SHIM_SIGNAL=fail), as a full disk would.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>

namespace {

int calls = 0;

// True when this call is to fail; sends the signal when one is asked for.
bool Hit() {
  const char* at = std::getenv("KAVREL_SHIM_AT");
  if (at == nullptr || ++calls != std::atoi(at)) return false;
  const int signal = std::atoi(std::getenv("KAVREL_SHIM_SIGNAL"));
  if (signal > 0) ::kill(::getpid(), signal);
  return signal == 0;
}

template <typename F>
F Next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {
int openat(int dir, const char* path, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  const auto mode = static_cast<mode_t>(va_arg(rest, int));
  va_end(rest);
  if ((flags & O_CREAT) != 0 && Hit()) return errno = ENOSPC, -1;
  return Next<int (*)(int, const char*, int, ...)>("openat")(dir, path, flags, mode);
}
int fsync(int fd) {
  if (Hit()) return errno = ENOSPC, -1;
  return Next<int (*)(int)>("fsync")(fd);
}
int renameat(int from, const char* old, int to, const char* name) {
  if (Hit()) return errno = ENOSPC, -1;
  return Next<int (*)(int, const char*, int, const char*)>("renameat")(from, old, to, name);
}
int unlinkat(int dir, const char* path, int flags) {
  if (Hit()) return errno = ENOSPC, -1;
  return Next<int (*)(int, const char*, int)>("unlinkat")(dir, path, flags);
}
}
