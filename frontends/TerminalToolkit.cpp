// The terminal front end of the window-and-question interface.
#include "frontends/TerminalToolkit.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>
#include <ostream>
#include <string>
#include <variant>

#include "files/StopCleanup.h"
#include "frontends/SvgWriter.h"
#include "text/Faults.h"
#include "text/LineReader.h"

namespace kavrel {

TerminalToolkit::TerminalToolkit(std::istream& in, std::ostream& out, std::ostream& err,
                                 const Folder* pictureFolder, bool echoAnswers)
    : in_(in), out_(out), err_(err), pictures_(pictureFolder), echoAnswers_(echoAnswers) {}

TerminalToolkit::~TerminalToolkit() {
  for (const auto& [id, slot] : previewListed_) {
    const std::string name = SvgPreviewFileName(id);
    if (::unlinkat(pictures_->Descriptor(), name.c_str(), 0) != 0 && errno != ENOENT) {
      err_ << "kavrel: warning: cannot remove the preview " << name << " in "
           << pictures_->Path().string() << ": " << std::strerror(errno) << "\n";
    }
    ForgetOnStop(slot);
  }
}

std::string TerminalToolkit::Ask(const Question& question) {
  // The engineer may keep the pictures open while answering.
  WritePictures();
  out_ << "\n[" << question.title << "]\n"
       << question.prompt << "\n"
       << "answer (default " << question.defaultText << "): " << std::flush;
  std::string line;
  if (!ReadAnswerLine(line)) {
    out_ << "\n" << std::flush;
    throw InputFault("end of input while waiting for an answer to \"" + question.title + "\"");
  }
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  if (echoAnswers_) out_ << line << "\n";
  if (line.empty()) return question.defaultText;
  return line;
}

bool TerminalToolkit::ReadAnswerLine(std::string& line) {
  // Read through the stream buffer so that a line of any length (a file piped in by
  // mistake) costs bounded memory; the characters beyond the limit are dropped and the
  // answer is marked as cut, so that it is never taken for a number or a yes.
  line.clear();
  if (!in_) return false;
  auto read = ReadBoundedLine(*in_.rdbuf(), MaxAnswerLength);
  if (!read) {
    in_.setstate(std::ios::eofbit | std::ios::failbit);
    return false;
  }
  line = std::move(read->text);
  if (read->cut) line += "...";
  return true;
}

void TerminalToolkit::Message(const std::string& text) {
  err_ << text << "\n" << std::flush;
}

void TerminalToolkit::Note(const std::string& text) {
  err_ << "kavrel: note: " << text << "\n" << std::flush;
}

void TerminalToolkit::Transcript(const std::string& text) {
  out_ << text;
}

std::string TerminalToolkit::HowToStop() const {
  return "press Ctrl+C or end the input (Ctrl+D)";
}

void TerminalToolkit::Finish(const Closing& closing) {
  out_ << "\nThe report is written to " << closing.reportPath << "\n";
  if (!closing.written.empty()) out_ << "Files written there: " << closing.written << "\n";
  for (const std::string& note : closing.pictureNotes) Note(note);
  out_ << closing.formFactors;
  if (!closing.shipSummary.empty()) out_ << "\n" << closing.shipSummary;
  out_ << std::flush;
}

void TerminalToolkit::WindowChanged(const DisplayWindow& window, const DrawItem* added) {
  if (window.Id() != WindowId::Ekran_Form1 || added == nullptr) return;
  if (const auto* text = std::get_if<TextItem>(added)) out_ << text->text << "\n";
}

void TerminalToolkit::WritePictures() {
  if (pictures_ == nullptr) return;
  for (WindowId id : AllWindows) {
    const DisplayWindow& window = Window(id);
    const std::string name = SvgPreviewFileName(id);
    if (name.empty() || !window.Shown()) continue;
    auto& written = writtenRevision_[id];
    if (written == window.Revision()) continue;
    // A preview for the engineer's browser: the final pictures are written durably at the end.
    const auto failure = WriteSvgFile(window, *pictures_, name, Durability::Preview);
    if (!failure) {
      written = window.Revision();
      if (!previewListed_.contains(id)) {
        previewListed_[id] = RemoveOnStop(pictures_->Descriptor(), name.c_str());
      }
    } else if (!pictureWarningGiven_) {
      err_ << "kavrel: warning: "
           << WriteFailureText("the preview", name, *pictures_, *failure, false) << "\n";
      pictureWarningGiven_ = true;
    }
  }
}

}  // namespace kavrel
