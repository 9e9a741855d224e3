// The desktop module's side of the boundary: the C interface of DesktopModuleApi.h over a
// DesktopToolkit whose windows mirror the program's. Every call catches what it could throw, and
// a failure leaves its reason for last_failure.
#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "desktop/DesktopToolkit.h"
#include "text/Faults.h"
#include "ui/DesktopCodec.h"
#include "ui/DesktopModuleApi.h"

namespace kavrel {
namespace {

// The desktop handed to the program: the toolkit, and why the last call failed, in a buffer of
// its own so that keeping the reason cannot fail too (a longer reason is cut short).
struct ModuleDesktop {
  std::unique_ptr<DesktopToolkit> toolkit;
  std::array<char, 512> failure{};
};

ModuleDesktop& Desktop(void* desktop) {
  return *static_cast<ModuleDesktop*>(desktop);
}

int Failed(ModuleDesktop& desktop, std::string_view why) noexcept {
  const std::size_t length = std::min(why.size(), desktop.failure.size() - 1);
  std::copy_n(why.data(), length, desktop.failure.data());
  desktop.failure[length] = '\0';
  return KAVREL_DESKTOP_FAILED;
}

// Runs `action` on the toolkit, turning what it throws into the outcome the program understands.
template <typename Action>
int Outcome(void* handle, Action&& action) noexcept {
  ModuleDesktop& desktop = Desktop(handle);
  desktop.failure[0] = '\0';
  try {
    action(*desktop.toolkit);
    return KAVREL_DESKTOP_DONE;
  } catch (const StoppedByUser&) {
    return KAVREL_DESKTOP_STOPPED;
  } catch (const std::bad_alloc&) {
    return Failed(desktop, "out of memory");
  } catch (const std::exception& fault) {
    return Failed(desktop, fault.what());
  } catch (...) {
    return Failed(desktop, "an unknown fault");
  }
}

DisplayWindow& Window(DesktopToolkit& toolkit, int window) {
  if (window < 0 || window >= static_cast<int>(AllWindows.size())) {
    throw std::out_of_range("there is no window " + std::to_string(window));
  }
  return toolkit.Window(AllWindows[static_cast<std::size_t>(window)]);
}

void* Open(KavrelDesktopTextSink whyNot, void* context) noexcept {
  try {
    std::string reason;
    auto desktop = std::make_unique<ModuleDesktop>(ModuleDesktop{DesktopToolkit::Open(reason)});
    if (!desktop->toolkit) {
      if (whyNot != nullptr) whyNot(context, reason.data(), reason.size());
      return nullptr;
    }
    return desktop.release();
  } catch (...) {
    return nullptr;
  }
}

void Close(void* desktop) noexcept {
  try {
    std::unique_ptr<ModuleDesktop> owned(&Desktop(desktop));
  } catch (...) {  // NOLINT(bugprone-empty-catch): the program is ending
  }
}

int WindowReset(void* desktop, int window) noexcept {
  // cppcheck-suppress throwInNoexceptFunction ; Outcome catches what its action throws
  return Outcome(desktop, [&](DesktopToolkit& toolkit) {
    DisplayWindow& shown = Window(toolkit, window);
    if (!shown.Shown()) shown.Show();
    shown.Clear();
  });
}

int ItemAdded(void* desktop, int window, const KavrelDesktopItem* item) noexcept {
  // cppcheck-suppress throwInNoexceptFunction ; Outcome catches what its action throws
  return Outcome(desktop, [&](DesktopToolkit& toolkit) {
    DisplayWindow& shown = Window(toolkit, window);
    std::string whyNot = "no item";
    std::optional<DrawItem> decoded = item ? DecodeItem(*item, whyNot) : std::nullopt;
    if (!decoded) throw std::invalid_argument(whyNot + " for window " + std::to_string(window));
    shown.Add(std::move(*decoded));
  });
}

int Ask(void* desktop, const char* prompt, const char* title, const char* defaultText,
        int leftTwips, int topTwips, KavrelDesktopTextSink answer, void* context) noexcept {
  return Outcome(desktop, [&](DesktopToolkit& toolkit) {
    const std::string typed = toolkit.Ask({prompt, title, defaultText, leftTwips, topTwips});
    answer(context, typed.data(), typed.size());
  });
}

int Message(void* desktop, const char* text, int box) noexcept {
  return Outcome(desktop, [&](DesktopToolkit& toolkit) {
    if (box == KAVREL_DESKTOP_NOTE) {
      toolkit.Note(text);
    } else {
      toolkit.Message(text);
    }
  });
}

int Table(void* desktop, const char* title, const char* head, const char* rows) noexcept {
  return Outcome(desktop, [&](DesktopToolkit& toolkit) {
    toolkit.ShowTable({title, DecodeLines(head), DecodeLines(rows)});
  });
}

int Finish(void* desktop, const char* closingNote, const char* reportPage) noexcept {
  return Outcome(desktop, [&](DesktopToolkit& toolkit) {
    toolkit.Finish(Closing{.note = closingNote, .reportPage = reportPage});
  });
}

const char* HowToStop() noexcept {
  return DesktopToolkit::HowToStopText;
}

const char* LastFailure(void* desktop) noexcept {
  return Desktop(desktop).failure.data();
}

constexpr KavrelDesktopApi Api{KAVREL_DESKTOP_API_VERSION,
                               Open,
                               Close,
                               WindowReset,
                               ItemAdded,
                               Ask,
                               Message,
                               Table,
                               Finish,
                               HowToStop,
                               LastFailure};

}  // namespace
}  // namespace kavrel

extern "C" __attribute__((visibility("default"))) const KavrelDesktopApi* kavrel_desktop_api() {
  return &kavrel::Api;
}
