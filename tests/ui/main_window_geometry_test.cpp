// The main window's form against its inventory (twips; 15 make a pixel), the diagram's line art
// and the icon, and a screenshot to look at.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/ui/main_window_fixture.h"
#include "ui/diagram.h"
#include "ui/window_icon.h"

namespace tolvan {
namespace {

struct Placed {
  const char* name;
  const char* container;  // "window" for the client area
  int left, top, width, height;
  const char* caption;  // nullptr where none is checked
  bool autosize = false;  // grows to hold its caption where the face is wider than designed
};

const Placed kInventory[] = {
    {"frame_3", "window", 120, 0, 1815, 735, "Operating Freq"},
    {"Freq_0", "frame_3", 120, 240, 1095, 375, nullptr},
    {"Label1_8", "frame_3", 1320, 360, 330, 195, "MHz", true},
    {"Frame2", "window", 120, 720, 3735, 855, "Feed Line"},
    {"frame_1", "Frame2", 0, 240, 1935, 615, "Impedance"},
    {"Label1_7", "frame_1", 120, 240, 375, 255, "Zo"},
    {"Zo_0", "frame_1", 480, 240, 735, 285, nullptr},
    {"Label1_5", "frame_1", 1320, 240, 405, 195, "Ohms", true},
    {"frame_4", "Frame2", 2040, 240, 1695, 615, "Velocity Factor"},
    {"VF_0", "frame_4", 120, 240, 615, 285, nullptr},
    {"Label1_9", "frame_4", 840, 240, 555, 195, "Percent", true},
    {"Frame3", "window", 120, 1560, 3735, 855, "Matching Line"},
    {"frame_2", "Frame3", 0, 240, 1935, 615, "Impedance"},
    {"Label1_4", "frame_2", 120, 240, 375, 255, "Zm"},
    {"Zm_0", "frame_2", 480, 240, 735, 285, nullptr},
    {"Label1_6", "frame_2", 1320, 240, 405, 195, "Ohms", true},
    {"frame_6", "Frame3", 2040, 240, 1695, 615, "Velocity Factor"},
    {"VF_1", "frame_6", 120, 240, 615, 285, nullptr},
    {"Label1_16", "frame_6", 840, 240, 555, 195, "Percent", true},
    {"frame_0", "window", 3960, 720, 1815, 1695, "Load Impedance (Zl)"},
    {"Label1_0", "frame_0", 120, 480, 255, 255, "X"},
    {"Xl_0", "frame_0", 480, 360, 735, 375, nullptr},
    {"Label1_2", "frame_0", 1320, 480, 405, 195, "Ohms", true},
    {"Label1_1", "frame_0", 120, 1080, 255, 255, "R"},
    {"Rl_0", "frame_0", 480, 960, 735, 375, nullptr},
    {"Label1_3", "frame_0", 1320, 1080, 405, 195, "Ohms", true},
    {"Frame1", "window", 120, 2520, 1575, 1455, "L2 Results"},
    {"Length_2", "Frame1", 120, 360, 855, 375, ""},
    {"Label1_10", "Frame1", 1080, 480, 210, 195, "cm", true},
    {"Length_20", "Frame1", 120, 840, 855, 375, ""},
    {"Label1_12", "Frame1", 1080, 840, 195, 405, "\u03bb", true},
    {"frame_5", "window", 1680, 2520, 2175, 1455, "L1 Results"},
    {"Length_1", "frame_5", 120, 360, 855, 375, ""},
    {"Label1_11", "frame_5", 1080, 480, 210, 195, "cm", true},
    {"Length_10", "frame_5", 120, 840, 855, 375, ""},
    {"Label1_14", "frame_5", 1080, 840, 195, 405, "\u03bb", true},
    {"plus", "frame_5", 1440, 240, 495, 975, "+/-"},
    {"Calculate", "window", 4080, 2520, 1575, 375, "Calculate"},
    {"cmdComments", "window", 4080, 3000, 1575, 375, "Add Comments"},
    {"cmdSave", "window", 4080, 3600, 1575, 375, "Save Results"},
    {"Picture1", "window", 0, 4080, 5940, 1665, nullptr},
    {"cmdAbout", "window", 2400, 5880, 1575, 375, "About"},
    {"Exit", "window", 4200, 5880, 1575, 375, "Exit"},
};

QString CaptionOf(const QWidget* widget) {
  if (auto* box = qobject_cast<const QGroupBox*>(widget)) return box->title();
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<const QPushButton*>(widget)) return button->text();
  return {};
}

TEST_F(MainWindowFixture, EveryControlStandsWhereTheInventoryPutsIt) {
  Open();
  EXPECT_EQ(window->size(), QSize(5970 / 15, 6390 / 15));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  for (const Placed& placed : kInventory) {
    SCOPED_TRACE(placed.name);
    auto* widget = window->findChild<QWidget*>(placed.name);
    ASSERT_NE(widget, nullptr);
    const QString container = widget->parentWidget() == window.get()
                                  ? QStringLiteral("window")
                                  : widget->parentWidget()->objectName();
    EXPECT_EQ(container, placed.container);
    const QRect designed(placed.left / 15, placed.top / 15, placed.width / 15, placed.height / 15);
    if (placed.autosize) {
      EXPECT_EQ(widget->pos(), designed.topLeft());
      EXPECT_GE(widget->width(), designed.width());
      EXPECT_GE(widget->height(), designed.height());
      EXPECT_GE(widget->width(), widget->fontMetrics().horizontalAdvance(CaptionOf(widget)));
    } else {
      EXPECT_EQ(widget->geometry(), designed);
    }
    if (placed.caption != nullptr) {
      EXPECT_EQ(CaptionOf(widget), QString::fromUtf8(placed.caption));
    }
    EXPECT_FALSE(CaptionOf(widget).contains('&'));  // no access keys
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      EXPECT_TRUE(label->alignment().testFlag(Qt::AlignTop));
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_FALSE(button->isDefault());
      EXPECT_FALSE(button->autoDefault());
    }
  }
}

