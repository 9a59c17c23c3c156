// The SWR window on a real X server: from the F2 key press to the chart's first frame on the
// screen, and from a press of Calculate to the chart's next frame. Needs DISPLAY (bench/
// swr_window/run starts Xvfb). Two main windows, each in a scratch folder of its own, hold the
// same design at 14.2 MHz: argument 0 with lossless lines and a constant load, argument 1 with
// the example dipole's measured load and two catalogue cables.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <filesystem>
#include <memory>

#include "ui/frm_swr.h"
#include "ui/frm_tolvan.h"
#include "ui/qt_services.h"
#include "ui/swr_chart_view.h"

namespace {

using Clock = std::chrono::steady_clock;

// Counts the chart's paint events, wherever the chart is.
class PaintCounter final : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && qobject_cast<tolvan::SwrChartView*>(watched) != nullptr) {
      ++paints;
    }
    return false;
  }
};

// A program folder laid out as installed: bin/ for the configuration, share/tolvan/ for the
// cable catalogue.
std::string ProgramFolder(const QTemporaryDir& folder) {
  const std::filesystem::path root = folder.path().toStdString();
  std::filesystem::create_directories(root / "bin");
  std::filesystem::create_directories(root / "share/tolvan");
  std::filesystem::copy_file(TOLVAN_SOURCE_DIR "/data/cables.json",
                             root / "share/tolvan/cables.json");
  return (root / "bin").string();
}

struct Bench {
  QTemporaryDir folder;
  tolvan::QtWindowingServices services;
  tolvan::ModTolvan shared;
  std::unique_ptr<tolvan::frmTolvan> window;
  PaintCounter counter;
  int step = 0;  // a benchmark may be run more than once

  explicit Bench(bool measured) {
    if (measured) {
      shared.FeedCable = "RG-213/U";
      shared.MatchCable = "RG-11/U";
    }
    window =
        std::make_unique<tolvan::frmTolvan>(shared, services.services(), ProgramFolder(folder));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the main window was never shown");
    window->Freq[0]->setText(QStringLiteral("14.2"));
    if (measured) Drop(TOLVAN_SOURCE_DIR "/examples/dipole_20m.s1p");
    qApp->installEventFilter(&counter);
    Calculate();
  }
  ~Bench() { qApp->removeEventFilter(&counter); }

  // The file dropped on the main window, as a file manager drops it.
  void Drop(const char* file) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromUtf8(file))});
    const QPoint at(window->width() / 2, window->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    QCoreApplication::processEvents();
  }

  // F2 reaches the window that has the keyboard.
  void Activate() {
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qFatal("the main window never became active");
  }

  void Calculate() { window->findChild<QPushButton*>("Calculate")->click(); }

  // Runs the event loop until the chart has painted once more and the X server has the frame;
  // the seconds since `start`.
  double UntilPainted(int paints_before, Clock::time_point start) {
    while (counter.paints == paints_before) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      if (Clock::now() - start > std::chrono::seconds(10)) {
        qFatal("the chart was never drawn");
      }
    }
    QGuiApplication::sync();
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  tolvan::frmSwr* Swr() const { return window->findChild<tolvan::frmSwr*>(); }
};

Bench* benches[2] = {};  // made in main, within the application's life

Bench& Shared(const benchmark::State& state) { return *benches[state.range(0)]; }

void BM_OpenSwrWindowToFirstFrame(benchmark::State& state) {
  Bench& bench = Shared(state);
  bench.Activate();
  for (auto _ : state) {
    const int before = bench.counter.paints;
    const Clock::time_point start = Clock::now();
    QTest::keyClick(bench.window.get(), Qt::Key_F2);
    state.SetIterationTime(bench.UntilPainted(before, start));
    bench.Swr()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    bench.Activate();
  }
}
BENCHMARK(BM_OpenSwrWindowToFirstFrame)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_RedrawAfterCalculate(benchmark::State& state) {
  Bench& bench = Shared(state);
  bench.Activate();
  QTest::keyClick(bench.window.get(), Qt::Key_F2);
  bench.UntilPainted(bench.counter.paints, Clock::now());
  for (auto _ : state) {
    // A new Zm each time, so that every Calculate has new curves to draw; the measured load
    // stays attached, as it belongs to Xl, Rl and Freq.
    bench.window->Zm[0]->setText(QString::number(76 + bench.step++ % 20));
    bench.UntilPainted(bench.counter.paints, Clock::now());  // the greyed chart, untimed
    const int before = bench.counter.paints;
    const Clock::time_point start = Clock::now();
    bench.Calculate();
    state.SetIterationTime(bench.UntilPainted(before, start));
  }
  bench.Swr()->close();
}
BENCHMARK(BM_RedrawAfterCalculate)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  Bench lossless(false);
  Bench measured(true);
  if (measured.window->Xl[0]->text() == lossless.window->Xl[0]->text()) {
    qFatal("the measured load was not taken");
  }
  // The same load at F, typed.
  lossless.window->Xl[0]->setText(measured.window->Xl[0]->text());
  lossless.window->Rl[0]->setText(measured.window->Rl[0]->text());
  lossless.Calculate();
  benches[0] = &lossless;
  benches[1] = &measured;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
