// The desktop front end on an X display (skipped, saying why, without one): whole analyses
// through the real question boxes end with the scripted front end's report and the closing box,
// every window's picture captured at the last question shows what it should, the question box
// itself, and the program's own boxes waiting for the person at the display.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
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
const std::string Data = TestData("desktop_KAVREL_BAS.DAT");
const double Speeds[] = {0.65, 0.75, 0.85, 0.95, 1.05, 1.15, 1.30, 1.45, 1.60, 1.75, 1.90, 2.10};
// A data file of a 5 m model, Sw 4.2 m2, at 15 degrees with these runs ("Rtm Vm" lines).
std::string DataFile(const std::string& runs) {
  return "h\nh\nh\nh\nh\nh\nh\nh\nh\n" + runs + "0 0\n\nSw Lwl\n4.2 5.0\nT\n15\n";
}

struct Box {
  double left, top, right, bottom;
};

// Pixels of `image` in `box` of the palette colour `colour`, or with ink (text is drawn
// anti-aliased: not near white) when `colour` < 0.
int Count(const WindowImage& image, const Box& box, int colour = -1) {
  const Rgb c = PaletteColour(colour);
  int count = 0;
  for (int y = std::max(0, int(box.top)); y <= std::min(image.height - 1.0, box.bottom); ++y)
    for (int x = std::max(0, int(box.left)); x <= std::min(image.width - 1.0, box.right); ++x) {
      const Rgb p = image.At(x, y);
      count += colour < 0 ? p.red < 200 || p.blue < 200
                          : p.red == c.red && p.green == c.green && p.blue == c.blue;
    }
  return count;
}

bool InView(const WindowImage& image, double x, double y, int border) {
  return x >= border && y >= border && x < image.width - border && y < image.height - border;
}

// Where a printed text lies in the window's picture: below and right of its corner, its
// characters half as wide as the font is high.
Box TextBox(const TextItem& t, const WindowImage& image) {
  const PixelMap map(t.scale, {image.width, image.height});
  const double x = map.X(t.x), y = map.Y(t.y), h = FontPixels(t.fontSize, 1);
  return {x, y, x + h * static_cast<double>(t.text.size()) / 2, y + h};
}

class Desktop : public ::testing::Test {
 public:
  void SetUp() override {
    std::string whyNot;
    ui = TestDesktopToolkit::Open(whyNot);
    if (!ui) GTEST_SKIP() << "the desktop front end needs an X display: " << whyNot;
  }

  // Runs the analysis of `data` on the scripted front end and then, in the same folder with the
  // same answers, on the desktop up to its closing box; `atLastQuestion` looks at the windows
  // while the last question is up. Returns the message boxes the desktop showed.
  std::vector<MessageBoxView> Run(const std::string& data, const std::vector<std::string>& answers,
                                  void (Desktop::*atLastQuestion)() const) {
    TempFolder folder;
    folder.Write(DataFileName, data);
    ScriptedToolkit scripted(answers);
    RunAnalysis(scripted, Folder(folder.Path()));
    const std::string report = folder.Read(ReportFileName);
    std::size_t asked = 0;
    ui->messages.clear();
    ui->SetAnswerSource([&](const QuestionBoxView& view) {
      // Each box at 9500, 8500 twips with its title, its prompt and the default selected.
      const Question& q = scripted.questions.at(asked);
      EXPECT_EQ(view.title + "|" + view.prompt + "|" + view.fieldText,
                q.title + "|" + q.prompt + "|" + q.defaultText);
      EXPECT_EQ(view.selected, static_cast<int>(q.defaultText.size()));
      EXPECT_TRUE(view.left == 633 && view.top == 566) << view.left << ", " << view.top;
      if (view.title == "calculation ending entry") (this->*atLastQuestion)();
      if (view.title == " 1 < Order < 19" && data == Data) CheckRunList();
      return answers.at(asked++);
    });
    const Folder open(folder.Path());
    ui->Finish({.note = ClosingNote(AnalyseAndWrite(*ui, open), open)});
    EXPECT_TRUE(asked == answers.size() && asked == scripted.questions.size()) << asked;
    EXPECT_EQ(folder.Read(ReportFileName), report);
    EXPECT_NE(ui->messages.back().text.find(folder.Path().string()), std::string::npos);
    for (WindowId id : AllWindows) EXPECT_FALSE(ui->Image(id)) << "closed with the closing box";
    return ui->messages;
  }

