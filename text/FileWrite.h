// Replacing a file safely: write a temporary file in the same folder, then rename it
// over the old one, so a failed write never leaves a half-written or lost file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kavrel {

// How much a write promises: a durable file is flushed to the disk before it replaces
// the old one (the report); a preview only replaces the old one whole (the pictures
// rewritten before every question, where a flush per question would cost more than
// the analysis).
enum class Durability { Durable, Preview };

// Returns nothing on success, otherwise why the write failed; the file at `path` is then
// as it was before.
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& path,
                                               std::string_view content,
                                               Durability durability = Durability::Durable);

}  // namespace kavrel
