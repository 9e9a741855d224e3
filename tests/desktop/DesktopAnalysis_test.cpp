// The desktop front end on an X display (skipped, saying why, without one): whole analyses
// through the real question boxes end with the scripted front end's report, every window's
// picture captured at the last question shows what it should, the question box itself, and
// the program's own boxes waiting for the person at the display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/Analysis.h"
#include "app/Session.h"
#include "tests/support/ScriptedToolkit.h"
#include "tests/support/TempFolder.h"
#include "tests/support/desktop/DesktopTestHooks.h"
#include "text/Faults.h"
#include "ui/PixelMapping.h"

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
    ui->Finish({});
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

  // On the coefficient graph, the three lines of the missing-(1+k) note lie in the window with
  // no light-blue axis pixel and clear of the "Ctm" label.
  void CheckNoteClearOfAxes() {
    const auto image = ui->Image(WindowId::Kavrel_Form1, true);
    ASSERT_TRUE(image);
    struct Box {
      double left, top, right, bottom;
    };
    std::vector<Box> note;
    std::optional<Box> label;
    for (const DrawItem& item : ui->Window(WindowId::Kavrel_Form1).Items()) {
      const auto* t = std::get_if<TextItem>(&item);
      if (t == nullptr) continue;
      const PixelMap map(t->scale, {image->width, image->height});
      const double x = map.X(t->x), y = map.Y(t->y), h = FontPixels(t->fontSize, 1);
      const Box box{x, y, x + h * static_cast<double>(t->text.size()) / 2, y + h};
      if (t->text == "Ctm") label = box;
      if (t->text.find("(1+k)") == 0 || t->text.find("runs with") != std::string::npos ||
          t->text.find("are needed") != std::string::npos) {
        note.push_back(box);
      }
    }
    ASSERT_EQ(note.size(), 3U);
    ASSERT_TRUE(label);
    for (const Box& b : note) {
      EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right <= image->width && b.bottom <= image->height)
          << b.left << ", " << b.top;
      EXPECT_EQ(Count(*image, b.left, b.top, b.right, b.bottom, Colour::LightBlue), 0);
      EXPECT_FALSE(b.left < label->right && label->left < b.right && b.top < label->bottom &&
                   label->top < b.bottom);
      EXPECT_GE(Count(*image, b.left, b.top, b.right, b.bottom), 4) << "the note is drawn";
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

// The refusals the dialogues give, as the scripted front end receives them: the temperature
// outside the tables, an answer that is no number, a range, an order, a D value.
std::vector<std::string> RefusalTexts() {
  std::vector<std::string> texts;
  for (const std::vector<std::string>& answers :
       {std::vector<std::string>{"Y", "40", "x", "15", "1", "1.5", "13", "2", "1", "0", "21"},
        std::vector<std::string>{"", "2", "0"}}) {
    TempFolder folder;
    folder.Write(DataFileName, TestData("desktop_KAVREL_BAS.DAT"));
    ScriptedToolkit scripted(answers);
    EXPECT_THROW(RunAnalysis(scripted, Folder(folder.Path())), InputFault);
    texts.insert(texts.end(), scripted.messages.begin(), scripted.messages.end());
  }
  return texts;
}

// Every refusal in a box titled "kavrel" with the warning icon, its text wrapped to 480 pixels,
// wholly on the screen with its OK button (ctest runs this also on a screen 1024 pixels wide); a
// note with the information icon.
TEST_F(Desktop, MessageBoxesStayOnTheScreenAndShowWhatTheyAre) {
  const std::vector<std::string> refusals = RefusalTexts();
  ASSERT_EQ(refusals.size(), 6U);
  for (const std::string& text : refusals) ui->Message(text);
  ui->Note("A note.");
  ASSERT_EQ(ui->messages.size(), 7U);
  const auto [right, bottom] = ScreenEdges();
  for (const MessageBoxView& box : ui->messages) {
    SCOPED_TRACE(box.text);
    const bool note = box.text == "A note.";
    EXPECT_EQ(box.title + "|" + box.icon + "|" + box.buttons,
              std::string("kavrel|") + (note ? "i" : "!") + "|OK");
    EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.left + box.width <= right &&
                box.top + box.height <= bottom)
        << box.left << ", " << box.top << " " << box.width << " x " << box.height;
    EXPECT_TRUE(box.textWidth <= 480 && box.buttonRight <= box.width &&
                box.buttonBottom <= box.height);
    // Where the question boxes stand, unless the screen's edge is nearer.
    EXPECT_TRUE(box.left == 633 || box.left + box.width >= right - 2) << box.left;
  }
}

