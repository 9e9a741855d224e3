// kavrel's command line: picks the front end, runs one analysis in the folder given (the
// current folder when none is) and maps its outcome to the exit status.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>

#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "analysis/Analysis.h"
#include "app/Session.h"
#include "files/StopCleanup.h"
#include "frontends/DesktopLoader.h"
#include "frontends/TerminalToolkit.h"
#include "text/Faults.h"

namespace {

constexpr int ExitReportWritten = 0;
constexpr int ExitInputFault = 1;
constexpr int ExitCommandLine = 2;
constexpr int ExitWriteFault = 3;
constexpr int ExitInternalFault = 4;
constexpr int ExitOutputClosed = 5;
constexpr int ExitStoppedAfterWriting = 6;

// Set once the new outputs are in place (with the stop signals blocked), for the words and
// the status of a later stop.
volatile std::sig_atomic_t outputsSwitched = 0;  // NOLINT: read by the signal handler

void Say(std::string_view text) {
  [[maybe_unused]] const auto n = ::write(STDERR_FILENO, text.data(), text.size());
}

// SIGINT, SIGTERM, SIGHUP: the temporary files being written and the previews are removed,
// and the program ends, with status 1 while the earlier outputs are untouched and with status
// 6 once the new ones are all in place; nothing but async-signal-safe calls.
extern "C" void StopBySignal(int) {
  kavrel::RemoveListedFiles();
  if (outputsSwitched != 0) {
    Say("\nkavrel: stopped by the user after the report and every other file were written\n");
    ::_exit(ExitStoppedAfterWriting);
  }
  Say("\nkavrel: stopped by the user; no report was written\n");
  ::_exit(ExitInputFault);
}

// A fault that cannot be handled where it falls (memory running out in a destructor) ends
// the program with the internal error's status, not with an abort.
[[noreturn]] void Terminated() {
  Say(outputsSwitched != 0 ? "kavrel: internal error after every file was written\n"
                           : "kavrel: internal error (out of memory?); no report was written\n");
  ::_exit(ExitInternalFault);
}

void InstallSignalHandlers() {
  struct sigaction stop {};
  stop.sa_handler = StopBySignal;
  sigemptyset(&stop.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    sigaddset(&stop.sa_mask, signal);
  }
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &stop, nullptr);
  // A closed standard output (a pipe into `head`) must not end the analysis: writes to it fail
  // instead, and the exit status says so.
  std::signal(SIGPIPE, SIG_IGN);
}

constexpr std::string_view Usage =
    "Usage: kavrel [--terminal | --desktop] [FOLDER]\n"
    "       kavrel --help | --version\n"
    "\n"
    "Analyses the towing-tank resistance test in KAVREL_BAS.DAT in FOLDER (the current folder\n"
    "when none is given) and writes the report KAVREL.OUT there, with the run table KAVREL.csv\n"
    "and the pictures KAVREL_COEFFICIENTS.svg, KAVREL_FORM_FACTOR_RAW.svg and\n"
    "KAVREL_FORM_FACTOR_SMOOTHED.svg. With a ship file KAVREL_SHIP.DAT beside it, also the\n"
    "full-scale prediction KAVREL_SHIP.OUT, KAVREL_SHIP.csv and KAVREL_SHIP.svg.\n"
    "\n"
    "  --terminal  questions on standard output, answers from standard input, one line each\n"
    "              (an empty line takes the default)\n"
    "  --desktop   windows and question boxes; fails when no display can be opened\n"
    "  (neither)   windows when a display can be opened, otherwise the terminal\n"
    "  --help      this text\n"
    "  --version   the program's version\n"
    "  FOLDER      the folder of the test, where every file is written (default: the\n"
    "              current folder)\n"
    "\n"
    "To stop an analysis: in the terminal Ctrl+C or the end of the input (Ctrl+D); on the\n"
    "desktop Ctrl+Q or closing the window Form1, then Stop. No report is written then, and an\n"
    "earlier KAVREL.OUT stays as it is.\n"
    "\n"
    "Exit status: 0 report written, 1 fault in the data file or the answers, or stopped by the\n"
    "user (no report), 2 wrong command line, 3 the report or a picture could not be written,\n"
    "4 internal error (out of memory), 5 report written but standard output was closed early.\n";

enum class FrontEnd { Automatic, Terminal, Desktop };

// What the command line asks for.
struct CommandLine {
  FrontEnd frontEnd = FrontEnd::Automatic;
  std::optional<std::string> folder;  // the current folder when none is given
};

int Fail(int status, const std::string& message, kavrel::Toolkit* ui) {
  std::cerr << "kavrel: " << message << "\n";
  try {
    if (ui != nullptr) ui->Failed(message);
  } catch (const std::exception&) {
    // The program ends anyway, the message said on standard error (a stop, or a box that
    // failed too).
  }
  return status;
}

// Why the folder named on the command line cannot be analysed, empty when it can be opened.
std::string FolderArgumentFault(const std::string& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0) {
    return errno == ENOENT ? "the folder '" + folder + "' does not exist"
                           : "cannot open the folder '" + folder + "': " + std::strerror(errno);
  }
  if (!S_ISDIR(status.st_mode)) return "'" + folder + "' is not a folder";
  return {};
}

int UsageFault(std::string_view argument) {
  std::cerr << "kavrel: unknown or conflicting argument '" << argument << "'\n\n" << Usage;
  return ExitCommandLine;
}

