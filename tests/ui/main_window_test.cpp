// The main window's wiring: what its boxes, labels and buttons show after each step and what
// reaches the configuration file; its layout as relations between controls; the program
// without a display.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QGroupBox>
#include <QStyle>

#include "tests/ui/main_window_fixture.h"

namespace tolvan {
namespace {

using Strings = std::vector<std::string>;

// The toggle down shows the results, up the alternate results; Calculate always ends on the
// alternate, and stores the inputs. The next run opens where this one closed.
TEST_F(MainWindowFixture, FirstStartShowsTheDefaultsTheToggleSwitchesTheNextRunGoesOn) {
  Open();
  EXPECT_EQ(window->windowTitle(), "Tolvan Calculator");
  EXPECT_EQ(window->Freq[0], QApplication::focusWidget());
  EXPECT_EQ(Texts(), (QStringList{"150", "50", "75", "89", "66", "-3.5", "55.5"}));
  EXPECT_EQ(Screen(), (QStringList{"", "", "", ""} + kStale));
  Click("plus");
  EXPECT_EQ(Screen(), (QStringList{"0.000", "0.000", "0.000", "0.000"} + kStale));
  Replace(window->Rl[0], "55.50");
  Click("Calculate");
  EXPECT_EQ(Screen(), kAlternate + kCurrent);
  EXPECT_THAT(Config(), HasSubstr("<r>55.50</r>"));
  Click("plus");
  EXPECT_EQ(Screen(), kAlternate + kCurrent);
  Click("plus");
  EXPECT_EQ(Screen(), kResults + kCurrent);
  window->move(300, 200);
  Restart();
  EXPECT_EQ(shared.MainPos, (std::array<std::int32_t, 2>{4500, 3000}));
  EXPECT_EQ(window->pos(), QPoint(300, 200));
  EXPECT_EQ(window->Rl[0]->text(), "55.50");
  EXPECT_EQ(Screen(), (QStringList{"", "", "", ""} + kStale));
}

TEST_F(MainWindowFixture, LabelsAndReportUseTheLocalesDecimalSeparator) {
  locale = QLocale(QLocale::German, QLocale::Germany);
  Open();
  Replace(window->Freq[0], "1296.5");
  Click("Calculate");
  EXPECT_EQ(Screen(), (QStringList{"0,476", "7,274", "0,345", "7,113"} + kCurrent));
  Choose(folder / "de.txt");
  Click("cmdSave");
  EXPECT_THAT(testing::ReadFile(folder / "de.txt"), HasSubstr("Frequency = 1.296,5 MHz\r\n"));
}

// The labels keep the old values.
TEST_F(MainWindowFixture, TypingOneCharacterInAnyBoxMakesTheResultsStale) {
  Open();
  for (QLineEdit* box : Boxes()) {
    Click("Calculate");
    box->setFocus();
    box->end(false);
    QTest::keyClick(box, Qt::Key_0);
    EXPECT_EQ(Screen(), kAlternate + kStale) << box->objectName().toStdString();
    QTest::keyClick(box, Qt::Key_Backspace);
  }
}

// Neither a cancelled prompt nor a refusal changes the labels.
TEST_F(MainWindowFixture, AMissingInputIsAskedForAndARefusedOneShown) {
  Calculated();
  scripted.prompts.answers = {"", "75"};
  Replace(window->Zm[0], "");
  Click("Calculate");
  EXPECT_EQ(window->Zm[0]->text(), "");
  EXPECT_EQ(Screen(), kAlternate + kStale);
  Click("Calculate");
  EXPECT_EQ(scripted.prompts.asked, Strings(2,
                                            "[Data Missing] Matching line impedance is "
                                            "missing.\r\nWhat is the matching line "
                                            "impedance in Ohms?"));
  EXPECT_EQ(window->Zm[0]->text(), "75");
  EXPECT_EQ(Screen(), kAlternate + kCurrent);
  Click("plus");
  Replace(window->Zo[0], "0");
  Click("Calculate");
  EXPECT_EQ(scripted.messages.shown, Strings{"[Tolvan] invalid impedance Zo"});
  EXPECT_EQ(Screen(), kResults + kStale);
}

// The labels show the working values of the calculation, the toggle the singles stored from
// them (alternate Line-2: 11265.1845 cm, then 11265.185); the widest still fit.
TEST_F(MainWindowFixture, ControlsKeepClearOfEachOtherAndOfTheirFramesAndHoldTheirCaptions) {
  Open();
  const QStringList design{"1.02", "434", "252", "84", "83", "-92.28", "373.71"};
  for (int i = 0; i < design.size(); ++i) Replace(Boxes()[i], design[i]);
  Click("Calculate");
  EXPECT_EQ(Screen(), (QStringList{"0.461", "11265.184", "0.485", "11983.500"} + kCurrent));
  ExpectClearLayout(window.get());
  Click("plus");
  Click("plus");
  EXPECT_EQ(Screen(), (QStringList{"0.461", "11265.185", "0.485", "11983.500"} + kCurrent));
}

TEST(TolvanProgram, WithoutADisplaySaysSoInOneLineAndFails) {
  FILE* pipe = popen(
      ("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(TOLVAN_GUI) + " 2>&1")
          .c_str(),
      "r");
  ASSERT_NE(pipe, nullptr);
  char output[256] = {};
  EXPECT_EQ(std::string(fgets(output, sizeof output, pipe) ? output : ""),
            "tolvan: no display to open the window on (DISPLAY is not set)\n");
  EXPECT_EQ(fgets(output, sizeof output, pipe), nullptr);
  EXPECT_EQ(pclose(pipe), 1 << 8);  // exit status 1
}

// What a control covers: a label its caption, where it has one; anything else its rectangle.
QRect Covered(const QWidget* control) {
  const auto* label = qobject_cast<const QLabel*>(control);
  if (label == nullptr || label->text().isEmpty() || label->wordWrap()) return control->geometry();
  return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                             label->fontMetrics().size(0, label->text()), label->contentsRect())
      .translated(label->pos());
}

// The row a frame's border runs on, read at its right side, clear of the caption: through the
// caption's middle, broken behind it.
int BorderRow(QGroupBox* frame) {
  const QImage image = frame->grab().toImage();
  const QColor ground = frame->palette().color(QPalette::Window);
  int row = 0;
  while (row < frame->height() && image.pixelColor(frame->width() - 4, row) == ground) ++row;
  EXPECT_EQ(row, frame->fontMetrics().height() / 2);
  int drawn = 0;
  for (int x = 0; x < frame->width(); ++x)
    drawn += image.pixelColor(x, row) == image.pixelColor(frame->width() - 4, row);
  EXPECT_LE(drawn, frame->width() - frame->fontMetrics().horizontalAdvance(frame->title()));
  return row;
}

}  // namespace

// Adjacent frames may share their border line.
void ExpectClearLayout(QWidget* container) {
  auto* frame = qobject_cast<QGroupBox*>(container);
  const QRect inside = container->rect().adjusted(0, frame ? BorderRow(frame) + 1 : 0, 0, 0);
  const auto children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) {
    SCOPED_TRACE(child->objectName().toStdString());
    const bool frame_child = qobject_cast<QGroupBox*>(child) != nullptr;
    if (frame != nullptr || child->geometry().intersects(container->rect())) {
      EXPECT_TRUE(inside.contains(child->geometry()));
    }
    for (QWidget* other : children) {
      const QRect both = Covered(child).intersected(Covered(other));
      const bool frames = frame_child && qobject_cast<QGroupBox*>(other);
      EXPECT_TRUE(other == child || both.isEmpty() ||
                  (frames && std::min(both.width(), both.height()) == 1))
          << other->objectName().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(child); label != nullptr && label->wordWrap()) {
      EXPECT_GE(label->height(), label->heightForWidth(label->width()));
    } else {
      const QString caption = child->property(frame_child ? "title" : "text").toString();
      EXPECT_TRUE(
          QRect({}, child->size()).contains(QRect({}, child->fontMetrics().size(0, caption))));
    }
    if (frame_child) ExpectClearLayout(child);
  }
}

}  // namespace tolvan
