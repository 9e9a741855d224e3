// A front end for tests: answers come from a list, every question and message is recorded.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "ui/Toolkit.h"

namespace kavrel::test {

class ScriptedToolkit : public Toolkit {
 public:
  explicit ScriptedToolkit(std::vector<std::string> answers = {});

  // Answers the next question with the next listed answer; an empty listed answer
  // stands for the default (as accepting the pre-filled box). Throws InputFault
  // ("end of input") when the list is used up.
  std::string Ask(const Question& question) override;
  void Message(const std::string& text) override;
  void Note(const std::string& text) override;

  std::vector<Question> questions;
  std::vector<std::string> messages;
  std::vector<std::string> notes;

 private:
  std::deque<std::string> answers_;
};

// The texts printed on a window, in order.
std::vector<std::string> PrintedTexts(const DisplayWindow& window);

// The window's scale "(left,top) (right,bottom):" and its items from `from` up to `to`, each as
// "L (x1,y1) (x2,y2) colour/pen;", "C (x,y) radius colour/pen;" or "T (x,y) 'text' size colour;"
// (a font other than Times New Roman marked "?"); %g hides rounding in the last place.
std::string Picture(const DisplayWindow& window, std::size_t from = 0,
                    std::size_t to = static_cast<std::size_t>(-1));

}  // namespace kavrel::test
