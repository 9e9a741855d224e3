// The terminal front end: questions on standard output, answers from standard input,
// the text window's prints on standard output, message boxes on standard error, and
// the graph windows kept as SVG pictures in the working folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <map>
#include <string>

#include "files/Folder.h"
#include "ui/Toolkit.h"

namespace kavrel {

class TerminalToolkit : public Toolkit {
 public:
  // Previews of the graph windows (KAVREL_COEFFICIENTS.preview.svg, ...) are rewritten in
  // `pictureFolder` (held open by the caller, who keeps it while this lives) before every
  // question and removed when the front end ends, or when the program is stopped by a
  // signal; null writes none. The final pictures are the
  // caller's business. With `echoAnswers` each answer read is printed after its
  // question, so that a log of a scripted run reads like a dialogue.
  TerminalToolkit(std::istream& in, std::ostream& out, std::ostream& err,
                  const Folder* pictureFolder, bool echoAnswers = false);
  ~TerminalToolkit() override;
  TerminalToolkit(const TerminalToolkit&) = delete;
  TerminalToolkit& operator=(const TerminalToolkit&) = delete;
  TerminalToolkit(TerminalToolkit&&) = delete;
  TerminalToolkit& operator=(TerminalToolkit&&) = delete;

  // The longest answer kept; a longer line is cut there and marked with "...".
  static constexpr std::size_t MaxAnswerLength = 1000;

  // Prints the title, the prompt and the default, then reads one line; CR and LF at its
  // end are removed; an empty line means the default. Throws InputFault at the end of input.
  std::string Ask(const Question& question) override;
  void Message(const std::string& text) override;
  // On standard error as "kavrel: note: ...", so that a script that keeps only the dialogue's
  // standard output away still has it; the text window's lines stay on standard output.
  void Note(const std::string& text) override;
  // The runs listed before a range is chosen, on standard output.
  void Transcript(const std::string& text) override;
  std::string HowToStop() const override;
  void Finish(const Closing& closing) override;

 protected:
  void WindowChanged(const DisplayWindow& window, const DrawItem* added) override;

 private:
  void WritePictures();
  // The next line of input without its LF; false at the end of input.
  bool ReadAnswerLine(std::string& line);

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  const Folder* pictures_;  // null for none
  std::map<WindowId, std::uint64_t> writtenRevision_;
  std::map<WindowId, int> previewListed_;  // previews written, and their slot for a stop
  bool echoAnswers_ = false;
  bool pictureWarningGiven_ = false;
};

}  // namespace kavrel
