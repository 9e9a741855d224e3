// The boundary between kavrel and its desktop module kavrel-desktop.so, which the program loads
// only when it opens windows. The program and the module may each carry their own C++ runtime,
// so only plain C values cross: numbers, and texts that stay the caller's and are valid for the
// call. A text going back to the program is handed to the program's own sink, which copies it.
// Nothing thrown crosses either: each call reports its outcome as a number. Items cross through
// ui/DesktopCodec.h on both sides.
#pragma once

#include <cstddef>

extern "C" {

// Raised when the interface changes; the program refuses a module of another version.
inline constexpr int KAVREL_DESKTOP_API_VERSION = 1;

enum KavrelDesktopOutcome {
  KAVREL_DESKTOP_DONE = 0,     // answered, or the box was closed
  KAVREL_DESKTOP_STOPPED = 1,  // the user chose to stop the analysis
  KAVREL_DESKTOP_FAILED = 2    // the module could not do it (out of memory, internal fault)
};

enum KavrelDesktopBox { KAVREL_DESKTOP_FAULT = 0, KAVREL_DESKTOP_NOTE = 1 };

// The item kinds, in the order of the alternatives of kavrel::DrawItem; any other is refused.
enum KavrelDesktopItemKind {
  KAVREL_DESKTOP_LINE = 0,
  KAVREL_DESKTOP_CIRCLE = 1,
  KAVREL_DESKTOP_TEXT = 2,
  KAVREL_DESKTOP_ITEM_KINDS = 3
};

// One display-list item with the user coordinates in force when it was drawn. A line uses
// x1..y2, colour and penWidth; a circle x1, y1, radius, colour and penWidth; a text x1, y1 (its
// top-left corner), text and textLength, fontName, fontSize and colour. The defaults are those of
// an empty item, for the C++ on either side.
struct KavrelDesktopItem {
  int kind = KAVREL_DESKTOP_LINE;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double radius = 0;
  int colour = 0;
  int penWidth = 1;
  double scaleLeft = 0, scaleTop = 0, scaleRight = 1, scaleBottom = 1;
  const char* text = nullptr;
  std::size_t textLength = 0;
  const char* fontName = nullptr;
  double fontSize = 0;
};

// Receives a text from the module, to be copied before it returns.
using KavrelDesktopTextSink = void (*)(void* context, const char* text, std::size_t length);

struct KavrelDesktopApi {
  int version;
  // Opens the display; null, with the reason given to `whyNot`, when there is none.
  void* (*open)(KavrelDesktopTextSink whyNot, void* context);
  // Closes every window and frees the desktop.
  void (*close)(void* desktop);
  // The window (0 text window, 1 coefficient graph, 2 and 3 the form-factor diagrams) is shown
  // and emptied; its items follow with item_added.
  int (*window_reset)(void* desktop, int window);
  int (*item_added)(void* desktop, int window, const KavrelDesktopItem* item);
  // A question box; the answer goes to `answer`.
  int (*ask)(void* desktop, const char* prompt, const char* title, const char* defaultText,
             int leftTwips, int topTwips, KavrelDesktopTextSink answer, void* context);
  // A message box of the given KavrelDesktopBox kind.
  int (*message)(void* desktop, const char* text, int box);
  // The closing box, then every window closes.
  int (*finish)(void* desktop, const char* closingNote);
  // How the user stops the analysis here, a constant text.
  const char* (*how_to_stop)();
};

// The module's one exported function.
const KavrelDesktopApi* kavrel_desktop_api();
using KavrelDesktopApiFunction = const KavrelDesktopApi* (*)();
}
