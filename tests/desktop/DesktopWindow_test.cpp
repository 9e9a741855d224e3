// The desktop front end on a real X display: window placement, what a window's picture
// holds, drawing that reaches the screen at once, the question box and the message box.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "analysis/InputFault.h"
#include "tests/desktop/WindowPictures.h"

namespace kavrel::testing {
namespace {

constexpr Rgb White{255, 255, 255};
constexpr Rgb DarkRed{128, 0, 0};
constexpr Rgb Cyan{0, 128, 128};
constexpr Rgb LightBlue{0, 0, 255};
constexpr Rgb Magenta{128, 0, 128};
constexpr Rgb DarkYellow{128, 128, 0};

TEST_F(DesktopTest, WindowsOpenAtTheirPlacementAndCloseTogether) {
  struct Case {
    WindowId id;
    Twips pixels;  // the client area's twips divided by 15
  };
  const std::vector<Case> cases = {{WindowId::Kavrel_Form1, {17, 23, 449, 273}},
                                   {WindowId::Ekran_Form1, {19, 324, 444, 389}},
                                   {WindowId::Form_Faktor_Form1, {474, 23, 317, 273}},
                                   {WindowId::Form_Faktor_Form2, {474, 326, 312, 273}}};
  for (const Case& c : cases) {
    EXPECT_FALSE(ui->ScreenPixels(c.id)) << "no window before it is shown";
    ui->Window(c.id).Show();
    const auto at = ui->ScreenPixels(c.id);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->left, c.pixels.left);
    EXPECT_EQ(at->top, c.pixels.top);
    EXPECT_EQ(at->width, c.pixels.width);
    EXPECT_EQ(at->height, c.pixels.height);
  }
  ui->Finish();
  for (const Case& c : cases) EXPECT_FALSE(ui->ScreenPixels(c.id));
}

// The coefficient graph of four runs at Fn 0.10, 0.20, 0.30, 0.40 with Ctm 4.0 to 6.0: the
// window runs from x 0.08 to 0.42 and from y 7.2 (top) down to 3.2 on 449 x 273 pixels.
void DrawFrame(DisplayWindow& graph) {
  graph.Show();
  graph.Clear();
  graph.SetFontName("Times New Roman");
  graph.SetFontSize(12);
  graph.SetTextColour(Colour::DarkBlue);
  graph.SetUserCoordinates(0.08, 7.2, 0.42, 3.2);
  graph.SetPenWidth(2);
  graph.Line(0.095, 3.8, 0.41, 3.8, Colour::LightBlue);
  graph.Line(0.095, 3.8, 0.095, 6.6, Colour::LightBlue);
  graph.SetPenWidth(1);
}
const std::vector<double> Fn{0.1, 0.2, 0.3, 0.4};
const std::vector<double> Ctm{4.0, 5.0, 6.0, 4.5};
double GraphX(double x) {
  return PixelAt(x, 0.08, 0.42, 449);
}
double GraphY(double y) {
  return PixelAt(y, 7.2, 3.2, 273);
}

TEST_F(DesktopTest, CoefficientGraphPicture) {
  DisplayWindow& graph = ui->Window(WindowId::Kavrel_Form1);
  DrawFrame(graph);
  for (std::size_t i = 0; i < Fn.size(); ++i) {
    for (double r : {0.002, 0.001, 0.0005}) graph.Circle(Fn[i], Ctm[i], r, Colour::DarkRed);
  }
  for (std::size_t i = 0; i + 1 < Fn.size(); ++i) {
    graph.Line(Fn[i], Ctm[i], Fn[i + 1], Ctm[i + 1], Colour::Cyan);
  }
  graph.SetPrintPosition(0.4, 4.5);
  graph.Print("Ctm");
  // Far outside, as points clipped in a form-factor diagram: none of it may show anywhere.
  graph.Line(0.27, 1e300, 0.27, -1e301, Colour::DarkYellow);  // crosses: clipped, not wrapped
  graph.Line(0.2, 1e9, 0.3, 2e9, Colour::Magenta);
  graph.Line(-1e300, 1e6, 1e300, 1e7, Colour::Magenta);
  graph.Circle(0.25, 1e9, 0.002, Colour::Magenta);
  graph.Circle(1e300, 5, 0.002, Colour::Magenta);
  graph.SetPrintPosition(70000, 5);
  graph.Print("far away");

  const auto image = ui->Capture(WindowId::Kavrel_Form1);
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 449);
  ASSERT_EQ(image->height, 273);
  EXPECT_EQ(image->At(2, 2), White);

