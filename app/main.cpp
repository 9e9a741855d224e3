// kavrel's command line: picks the front end, runs one analysis in the folder given (the
// current folder when none is), or many with --answers, and maps the outcome to the exit
// status.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "analysis/Analysis.h"
#include "app/Batch.h"
#include "app/ExitStatus.h"
#include "app/Session.h"
#include "files/StopCleanup.h"
#include "frontends/DesktopLoader.h"
#include "frontends/TerminalToolkit.h"
#include "text/Faults.h"

namespace {

constexpr int ExitReportWritten = kavrel::exits::ReportWritten;
constexpr int ExitInputFault = kavrel::exits::InputFault;
constexpr int ExitCommandLine = kavrel::exits::CommandLine;
constexpr int ExitWriteFault = kavrel::exits::WriteFault;
constexpr int ExitInternalFault = kavrel::exits::InternalFault;
constexpr int ExitOutputClosed = kavrel::exits::OutputClosed;
constexpr int ExitStoppedAfterWriting = kavrel::exits::StoppedAfterWriting;

// Set once the new outputs are in place (with the stop signals blocked), for the words and
// the status of a later stop.
volatile std::sig_atomic_t outputsSwitched = 0;  // NOLINT: read by the signal handler
// Set while many folders are analysed, for the words of a stop.
volatile std::sig_atomic_t manyFolders = 0;  // NOLINT: read by the signal handler

void Say(std::string_view text) {
  [[maybe_unused]] const auto n = ::write(STDERR_FILENO, text.data(), text.size());
}

// SIGINT, SIGTERM, SIGHUP: the temporary files being written and the previews are removed,
// and the program ends, with status 1 while the earlier outputs are untouched and with status
// 6 once the new ones are all in place; nothing but async-signal-safe calls.
extern "C" void StopBySignal(int) {
  kavrel::RemoveListedFiles();
  if (manyFolders != 0) {
    Say("\nkavrel: stopped by the user; the folders already listed have their outputs, the "
        "others none, and no summary was written\n");
    ::_exit(ExitInputFault);
  }
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
    "Usage: kavrel [--terminal | --desktop] [--output DIR] [--] [FOLDER]\n"
    "       kavrel --answers FILE [--summary FILE.csv] [--output DIR] [--] FOLDER...\n"
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
    "  (neither)   windows when the X display named by DISPLAY can be opened, otherwise the\n"
    "              terminal\n"
    "  --output DIR  (also -o DIR) write every output into the folder DIR, which must exist,\n"
    "              and read only the test from FOLDER; with --answers into DIR/NAME, NAME\n"
    "              the last part of each FOLDER (made when missing)\n"
    "  --answers FILE  analyse every FOLDER with the answers in FILE, one a line as the\n"
    "              terminal reads them, without showing the dialogue; prints one line per\n"
    "              folder: its status, its runs, (1+k) raw and smoothed and, with a ship file,\n"
    "              the effective power Pe of the fastest run\n"
    "  --summary FILE.csv  with --answers, the same as a CSV table with the header\n"
    "              folder,status,runs,one_plus_k_raw,one_plus_k_smoothed,Pe_fastest_kW\n"
    "  --help      this text (also -h)\n"
    "  --version   the program's version\n"
    "  --          ends the options: what follows is a FOLDER, even when it starts with -\n"
    "  FOLDER      the folder of the test, where every file is written unless --output is\n"
    "              given (default: the current folder)\n"
    "\n"
    "To stop an analysis: in the terminal Ctrl+C or the end of the input (Ctrl+D); on the\n"
    "desktop Ctrl+Q or closing the window Form1, then Stop. No report is written then, and an\n"
    "earlier KAVREL.OUT stays as it is.\n"
    "\n"
    "Exit status: 0 report written, 1 fault in the data file, the ship file or the answers,\n"
    "stopped by the user, or the folder in use by another kavrel (no report), 2 wrong command\n"
    "line, 3 an output could not be written (the earlier ones stay as they were), 4 internal\n"
    "error (out of memory), 5 standard output could not be written (closed early or full;\n"
    "after the report was written, or for --help or --version), 6 stopped by the user after\n"
    "every file was written. With --answers the largest status of the folders, 3 when the\n"
    "summary could not be written, 5 when the folders' lines could not be.\n";

enum class FrontEnd { Automatic, Terminal, Desktop };

// What the command line asks for.
struct CommandLine {
  FrontEnd frontEnd = FrontEnd::Automatic;
  std::vector<std::string> folders;    // the current folder when none is given
  std::optional<std::string> answers;  // many folders, each with the answers of this file
  std::optional<std::string> summary;  // the CSV of the folders' lines
  std::optional<std::string> output;   // where the outputs go, when not into the test's folder
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

// A wrong command line: what is wrong in one line, and where to read how it goes.
int UsageFault(const std::string& what) {
  std::cerr << "kavrel: " << what << "\nTry 'kavrel --help'.\n";
  return ExitCommandLine;
}

// `text` on standard output; a failed write (a full disk, a closed output) is said on standard
// error and is the exit status.
int Print(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
    return ExitReportWritten;
  std::cerr << "kavrel: cannot write to standard output: " << std::strerror(errno) << "\n";
  return ExitOutputClosed;
}

enum class Action { Help, Version, Terminal, Desktop, Answers, Summary, Output };

// The options: --name, or -c when it has a short name. One that takes a value would be given
// as --name VALUE, --name=VALUE, -c VALUE or -cVALUE.
struct Option {
  std::string_view name;
  char shortName;
  bool takesValue;
  Action action;
};
constexpr Option Options[] = {
    {"help", 'h', false, Action::Help},       {"version", 0, false, Action::Version},
    {"terminal", 0, false, Action::Terminal}, {"desktop", 0, false, Action::Desktop},
    {"answers", 0, true, Action::Answers},    {"summary", 0, true, Action::Summary},
    {"output", 'o', true, Action::Output}};

// The option `argument` names (null when none does) and the value written into it, if any.
std::pair<const Option*, std::optional<std::string_view>> FindOption(std::string_view argument) {
  for (const Option& option : Options) {
    if (argument.starts_with("--")) {
      const std::string_view body = argument.substr(2);
      const auto equals = body.find('=');
      if (body.substr(0, equals) != option.name) continue;
      if (equals == std::string_view::npos) return {&option, std::nullopt};
      return {&option, body.substr(equals + 1)};
    }
    if (option.shortName == 0 || argument[1] != option.shortName) continue;
    if (argument.size() == 2) return {&option, std::nullopt};
    if (option.takesValue) return {&option, argument.substr(2)};
  }
  return {nullptr, std::nullopt};
}

// Takes one option into `line`; the exit status when the program ends here.
std::optional<int> Apply(Action action, std::optional<std::string_view> value, CommandLine& line) {
  switch (action) {
    case Action::Help:
      return Print(Usage);
    case Action::Version:
      return Print(std::string("kavrel ") + KAVREL_VERSION + "\n");
    case Action::Terminal:
    case Action::Desktop: {
      const FrontEnd wanted = action == Action::Terminal ? FrontEnd::Terminal : FrontEnd::Desktop;
      if (line.frontEnd != FrontEnd::Automatic && line.frontEnd != wanted)
        return UsageFault("--terminal and --desktop exclude each other");
      line.frontEnd = wanted;
      return std::nullopt;
    }
    case Action::Answers:
    case Action::Summary:
    case Action::Output: {
      const char* name = action == Action::Answers   ? "--answers"
                         : action == Action::Summary ? "--summary"
                                                     : "--output";
      std::optional<std::string>& field = action == Action::Answers   ? line.answers
                                          : action == Action::Summary ? line.summary
                                                                      : line.output;
      if (value->empty()) return UsageFault(std::string("the file named by ") + name + " is empty");
      if (field) return UsageFault(std::string(name) + " is given twice");
      field = std::string(*value);
      return std::nullopt;
    }
  }
  return std::nullopt;
}

// The command line read, or the exit status when the program ends here (--help, --version,
// a wrong argument). Options and the folders come in any order; after "--" everything is a
// folder.
std::variant<CommandLine, int> ParseCommandLine(int argc, char** argv) {
  CommandLine line;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
      if (argument.empty()) return UsageFault("the FOLDER named is empty");
      line.folders.emplace_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    auto [option, value] = FindOption(argument);
    if (option == nullptr) return UsageFault("unknown option '" + std::string(argument) + "'");
    const std::string name = "--" + std::string(option->name);
    if (!option->takesValue && value) return UsageFault("option '" + name + "' takes no value");
    if (option->takesValue && !value) {
      if (i + 1 == argc) return UsageFault("option '" + name + "' needs a value");
      value = argv[++i];
    }
    if (const auto status = Apply(option->action, value, line)) return *status;
  }
  if (!line.answers) {
    if (line.folders.size() > 1) {
      return UsageFault("a second folder '" + line.folders[1] + "' after '" + line.folders[0] +
                        "': many folders need --answers FILE");
    }
    if (line.summary) return UsageFault("--summary needs --answers FILE and the folders");
  } else {
    if (line.folders.empty()) return UsageFault("--answers needs the folders to analyse");
    if (line.frontEnd == FrontEnd::Desktop)
      return UsageFault("--answers and --desktop exclude each other");
  }
  return line;
}

// The folder of the test held open, or the exit status when it cannot be.
std::variant<std::unique_ptr<kavrel::Folder>, int> OpenFolder(const CommandLine& line) {
  std::filesystem::path folder;
  std::string shownAs;
  if (!line.folders.empty()) {
    const std::string& named = line.folders.front();
    if (const std::string fault = kavrel::FolderArgumentFault(named); !fault.empty())
      return Fail(ExitCommandLine, fault, nullptr);
    folder = named;
    shownAs = kavrel::ShownAs(named);
  } else {
    std::error_code error;
    folder = std::filesystem::current_path(error);
    if (error)
      return Fail(ExitInputFault, "cannot find the current folder: " + error.message(), nullptr);
  }
  try {
    return std::make_unique<kavrel::Folder>(folder, shownAs);
  } catch (const kavrel::InputFault& fault) {
    return Fail(line.folders.empty() ? ExitInputFault : ExitCommandLine, fault.what(), nullptr);
  }
}

// The folder named by --output held open, or the exit status when it cannot be.
std::variant<std::unique_ptr<kavrel::Folder>, int> OpenOutputFolder(const std::string& named) {
  if (const std::string fault = kavrel::FolderArgumentFault(named); !fault.empty())
    return Fail(ExitCommandLine, "--output: " + fault, nullptr);
  try {
    return std::make_unique<kavrel::Folder>(named);
  } catch (const kavrel::InputFault& fault) {
    return Fail(ExitCommandLine, fault.what(), nullptr);
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

// One analysis of the test in `folder` with the front end `ui`, written into `output`, its
// outcome as the exit status.
int Run(kavrel::Toolkit& ui, const kavrel::Folder& folder, const kavrel::Folder& output) {
  try {
    const kavrel::Outcome outcome =
        kavrel::AnalyseAndWrite(ui, folder, output, [] { outputsSwitched = 1; });
    ui.Finish(kavrel::ClosingWords(outcome, output));
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

// Many folders, each with the answers of the file named by --answers.
int RunMany(const CommandLine& options) {
  kavrel::BatchCall call{.folders = options.folders,
                         .answers = {},
                         .summary = options.summary,
                         .output = options.output};
  std::ifstream file(*options.answers, std::ios::binary);
  std::ostringstream text;
  if (!file || !(text << file.rdbuf())) {
    return Fail(ExitCommandLine, "cannot read the answers file '" + *options.answers + "'",
                nullptr);
  }
  call.answers = text.str();
  if (options.output) {
    auto output = OpenOutputFolder(*options.output);
    if (const int* status = std::get_if<int>(&output)) return *status;
    // Two folders of one name would write into one output folder.
    std::map<std::string, std::string> named;
    for (const std::string& folder : options.folders) {
      const auto [first, fresh] = named.emplace(kavrel::OutputNameOf(folder), folder);
      if (!fresh) {
        return UsageFault("'" + first->second + "' and '" + folder + "' would both write into " +
                          (std::filesystem::path(*options.output) / first->first).string());
      }
    }
  }
  manyFolders = 1;
  try {
    return kavrel::RunBatch(call);
  } catch (const std::bad_alloc&) {
    return Fail(ExitInternalFault, "out of memory", nullptr);
  } catch (const std::exception& fault) {
    return Fail(ExitInternalFault, std::string("internal error: ") + fault.what(), nullptr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // First of all: a stop in the first milliseconds ends the program as any other does.
  InstallSignalHandlers();
  std::set_terminate(Terminated);
  try {
    const auto line = ParseCommandLine(argc, argv);
    if (const int* status = std::get_if<int>(&line)) return *status;
    const CommandLine& options = std::get<CommandLine>(line);
    if (options.answers) return RunMany(options);
    auto opened = OpenFolder(options);
    if (const int* status = std::get_if<int>(&opened)) return *status;
    // Held open for the whole run; declared before the front end, which writes its previews in
    // the output folder and so must end first.
    const std::unique_ptr<kavrel::Folder> folder = std::move(std::get<0>(opened));
    std::unique_ptr<kavrel::Folder> elsewhere;
    if (options.output) {
      auto output = OpenOutputFolder(*options.output);
      if (const int* status = std::get_if<int>(&output)) return *status;
      elsewhere = std::move(std::get<0>(output));
    }
    const kavrel::Folder& output = elsewhere ? *elsewhere : *folder;
    int status = ExitReportWritten;
    const std::unique_ptr<kavrel::Toolkit> ui = OpenFrontEnd(options.frontEnd, output, status);
    if (!ui) return status;
    return Run(*ui, *folder, output);
  } catch (...) {
    // Memory running out outside the analysis (the command line, the front end's start).
    Terminated();
  }
}
