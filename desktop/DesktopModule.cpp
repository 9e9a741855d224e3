// The desktop module's side of the boundary: the C interface of DesktopModuleApi.h over a
// DesktopToolkit whose windows mirror the program's. Every call catches what it could throw.
#include <cstddef>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "desktop/DesktopToolkit.h"
#include "text/Faults.h"
#include "ui/DesktopCodec.h"
#include "ui/DesktopModuleApi.h"

namespace kavrel {
namespace {

bool IsWindow(int window) {
  return window >= 0 && window < static_cast<int>(AllWindows.size());
}

DesktopToolkit& Desktop(void* desktop) {
  return *static_cast<DesktopToolkit*>(desktop);
}

// Runs `action`, turning what it throws into the outcome the program understands.
template <typename Action>
int Outcome(Action&& action) noexcept {
  try {
    action();
    return KAVREL_DESKTOP_DONE;
  } catch (const StoppedByUser&) {
    return KAVREL_DESKTOP_STOPPED;
  } catch (...) {
    return KAVREL_DESKTOP_FAILED;
  }
}

void* Open(KavrelDesktopTextSink whyNot, void* context) noexcept {
  try {
    std::string reason;
    std::unique_ptr<DesktopToolkit> desktop = DesktopToolkit::Open(reason);
    if (!desktop) {
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
    std::unique_ptr<DesktopToolkit> owned(&Desktop(desktop));
  } catch (...) {  // NOLINT(bugprone-empty-catch): the program is ending
  }
}

int WindowReset(void* desktop, int window) noexcept {
  if (!IsWindow(window)) return KAVREL_DESKTOP_FAILED;
  return Outcome([&] {
    DisplayWindow& shown = Desktop(desktop).Window(AllWindows[static_cast<std::size_t>(window)]);
    if (!shown.Shown()) shown.Show();
    shown.Clear();
  });
}

int ItemAdded(void* desktop, int window, const KavrelDesktopItem* item) noexcept {
  if (!IsWindow(window) || item == nullptr) return KAVREL_DESKTOP_FAILED;
  return Outcome([&] {
    std::string whyNot;
    std::optional<DrawItem> decoded = DecodeItem(*item, whyNot);
    if (!decoded) throw std::invalid_argument(whyNot);
    Desktop(desktop).Window(AllWindows[static_cast<std::size_t>(window)]).Add(std::move(*decoded));
  });
}

int Ask(void* desktop, const char* prompt, const char* title, const char* defaultText,
        int leftTwips, int topTwips, KavrelDesktopTextSink answer, void* context) noexcept {
  return Outcome([&] {
    const std::string typed =
        Desktop(desktop).Ask({prompt, title, defaultText, leftTwips, topTwips});
    answer(context, typed.data(), typed.size());
  });
}

int Message(void* desktop, const char* text, int box) noexcept {
  return Outcome([&] {
    if (box == KAVREL_DESKTOP_NOTE) {
      Desktop(desktop).Note(text);
    } else {
      Desktop(desktop).Message(text);
    }
  });
}

int Finish(void* desktop, const char* closingNote) noexcept {
  return Outcome([&] { Desktop(desktop).Finish(closingNote); });
}

const char* HowToStop() noexcept {
  return DesktopToolkit::HowToStopText;
}

constexpr KavrelDesktopApi Api{KAVREL_DESKTOP_API_VERSION,
                               Open,
                               Close,
                               WindowReset,
                               ItemAdded,
                               Ask,
                               Message,
                               Finish,
                               HowToStop};

}  // namespace
}  // namespace kavrel

extern "C" __attribute__((visibility("default"))) const KavrelDesktopApi* kavrel_desktop_api() {
  return &kavrel::Api;
}
