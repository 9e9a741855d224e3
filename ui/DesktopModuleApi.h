// The boundary between kavrel and its desktop module kavrel-desktop.so, which the program loads
// only when it opens windows. The program and the module may each carry their own C++ runtime,
// so only plain C values cross, and nothing thrown: each call reports its outcome as a number.
// Items cross through ui/DesktopCodec.h on both sides.
//
// The protocol:
// - Calls come from the program's one thread, one at a time.
// - Texts the program passes are NUL-terminated (an item's text has its length and may hold
//   NUL bytes), never null, and borrowed for the call only: the module copies what it keeps.
//   A text for the program goes to its KavrelDesktopTextSink, which copies it before it
//   returns; the sink's context is the program's, used only during the call.
// - The desktop: open makes it, the program owns it and passes it to every call until close
//   frees it. Nothing may be called with it after close.
// - Windows are numbered 0 the text window Form1, 1 the coefficient graph, 2 and 3 the
//   form-factor diagrams; any other number fails.
// - A text of several lines (table's head and rows) has them separated by LF.
// - ask, message and finish wait for the user; the other calls return once the change is on
//   the screen.
// - The desktop serves every call after STOPPED or FAILED, but the program makes few: after
//   STOPPED only close; after FAILED one message showing the reason at most, then close.
#pragma once

#include <cstddef>

extern "C" {

// Raised when the interface changes; the program refuses a module of another version.
inline constexpr int KAVREL_DESKTOP_API_VERSION = 3;

enum KavrelDesktopOutcome {
  // Done: answered, or the box was closed.
  KAVREL_DESKTOP_DONE = 0,
  // The user chose to stop the analysis: the program writes nothing and ends with status 1.
  KAVREL_DESKTOP_STOPPED = 1,
  // Not done (a refused item, no such window, out of memory, an internal fault); last_failure
  // says why. The program ends the analysis with that reason in its message and status 4.
  KAVREL_DESKTOP_FAILED = 2
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
  // The window is shown and emptied; its items follow with item_added.
  int (*window_reset)(void* desktop, int window);
  int (*item_added)(void* desktop, int window, const KavrelDesktopItem* item);
  // A question box; the answer (the empty text when cancelled) goes to `answer`.
  int (*ask)(void* desktop, const char* prompt, const char* title, const char* defaultText,
             int leftTwips, int topTwips, KavrelDesktopTextSink answer, void* context);
  // A message box of the given KavrelDesktopBox kind.
  int (*message)(void* desktop, const char* text, int box);
  // The text window Form1 shows a table (kavrel::TextTable): the title, then the rows under the
  // lines of head, in columns, in a fixed-pitch font; the window grows to hold them where the
  // screen has room. Form1 keeps the table until its next window_reset.
  int (*table)(void* desktop, const char* title, const char* head, const char* rows);
  // The closing box, then every window closes. The box offers to open `reportPage` (the report
  // page's path, empty for none) where the desktop has an opener.
  int (*finish)(void* desktop, const char* closingNote, const char* reportPage);
  // How the user stops the analysis here: a constant text of the module's.
  const char* (*how_to_stop)();
  // Why the last call on the desktop failed: a text of the module's, valid until the next call.
  const char* (*last_failure)(void* desktop);
};

// The module's one exported function.
const KavrelDesktopApi* kavrel_desktop_api();
using KavrelDesktopApiFunction = const KavrelDesktopApi* (*)();
}
