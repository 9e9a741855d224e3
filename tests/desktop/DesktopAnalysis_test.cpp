// The desktop front end on an X display (skipped, saying why, without one): whole analyses
// through the real question boxes end with the scripted front end's report, every window's
// picture captured at the last question shows what it should, the question box itself, and
// the program's own boxes waiting for the person at the display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/Analysis.h"
#include "frontends/PixelMapping.h"
#include "tests/support/ScriptedToolkit.h"
#include "tests/support/TempFolder.h"
#include "tests/support/desktop/DesktopTestHooks.h"
#include "text/Faults.h"

namespace kavrel::test {
namespace {

// The data file: twelve runs from Fn 0.10 to 0.34 on a 4 m model at 15 degrees at these speeds;
// six runs lie between Fn 0.1 and 0.2 for the form factor.
const double Speeds[] = {0.65, 0.75, 0.85, 0.95, 1.05, 1.15, 1.30, 1.45, 1.60, 1.75, 1.90, 2.10};

// Pixels of `image` in the box from (left, top) to (right, bottom) of the palette colour
// `colour`, or with ink (text is drawn anti-aliased: not near white) when `colour` < 0.
int Count(const WindowImage& image, double left, double top, double right, double bottom,
          int colour = -1) {
  const Rgb c = PaletteColour(colour);
  int count = 0;
  for (int y = std::max(0, int(top)); y <= std::min(image.height - 1.0, bottom); ++y)
    for (int x = std::max(0, int(left)); x <= std::min(image.width - 1.0, right); ++x) {
      const Rgb p = image.At(x, y);
      count += colour < 0 ? p.red < 200 || p.blue < 200
                          : p.red == c.red && p.green == c.green && p.blue == c.blue;
    }
  return count;
}

bool InView(const WindowImage& image, double x, double y, int border) {
  return x >= border && y >= border && x < image.width - border && y < image.height - border;
}

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string whyNot;
    ui = TestDesktopToolkit::Open(whyNot);
    if (!ui) GTEST_SKIP() << "the desktop front end needs an X display: " << whyNot;
  }

  // Runs the analysis on the scripted front end and then, in the same folder with the same
  // answers, on the desktop.
  void Run(const std::vector<std::string>& answers) {
    TempFolder folder;
    folder.Write(DataFileName, TestData("desktop_KAVREL_BAS.DAT"));
    ScriptedToolkit scripted(answers);
    RunAnalysis(scripted, Folder(folder.Path()));
    const std::string report = folder.Read(ReportFileName);
    std::size_t asked = 0;
    ui->SetAnswerSource([&](const QuestionBoxView& view) {
      if (asked == answers.size()) throw InputFault("end of input");
      // Each box at 9500, 8500 twips with its title, its prompt and the default selected.
      const Question& q = scripted.questions.at(asked);
      EXPECT_EQ(view.title + "|" + view.prompt + "|" + view.fieldText,
                q.title + "|" + q.prompt + "|" + q.defaultText);
      EXPECT_EQ(view.selected, static_cast<int>(q.defaultText.size()));
      EXPECT_TRUE(view.left == 633 && view.top == 566) << view.left << ", " << view.top;
      if (view.title == "calculation ending entry") CheckPictures();
      return answers[asked++];
    });
    RunAnalysis(*ui, Folder(folder.Path()));
    EXPECT_TRUE(asked == answers.size() && asked == scripted.questions.size()) << asked;
    EXPECT_EQ(folder.Read(ReportFileName), report);
    ui->Finish();
    for (WindowId id : AllWindows) EXPECT_FALSE(ui->Image(id)) << "closed at the end";
  }

