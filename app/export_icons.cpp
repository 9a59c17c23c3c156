// Writes the program's icon as PNG files for the desktop's icon theme: icon_16.png and
// icon_32.png in the folder given.

#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "ui/window_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tolvan-export-icons FOLDER\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  for (const int size : {16, 32}) {
    const QString file = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/icon_%1.png").arg(size);
    if (!tolvan::SpannerImage(size).save(file)) return 1;
  }
  return 0;
}
