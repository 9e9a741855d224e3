// Replacing a file safely: write a temporary file in the same folder, then rename it
// over the old one, so a failed write never leaves a half-written or lost file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "text/Folder.h"

namespace kavrel {

// How much a write promises: a durable file is flushed to the disk before it replaces
// the old one (the report); a preview only replaces the old one whole (the pictures
// rewritten before every question, where a flush per question would cost more than
// the analysis).
enum class Durability { Durable, Preview };

// Writes the file `name` in `folder`. Returns nothing on success, otherwise why the write
// failed; the file is then as it was before. The temporary file is removed if the program is
// stopped by a signal meanwhile.
std::optional<std::string> WriteFileAtomically(const Folder& folder, const std::string& name,
                                               std::string_view content,
                                               Durability durability = Durability::Durable);

// The same for the file at `path`, its folder opened for the write.
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& path,
                                               std::string_view content,
                                               Durability durability = Durability::Durable);

}  // namespace kavrel