  // All four windows are up at the last question, at their placement at 15 twips a pixel, and
  // the coefficient graph on the screen is its whole drawing. Every item of each display list
  // that lies in view shows in the window's picture: each circle its colour on its ring,
  // nearly every line its colour at its middle (a later item may cover a few), each text ink
  // below and right of its corner. So the dark-red run targets, the cyan Ctm curve, the
  // light-blue axes and all captions and labels are checked.
  void CheckPictures() {
    for (WindowId id : AllWindows) {
      const auto image = ui->Image(id, true);
      const Twips& p = ui->Window(id).Placement();
      const std::string& caption = ui->Window(id).Caption();
      ASSERT_TRUE(image) << caption;
      EXPECT_EQ(std::vector({image->left, image->top, image->width, image->height}),
                std::vector({p.left / 15, p.top / 15, p.width / 15, p.height / 15}));
      EXPECT_TRUE(id != WindowId::Kavrel_Form1 || ui->Image(id).value().rgb == image->rgb);
      int lines = 0, linesShown = 0, circles = 0;
      for (const DrawItem& item : ui->Window(id).Items()) {
        const PixelMap map(std::visit([](const auto& i) { return i.scale; }, item),
                           {image->width, image->height});
        if (const auto* c = std::get_if<CircleItem>(&item)) {
          // On the coefficient graph each run's target: three dark-red circles at its Froude
          // number, worked out here from the speeds of the data file.
          const double Fn = Speeds[std::min(circles++ / 3, 11)] / std::sqrt(9.80665 * 4.0);
          EXPECT_TRUE(id != WindowId::Kavrel_Form1 ||
                      (c->colour == Colour::DarkRed && std::fabs(c->x - Fn) < 1e-12 * Fn))
              << "circle " << circles;
          const double x = map.X(c->x), y = map.Y(c->y), r = std::fabs(map.Radius(c->radius)) + 1;
          EXPECT_TRUE(!InView(*image, x, y, 4) ||
                      Count(*image, x - r, y - r, x + r, y + r, c->colour))
              << caption << ": circle at " << x << ", " << y;
        } else if (const auto* l = std::get_if<LineItem>(&item)) {
          const double x = map.X(0.5 * (l->x1 + l->x2)), y = map.Y(0.5 * (l->y1 + l->y2));
          lines += InView(*image, x, y, 2);
          linesShown +=
              InView(*image, x, y, 2) && Count(*image, x - 1, y - 1, x + 1, y + 1, l->colour);
        } else if (const auto* t = std::get_if<TextItem>(&item)) {
          const double x = map.X(t->x), y = map.Y(t->y), h = FontPixels(t->fontSize, 1);
          EXPECT_TRUE(!InView(*image, x, y, 0) ||
                      t->text.find_first_not_of(' ') == std::string::npos ||
                      Count(*image, x, y, x + h * t->text.size() / 2, y + h) >= 4)
              << caption << ": " << t->text;
        }
      }
      EXPECT_GE(linesShown * 10, lines * 9) << caption << ": " << linesShown << " of " << lines;
      EXPECT_TRUE(id != WindowId::Kavrel_Form1 || circles == 3 * 12) << circles;
    }
  }

  std::unique_ptr<TestDesktopToolkit> ui;
};

TEST_F(Desktop, WholeAnalysesOfBothSmoothingMethods) {
  // Keep 15 degrees; polynomial; NS 1, ND 0, order 4, fit refused; again with order 3,
  // accepted; the calculation accepted.
  Run({"", "1", "", "", "4", "n", "1", "0", "3", "", ""});
  // Keep 15 degrees; Munk; D(1) to D(4) each confirmed with the default Y; accepted.
  Run({"", "2", "0.3", "", "0.5", "", "0.7", "", "0.9", "", ""});
}

// The program's own front end, with no hooks, waits in each box for the person at the display:
// Return keeps the default, Escape and the close box give the empty text; a message box shows
// its text as it is, "%" and all, and closes on Return and on its close box.
TEST_F(Desktop, BoxesWaitForThePersonAtTheDisplay) {
  std::string whyNot;
  const auto plain = DesktopToolkit::Open(whyNot);
  ASSERT_TRUE(plain) << whyNot;
  using enum PersonAtDisplay::Action;
  for (const auto& [action, answer] : {std::pair{Return, "Y"}, {Escape, ""}, {CloseBox, ""}}) {
    const PersonAtDisplay person(action);
    EXPECT_EQ(plain->Ask({"prompt", "title", "Y"}), answer);
    EXPECT_TRUE(person.Done()) << answer;
  }
  for (const auto action : {Return, CloseBox}) {
    const PersonAtDisplay person(action);
    plain->Message("100% of %d and %s");
    EXPECT_TRUE(person.Done() && person.Read() == "100% of %d and %s") << person.Read();
  }
}

}  // namespace
}  // namespace kavrel::test
