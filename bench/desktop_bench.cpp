// Speed of the desktop front end on an X display (run it under xvfb-run): a full redraw of the
// coefficient graph of 99 runs, the graph drawn item by item as an analysis draws it, and the
// time from starting kavrel to its first window on the screen.
#include <benchmark/benchmark.h>

#if defined(KAVREL_HAVE_DESKTOP)

#include <X11/Xlib.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphs/CoefficientGraph.h"
#include "tests/support/desktop/DesktopTestHooks.h"

namespace {

// 99 runs from Fn 0.08 to 0.47 with a wave hump, coefficients times 1000.
struct Runs {
  std::vector<double> Fn, Ctm, Cfm;
  Runs() {
    for (int i = 0; i < 99; ++i) {
      const double f = 0.08 + 0.004 * i;
      Fn.push_back(f);
      Cfm.push_back(3.9 - 2.0 * f);
      Ctm.push_back(1.12 * Cfm.back() + 60 * std::pow(f, 4) * (1 + 0.1 * std::sin(40 * f)));
    }
  }
};

std::unique_ptr<kavrel::test::TestDesktopToolkit> OpenOrSkip(benchmark::State& state) {
  std::string whyNot;
  auto ui = kavrel::test::TestDesktopToolkit::Open(whyNot);
  if (!ui) state.SkipWithError(("needs an X display: " + whyNot).c_str());
  return ui;
}

void DrawGraph(kavrel::Toolkit& ui, const Runs& runs) {
  kavrel::DrawCoefficientFrame(ui, runs.Fn, runs.Ctm);
  kavrel::DrawCtmCurve(ui, runs.Ctm, runs.Fn);
  kavrel::DrawCoefficientCurves(ui, runs.Cfm, runs.Ctm, runs.Fn, 1.12);
}

// One redraw of the whole picture (about 700 items), waiting for the server.
void BM_RedrawCoefficientGraph99Runs(benchmark::State& state) {
  auto ui = OpenOrSkip(state);
  if (!ui) return;
  const Runs runs;
  DrawGraph(*ui, runs);
  for (auto _ : state) ui->RedrawNow(kavrel::WindowId::Kavrel_Form1);
  state.counters["items"] =
      static_cast<double>(ui->Window(kavrel::WindowId::Kavrel_Form1).Items().size());
}
BENCHMARK(BM_RedrawCoefficientGraph99Runs)->Unit(benchmark::kMillisecond);

// The graph as an analysis draws it: each item reaches the screen before the next.
void BM_DrawCoefficientGraph99RunsItemByItem(benchmark::State& state) {
  auto ui = OpenOrSkip(state);
  if (!ui) return;
  const Runs runs;
  for (auto _ : state) DrawGraph(*ui, runs);
}
BENCHMARK(BM_DrawCoefficientGraph99RunsItemByItem)->Unit(benchmark::kMillisecond);

// kavrel next to this program in an optimised build: bench/desktop_bench -> app/kavrel.
std::filesystem::path KavrelProgram() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return self.parent_path().parent_path() / "app" / "kavrel";
}

// Waits for the next window mapped on the screen; false after `seconds`.
bool WaitForMap(Display* display, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify) return true;
    }
    fd_set wait;
    FD_ZERO(&wait);
    FD_SET(ConnectionNumber(display), &wait);
    timeval step{0, 2000};
    select(ConnectionNumber(display) + 1, &wait, nullptr, nullptr, &step);
  }
  return false;
}

// From fork to the first window of `kavrel --desktop` mapped on the screen.
void BM_StartToFirstWindow(benchmark::State& state) {
  const auto program = KavrelProgram();
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr || !std::filesystem::exists(program)) {
    state.SkipWithError("needs an X display and app/kavrel of the same build");
    if (display != nullptr) XCloseDisplay(display);
    return;
  }
  const auto folder = std::filesystem::temp_directory_path() / "kavrel-desktop-bench";
  std::filesystem::create_directories(folder);
  {
    std::ofstream data(folder / "KAVREL_BAS.DAT");
    data << "bench\n\n\n\n\n\n\n\n\n";
    for (int tenths = 6; tenths < 20; ++tenths) {
      const double v = tenths / 10.0;
      data << 0.6 * v * v << " " << v << "\n";
    }
    data << "0 0\n\n\n3.0 4.0\n\n15\n";
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, True);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(folder.c_str()) != 0) _exit(127);
      execl(program.c_str(), "kavrel", "--desktop", static_cast<char*>(nullptr));
      _exit(127);
    }
    const bool shown = WaitForMap(display, 10);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XSync(display, True);  // drop the events of the closing windows
    if (!shown) {
      state.SkipWithError("no window appeared within 10 s");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
  }
  XCloseDisplay(display);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StartToFirstWindow)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

#else

namespace {
void BM_DesktopNotBuilt(benchmark::State& state) {
  state.SkipWithError("this build has no desktop front end (FLTK not found)");
  for (auto _ : state) {
  }
}
BENCHMARK(BM_DesktopNotBuilt);
}  // namespace

#endif
