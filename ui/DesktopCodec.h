// The display-list items as they cross the desktop module's C boundary (DesktopModuleApi.h):
// one encoder for the program's side, one decoder for the module's.
#pragma once

#include <optional>
#include <string>

#include "ui/DesktopModuleApi.h"
#include "ui/Toolkit.h"

namespace kavrel {

// The item in C; its texts borrow from `item` and are valid while it lives unchanged.
KavrelDesktopItem EncodeItem(const DrawItem& item);

// The item back, or nothing with the reason in `whyNot`: an unknown kind, a text item whose
// text or font name is missing.
std::optional<DrawItem> DecodeItem(const KavrelDesktopItem& item, std::string& whyNot);

}  // namespace kavrel
