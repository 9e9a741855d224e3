// Whole analyses on the desktop front end, the real question boxes answered by typed keys:
// the report equals the scripted front end's for the same answers, and every window's
// picture, captured at the last question, shows what its display list holds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/InputFault.h"
#include "tests/desktop/WindowPictures.h"
#include "tests/support/ScriptedToolkit.h"
#include "tests/support/TempFolder.h"
#include "toolkit/PixelMapping.h"

namespace kavrel::testing {
namespace {

// Twelve runs from Fn 0.10 to 0.34 on a 4 m model at 15 degrees; six runs lie between
// Fn 0.1 and 0.2 for the form factor.
constexpr const char* TwelveRuns =
    "Desktop end-to-end test\n\n\n\n\n\n\n"
    "Rtm (kg)  Vm (m/s)\n"
    "--------------------\n"
    "0.287 0.65\n0.373 0.75\n0.469 0.85\n0.577 0.95\n0.691 1.05\n0.822 1.15\n"
    "1.016 1.30\n1.272 1.45\n1.590 1.60\n2.043 1.75\n2.742 1.90\n4.182 2.10\n"
    "0 0\n\nSw Lwl\n3.0 4.0\nT\n15\n";
const std::vector<double> Speeds{0.65, 0.75, 0.85, 0.95, 1.05, 1.15,
                                 1.30, 1.45, 1.60, 1.75, 1.90, 2.10};
constexpr Rgb DarkRed{128, 0, 0};

// A window as it was at the last question: its picture and the display list it replays.
struct Snapshot {
  WindowImage image;
  std::vector<DrawItem> items;
};

void CheckPictureShowsItems(const Snapshot& shot, const std::string& window);
void CheckRunTargets(const Snapshot& shot);

class DesktopAnalysis : public DesktopTest {
 protected:
  // Runs the analysis on the desktop and on the scripted front end with the same answers.
  void Run(const std::vector<std::string>& answers) {
    TempFolder reference;
    reference.Write(DataFileName, TwelveRuns);
    ScriptedToolkit scripted(answers);
    RunAnalysis(scripted, reference.Path());

    TempFolder folder;
    folder.Write(DataFileName, TwelveRuns);
    std::deque<std::string> queue(answers.begin(), answers.end());
    ui->SetAnswerSource([&](const QuestionBoxView& view) -> std::optional<std::string> {
      views.push_back(view);
      if (view.title == "calculation ending entry") TakeSnapshots();
      if (queue.empty()) throw InputFault("end of input");
      std::string answer = queue.front();
      queue.pop_front();
      return answer;
    });
    RunAnalysis(*ui, folder.Path());

    EXPECT_TRUE(queue.empty());
    ASSERT_TRUE(folder.Exists(ReportFileName));
    EXPECT_EQ(folder.Read(ReportFileName), reference.Read(ReportFileName));
    // Every box stood at 9500, 8500 twips with its title, prompt and the default selected.
    ASSERT_EQ(views.size(), scripted.questions.size());
    for (std::size_t i = 0; i < views.size(); ++i) {
      const Question& asked = scripted.questions[i];
      EXPECT_EQ(views[i].title, asked.title);
      EXPECT_EQ(views[i].prompt, asked.prompt);
      EXPECT_EQ(views[i].fieldText, asked.defaultText);
      EXPECT_EQ(views[i].selectionEnd - views[i].selectionStart,
                static_cast<int>(asked.defaultText.size()));
      EXPECT_EQ(views[i].left, 633);
      EXPECT_EQ(views[i].top, 566);
    }
    ui->Finish();
    for (WindowId id : AllWindows) EXPECT_FALSE(ui->ScreenPixels(id)) << "closed at the end";
  }

  void TakeSnapshots() {
    for (WindowId id : AllWindows) {
      if (auto image = ui->Capture(id)) snapshots[id] = {*image, ui->Window(id).Items()};
    }
    // KAVREL_DESKTOP_SCREENSHOTS=folder keeps a picture of the whole screen for a person to
    // look at.
    if (const char* folder = std::getenv("KAVREL_DESKTOP_SCREENSHOTS")) {
      const std::string name = std::string(folder) + "/" +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                               ".xwd";
      EXPECT_EQ(std::system(("xwd -root -silent -out '" + name + "'").c_str()), 0);
    }
  }

  // All four windows were up at the last question; each picture shows its items.
  void CheckPictures() {
    if (HasFatalFailure()) return;
    ASSERT_EQ(snapshots.size(), 4u);
    CheckRunTargets(snapshots.at(WindowId::Kavrel_Form1));
    for (const auto& [id, shot] : snapshots) CheckPictureShowsItems(shot, ui->Window(id).Caption());
  }

