// Replacing a file safely: write a temporary file in the same folder, then rename it
// over the old one, so a failed write never leaves a half-written or lost file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/Folder.h"

namespace kavrel {

// How much a write promises: a durable file is flushed to the disk before it replaces
// the old one (the report); a preview only replaces the old one whole (the pictures
// rewritten before every question, where a flush per question would cost more than
// the analysis).
enum class Durability { Durable, Preview };

// A file written under a hidden temporary name ".<name>.XXXXXX" beside `name`, and its slot in
// the list of files removed on a stop.
struct Temporary {
  std::string name;
  int listed = -1;
};

// Writes `content` to a new temporary file beside `name` in the open folder `dir`, flushed to
// the disk when durable, readable as the umask leaves it; `made` says which, still listed for
// removal on a stop. Returns why it failed, the temporary file then removed and unlisted.
[[nodiscard]] std::optional<std::string> WriteTemporary(int dir, const std::string& name,
                                                        std::string_view content,
                                                        Durability durability, Temporary& made);

// Writes the file `name` in `folder`. Returns nothing on success, otherwise why the write
// failed; the file is then as it was before. The temporary file is removed if the program is
// stopped by a signal meanwhile.
[[nodiscard]] std::optional<std::string> WriteFileAtomically(
    const Folder& folder, const std::string& name, std::string_view content,
    Durability durability = Durability::Durable);

// The same for the file at `path`, its folder opened for the write.
[[nodiscard]] std::optional<std::string> WriteFileAtomically(
    const std::filesystem::path& path, std::string_view content,
    Durability durability = Durability::Durable);

// What a failed write of `what` ("the run table") `name` in `folder` says, with the system's
// `reason`: "cannot write ... in <folder>: <reason>", or once the report is in place "the
// report was written, but ... could not be written in <folder>: <reason>".
std::string WriteFailureText(std::string_view what, std::string_view name, const Folder& folder,
                             std::string_view reason, bool afterReport);

// Writes an output of the analysis durably; throws WriteFault saying WriteFailureText when the
// write fails, the earlier file then as it was.
void WriteOutput(const Folder& folder, const std::string& name, std::string_view content,
                 std::string_view what, bool afterReport);

}  // namespace kavrel
