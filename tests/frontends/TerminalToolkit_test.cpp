// The terminal front end's protocol: questions, answers, prints and messages.
#include <gtest/gtest.h>

#include <sstream>

#include "frontends/TerminalToolkit.h"
#include "text/Faults.h"

namespace kavrel {
namespace {

TEST(TerminalToolkit, AnswersAreLinesWithTheDefaultForAnEmptyOne) {
  std::istringstream in("N\r\n\n Y \n");
  std::ostringstream out;
  std::ostringstream err;
  TerminalToolkit ui(in, out, err, {});
  const Question question{"Convert? <N> ", "resistance temperature scaling", "N", 9500, 8500};
  EXPECT_EQ(ui.Ask(question), "N");
  EXPECT_EQ(ui.Ask({"p", "t", "default text", 9500, 8500}), "default text");
  EXPECT_EQ(ui.Ask(question), " Y ");  // blanks kept
  EXPECT_EQ(out.str(),
            "\n[resistance temperature scaling]\nConvert? <N> \nanswer (default N): "
            "\n[t]\np\nanswer (default default text): "
            "\n[resistance temperature scaling]\nConvert? <N> \nanswer (default N): ");
  EXPECT_THROW(ui.Ask(question), InputFault);
}

TEST(TerminalToolkit, TextWindowPrintsGoToOutputAndMessagesToErrors) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  TerminalToolkit ui(in, out, err, {});
  DisplayWindow& screen = ui.Window(WindowId::Ekran_Form1);
  screen.Show();
  screen.Print(" first");
  screen.Print(" second");
  ui.Window(WindowId::Kavrel_Form1).Print("not on the terminal");
  ui.Message("The answer \"x\" is not a number.");
  EXPECT_EQ(out.str(), " first\n second\n");
  EXPECT_EQ(err.str(), "The answer \"x\" is not a number.\n");
}

TEST(TerminalToolkit, EchoesPipedAnswers) {
  std::istringstream in("\n2\n");
  std::ostringstream out;
  std::ostringstream err;
  TerminalToolkit ui(in, out, err, {}, true);
  ui.Ask({"p", "t", "1", 9500, 8500});
  ui.Ask({"p", "t", "1", 9500, 8500});
  EXPECT_EQ(out.str(), "\n[t]\np\nanswer (default 1): \n\n[t]\np\nanswer (default 1): 2\n");
}

}  // namespace
}  // namespace kavrel