  // The axes, two pixels wide: the x axis on row 232 (y 3.8), the y axis in column 20.
  for (double x : {0.1, 0.2, 0.3, 0.4}) {
    EXPECT_GE(CountColour(*image, LightBlue, GraphX(x), GraphY(3.8), 1), 2) << x;
  }
  for (double y : {4.0, 5.0, 6.0, 6.5}) {
    EXPECT_GE(CountColour(*image, LightBlue, GraphX(0.095), GraphY(y), 1), 2) << y;
  }
  // The run markers: rings of 2.6 pixels at the runs, and dark red nowhere else.
  for (std::size_t i = 0; i < Fn.size(); ++i) {
    EXPECT_GE(CountColour(*image, DarkRed, GraphX(Fn[i]), GraphY(Ctm[i]), 3), 8) << i;
  }
  int markerInk = 0;
  for (std::size_t i = 0; i < Fn.size(); ++i) {
    markerInk += CountColour(*image, DarkRed, GraphX(Fn[i]), GraphY(Ctm[i]), 4);
  }
  EXPECT_EQ(markerInk, CountColour(*image, DarkRed));
  // The Ctm curve halfway between the runs.
  for (std::size_t i = 0; i + 1 < Fn.size(); ++i) {
    const double x = 0.5 * (Fn[i] + Fn[i + 1]), y = 0.5 * (Ctm[i] + Ctm[i + 1]);
    EXPECT_GE(CountColour(*image, Cyan, GraphX(x), GraphY(y), 1), 1) << i;
  }
  // "Ctm" hangs down from its corner at (422.6, 184.3), 16 pixels high; nothing above it.
  EXPECT_GE(CountIn(*image, GraphX(0.4), GraphY(4.5), 26, 16, BlueInk), 15);
  EXPECT_EQ(CountIn(*image, GraphX(0.4) + 4, GraphY(4.5) - 12, 22, 10, BlueInk), 0);
  EXPECT_EQ(CountColour(*image, Magenta), 0);
  // The line with both ends near 1e300 crosses the whole height in column 250.9.
  EXPECT_GE(CountColour(*image, DarkYellow), 273);
  EXPECT_EQ(CountIn(*image, 250, 0, 3, 273, [](const Rgb& c) { return c == DarkYellow; }),
            CountColour(*image, DarkYellow));
}

TEST_F(DesktopTest, DrawingReachesTheScreenItemByItem) {
  DisplayWindow& graph = ui->Window(WindowId::Kavrel_Form1);
  DrawFrame(graph);
  graph.Circle(0.2, 5.0, 0.002, Colour::DarkRed);
  graph.Print("before the clear");
  DrawFrame(graph);  // clears
  for (std::size_t i = 0; i < Fn.size(); ++i) {
    graph.Circle(Fn[i], Ctm[i], 0.002, Colour::DarkRed);
    graph.SetPrintPosition(Fn[i], Ctm[i]);
    graph.Print("run " + std::to_string(i + 1));
    // What is on the screen now already shows the item just drawn.
    const auto screen = ui->ScreenImage(WindowId::Kavrel_Form1);
    ASSERT_TRUE(screen);
    EXPECT_GE(CountColour(*screen, DarkRed, GraphX(Fn[i]), GraphY(Ctm[i]), 3), 8) << i;
  }
  // Drawn item by item onto the back buffer, the screen holds what one full drawing gives.
  const auto screen = ui->ScreenImage(WindowId::Kavrel_Form1);
  const auto full = ui->Capture(WindowId::Kavrel_Form1);
  ASSERT_TRUE(screen && full);
  EXPECT_TRUE(screen->rgb == full->rgb);
}

TEST_F(DesktopTest, QuestionBoxes) {
  struct Case {
    std::string defaultText;
    std::optional<std::string> typed;  // nothing: Escape
    std::string answer;
  };
  const std::vector<Case> cases = {
      {"N", "", "N"},           // Return keeps the default
      {"N", "y", "y"},          // typing replaces the selected default
      {"1", "2.5", "2.5"},      //
      {"Y", std::nullopt, ""},  // Escape cancels: the empty text
      {"", "3", "3"},           //
      {"15", "17,5 °C %d", "17,5 °C %d"},
  };
  for (const Case& c : cases) {
    const Question question{
        "Enter the new temperature at which the resistance tests to be "
        "scaled. A long prompt wraps over several lines in the box.",
        " NS value entry", c.defaultText, 9500, 8500};
    std::optional<QuestionBoxView> seen;
    ui->SetAnswerSource([&](const QuestionBoxView& view) {
      seen = view;
      return c.typed;
    });
    EXPECT_EQ(ui->Ask(question), c.answer) << c.defaultText;
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->title, question.title);
    EXPECT_EQ(seen->prompt, question.prompt);
    EXPECT_EQ(seen->fieldText, c.defaultText);
    EXPECT_EQ(seen->selectionStart, 0);
    EXPECT_EQ(seen->selectionEnd, static_cast<int>(c.defaultText.size()));
    EXPECT_EQ(seen->left, 633);  // 9500 / 15
    EXPECT_EQ(seen->top, 566);   // 8500 / 15
  }
  // An answer source that gives up ends the question; the next box works as before.
  ui->SetAnswerSource([](const QuestionBoxView&) -> std::optional<std::string> {
    throw InputFault("end of input");
  });
  EXPECT_THROW(ui->Ask({"prompt", "title", "N"}), InputFault);
  ui->SetAnswerSource([](const QuestionBoxView&) { return std::optional<std::string>("y"); });
  EXPECT_EQ(ui->Ask({"prompt", "title", "N"}), "y");
}

TEST_F(DesktopTest, MessageBoxShowsTheTextAsItIs) {
  std::vector<std::string> shown;
  ui->SetMessageSink([&](const std::string& text) { shown.push_back(text); });
  const std::vector<std::string> texts = {"Matrix dimensions do not agree",
                                          "100% of %d and %s stay as they are"};
  for (const auto& text : texts) ui->Message(text);
  EXPECT_EQ(shown, texts);
}

}  // namespace
}  // namespace kavrel::testing