TEST_F(MainWindowFixture, FontsAreTheDesignedSizes) {
  Open();
  EXPECT_DOUBLE_EQ(window->Freq[0]->font().pointSizeF(), 12);
  EXPECT_DOUBLE_EQ(window->Xl[0]->font().pointSizeF(), 12);
  EXPECT_DOUBLE_EQ(window->Zo[0]->font().pointSizeF(), 9.75);
  EXPECT_DOUBLE_EQ(window->VF[1]->font().pointSizeF(), 9.75);
  EXPECT_DOUBLE_EQ(window->findChild<QLabel*>("Label1_14")->font().pointSizeF(), 15.75);
  // MS Sans Serif where the machine has it, otherwise a sans-serif face of the same metrics.
  const QStringList sans{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial",
                         "DejaVu Sans"};
  EXPECT_TRUE(sans.contains(QFontInfo(window->Zo[0]->font()).family()))
      << QFontInfo(window->Zo[0]->font()).family().toStdString();
}

// A frame's border runs at half its caption's height, broken behind the caption, so that the
// controls 16 pixels into the frame stand below it.
TEST_F(MainWindowFixture, EveryFramesCaptionSitsOnItsBorderLine) {
  Open();
  for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
    SCOPED_TRACE(frame->objectName().toStdString());
    const QImage image = frame->grab().toImage();
    const QColor ground = frame->palette().color(QPalette::Window);
    const int right = frame->width() - 4;  // inside the right border, clear of the caption
    int top_line = 0;
    while (top_line < 16 && image.pixelColor(right, top_line) == ground) ++top_line;
    EXPECT_EQ(top_line, frame->fontMetrics().height() / 2);

    const QColor line = image.pixelColor(right, top_line);
    int drawn = 0;
    for (int x = 0; x < frame->width(); ++x) drawn += image.pixelColor(x, top_line) == line;
    EXPECT_LE(drawn, frame->width() - frame->fontMetrics().horizontalAdvance(frame->title()));
  }
}

TEST_F(MainWindowFixture, TheDiagramStandsUnscaledInTheSunkenBox) {
  Open();
  auto* picture = window->findChild<QLabel*>("Picture1");
  EXPECT_EQ(picture->contentsRect(), QRect(2, 2, 392, 107));
  EXPECT_EQ(picture->pixmap().size(), QSize(400, 107));
  EXPECT_FALSE(picture->hasScaledContents());
  EXPECT_EQ(picture->alignment() & (Qt::AlignLeft | Qt::AlignTop), Qt::AlignLeft | Qt::AlignTop);
}

