// The text window Form1 as the dialogues use it: shown and cleared, its coordinates 0 to 100
// both ways, Times New Roman 10 point in dark blue, lines from (10, 10) five units apart.
#pragma once

#include <string_view>

#include "ui/Toolkit.h"

namespace kavrel {

// Shows and clears the text window in the layout above.
DisplayWindow& ClearedTextWindow(Toolkit& ui);

// Prints `text` on line `line` (1 for the first) of the layout.
void PrintTextLine(DisplayWindow& window, int line, std::string_view text);

}  // namespace kavrel
