// Switching the outputs of an analysis into place as one set, with a journal for a kill between
// two renames, the folder's lock, and the removal of what killed runs left.
#include "files/OutputSet.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "files/FileWrite.h"
#include "files/StopCleanup.h"
#include "text/Faults.h"

namespace kavrel {

namespace {

bool Listed(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether `name` is one of kavrel's temporary files of `of`: ".<of>.XXXXXX".
bool IsTemporaryOf(std::string_view name, std::string_view of) {
  if (name.size() != of.size() + 8 || name[0] != '.' || name.substr(1, of.size()) != of ||
      name[of.size() + 1] != '.') {
    return false;
  }
  return std::all_of(name.end() - 6, name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

bool IsFolder(int dir, const std::string& name) {
  struct stat status {};
  return ::fstatat(dir, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode);
}

bool Exists(int dir, const std::string& name) {
  struct stat status {};
  return ::fstatat(dir, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
}

std::string Reason(int error) {
  return std::strerror(error);
}

std::string Names(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "none" : text;
}

// The journal's steps, when it is one kavrel wrote for these outputs: every line "rename
// <temporary> <name>" or "remove <name>" with a name of `outputs`, and "end" last.
struct Journal {
  std::vector<std::pair<std::string, std::string>> renames;
  std::vector<std::string> removals;
};

std::optional<Journal> ReadJournal(int dir, std::span<const std::string_view> outputs) {
  const int fd = ::openat(dir, SwitchJournalName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  std::string text(4096, '\0');
  ssize_t size = -1;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    size = ::read(fd, text.data(), text.size());
  }
  ::close(fd);
  if (size < 0) return std::nullopt;
  text.resize(static_cast<std::size_t>(size));
  Journal journal;
  bool ended = false;
  for (std::size_t at = 0; at < text.size() && !ended;) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string::npos) return std::nullopt;
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t blank = line.find(' '), second = line.find(' ', blank + 1);
    const std::string word = line.substr(0, blank);
    if (line == "end") {
      ended = at == text.size();
    } else if (word == "rename" && second != std::string::npos &&
               Listed(outputs, line.substr(second + 1)) &&
               IsTemporaryOf(line.substr(blank + 1, second - blank - 1), line.substr(second + 1))) {
      journal.renames.emplace_back(line.substr(blank + 1, second - blank - 1),
                                   line.substr(second + 1));
    } else if (word == "remove" && blank != std::string::npos &&
               Listed(outputs, line.substr(blank + 1))) {
      journal.removals.push_back(line.substr(blank + 1));
    } else {
      return std::nullopt;
    }
  }
  if (!ended) return std::nullopt;
  return journal;
}

}  // namespace

void CheckWritable(const Folder& folder) {
  if (::faccessat(folder.Descriptor(), ".", W_OK | X_OK, AT_EACCESS) != 0) {
    throw WriteFault("cannot write in " + folder.Path().string() + ": " + Reason(errno) +
                     "; nothing was asked and no report was written");
  }
}

void LockFolder(const Folder& folder) {
  // A file system without locks (ENOLCK, EOPNOTSUPP) leaves the folder unlocked.
  if (::flock(folder.Descriptor(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    throw InputFault("another kavrel is analysing the test in " + folder.Path().string() +
                     "; wait until it has ended, then start again");
  }
}

void RecoverFolder(const Folder& folder, std::span<const std::string_view> outputs,
                   std::span<const std::string_view> leftovers) {
  const int dir = folder.Descriptor();
  if (Exists(dir, SwitchJournalName)) {
    // The temporaries a journal names were made durable before it was written: the switch it
    // began is finished. A journal that is not kavrel's whole one is removed unread.
    if (const std::optional<Journal> journal = ReadJournal(dir, outputs)) {
      for (const auto& [temporary, name] : journal->renames) {
        if (Exists(dir, temporary) && ::renameat(dir, temporary.c_str(), dir, name.c_str()) != 0) {
          throw WriteFault(
              "cannot finish switching the outputs of an earlier analysis into "
              "place in " +
              folder.Path().string() + ": " + name + ": " + Reason(errno));
        }
      }
      for (const std::string& name : journal->removals) ::unlinkat(dir, name.c_str(), 0);
      ::fsync(dir);
    }
    ::unlinkat(dir, SwitchJournalName, 0);
    ::fsync(dir);
  }
  // What killed runs left: only names of kavrel's own patterns.
  const int copy = ::dup(dir);
  if (copy < 0) return;
  const std::unique_ptr<DIR, int (*)(DIR*)> entries(::fdopendir(copy), ::closedir);
  if (!entries) {
    ::close(copy);
    return;
  }
  ::rewinddir(entries.get());
  std::vector<std::string> left;
  while (const dirent* entry = ::readdir(entries.get())) {
    const std::string_view name = entry->d_name;
    const auto temporaryOf = [&](std::string_view of) { return IsTemporaryOf(name, of); };
    if (Listed(leftovers, name) || std::any_of(outputs.begin(), outputs.end(), temporaryOf) ||
        std::any_of(leftovers.begin(), leftovers.end(), temporaryOf) ||
        IsTemporaryOf(name, SwitchJournalName)) {
      left.emplace_back(name);
    }
  }
  for (const std::string& name : left) ::unlinkat(dir, name.c_str(), 0);
}

void CommitOutputSet(const Folder& folder, std::span<const OutputFile> set,
                     std::span<const std::string_view> outputs,
                     const std::function<void()>& switched) {
  const int dir = folder.Descriptor();
  std::vector<Temporary> made(set.size());
  const auto discard = [&] {
    for (Temporary& temporary : made) {
      if (!temporary.name.empty()) ::unlinkat(dir, temporary.name.c_str(), 0);
      ForgetOnStop(temporary.listed);
      temporary = {};
    }
  };
  const auto fail = [&](const OutputFile& file, const std::string& reason) {
    discard();
    throw WriteFault(WriteFailureText(file.what, file.name, folder, reason, false));
  };
  // Every file made durable first; a folder in the way of one is found before anything moves.
  for (std::size_t i = 0; i < set.size(); ++i) {
    if (IsFolder(dir, set[i].name)) fail(set[i], Reason(EISDIR));
    if (const auto failure =
            WriteTemporary(dir, set[i].name, set[i].content, Durability::Durable, made[i])) {
      fail(set[i], *failure);
    }
  }
  std::vector<std::string> stale;
  for (const std::string_view name : outputs) {
    const bool inSet = std::any_of(set.begin(), set.end(),
                                   [&](const OutputFile& file) { return file.name == name; });
    if (!inSet && Exists(dir, std::string(name)) && !IsFolder(dir, std::string(name))) {
      stale.emplace_back(name);
    }
  }
  // The journal: written whole under a temporary name and renamed, so it is never partial.
  std::string journal;
  for (std::size_t i = 0; i < set.size(); ++i) {
    journal += "rename " + made[i].name + " " + set[i].name + "\n";
  }
  for (const std::string& name : stale) journal += "remove " + name + "\n";
  journal += "end\n";
  Temporary written;
  if (const auto failure =
          WriteTemporary(dir, SwitchJournalName, journal, Durability::Durable, written)) {
    discard();
    throw WriteFault("cannot write the journal of the outputs' switch in " +
                     folder.Path().string() + ": " + *failure);
  }
  // From the journal's rename on, no stop falls inside the step: a stop before it removes the
  // temporary files, and so must not leave a journal naming them.
  const StopSignalsBlocked blocked;
  ForgetOnStop(written.listed);
  if (::renameat(dir, written.name.c_str(), dir, SwitchJournalName) != 0 || ::fsync(dir) != 0) {
    const std::string reason = Reason(errno);
    ::unlinkat(dir, written.name.c_str(), 0);
    ::unlinkat(dir, SwitchJournalName, 0);
    discard();
    throw WriteFault("cannot write the journal of the outputs' switch in " +
                     folder.Path().string() + ": " + reason);
  }
  for (Temporary& temporary : made) ForgetOnStop(temporary.listed);
  std::vector<std::string> fresh;
  for (std::size_t i = 0; i < set.size(); ++i) {
    if (::renameat(dir, made[i].name.c_str(), dir, set[i].name.c_str()) != 0) {
      // The journal and the files not yet renamed stay, durable: the next kavrel on the
      // folder finishes the switch.
      const std::string reason = Reason(errno);
      std::vector<std::string> earlier;
      for (std::size_t j = i; j < set.size(); ++j) earlier.push_back(set[j].name);
      throw WriteFault("the outputs could not all be switched into place in " +
                       folder.Path().string() + " (" + set[i].name + ": " + reason +
                       "); new: " + Names(fresh) + "; as before: " + Names(earlier) +
                       "; the next kavrel on this folder finishes the switch");
    }
    fresh.push_back(set[i].name);
  }
  for (const std::string& name : stale) ::unlinkat(dir, name.c_str(), 0);
  // Once the renames are on the disk the journal has done its work; a journal that cannot be
  // removed is finished again, harmlessly, by the next run.
  const bool flushed = ::fsync(dir) == 0;
  const std::string reason = flushed ? "" : Reason(errno);
  if (flushed && ::unlinkat(dir, SwitchJournalName, 0) == 0) ::fsync(dir);
  if (switched) switched();
  if (!flushed) {
    throw WriteFault("the outputs were switched into place in " + folder.Path().string() +
                     ", but the folder could not be flushed to the disk: " + reason);
  }
}

}  // namespace kavrel
