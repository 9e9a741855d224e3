// The terminal front end's protocol: questions, answers, prints and messages.
#include "frontends/TerminalToolkit.h"

#include <gtest/gtest.h>

#include <sstream>

#include "text/Faults.h"

namespace kavrel {
namespace {

TEST(TerminalToolkit, QuestionsAnswersPrintsAndMessages) {
  // Answers are lines without their CR LF, blanks kept; an empty line takes the default; piped
  // answers are echoed after their question, and the end of input ends the analysis.
  std::istringstream in("N\r\n\n Y \n");
  std::ostringstream out, err;
  TerminalToolkit ui(in, out, err, nullptr, true);
  const Question question{"Convert? <N> ", "resistance temperature scaling", "N"};
  EXPECT_EQ(ui.Ask(question), "N");
  EXPECT_EQ(ui.Ask({"p", "t", "default text"}), "default text");
  EXPECT_EQ(ui.Ask(question), " Y ");
  EXPECT_THROW(ui.Ask(question), InputFault);
  // The text window's prints go to the output, the other windows' do not; messages to errors.
  DisplayWindow& screen = ui.Window(WindowId::Ekran_Form1);
  screen.Show();
  screen.Print(" first");
  screen.Print(" second");
  ui.Window(WindowId::Kavrel_Form1).Print("not on the terminal");
  ui.Message("The answer \"x\" is not a number.");
  const std::string asked =
      "\n[resistance temperature scaling]\nConvert? <N> \nanswer (default N): ";
  EXPECT_EQ(out.str(), asked + "N\n\n[t]\np\nanswer (default default text): \n" + asked + " Y \n" +
                           asked + "\n first\n second\n");
  EXPECT_EQ(err.str(), "The answer \"x\" is not a number.\n");
  // Typed answers are not echoed.
  std::istringstream typed("2\n");
  std::ostringstream quiet;
  TerminalToolkit{typed, quiet, err, nullptr}.Ask({"p", "t", "1"});
  EXPECT_EQ(quiet.str(), "\n[t]\np\nanswer (default 1): ");
}

}  // namespace
}  // namespace kavrel
