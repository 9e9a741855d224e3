// The display-list items, and the lines of a table, as they cross the desktop module's C boundary
// (DesktopModuleApi.h): one encoder for the program's side, one decoder for the module's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/DesktopModuleApi.h"
#include "ui/Toolkit.h"

namespace kavrel {

// The item in C; its texts borrow from `item` and are valid while it lives unchanged.
KavrelDesktopItem EncodeItem(const DrawItem& item);

// The item back, or nothing with the reason in `whyNot`: an unknown kind, a text item whose
// text or font name is missing.
std::optional<DrawItem> DecodeItem(const KavrelDesktopItem& item, std::string& whyNot);

// A table's lines as one text, LF between them, and back. A last empty line does not cross: no
// lines and one empty line are both the empty text.
std::string EncodeLines(const std::vector<std::string>& lines);
std::vector<std::string> DecodeLines(std::string_view text);

}  // namespace kavrel