  std::vector<QuestionBoxView> views;
  std::map<WindowId, Snapshot> snapshots;
};

template <typename Item>
double ItemX(const Item& item, double x, const WindowImage& image) {
  return PixelAt(x, item.scale.left, item.scale.right, image.width);
}
template <typename Item>
double ItemY(const Item& item, double y, const WindowImage& image) {
  return PixelAt(y, item.scale.top, item.scale.bottom, image.height);
}
bool Inside(const WindowImage& image, double x, double y, int border) {
  return x >= border && y >= border && x < image.width - border && y < image.height - border;
}

// Every item of the display list that lies in view shows in the picture: each circle has
// its colour on its ring, nearly every line its colour at its middle (a later item may
// cover a few), each text its ink below and right of its corner. So the cyan Ctm curve,
// the light-blue axes, the grey form-factor lines and all captions and labels are checked.
void CheckPictureShowsItems(const Snapshot& shot, const std::string& window) {
  const WindowImage& image = shot.image;
  int lines = 0, linesShown = 0;
  for (const DrawItem& item : shot.items) {
    if (const auto* circle = std::get_if<CircleItem>(&item)) {
      const double x = ItemX(*circle, circle->x, image), y = ItemY(*circle, circle->y, image);
      if (!Inside(image, x, y, 4)) continue;
      const double r = circle->radius / (circle->scale.right - circle->scale.left) * image.width;
      const int reach = static_cast<int>(std::ceil(std::fabs(r))) + 1;
      EXPECT_GE(CountColour(image, PaletteColour(circle->colour), x, y, reach), 1)
          << window << ": circle at " << x << ", " << y;
    } else if (const auto* line = std::get_if<LineItem>(&item)) {
      const double x = ItemX(*line, 0.5 * (line->x1 + line->x2), image);
      const double y = ItemY(*line, 0.5 * (line->y1 + line->y2), image);
      if (!Inside(image, x, y, 2)) continue;
      ++lines;
      linesShown += CountColour(image, PaletteColour(line->colour), x, y, 1) > 0;
    } else if (const auto* text = std::get_if<TextItem>(&item)) {
      const double x = ItemX(*text, text->x, image), y = ItemY(*text, text->y, image);
      if (!Inside(image, x, y, 0) || text->text.find_first_not_of(' ') == std::string::npos) {
        continue;
      }
      const int height = FontPixels(text->fontSize, 1);
      const int width = static_cast<int>(text->text.size()) * height / 2;
      EXPECT_GE(CountIn(image, x, y, width, height,
                        [](const Rgb& c) { return c.red < 200 || c.blue < 200; }),
                4)
          << window << ": \"" << text->text << "\"";
    }
  }
  EXPECT_GE(linesShown * 10, lines * 9) << window << ": " << linesShown << " of " << lines;
}

// The coefficient graph holds a dark-red target at each run's Froude number, worked out here
// from the speeds of the data file.
void CheckRunTargets(const Snapshot& shot) {
  std::vector<const CircleItem*> targets;
  for (const DrawItem& item : shot.items) {
    if (const auto* circle = std::get_if<CircleItem>(&item)) targets.push_back(circle);
  }
  ASSERT_EQ(targets.size(), 3 * Speeds.size());
  for (std::size_t run = 0; run < Speeds.size(); ++run) {
    const double Fn = Speeds[run] / std::sqrt(9.80665 * 4.0);
    const CircleItem& target = *targets[3 * run];
    EXPECT_NEAR(target.x, Fn, 1e-12 * Fn);
    const double x = ItemX(target, Fn, shot.image), y = ItemY(target, target.y, shot.image);
    ASSERT_TRUE(Inside(shot.image, x, y, 4)) << "run " << run + 1;
    EXPECT_GE(CountColour(shot.image, DarkRed, x, y, 3), 6) << "run " << run + 1;
  }
}

TEST_F(DesktopAnalysis, PolynomialSmoothing) {
  // Keep 15 degrees; polynomial; NS 1, ND 0, order 4, fit refused; again with order 3,
  // accepted; the calculation accepted.
  Run({"", "1", "", "", "4", "n", "1", "0", "3", "", ""});
  CheckPictures();
}

TEST_F(DesktopAnalysis, WaveResistanceSmoothing) {
  // Keep 15 degrees; Munk; D(1) to D(4) each confirmed with the default Y; accepted.
  Run({"", "2", "0.3", "", "0.5", "", "0.7", "", "0.9", "", ""});
  CheckPictures();
}

}  // namespace
}  // namespace kavrel::testing