// Ctrl+Q at a question, then Go on, keeps the question; Ctrl+Q again, then Stop, ends the
// analysis: no report, and the earlier one as it was.
TEST_F(Desktop, StopAtAQuestionLeavesTheEarlierReport) {
  TempFolder folder;
  folder.Write(DataFileName, TestData("desktop_KAVREL_BAS.DAT"));
  folder.Write(ReportFileName, "the earlier report\n");
  int asked = 0;
  ui->SetAnswerSource([&](const QuestionBoxView& view) -> std::string {
    ++asked;
    return view.title == "smoothing type entry" ? PressCtrlQ : "";
  });
  int stopQuestions = 0;
  ui->SetMessageSource([&](const MessageBoxView& box) {
    EXPECT_EQ(box.title + "|" + box.icon + "|" + box.buttons + "|" + box.text,
              std::string("kavrel|?|Go on|Stop|") + DesktopToolkit::StopQuestionText);
    return ++stopQuestions == 2;  // Go on, then Stop
  });
  EXPECT_THROW(AnalyseAndWrite(*ui, Folder(folder.Path())), StoppedByUser);
  EXPECT_EQ(asked, 3);  // the temperature question, the smoothing question twice
  EXPECT_EQ(stopQuestions, 2);
  EXPECT_EQ(folder.Read(ReportFileName), "the earlier report\n");
  EXPECT_FALSE(folder.Exists(RunTableFileName));
}

// The notes that end a procedure early, and the missing (1+k), come as boxes with the
// information icon; the missing (1+k) is noted on the coefficient graph clear of its light-blue
// axes and of the "Ctm" label. The end of an analysis lists the files written and (1+k).
TEST_F(Desktop, NotesAndTheClosingBox) {
  const struct {
    std::string data;
    std::vector<std::string> answers;
    std::string note;
  } cases[]{
      {"h\nh\nh\nh\nh\nh\nh\nh\nh\n0 0\n\nSw Lwl\n4.2 5.0\nT\n15\n",
       {"", "1"},
       "There are no runs to smooth: the regression polynomial smoothing is skipped."},
      {TestData("small_KAVREL_BAS.DAT"),
       {"", "2"},
       "The wave resistance approach needs at least 6 runs at different speeds; this test has 4 "
       "runs. The smoothed CtmS is the measured Ctm."},
      {TestData("small_KAVREL_BAS.DAT"),
       {"", "1", "", "", "2", "", ""},
       "(1+k) not found: at least two runs with 0.1 < Fn < 0.2 are needed."},
      {"h\nh\nh\nh\nh\nh\nh\nh\nh\n2.0 1.0\n0 0\n\nSw Lwl\n4.2 5.0\nT\n15\n",  // one run
       {"", "1", "", "", "1", "", ""},
       "(1+k) not found: at least two runs with 0.1 < Fn < 0.2 are needed."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.note);
    TempFolder folder;
    folder.Write(DataFileName, c.data);
    std::size_t asked = 0;
    ui->messages.clear();
    ui->SetAnswerSource([&](const QuestionBoxView& view) {
      if (view.title == "calculation ending entry") CheckNoteClearOfAxes();
      return c.answers.at(asked++);
    });
    const Outcome outcome = AnalyseAndWrite(*ui, Folder(folder.Path()));
    ui->Finish({.note = ClosingNote(outcome, Folder(folder.Path()))});
    ASSERT_EQ(ui->messages.size(), 2U);
    EXPECT_EQ(ui->messages[0].icon + "|" + ui->messages[0].text, "i|" + c.note);
    const MessageBoxView& closing = ui->messages[1];
    EXPECT_EQ(closing.icon, "i");
    for (const std::string& text :
         {folder.Path().string(), std::string("KAVREL.OUT, KAVREL.csv, KAVREL_COEFFICIENTS.svg"),
          std::string("Form factor (1+k), smoothed data: not found")}) {
      EXPECT_NE(closing.text.find(text), std::string::npos) << closing.text;
    }
    for (WindowId id : AllWindows) EXPECT_FALSE(ui->Image(id)) << "closed with the box";
  }
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
  // The way out: Ctrl+Q in a question or a message box, or the close box of Form1, asks the
  // stop question; Go on (Escape) returns to the box, Stop (Return) ends the analysis. Closing a
  // graph window does nothing.
  plain->Window(WindowId::Ekran_Form1).Show();
  plain->Window(WindowId::Kavrel_Form1).Show();
  {
    const PersonAtDisplay person(
        {CloseGraphWindow, CtrlQ, Escape, CloseTextWindow, Escape, Return});
    EXPECT_EQ(plain->Ask({"prompt", "title", "Y"}), "Y");
    EXPECT_TRUE(person.Done());
  }
  for (const auto way : {CtrlQ, CloseTextWindow}) {
    const PersonAtDisplay person({way, Return});
    EXPECT_THROW(plain->Ask({"prompt", "title", "Y"}), StoppedByUser);
    EXPECT_TRUE(person.Done() && person.Read() == DesktopToolkit::StopQuestionText)
        << person.Read();
  }
  {
    const PersonAtDisplay person({CtrlQ, Return});
    EXPECT_THROW(plain->Message("A refusal."), StoppedByUser);
    EXPECT_TRUE(person.Done());
  }
  {
    const PersonAtDisplay person(Return);
    plain->Finish({.note = "Written."});
    EXPECT_TRUE(person.Done() && person.Read() == "Written.") << person.Read();
  }
}

}  // namespace
}  // namespace kavrel::test
