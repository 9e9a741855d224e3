// The text window's layout shared by the driver and the dialogues.
#include "ui/TextWindow.h"

namespace kavrel {

namespace {

constexpr double TextLeft = 10;
constexpr double TextTop = 10;
constexpr double TextStep = 5;

}  // namespace

DisplayWindow& ClearedTextWindow(Toolkit& ui) {
  DisplayWindow& window = ui.Window(WindowId::Ekran_Form1);
  window.Show();
  window.Clear();
  window.SetFontName("Times New Roman");
  window.SetFontSize(10);
  window.SetTextColour(Colour::DarkBlue);
  window.SetUserCoordinates(0, 0, 100, 100);
  return window;
}

void PrintTextLine(DisplayWindow& window, int line, std::string_view text) {
  window.SetPrintPosition(TextLeft, TextTop + TextStep * (line - 1));
  window.Print(text);
}

}  // namespace kavrel