TEST(Diagram, IsMonochromeLineArtAtTheDesignedCoordinates) {
  const QImage diagram = TransformerDiagram();
  ASSERT_EQ(diagram.size(), QSize(400, 107));
  EXPECT_EQ(diagram.depth(), 1);
  const auto black = [&](int x, int y) { return diagram.pixelColor(x, y) == Qt::black; };
  struct Point {
    int x, y;
    bool black;
  };
  const Point points[] = {
      // feed line: upper at 44, lower at 59-60, from x 15 to 129
      {15, 44, true}, {129, 44, true}, {15, 59, true}, {15, 60, true}, {14, 44, false},
      {40, 52, false},
      // Line-2 box 128..197 x 36..72, left and bottom edges two pixels thick
      {128, 36, true}, {197, 36, true}, {128, 72, true}, {197, 72, true}, {129, 50, true},
      {150, 71, true}, {150, 37, false}, {196, 50, false},
      // Line-1: 197..295 at 44-45 and 60-61
      {220, 44, true}, {220, 45, true}, {220, 60, true}, {220, 61, true}, {220, 52, false},
      // the load 295..382 x 32..78
      {295, 32, true}, {382, 32, true}, {295, 78, true}, {382, 78, true}, {383, 50, false},
      // dimension ticks and lines
      {128, 76, true}, {197, 96, true}, {294, 80, true}, {133, 88, true}, {290, 87, true},
      // nothing in the corners or in the strip the box clips away
      {2, 2, false}, {397, 100, false}, {395, 5, false},
  };
  for (const Point& p : points) EXPECT_EQ(black(p.x, p.y), p.black) << p.x << "," << p.y;
  int captions = 0;  // the letters of Zo, Zm, Load, l2 and l1 drew something
  for (const QRect area : {QRect(60, 46, 13, 12), QRect(155, 46, 16, 14), QRect(239, 47, 14, 12),
                           QRect(300, 40, 70, 30), QRect(150, 80, 25, 17), QRect(235, 79, 25, 17)}) {
    bool inked = false;
    for (int x = area.left(); x <= area.right(); ++x) {
      for (int y = area.top(); y <= area.bottom(); ++y) inked = inked || black(x, y);
    }
    captions += inked;
  }
  EXPECT_EQ(captions, 6);
}

TEST(WindowIcon, IsAGreySpannerInSixteenColoursOnATransparentGroundAtBothSizes) {
  EXPECT_EQ(SpannerIcon().availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
  const QList<QRgb> standard_16{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                0x008080, 0xc0c0c0, 0x808080, 0xff0000, 0x00ff00, 0xffff00,
                                0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};
  for (const int size : {16, 32}) {
    const QImage image = SpannerImage(size);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    const QColor middle = image.pixelColor(size / 2, size / 2);  // the handle crosses it
    EXPECT_TRUE(middle.alpha() == 255 && middle.red() == middle.green() &&
                middle.green() == middle.blue());
    for (int i = 0; i < size * size; ++i) {  // no anti-aliased edge, no colour of its own
      const QRgb pixel = image.pixel(i % size, i / size);
      EXPECT_TRUE(qAlpha(pixel) == 0 ||
                  (qAlpha(pixel) == 255 && standard_16.contains(pixel & 0xffffff)))
          << size << ": " << i;
    }
  }
}

TEST_F(MainWindowFixture, Screenshot) {
  Open();
  Click("Calculate");
  QDir().mkpath(TOLVAN_SCREENSHOTS);
  EXPECT_TRUE(window->grab().save(QStringLiteral(TOLVAN_SCREENSHOTS "/frmTolvan.png")));
}

TEST(TolvanProgram, WithoutADisplaySaysSoInOneLineAndFails) {
  const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
                              TOLVAN_GUI + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(output, "tolvan: no display to open the window on (DISPLAY is not set)\n");
}

}  // namespace
}  // namespace tolvan
