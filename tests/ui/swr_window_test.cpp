// The SWR window as the user reaches it from the main window, by F2 or a menu; the measured load.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <functional>

#include "engine/touchstone.h"
#include "persist/svg_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/frm_swr.h"
#include "ui/swr_chart_view.h"

namespace tolvan {
namespace {

// A program in <scratch>/bin, which finds the cable catalogue in <scratch>/share/tolvan.
class SwrWindow : public MainWindowFixture {
 protected:
  void SetUp() override {
    program = folder / "bin";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(folder / "share/tolvan");
    std::filesystem::copy_file(TOLVAN_SOURCE_DIR "/data/cables.json",
                               folder / "share/tolvan/cables.json");
    Open();
  }
  frmSwr* PressF2(bool calculate_first = true) {
    if (calculate_first) Click("Calculate");
    QTest::keyClick(window.get(), Qt::Key_F2);
    return Shown<frmSwr>("frmSwr");
  }
  static QString Text(frmSwr* swr, const char* label) {
    return swr->findChild<QLabel*>(label)->text();
  }
  // The open menu's name and last two entries ("!" before a disabled one); it is closed.
  static QStringList Menu() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return {"no menu"};
    QStringList entries{menu->objectName()};
    for (QAction* action : menu->actions().mid(menu->actions().size() - 2))
      entries << (action->isEnabled() ? "" : "!") + action->text();
    menu->close();
    return entries;
  }
  static std::string Chart(frmSwr* swr) { return SvgText(swr->chartView().Layout().chart); }
  // Whether the results' curve is drawn stronger than the alternate results'.
  static bool ResultsStronger(frmSwr* swr) {
    std::vector<double> widths;
    for (const ChartMark& mark : swr->chartView().Layout().chart.marks)
      if (const auto* line = std::get_if<PolylineMark>(&mark)) widths.push_back(line->stroke.width);
    return widths.at(0) > widths.at(1);
  }
};

// The solution on view in the main window is drawn stronger; the chart saved is the one shown,
// the PNG at twice its pixels, and the folder of the last save is offered next. The window's
// place is stored, in twips, only once it has closed; a size beyond the screen is cut.
TEST_F(SwrWindow, F2OpensOneWindowThatFollowsTheMainWindowSavesTheChartAndIsRemembered) {
  EXPECT_EQ(PressF2(false), nullptr);
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(swr->windowTitle(), "SWR");
  EXPECT_GT(swr->frameGeometry().left(), window->frameGeometry().right());
  EXPECT_EQ(swr->frameGeometry().top(), window->frameGeometry().top());
  EXPECT_EQ(PressF2(false), swr);
  EXPECT_EQ(window->findChildren<frmSwr*>().size(), 1);
  EXPECT_FALSE(ResultsStronger(swr));
  Click("plus");
  EXPECT_TRUE(ResultsStronger(swr));
  Replace(window->Freq[0], "14.2");
  EXPECT_EQ(std::get<TextMark>(swr->chartView().Layout().chart.marks.back()).text,
            "results out of date: press Calculate");
  EXPECT_FALSE(swr->findChild<QPushButton*>("cmdSavePng")->isEnabled());
  Click("Calculate");
  EXPECT_TRUE(swr->chartView().accessibleDescription().contains(" at 14.200 MHz."));
  EXPECT_FALSE(ResultsStronger(swr));
  for (const char* file : {"swr.svg", "swr.png", "/no/such/folder/swr.svg"}) {
    Choose(folder / file);
    Click(QString(file).endsWith("svg") ? "cmdSaveSvg" : "cmdSavePng", swr);
  }
  const auto& asked = scripted.save_dialog.requests;
  EXPECT_EQ((QStringList{asked[0].title, asked[0].file_name, asked[1].title, asked[1].file_name}),
            (QStringList{"Save as SVG", "swr.svg", "Save as PNG", "swr.png"}));
  EXPECT_EQ(asked[1].folder.toStdString(), folder.path().string());
  EXPECT_EQ(testing::ReadFile(folder / "swr.svg"), Chart(swr));
  EXPECT_EQ(QImage(QString::fromStdString((folder / "swr.png").string())).size(),
            swr->chartView().size() * 2);
  EXPECT_EQ(scripted.shown, Strings{"[Tolvan] The chart could not be saved as "
                                    "/no/such/folder/swr.svg: No such file or directory"});
  swr->move(500, 120);
  swr->resize(700, 560);
  const std::string lossless = Chart(swr);
  EXPECT_TRUE(swr->findChild<QLabel*>("lblCableNotes")->isHidden());
  auto* feed = swr->findChild<QComboBox*>("cboFeedCable");
  while (feed->currentData() != "RG-213/U" && feed->currentIndex() + 1 < feed->count())
    QTest::keyClick(feed, Qt::Key_Down);
  EXPECT_NE(Chart(swr), lossless);
  EXPECT_TRUE(Text(swr, "lblCableNotes").startsWith("RG-213/U is 50 ohms and VF 66 %"));
  Click("Calculate");  // stores the configuration, which knows nothing of the window yet
  EXPECT_THAT(Config(), Not(HasSubstr("<fa")));
  Restart();  // which does not leave the chart behind
  EXPECT_EQ(Shown("frmSwr"), nullptr);
  EXPECT_THAT(Config(),
              HasSubstr("<fa0>7500</fa0>\r\n    <fa1>1800</fa1>\r\n    <fa2>10500</fa2>\r\n"
                        "    <fa3>8400</fa3>\r\n</data>"));
  EXPECT_THAT(Config(), HasSubstr("<fcab>RG-213/U</fcab>"));
  swr = PressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(QRect(swr->pos(), swr->size()), QRect(500, 120, 700, 560));
  EXPECT_EQ(swr->findChild<QComboBox*>("cboFeedCable")->currentData(), "RG-213/U");
  swr->resize(100000, 10);
  Restart();
  swr = PressF2();
  EXPECT_EQ(swr->size(),
            QSize(window->screen()->availableGeometry().width(), swr->minimumSizeHint().height()));
}

// Drops copies of `file` on `target` as a file manager does, and lets the window read them.
void Drop(QWidget* target, const std::string& file, int copies = 1) {
  QMimeData mime;
  mime.setUrls(QList<QUrl>(copies, QUrl::fromLocalFile(QString::fromStdString(file))));
  QDragEnterEvent enter({}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop({}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  QApplication::processEvents();
}

// The load applies while Xl and Rl hold the texts it wrote and Freq its frequency; attached
// from the menu without an edit, at once. A box takes a dropped file for the load, not as text.
// Each menu's name and last two entries ("!" before a disabled one): the window's, or a box's
// with its own editing entries first; opened with the mouse or the keyboard.
TEST_F(SwrWindow, MenusOfferTheChartWhileTheResultsAreCurrentAndAMeasuredLoadWhichHolds) {
  const std::string dipole = TOLVAN_SOURCE_DIR "/examples/dipole_20m.s1p";  // 13 to 15.5 MHz
  Click("Calculate");
  Drop(window.get(), dipole, 2);  // two files are no load
  EXPECT_TRUE(scripted.shown.empty());
  Drop(window.get(), dipole);  // at 150 MHz
  EXPECT_EQ(scripted.shown,
            Strings{"[Tolvan] The measured load was not taken; Xl and Rl are unchanged.\n" +
                    dipole + ": 150 MHz is outside the measured range, 13 to 15.5 MHz"});
  EXPECT_EQ(Texts(), (QStringList{"150", "50", "75", "89", "66", "-3.5", "55.5"}));
  EXPECT_EQ(Screen(), kAlternate + kCurrent);
  Replace(window->Freq[0], "14.2");
  Click("Calculate");
  Drop(window->Freq[0], dipole);
  const std::complex<double> ohms = *ReadTouchstone(dipole).load->ImpedanceAt(14.2f);
  EXPECT_EQ((QList<float>{window->Freq[0]->text().toFloat(), window->Xl[0]->text().toFloat(),
                          window->Rl[0]->text().toFloat()}),
            (QList<float>{14.2f, float(ohms.imag()), float(ohms.real())}));
  EXPECT_EQ(Screen().mid(4), kStale);
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  const QString measured = "Load: measured in dipole_20m.s1p, known from 13 to 15.5 MHz";
  EXPECT_EQ(Text(swr, "lblLoad"), measured);
  const std::string chart = Chart(swr);
  QTest::keyClick(window->Freq[0], Qt::Key_End);
  QTest::keyClick(window->Freq[0], Qt::Key_0);  // 14.20: the same frequency
  Click("Calculate");
  EXPECT_EQ(Text(swr, "lblLoad"), measured);
  Replace(window->Rl[0], window->Rl[0]->text());  // cleared and typed again
  Click("Calculate");
  EXPECT_TRUE(Text(swr, "lblLoad").endsWith(" ohms as typed, the same at every frequency"));
  EXPECT_NE(Chart(swr), chart);
  scripted.open_dialog.answer = QString::fromStdString(dipole);
  window->findChild<QAction*>("mnuLoadMeasurement")->trigger();
  EXPECT_EQ(Text(swr, "lblLoad"), measured);
  for (const bool current : {false, true, false}) {
    current ? Click("Calculate") : Replace(window->Zm[0], "80");
    const QStringList ends{current ? "SWR Chart" : "!SWR Chart", "Load from measurement file..."};
    for (QWidget* target : std::initializer_list<QWidget*>{window->Length.at(10), window->Zo[0]}) {
      QContextMenuEvent event(QContextMenuEvent::Mouse, {}, target->mapToGlobal(QPoint()));
      QApplication::sendEvent(target, &event);
      EXPECT_EQ(Menu(), QStringList{target == window->Zo[0] ? "qt_edit_menu" : ""} + ends);
    }
    Button("Calculate")->setFocus();
    QTest::keyClick(Button("Calculate"), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(Menu(), QStringList{""} + ends);
  }
}

}  // namespace
}  // namespace tolvan