  // All four windows are up at the last question, at their placement at 15 twips a pixel, and
  // the coefficient graph on the screen is its whole drawing. Every item of each display list
  // that lies in view shows in the window's picture: each circle its colour on its ring,
  // nearly every line its colour at its middle (a later item may cover a few), each text ink
  // in its box. So the dark-red run targets, the cyan Ctm curve, the light-blue axes and all
  // captions and labels are checked.
  void CheckPictures() const {
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
                      Count(*image, {x - r, y - r, x + r, y + r}, c->colour))
              << caption << ": circle at " << x << ", " << y;
        } else if (const auto* l = std::get_if<LineItem>(&item)) {
          const double x = map.X(0.5 * (l->x1 + l->x2)), y = map.Y(0.5 * (l->y1 + l->y2));
          lines += InView(*image, x, y, 2);
          linesShown +=
              InView(*image, x, y, 2) && Count(*image, {x - 1, y - 1, x + 1, y + 1}, l->colour);
        } else if (const auto* t = std::get_if<TextItem>(&item)) {
          const Box box = TextBox(*t, *image);
          EXPECT_TRUE(!InView(*image, box.left, box.top, 0) ||
                      t->text.find_first_not_of(' ') == std::string::npos ||
                      Count(*image, box) >= 4)
              << caption << ": " << t->text;
        }
      }
      EXPECT_GE(linesShown * 10, lines * 9) << caption << ": " << linesShown << " of " << lines;
      EXPECT_TRUE(id != WindowId::Kavrel_Form1 || circles == 3 * 12) << circles;
    }
  }

  // On the coefficient graph, the three lines of the missing-(1+k) note are drawn in the window
  // with no light-blue axis pixel and clear of the "Ctm" label.
  void CheckNoteClearOfAxes() const {
    const auto image = ui->Image(WindowId::Kavrel_Form1, true);
    ASSERT_TRUE(image);
    std::vector<Box> note, labels;
    for (const DrawItem& item : ui->Window(WindowId::Kavrel_Form1).Items()) {
      const auto* t = std::get_if<TextItem>(&item);
      if (t != nullptr && t->text == "Ctm") labels.push_back(TextBox(*t, *image));
      if (t != nullptr && (t->text.starts_with("(1+k)") || t->text.ends_with("runs with") ||
                           t->text.ends_with("are needed")))
        note.push_back(TextBox(*t, *image));
    }
    ASSERT_EQ(note.size(), 3U);
    ASSERT_FALSE(labels.empty());
    for (const Box& b : note) {
      EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right <= image->width && b.bottom <= image->height)
          << b.left << ", " << b.top;
      EXPECT_EQ(Count(*image, b, Colour::LightBlue), 0);
      for (const Box& l : labels)
        EXPECT_FALSE(b.left < l.right && l.left < b.right && b.top < l.bottom && l.top < b.bottom);
      EXPECT_GE(Count(*image, b), 4) << "the note is drawn";
    }
  }

  // Form1 holds every text of `expected` (its lines joined by blanks), in the fixed-pitch font,
  // each line inked and wholly inside the window, and the window wholly on the screen.
  void CheckTableWhole(const std::vector<std::string>& expected) const {
    const auto image = ui->Image(WindowId::Ekran_Form1, true);
    ASSERT_TRUE(image);
    const auto [right, bottom] = ScreenEdges();
    EXPECT_TRUE(image->left >= 0 && image->top >= 0 && image->left + image->width <= right &&
                image->top + image->height <= bottom);
    std::string shown;
    for (const DrawItem& item : ui->Window(WindowId::Ekran_Form1).Items()) {
      const auto& t = std::get<TextItem>(item);
      const PixelMap map(t.scale, {image->width, image->height});
      // Fixed-pitch characters are 0.6 of the font's size wide.
      const double x = map.X(t.x), y = map.Y(t.y), h = FontPixels(t.fontSize, 1);
      const Box box{x, y, x + 0.6 * h * static_cast<double>(t.text.size()), y + h};
      EXPECT_EQ(t.fontName, "Courier New");
      EXPECT_TRUE(h >= 10 && box.left >= 0 && box.top >= 0 && box.right <= image->width &&
                  box.bottom <= image->height)
          << t.text << " at " << x << ", " << y << " in " << image->width << " x " << image->height;
      EXPECT_GE(Count(*image, box), 4) << t.text;
      shown += t.text + " ";
    }
    for (const std::string& text : expected) EXPECT_NE(shown.find(text), std::string::npos) << text;
  }

  // The runs numbered on Form1 with their Froude numbers, worked out from the speeds.
  void CheckRunList() const {
    std::vector<std::string> rows{"The runs by speed (NS and ND are their numbers NO):"};
    for (int i = 0; i < 12; ++i) {
      std::array<char, 32> row{};
      std::snprintf(row.data(), row.size(), "%4d %7.3f ", i + 1,
                    Speeds[i] / std::sqrt(9.80665 * 4));
      rows.emplace_back(row.data());
    }
    CheckTableWhole(rows);
  }

  std::unique_ptr<TestDesktopToolkit> ui;
};

