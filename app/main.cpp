// Tolvan: starts the main window, the program's start-up object. The program ends when its
// last window closes.

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "persist/file_writer.h"
#include "ui/frm_tolvan.h"
#include "ui/mod_tolvan.h"
#include "ui/qt_services.h"
#include "ui/window_icon.h"

namespace {

// Qt aborts with a long message when there is nowhere to show a window; say it in one line.
bool HasDisplay() {
#if defined(__linux__) || defined(__FreeBSD__)
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  tolvan::IgnoreFileSizeSignal();
  if (!HasDisplay()) {
    std::fprintf(stderr, "tolvan: no display to open the window on (DISPLAY is not set)\n");
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tolvan"));
  // Wayland compositors and task managers match the window to its desktop entry by this id.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrin.tolvan"));
  QApplication::setWindowIcon(tolvan::SpannerIcon());

  tolvan::QtWindowingServices qt;
  tolvan::ModTolvan shared;
  tolvan::frmTolvan window(shared, qt.services(), QApplication::applicationDirPath().toStdString());
  window.show();
  return QApplication::exec();
}
