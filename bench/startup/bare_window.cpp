// The floor for any Qt program's start-up: a bare window of the main window's size with about
// as many widgets (frames, labels, boxes, buttons, a picture), no files and no logic.

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare Window"));
  window.setFixedSize(398, 426);
  for (int i = 0; i < 10; ++i) {
    auto* frame = new QGroupBox(QStringLiteral("Frame %1").arg(i), &window);
    frame->setGeometry((i % 3) * 130, (i / 3) * 60, 125, 55);
    new QLabel(QStringLiteral("Label"), frame);
  }
  for (int i = 0; i < 7; ++i) (new QLineEdit(&window))->setGeometry(10 + i * 50, 250, 45, 20);
  for (int i = 0; i < 13; ++i)
    (new QLabel(QStringLiteral("L%1").arg(i), &window))->move(i * 30, 280);
  for (int i = 0; i < 6; ++i)
    (new QPushButton(QStringLiteral("Button"), &window))->move(i * 65, 300);
  auto* toggle = new QPushButton(QStringLiteral("+/-"), &window);
  toggle->setCheckable(true);
  QImage diagram(400, 107, QImage::Format_Mono);
  diagram.fill(1);
  auto* picture = new QLabel(&window);
  picture->setPixmap(QPixmap::fromImage(diagram));
  picture->setGeometry(0, 315, 396, 111);
  window.show();
  return QApplication::exec();
}