TEST_F(Desktop, WholeAnalysesOfBothSmoothingMethods) {
  // Keep 15 degrees; polynomial; NS 1, ND 0, order 4, fit refused; again with order 3,
  // accepted; the calculation accepted.
  Run(Data, {"", "1", "", "", "4", "n", "1", "0", "3", "", ""}, &Desktop::CheckPictures);
  // Keep 15 degrees; Munk; D(1) to D(4) each confirmed with the default Y; accepted.
  Run(Data, {"", "2", "0.3", "", "0.5", "", "0.7", "", "0.9", "", ""}, &Desktop::CheckPictures);
}

// The notes that end a procedure early, and the missing (1+k), come as boxes with the
// information icon; the missing (1+k) is noted on the coefficient graph clear of its light-blue
// axes and of the "Ctm" label. The closing box lists the files written and (1+k).
TEST_F(Desktop, NotesAndTheClosingBox) {
  const std::string small = TestData("small_KAVREL_BAS.DAT"),
                    notFound = "(1+k) not found: at least two runs with 0.1 < Fn < 0.2 are needed.";
  const struct {
    std::string data;
    std::vector<std::string> answers;
    std::string note;
  } cases[]{
      {DataFile(""),
       {"", "1"},
       "There are no runs to smooth: the regression polynomial smoothing is skipped."},
      {small,
       {"", "2"},
       "The wave resistance approach needs at least 6 runs at different speeds; this test has 4 "
       "runs. The smoothed CtmS is the measured Ctm."},
      {small, {"", "1", "", "", "2", "", ""}, notFound},
      {DataFile("2.0 1.0\n"), {"", "1", "", "", "1", "", ""}, notFound},  // one run
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.note);
    const auto boxes = Run(c.data, c.answers, &Desktop::CheckNoteClearOfAxes);
    ASSERT_EQ(boxes.size(), 2U);
    EXPECT_EQ(boxes[0].icon + "|" + boxes[0].text, "i|" + c.note);
    EXPECT_EQ(boxes[1].icon, "i");
    for (const char* text : {"KAVREL.OUT, KAVREL.csv, KAVREL_COEFFICIENTS.svg",
                             "Form factor (1+k), smoothed data: not found"})
      EXPECT_NE(boxes[1].text.find(text), std::string::npos) << boxes[1].text;
  }
}

// The ship summary on Form1 at 12 and 99 speeds: the method and (1+k) of its title, and every
// speed, inside the window (grown as needed) in a fixed-pitch font (ctest runs this also on a
// screen 1024 pixels wide).
TEST_F(Desktop, ShipSummaryWhole) {
  for (const int speeds : {12, 99}) {
    TextTable summary{
        "Full-scale prediction (ittc-2011: ITTC-1978 with the revised allowances of "
        "2011), (1+k) = 1.1169 from the smoothed runs:",
        {},
        {}};
    for (int i = 0; i < speeds; ++i) {
      summary.rows.push_back("  Vs = " + std::to_string(10 + i) +
                             ".25 kn   Pe = " + std::to_string(10000 + i) + ".5 kW");
    }
    ui->ShowTable(summary);
    std::vector<std::string> expected = summary.rows;
    expected.push_back(summary.title);
    CheckTableWhole(expected);
  }
}

// Every refusal the dialogues give (the temperature outside the tables, an answer that is no
// number, a range, an order, a D value, as the scripted front end receives them) in a box titled
// "kavrel" with the warning icon, its text wrapped to 480 pixels, wholly on the screen with its
// OK button (ctest runs this also on a screen 1024 pixels wide); a note with the information
// icon.
TEST_F(Desktop, MessageBoxesStayOnTheScreenAndShowWhatTheyAre) {
  std::vector<std::string> texts;
  for (const std::vector<std::string>& answers :
       {std::vector<std::string>{"Y", "40", "x", "15", "1", "1.5", "13", "2", "1", "0", "21"},
        std::vector<std::string>{"", "2", "0"}}) {
    TempFolder folder;
    folder.Write(DataFileName, Data);
    ScriptedToolkit scripted(answers);
    EXPECT_THROW(RunAnalysis(scripted, Folder(folder.Path())), InputFault);
    texts.insert(texts.end(), scripted.messages.begin(), scripted.messages.end());
  }
  ASSERT_EQ(texts.size(), 6U);
  // A word longer than a line, broken.
  const std::string longWord = "Written in /" + std::string(300, 'x') + "/.";
  texts.push_back(longWord);
  for (const std::string& text : texts) ui->Message(text);
  ui->Note("A note.");
  ASSERT_EQ(ui->messages.size(), 8U);
  const auto [right, bottom] = ScreenEdges();
  for (const MessageBoxView& box : ui->messages) {
    SCOPED_TRACE(box.text);
    EXPECT_EQ(box.title + "|" + box.icon + "|" + box.buttons,
              std::string("kavrel|") + (box.text == "A note." ? "i" : "!") + "|OK");
    EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.left + box.width <= right &&
                box.top + box.height <= bottom)
        << box.left << ", " << box.top << " " << box.width << " x " << box.height;
    EXPECT_TRUE(box.textWidth <= 480 && box.buttonRight <= box.width &&
                box.buttonBottom <= box.height);
    EXPECT_TRUE(box.text != longWord || box.textHeight > 60) << box.textHeight;
    // Where the question boxes stand, unless the screen's edge is nearer.
    EXPECT_TRUE(box.left == 633 || box.left + box.width >= right - 2) << box.left;
  }
}

