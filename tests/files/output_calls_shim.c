/* Preloaded into kavrel by output_set.sh: counts the calls that make, flush, rename or remove
   files, and at call KAVREL_SHIM_AT either sends the process signal KAVREL_SHIM_SIGNAL or
   fails the call with ENOSPC (KAVREL_SHIM_SIGNAL=fail), as a full disk would. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdlib.h>
#include <unistd.h>

static int calls = 0;

/* Whether this call is to fail; sends the signal when one is asked for. */
static int Hit(void) {
  const char* at = getenv("KAVREL_SHIM_AT");
  const char* signalText = getenv("KAVREL_SHIM_SIGNAL");
  if (at == NULL || ++calls != atoi(at)) return 0;
  const int signal = signalText != NULL ? atoi(signalText) : 0;
  if (signal > 0) kill(getpid(), signal);
  return signal == 0;
}

int openat(int dir, const char* path, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  const mode_t mode = (mode_t)va_arg(rest, int);
  va_end(rest);
  if ((flags & O_CREAT) != 0 && Hit()) return errno = ENOSPC, -1;
  int (*next)(int, const char*, int, ...);
  *(void**)&next = dlsym(RTLD_NEXT, "openat"); /* POSIX's way to a function */
  return next(dir, path, flags, mode);
}

int fsync(int fd) {
  if (Hit()) return errno = ENOSPC, -1;
  int (*next)(int);
  *(void**)&next = dlsym(RTLD_NEXT, "fsync"); /* POSIX's way to a function */
  return next(fd);
}

int renameat(int from, const char* old, int to, const char* name) {
  if (Hit()) return errno = ENOSPC, -1;
  int (*next)(int, const char*, int, const char*);
  *(void**)&next = dlsym(RTLD_NEXT, "renameat"); /* POSIX's way to a function */
  return next(from, old, to, name);
}

int unlinkat(int dir, const char* path, int flags) {
  if (Hit()) return errno = ENOSPC, -1;
  int (*next)(int, const char*, int);
  *(void**)&next = dlsym(RTLD_NEXT, "unlinkat"); /* POSIX's way to a function */
  return next(dir, path, flags);
}
