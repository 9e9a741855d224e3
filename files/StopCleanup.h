// Files to remove when the program is stopped by a signal (SIGINT, SIGTERM, SIGHUP): the
// temporary file being written and the preview pictures. The list is fixed in size and read
// by the signal handler with async-signal-safe calls only.
#pragma once

#include <csignal>

namespace kavrel {

// Blocks the stop signals while it lives, so that a file can be made and listed for removal
// without a stop falling between the two.
class StopSignalsBlocked {
 public:
  StopSignalsBlocked();
  ~StopSignalsBlocked();
  StopSignalsBlocked(const StopSignalsBlocked&) = delete;
  StopSignalsBlocked& operator=(const StopSignalsBlocked&) = delete;
  StopSignalsBlocked(StopSignalsBlocked&&) = delete;
  StopSignalsBlocked& operator=(StopSignalsBlocked&&) = delete;

 private:
  sigset_t previous_;
};

// Lists the file `name` in the open folder `folder` for removal on a stop; returns the slot to
// pass to ForgetOnStop, or -1 when the list is full or the name too long (the file is then not
// removed on a stop).
int RemoveOnStop(int folder, const char* name);
void ForgetOnStop(int slot);

// For the signal handler: removes every listed file. Async-signal-safe.
void RemoveListedFiles();

}  // namespace kavrel
