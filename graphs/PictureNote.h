// A saved picture that would hold nothing (its window was never drawn), or a form-factor
// diagram without its fitted line, carries a note that says why, so that nobody takes it for
// a drawing that went wrong.
#pragma once

#include <span>
#include <string>

#include "ui/Toolkit.h"

namespace kavrel {

// The window as its picture is saved: a copy of `window`, shown, with `lines` printed one
// below the other at its top left in dark red. The window itself, and so the screen, is left
// as it is.
DisplayWindow WithNote(const DisplayWindow& window, std::span<const std::string> lines);

}  // namespace kavrel
