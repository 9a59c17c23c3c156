// The SWR window on a real X server: from the F2 key press to the chart's first frame on the
// screen, and from a press of Calculate to the chart's next frame. Needs DISPLAY (bench/
// swr_window/run starts Xvfb). The main window works in a scratch folder of its own.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>

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

struct Bench {
  QTemporaryDir folder;
  tolvan::QtWindowingServices services;
  tolvan::ModTolvan shared;
  tolvan::frmTolvan window{shared, services.services(), folder.path().toStdString()};
  PaintCounter counter;

  Bench() {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) qFatal("the main window was never shown");
    Activate();
    qApp->installEventFilter(&counter);
    Calculate();
  }
  ~Bench() { qApp->removeEventFilter(&counter); }

  // F2 reaches the window that has the keyboard.
  void Activate() {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) qFatal("the main window never became active");
  }

  void Calculate() { window.findChild<QPushButton*>("Calculate")->click(); }

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

  tolvan::frmSwr* Swr() const { return window.findChild<tolvan::frmSwr*>(); }
};

Bench* shared_bench = nullptr;  // made in main, within the application's life

Bench& Shared() { return *shared_bench; }

void BM_OpenSwrWindowToFirstFrame(benchmark::State& state) {
  Bench& bench = Shared();
  for (auto _ : state) {
    const int before = bench.counter.paints;
    const Clock::time_point start = Clock::now();
    QTest::keyClick(&bench.window, Qt::Key_F2);
    state.SetIterationTime(bench.UntilPainted(before, start));
    bench.Swr()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    bench.Activate();
  }
}
BENCHMARK(BM_OpenSwrWindowToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RedrawAfterCalculate(benchmark::State& state) {
  Bench& bench = Shared();
  bench.Activate();
  QTest::keyClick(&bench.window, Qt::Key_F2);
  bench.UntilPainted(bench.counter.paints, Clock::now());
  static int step = 0;  // the benchmark may be run more than once
  for (auto _ : state) {
    // A new frequency each time, so that every Calculate has new curves to draw.
    bench.window.Freq[0]->setText(QString::number(140 + step++ % 20));
    bench.UntilPainted(bench.counter.paints, Clock::now());  // the greyed chart, untimed
    const int before = bench.counter.paints;
    const Clock::time_point start = Clock::now();
    bench.Calculate();
    state.SetIterationTime(bench.UntilPainted(before, start));
  }
  bench.Swr()->close();
}
BENCHMARK(BM_RedrawAfterCalculate)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  benchmark::Initialize(&argc, argv);
  Bench bench;
  shared_bench = &bench;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