// Ctrl+Q at a question, then Go on, keeps the question; Ctrl+Q again, then Stop, ends the
// analysis: no report, and the earlier one as it was.
TEST_F(Desktop, StopAtAQuestionLeavesTheEarlierReport) {
  TempFolder folder;
  folder.Write(DataFileName, Data);
  folder.Write(ReportFileName, "the earlier report\n");
  int asked = 0, stopQuestions = 0;
  ui->SetAnswerSource([&](const QuestionBoxView& view) -> std::string {
    ++asked;
    return view.title == "smoothing type entry" ? PressCtrlQ : "";
  });
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

// The program's own front end, with no hooks, waits in each box for the person at the display:
// Return keeps the default, Escape and the close box give the empty text; a message box shows
// its text as it is, "%" and all, and closes on Return and on its close box. The way out:
// Ctrl+Q in a question or a message box, or the close box of Form1, asks the stop question; Go on
// (Escape) returns to the box, Stop (Return) ends the analysis. Closing a graph window does
// nothing. Everything is written at the closing box: Ctrl+Q and Form1's close box close it.
TEST_F(Desktop, BoxesWaitForThePersonAtTheDisplay) {
  std::string whyNot;
  const auto plain = DesktopToolkit::Open(whyNot);
  ASSERT_TRUE(plain) << whyNot;
  using enum PersonAtDisplay::Action;
  const std::string percent = "100% of %d and %s", stop = DesktopToolkit::StopQuestionText;
  const auto ask = [&] { return plain->Ask({"prompt", "title", "Y"}); };
  const auto message = [&] { return plain->Message(percent), std::string(); };
  const auto finish = [&] {
    plain->Window(WindowId::Ekran_Form1).Show();
    return plain->Finish({.note = "Written."}), std::string();
  };
  const struct {
    std::vector<PersonAtDisplay::Action> actions;
    std::function<std::string()> call;
    std::string result, read{};  // what the call gives ("stopped": StoppedByUser), the box's text
  } steps[] = {
      {{Return}, ask, "Y"},
      {{Escape}, ask, ""},
      {{CloseBox}, ask, ""},
      {{Return}, message, "", percent},
      {{CloseBox}, message, "", percent},
      {{CloseGraphWindow, CtrlQ, Escape, CloseTextWindow, Escape, Return}, ask, "Y"},
      {{CtrlQ, Return}, ask, "stopped", stop},
      {{CloseTextWindow, Return}, ask, "stopped", stop},
      {{CtrlQ, Return}, [&] { return plain->Message("A refusal."), std::string(); }, "stopped"},
      {{Return}, finish, "", "Written."},
      {{CtrlQ}, finish, "", "Written."},
      {{CloseTextWindow}, finish, "", "Written."},
  };
  for (const auto& step : steps) {
    if (step.actions.front() == CloseGraphWindow) {
      plain->Window(WindowId::Ekran_Form1).Show();
      plain->Window(WindowId::Kavrel_Form1).Show();
    }
    const PersonAtDisplay person(step.actions);
    std::string result = "stopped";
    try {
      result = step.call();
    } catch (const StoppedByUser&) {
    }
    EXPECT_EQ(result, step.result) << step.read;
    EXPECT_TRUE(person.Done()) << step.result;
    EXPECT_TRUE(step.read.empty() || person.Read() == step.read) << person.Read();
  }
}

// The closing box offers to open the report page only where PATH has an opener.
TEST_F(Desktop, OpenTheReportOnlyWithAnOpener) {
  TempFolder bin;
  const char* const before = std::getenv("PATH");
  const std::string path = before != nullptr ? before : "";
  for (const bool opener : {true, false}) {
    if (opener) {
      bin.Write(DesktopToolkit::Opener, "#!/bin/sh\n");
      std::filesystem::permissions(bin.Path() / DesktopToolkit::Opener,
                                   std::filesystem::perms::owner_all);
    }
    setenv("PATH", (bin.Path().string() + (opener ? "" : "/none")).c_str(), 1);
    ui->Finish({.note = "Written.", .reportPage = "/tmp/KAVREL.html"});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(ui->messages.back().buttons, opener ? "&Open the report|OK" : "OK");
  }
}

}  // namespace
}  // namespace kavrel::test
