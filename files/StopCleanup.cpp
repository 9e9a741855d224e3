// The fixed list of files to remove on a stop, shared with the signal handler.
#include "files/StopCleanup.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstring>

namespace kavrel {

namespace {

struct Slot {
  std::atomic<bool> taken{false};   // owned by a writer
  std::atomic<bool> listed{false};  // the name is complete and to be removed
  int folder = -1;
  char name[NAME_MAX + 1] = {};
};

std::array<Slot, 32> slots;  // NOLINT: the signal handler reads it

sigset_t StopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

StopSignalsBlocked::StopSignalsBlocked() : previous_() {
  const sigset_t set = StopSignals();
  pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

StopSignalsBlocked::~StopSignalsBlocked() {
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

int RemoveOnStop(int folder, const char* name) {
  const std::size_t length = std::strlen(name);
  if (length > NAME_MAX) return -1;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    bool expected = false;
    if (!slots[i].taken.compare_exchange_strong(expected, true)) continue;
    slots[i].folder = folder;
    std::memcpy(slots[i].name, name, length + 1);
    slots[i].listed.store(true, std::memory_order_release);
    return static_cast<int>(i);
  }
  return -1;
}

void ForgetOnStop(int slot) {
  if (slot < 0 || slot >= static_cast<int>(slots.size())) return;
  auto& s = slots[static_cast<std::size_t>(slot)];
  s.listed.store(false, std::memory_order_release);
  s.taken.store(false, std::memory_order_release);
}

void RemoveListedFiles() {
  for (auto& slot : slots) {
    if (slot.listed.load(std::memory_order_acquire)) ::unlinkat(slot.folder, slot.name, 0);
  }
}

}  // namespace kavrel
