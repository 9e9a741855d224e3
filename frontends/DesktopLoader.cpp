// Loading the desktop module and speaking its C interface.
#include "frontends/DesktopLoader.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "text/Faults.h"
#include "ui/DesktopCodec.h"
#include "ui/DesktopModuleApi.h"

namespace kavrel {

namespace {

constexpr const char* ModuleFile = "kavrel-desktop.so";
// The report page, written beside the report by every analysis.
constexpr const char* PageFile = "KAVREL.html";

void AppendText(void* context, const char* text, std::size_t length) {
  static_cast<std::string*>(context)->append(text, length);
}

// A Toolkit whose windows and boxes are the module's.
class ModuleToolkit final : public Toolkit {
 public:
  ModuleToolkit(const KavrelDesktopApi& api, void* desktop) : api_(api), desktop_(desktop) {}
  ~ModuleToolkit() override { api_.close(desktop_); }
  ModuleToolkit(const ModuleToolkit&) = delete;
  ModuleToolkit& operator=(const ModuleToolkit&) = delete;
  ModuleToolkit(ModuleToolkit&&) = delete;
  ModuleToolkit& operator=(ModuleToolkit&&) = delete;

  std::string Ask(const Question& question) override {
    std::string answer;
    Check(api_.ask(desktop_, question.prompt.c_str(), question.title.c_str(),
                   question.defaultText.c_str(), question.leftTwips, question.topTwips, AppendText,
                   &answer));
    return answer;
  }
  void Message(const std::string& text) override {
    Check(api_.message(desktop_, text.c_str(), KAVREL_DESKTOP_FAULT));
  }
  void Note(const std::string& text) override {
    Check(api_.message(desktop_, text.c_str(), KAVREL_DESKTOP_NOTE));
  }
  std::string HowToStop() const override { return api_.how_to_stop(); }
  void Failed(const std::string& message) override { Message(message); }
  void ListRuns(const TextTable& runs) override { ShowTable(runs); }
  void Finish(const Closing& closing) override {
    if (!closing.shipSummary.empty()) {
      // The prediction's summary stands on the text window beside the closing box: its first
      // line the title, then a line a speed.
      const std::string_view summary = closing.shipSummary;
      const std::size_t titleEnd = std::min(summary.find('\n'), summary.size());
      TextTable table{std::string(summary.substr(0, titleEnd)), {}, {}};
      for (std::size_t at = titleEnd + 1; at < summary.size();) {
        const std::size_t end = std::min(summary.find('\n', at), summary.size());
        table.rows.emplace_back(summary.substr(at, end - at));
        at = end + 1;
      }
      ShowTable(table);
    }
    std::string page;
    if (!closing.reportPath.empty()) {
      page = std::filesystem::path(closing.reportPath).replace_filename(PageFile).string();
    }
    Check(api_.finish(desktop_, closing.note.c_str(), page.c_str()));
  }

 protected:
  void WindowChanged(const DisplayWindow& window, const DrawItem* added) override {
    if (!window.Shown()) return;  // sent whole when it is first shown
    const int slot = static_cast<int>(window.Id());
    if (added != nullptr) {
      Send(slot, *added);
      return;
    }
    Check(api_.window_reset(desktop_, slot));
    for (const DrawItem& item : window.Items()) Send(slot, item);
  }

 private:
  void ShowTable(const TextTable& table) {
    Check(api_.table(desktop_, table.title.c_str(), EncodeLines(table.head).c_str(),
                     EncodeLines(table.rows).c_str()));
  }

  void Send(int slot, const DrawItem& item) {
    const KavrelDesktopItem sent = EncodeItem(item);
    Check(api_.item_added(desktop_, slot, &sent));
  }

  void Check(int outcome) const {
    if (outcome == KAVREL_DESKTOP_DONE) return;
    if (outcome == KAVREL_DESKTOP_STOPPED) throw StoppedByUser();
    const std::string why = api_.last_failure(desktop_);
    throw std::runtime_error("the desktop front end failed" + (why.empty() ? "" : ": " + why));
  }

  const KavrelDesktopApi& api_;
  void* desktop_;
};

// The folder of the running program.
std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
}

// Why the module at `path` must not be loaded, empty when it may: only a regular file (a named
// pipe would hang the loader) owned by root or by the program's owner, that no one else may
// change (a program copied into a shared folder must not run another user's library).
std::string UnsafeModule(const std::filesystem::path& path) {
  struct stat module {
  }, program{};
  if (::stat(path.c_str(), &module) != 0) return std::strerror(errno);
  if (!S_ISREG(module.st_mode)) return "it is not a regular file";
  const bool ownProgram = ::stat("/proc/self/exe", &program) == 0;
  if (module.st_uid != 0 && (!ownProgram || module.st_uid != program.st_uid)) {
    return "it is owned neither by root nor by the owner of the program";
  }
  if ((module.st_mode & S_IWOTH) != 0) return "anyone may change it";
  return {};
}

}  // namespace

DesktopLoad LoadDesktop() {
  DesktopLoad load;
  // Without a display there is nothing to load the module for.
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    load.why = DesktopUnavailable::NoDisplay;
    load.whyNot = "no X display: DISPLAY is not set";
    return load;
  }
  const std::filesystem::path folder = ProgramFolder();
  const std::array<std::filesystem::path, 2> candidates{
      folder / ModuleFile, (folder / KAVREL_MODULE_FROM_PROGRAM / ModuleFile).lexically_normal()};
  void* module = nullptr;
  std::string tried;
  for (const std::filesystem::path& path : candidates) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
      tried += (tried.empty() ? "" : " nor ") + path.string();
      continue;
    }
    if (const std::string unsafe = UnsafeModule(path); !unsafe.empty()) {
      load.whyNot = "the desktop front end " + path.string() + " is not loaded: " + unsafe;
      return load;
    }
    // Loaded once for the life of the process: FLTK and X are not made to be unloaded.
    module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      const char* why = ::dlerror();
      load.whyNot = "cannot load the desktop front end " + path.string() + ": " +
                    (why != nullptr ? why : "unknown error");
      return load;
    }
    break;
  }
  if (module == nullptr) {
    load.whyNot = "the desktop front end " + std::string(ModuleFile) +
                  " is not installed (neither " + tried + " exists)";
    return load;
  }
  const auto api = reinterpret_cast<KavrelDesktopApiFunction>(  // NOLINT: dlsym's C interface
      ::dlsym(module, "kavrel_desktop_api"));
  const KavrelDesktopApi* functions = api != nullptr ? api() : nullptr;
  if (functions == nullptr) {
    load.whyNot = "the library " + std::string(ModuleFile) + " is not kavrel's desktop front end";
    return load;
  }
  if (functions->version != KAVREL_DESKTOP_API_VERSION) {
    load.whyNot = "the desktop front end " + std::string(ModuleFile) +
                  " belongs to another version of kavrel (its interface is version " +
                  std::to_string(functions->version) + ", this kavrel's " +
                  std::to_string(KAVREL_DESKTOP_API_VERSION) + ")";
    return load;
  }
  std::string whyNot;
  void* desktop = functions->open(AppendText, &whyNot);
  if (desktop == nullptr) {
    load.why = DesktopUnavailable::NoDisplay;
    load.whyNot = whyNot.empty() ? "the display cannot be opened" : whyNot;
    return load;
  }
  load.desktop = std::make_unique<ModuleToolkit>(*functions, desktop);
  return load;
}

}  // namespace kavrel