// The command line read, or the exit status when the program ends here (--help, --version,
// a wrong argument).
std::variant<CommandLine, int> ParseCommandLine(int argc, char** argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::cout << Usage;
      return ExitReportWritten;
    }
    if (argument == "--version") {
      std::cout << "kavrel " << KAVREL_VERSION << "\n";
      return ExitReportWritten;
    }
    if (!argument.starts_with('-')) {
      // The folder of the test; one only.
      if (line.folder || argument.empty()) return UsageFault(argument);
      line.folder = std::string(argument);
      continue;
    }
    const FrontEnd wanted = argument == "--terminal"  ? FrontEnd::Terminal
                            : argument == "--desktop" ? FrontEnd::Desktop
                                                      : FrontEnd::Automatic;
    if (wanted == FrontEnd::Automatic ||
        (line.frontEnd != FrontEnd::Automatic && line.frontEnd != wanted)) {
      return UsageFault(argument);
    }
    line.frontEnd = wanted;
  }
  return line;
}

// The folder of the test held open, or the exit status when it cannot be.
std::variant<std::unique_ptr<kavrel::Folder>, int> OpenFolder(const CommandLine& line) {
  std::filesystem::path folder;
  if (line.folder) {
    if (const std::string fault = FolderArgumentFault(*line.folder); !fault.empty())
      return Fail(ExitCommandLine, fault, nullptr);
    folder = *line.folder;
  } else {
    std::error_code error;
    folder = std::filesystem::current_path(error);
    if (error)
      return Fail(ExitInputFault, "cannot find the current folder: " + error.message(), nullptr);
  }
  try {
    return std::make_unique<kavrel::Folder>(folder);
  } catch (const kavrel::InputFault& fault) {
    return Fail(line.folder ? ExitCommandLine : ExitInputFault, fault.what(), nullptr);
  }
}

// The front end the command line asks for: the desktop when it can be had (and is wanted),
// otherwise the terminal; null, with the exit status in `status`, when --desktop cannot be had.
std::unique_ptr<kavrel::Toolkit> OpenFrontEnd(FrontEnd choice, const kavrel::Folder& folder,
                                              int& status) {
  if (choice != FrontEnd::Terminal) {
    kavrel::DesktopLoad load = kavrel::LoadDesktop();
    if (load.desktop) return std::move(load.desktop);
    if (choice == FrontEnd::Desktop) {
      status = Fail(ExitCommandLine,
                    load.why == kavrel::DesktopUnavailable::NoDisplay
                        ? "--desktop: no display can be opened: " + load.whyNot
                        : "--desktop: " + load.whyNot,
                    nullptr);
      return nullptr;
    }
    if (load.why == kavrel::DesktopUnavailable::NoModule) {
      std::cerr << "kavrel: " << load.whyNot << "; the analysis runs in the terminal\n";
    }
  }
  // Answers piped in are not echoed by a terminal: print them, so the log reads well. Answers
  // read from a file come all at once and nobody watches the previews between them: none are
  // written then.
  struct stat input {};
  const bool answersFromFile = ::fstat(STDIN_FILENO, &input) == 0 && S_ISREG(input.st_mode);
  return std::make_unique<kavrel::TerminalToolkit>(std::cin, std::cout, std::cerr,
                                                   answersFromFile ? nullptr : &folder,
                                                   isatty(STDIN_FILENO) == 0);
}

// One analysis in `folder` with the front end `ui`, its outcome as the exit status.
int Run(kavrel::Toolkit& ui, const kavrel::Folder& folder) {
  try {
    const kavrel::Outcome outcome =
        kavrel::AnalyseAndWrite(ui, folder, [] { outputsSwitched = 1; });
    ui.Finish(kavrel::ClosingWords(outcome, folder));
    if (!std::cout.flush()) {
      std::cerr << "kavrel: the report was written, but standard output was closed before the "
                   "end\n";
      return ExitOutputClosed;
    }
    return ExitReportWritten;
  } catch (const kavrel::StoppedByUser& stop) {
    return Fail(ExitInputFault, stop.what(), nullptr);
  } catch (const kavrel::InputFault& fault) {
    return Fail(ExitInputFault, fault.what(), &ui);
  } catch (const kavrel::WriteFault& fault) {
    return Fail(ExitWriteFault, fault.what(), &ui);
  } catch (const std::bad_alloc&) {
    return Fail(ExitInternalFault, "out of memory; no report was written", &ui);
  } catch (const std::exception& fault) {
    return Fail(ExitInternalFault,
                std::string("internal error: ") + fault.what() + "; no report was written", &ui);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // First of all: a stop in the first milliseconds ends the program as any other does.
  InstallSignalHandlers();
  std::set_terminate(Terminated);
  const auto line = ParseCommandLine(argc, argv);
  if (const int* status = std::get_if<int>(&line)) return *status;
  const CommandLine& options = std::get<CommandLine>(line);
  auto opened = OpenFolder(options);
  if (const int* status = std::get_if<int>(&opened)) return *status;
  // Held open for the whole run; declared before the front end, which writes its previews in
  // it and so must end first.
  const std::unique_ptr<kavrel::Folder> folder = std::move(std::get<0>(opened));
  int status = ExitReportWritten;
  const std::unique_ptr<kavrel::Toolkit> ui = OpenFrontEnd(options.frontEnd, *folder, status);
  if (!ui) return status;
  return Run(*ui, *folder);
}
