// The outputs of one analysis as one set: every file made durable under a temporary name, then
// all switched into place in one short step, so a folder holds the whole earlier set or the
// whole new one. A journal of the step lets the next run finish a switch that a kill cut short;
// a lock keeps two runs out of one folder.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "files/Folder.h"

namespace kavrel {

// One output: its name in the folder, its content, and what messages call it ("the report").
struct OutputFile {
  std::string name;
  std::string content;
  std::string what;
};

// The names of the step's journal in a folder, and of the temporary file it is written to.
inline constexpr const char* SwitchJournalName = ".kavrel-switch";

// Throws WriteFault, naming `folder` and the system's reason, when this process may not make,
// rename and remove files in it (its permissions, a read-only file system).
void CheckWritable(const Folder& folder);

// Takes the lock of `folder` for as long as it stays open; throws InputFault, naming the
// folder, when another kavrel holds it. The kernel releases it when a process dies.
void LockFolder(const Folder& folder);

// Under the lock, before anything is read: finishes the switch a killed run left in its
// journal, then removes what killed runs left behind: the hidden temporary files of the names
// in `outputs` (kavrel's own pattern ".<name>.XXXXXX" only) and the files named in `leftovers`
// (the previews). Throws WriteFault, with the system's reason, when the journal's switch cannot
// be finished.
void RecoverFolder(const Folder& folder, std::span<const std::string_view> outputs,
                   std::span<const std::string_view> leftovers);

// Writes the set into `folder`: every file durably under a temporary name, the journal of the
// step, then, with the stop signals blocked, every rename and the removal of the names in
// `outputs` that the set does not hold (an earlier analysis's files), the folder flushed, the
// journal removed, and `switched` called. A failure before the step leaves the folder as it
// was and throws WriteFault naming the file and the system's reason; a failure during it
// throws WriteFault naming every file that is new and every one that is not.
void CommitOutputSet(const Folder& folder, std::span<const OutputFile> set,
                     std::span<const std::string_view> outputs,
                     const std::function<void()>& switched = {});

}  // namespace kavrel
