// The main window's wiring: what its boxes, labels and buttons show after each step and what
// reaches the configuration file and the report; its layout as relations between controls.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QStyle>

#include "tests/ui/main_window_fixture.h"

namespace tolvan {
namespace {

// The toggle down shows the results, up the alternate results; Calculate always ends on the
// alternate, and stores the inputs. Whichever solution is on view, the report holds both. A
// character typed in any box makes the results stale; the labels keep the old values, as they
// do after a cancelled prompt and a refusal. The next run opens where this one closed and offers
// the report's folder while it is there, else the working directory; a cancelled or failed save
// is not remembered. The labels show the working values, the toggle the singles stored from
// them (alternate Line-2: 11265.1845 cm, then 11265.185), in the locale's numbers; they fit.
TEST_F(MainWindowFixture, ShowsItsStepsAsksForMissingInputsSavesTheReportAndTheNextRunGoesOn) {
  const std::string working = std::filesystem::current_path().string();
  const std::filesystem::path reports = folder / "reports";
  std::filesystem::create_directory(reports);
  Open();
  EXPECT_EQ(window->Freq[0], QApplication::focusWidget());
  EXPECT_EQ(Texts(), (QStringList{"150", "50", "75", "89", "66", "-3.5", "55.5"}));
  EXPECT_EQ(Screen(), (QStringList{"", "", "", ""} + kStale));
  Click("plus");
  EXPECT_EQ(Screen(), (QStringList{"0.000", "0.000", "0.000", "0.000"} + kStale));
  Click("Calculate");
  EXPECT_EQ(Screen(), kAlternate + kCurrent);
  Click("plus");
  EXPECT_EQ(Screen(), kAlternate + kCurrent);
  Click("plus");
  EXPECT_EQ(Screen(), kResults + kCurrent);
  Choose(reports / "default.txt");
  Click("cmdSave");
  const auto& asked = scripted.save_dialog.requests;
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ((QStringList{asked[0].title, asked[0].filter, asked[0].default_suffix,
                         asked[0].file_name, asked[0].folder}),
            (QStringList{"Save Data To Text File", "Data File (*.txt)", "txt", "",
                         QString::fromStdString(working)}));
  EXPECT_EQ(testing::ReadFile(reports / "default.txt"),
            testing::ReadFile(TOLVAN_TEST_DATA "/default_report.expected"));
  for (QLineEdit* box : Boxes()) {
    Click("Calculate");
    box->setFocus();
    box->end(false);
    QTest::keyClick(box, Qt::Key_0);
    EXPECT_EQ(Screen(), kAlternate + kStale) << box->objectName().toStdString();
    QTest::keyClick(box, Qt::Key_Backspace);
  }
  scripted.answers = {"", "75"};
  Replace(window->Zm[0], "");
  Click("Calculate");
  EXPECT_EQ(window->Zm[0]->text(), "");
  EXPECT_EQ(Screen(), kAlternate + kStale);
  Click("Calculate");
  EXPECT_EQ(scripted.asked, Strings(2,
                                    "[Data Missing] Matching line impedance is missing.\r\n"
                                    "What is the matching line impedance in Ohms?"));
  EXPECT_EQ(window->Zm[0]->text(), "75");
  EXPECT_EQ(Screen(), kAlternate + kCurrent);
  Replace(window->Zo[0], "0");
  Click("Calculate");
  EXPECT_EQ(scripted.shown, Strings{"[Tolvan] invalid impedance Zo"});
  EXPECT_EQ(Screen(), kAlternate + kStale);
  Replace(window->Zo[0], "50");
  Replace(window->Rl[0], "55.50");
  Click("Calculate");
  EXPECT_THAT(Config(), HasSubstr("<r>55.50</r>"));
  window->move(300, 200);
  locale = QLocale(QLocale::German, QLocale::Germany);
  Restart();
  EXPECT_EQ(shared.MainPos, (std::array<std::int32_t, 2>{4500, 3000}));
  EXPECT_EQ(window->pos(), QPoint(300, 200));
  EXPECT_EQ(window->Rl[0]->text(), "55.50");
  EXPECT_EQ(Screen(), (QStringList{"", "", "", ""} + kStale));
  Click("Calculate");
  scripted.save_dialog.answer.reset();
  Click("cmdSave");
  EXPECT_EQ(asked.back().folder.toStdString(), reports.string());
  std::filesystem::remove_all(reports);
  const std::string config_before = Config();
  Click("cmdSave");
  EXPECT_EQ(asked.back().folder.toStdString(), working);
  EXPECT_EQ(window->reportFolder(), working);  // although the dialog was cancelled
  EXPECT_EQ(scripted.shown.size(), 1u);
  Choose(reports / "r.txt");
  Click("cmdSave");
  EXPECT_EQ(scripted.shown.back(), "[Tolvan] The report could not be saved as " +
                                       (reports / "r.txt").string() +
                                       ": No such file or directory");
  EXPECT_EQ(Config(), config_before);
  const QStringList wide{"1.02", "434", "252", "84", "83", "-92.28", "373.71"};
  for (int i = 0; i < wide.size(); ++i) Replace(Boxes()[i], wide[i]);
  Click("Calculate");
  EXPECT_EQ(Screen(), (QStringList{"0,461", "11265,184", "0,485", "11983,500"} + kCurrent));
  ExpectClearLayout(window.get());
  Click("plus");
  Click("plus");
  EXPECT_EQ(Screen(), (QStringList{"0,461", "11265,185", "0,485", "11983,500"} + kCurrent));
}

// What a control covers: a label its caption, where it has one; anything else its rectangle.
QRect Covered(const QWidget* control) {
  const auto* label = qobject_cast<const QLabel*>(control);
  if (label == nullptr || label->text().isEmpty() || label->wordWrap()) return control->geometry();
  return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                             label->fontMetrics().size(0, label->text()), label->contentsRect())
      .translated(label->pos());
}

// The row a frame's border runs on (the caption's middle), read at its right, clear of the caption.
int BorderRow(QGroupBox* frame) {
  const QImage image = frame->grab().toImage();
  const QColor ground = frame->palette().color(QPalette::Window);
  int row = 0;
  while (row < frame->height() && image.pixelColor(frame->width() - 4, row) == ground) ++row;
  EXPECT_EQ(row, frame->fontMetrics().height() / 2);
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
    const bool outside = frame == nullptr && !child->geometry().intersects(container->rect());
    EXPECT_TRUE(outside || inside.contains(child->geometry()));
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
