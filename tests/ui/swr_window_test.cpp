// The SWR window as the user reaches it from the main window: the context menu and F2,
// following Calculate, the toggle and edits, saving, its place; the measured load dropped or
// chosen from the menu, and the cables.

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

const std::string kDipole = TOLVAN_SOURCE_DIR "/examples/dipole_20m.s1p";  // 13 to 15.5 MHz

// A program in <scratch>/bin, which finds the cable catalogue in <scratch>/share/tolvan.
class SwrWindow : public MainWindowFixture {
 protected:
  void SetUp() override {
    program = folder / "bin";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(folder / "share/tolvan");
    std::filesystem::copy_file(TOLVAN_SOURCE_DIR "/data/cables.json",
                               folder / "share/tolvan/cables.json");
  }
  void TearDown() override {
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  }

  frmSwr* PressF2() {
    QTest::keyClick(window.get(), Qt::Key_F2);
    return Shown<frmSwr>("frmSwr");
  }
  frmSwr* CalculateAndPressF2() {
    Click("Calculate");
    return PressF2();
  }

  // The last entries of the menu that `open` opens ("!" before a disabled one); it is closed.
  static QStringList MenuEnds(const std::function<void()>& open) {
    open();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return {"no menu"};
    QStringList entries{menu->objectName() == "qt_edit_menu" ? "box" : "window"};
    for (QAction* action : menu->actions().mid(menu->actions().size() - 2)) {
      entries << (action->isEnabled() ? "" : "!") + action->text();
    }
    menu->close();
    return entries;
  }

  // Drops `file` on `target` as a file manager does, and lets the window read it.
  static void Drop(QWidget* target, const std::string& file) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDragEnterEvent enter({}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop({}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();
  }
  static QString Text(frmSwr* swr, const char* label) {
    return swr->findChild<QLabel*>(label)->text();
  }
  static std::string Chart(frmSwr* swr) { return SvgText(swr->chartView().Layout().chart); }
  // The curves' widths, the results' first: the solution on view is drawn stronger.
  static bool ResultsStronger(frmSwr* swr) {
    std::vector<double> widths;
    for (const ChartMark& mark : swr->chartView().Layout().chart.marks) {
      if (const auto* line = std::get_if<PolylineMark>(&mark)) widths.push_back(line->stroke.width);
    }
    return widths.at(0) > widths.at(1);
  }
};

void RightClickOn(QWidget* widget) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, widget->rect().center(),
                          widget->mapToGlobal(widget->rect().center()));
  QApplication::sendEvent(widget, &event);
}

void PressOn(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  widget->setFocus();
  QTest::keyClick(widget, key, modifiers);
}

// A box's menu holds its own editing entries first.
TEST_F(SwrWindow, EveryMenuOffersTheChartOnlyWhileTheResultsAreCurrentAndAMeasuredLoadAlways) {
  Open();
  const std::pair<const char*, std::function<void()>> routes[] = {
      {"window", [&] { RightClickOn(window->findChild<QWidget*>("Picture1")); }},
      {"window", [&] { RightClickOn(window->Length.at(10)); }},
      {"box", [&] { RightClickOn(window->Zo[0]); }},
      {"box", [&] { PressOn(window->Xl[0], Qt::Key_Menu); }},
      {"window", [&] { PressOn(Button("Calculate"), Qt::Key_F10, Qt::ShiftModifier); }}};
  for (const bool current : {false, true, false}) {
    if (current) Click("Calculate");
    if (!current) Replace(window->Zm[0], "80");
    for (const auto& [menu, open] : routes) {
      EXPECT_EQ(MenuEnds(open), (QStringList{menu, current ? "SWR Chart" : "!SWR Chart",
                                             "Load from measurement file..."}));
    }
  }
}

TEST_F(SwrWindow, F2OpensOneWindowBesideTheMainWindowOnlyWithCurrentResults) {
  Open();
  EXPECT_EQ(PressF2(), nullptr);
  frmSwr* swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(swr->windowTitle(), "SWR");
  EXPECT_GT(swr->frameGeometry().left(), window->frameGeometry().right());
  EXPECT_EQ(swr->frameGeometry().top(), window->frameGeometry().top());
  EXPECT_EQ(PressF2(), swr);
  EXPECT_EQ(window->findChildren<frmSwr*>().size(), 1);
  window->close();  // which does not leave the chart behind
  EXPECT_EQ(Shown("frmSwr"), nullptr);
}

TEST_F(SwrWindow, FollowsCalculateTheToggleAndEdits) {
  Open();
  frmSwr* swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  auto* save = swr->findChild<QPushButton*>("cmdSavePng");
  EXPECT_FALSE(ResultsStronger(swr));  // the labels end on the alternate results
  Click("plus");
  EXPECT_TRUE(ResultsStronger(swr));
  Replace(window->Freq[0], "14.2");
  EXPECT_EQ(std::get<TextMark>(swr->chartView().Layout().chart.marks.back()).text,
            "results out of date: press Calculate");
  EXPECT_FALSE(save->isEnabled());
  Click("Calculate");
  EXPECT_TRUE(swr->chartView().accessibleDescription().contains(" at 14.200 MHz."));
  EXPECT_TRUE(save->isEnabled());
  EXPECT_FALSE(ResultsStronger(swr));
}

TEST_F(SwrWindow, SavesTheChartAsSvgAndPngAndSaysWhyItCouldNot) {
  Open();
  frmSwr* swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  Choose(folder / "swr.svg");
  QTest::mouseClick(swr->findChild<QPushButton*>("cmdSaveSvg"), Qt::LeftButton);
  Choose(folder / "swr.png");
  QTest::mouseClick(swr->findChild<QPushButton*>("cmdSavePng"), Qt::LeftButton);
  const auto& asked = scripted.save_dialog.requests;
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ((QStringList{asked[0].title, asked[0].file_name, asked[1].title, asked[1].file_name}),
            (QStringList{"Save as SVG", "swr.svg", "Save as PNG", "swr.png"}));
  EXPECT_EQ(asked[1].folder.toStdString(), folder.path().string());
  EXPECT_EQ(SvgText(swr->chartView().Layout().chart), testing::ReadFile(folder / "swr.svg"));
  const QImage png(QString::fromStdString((folder / "swr.png").string()));
  EXPECT_EQ(png.size(), swr->chartView().size() * 2);

  Choose("/no/such/folder/swr.svg");
  QTest::mouseClick(swr->findChild<QPushButton*>("cmdSaveSvg"), Qt::LeftButton);
  EXPECT_EQ(scripted.messages.shown, std::vector<std::string>{"[Tolvan] The chart could not be "
                                     "saved as /no/such/folder/swr.svg: No such file or directory"});
}

// Stored only once the window has closed, in twips; a size beyond the screen is cut to it.
TEST_F(SwrWindow, OpensWhereAndAsLargeAsItLastClosed) {
  Open();
  frmSwr* swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  swr->move(500, 120);
  swr->resize(700, 560);
  Click("Calculate");  // stores the configuration, which knows nothing of the window yet
  EXPECT_EQ(Config().find("<fa"), std::string::npos);
  Restart();
  EXPECT_NE(Config().find("<fa0>7500</fa0>\r\n    <fa1>1800</fa1>\r\n    <fa2>10500</fa2>\r\n"
                          "    <fa3>8400</fa3>\r\n"),
            std::string::npos);
  swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(QRect(swr->pos(), swr->size()), QRect(500, 120, 700, 560));
  swr->resize(100000, 10);
  Restart();
  swr = CalculateAndPressF2();
  EXPECT_EQ(swr->width(), window->screen()->availableGeometry().width());
  EXPECT_EQ(swr->height(), swr->minimumSizeHint().height());
}

// The load applies while Xl and Rl hold its texts and Freq its frequency: a box takes a
// dropped file for the load, not as text.
TEST_F(SwrWindow, ADroppedOrChosenMeasuredLoadFillsXlAndRlAndHoldsUntilAnotherIsTyped) {
  Open();
  Replace(window->Freq[0], "14.2");
  Click("Calculate");
  Drop(window->Freq[0], kDipole);
  const std::complex<double> ohms = *ReadTouchstone(kDipole).load->ImpedanceAt(14.2f);
  EXPECT_EQ(window->Freq[0]->text(), "14.2");
  EXPECT_EQ(window->Rl[0]->text().toFloat(), static_cast<float>(ohms.real()));
  EXPECT_EQ(window->Xl[0]->text().toFloat(), static_cast<float>(ohms.imag()));
  EXPECT_FALSE(Button("cmdSave")->isEnabled());
  frmSwr* swr = CalculateAndPressF2();
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
  scripted.open_dialog.answer = QString::fromStdString(kDipole);
  window->findChild<QAction*>("mnuLoadMeasurement")->trigger();
  EXPECT_EQ(Text(swr, "lblLoad"), measured);  // attached without an edit: applies at once
  EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(SwrWindow, AMeasuredLoadOutsideTheFrequencyChangesNothingAndSaysWhy) {
  Open();
  Click("Calculate");
  const QStringList texts = Texts();
  Drop(window.get(), kDipole);
  EXPECT_EQ(Texts(), texts);
  EXPECT_TRUE(Button("cmdSave")->isEnabled());
  EXPECT_EQ(scripted.messages.shown,
            std::vector<std::string>{"[Tolvan] The measured load was not taken; Xl and Rl are "
                                     "unchanged.\n" + kDipole + ": 150 MHz is outside the "
                                     "measured range, 13 to 15.5 MHz"});
}

TEST_F(SwrWindow, ACableChangesTheChartShowsItsLossAndIsRemembered) {
  Open();
  frmSwr* swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  const std::string lossless = Chart(swr);
  EXPECT_TRUE(swr->findChild<QLabel*>("lblCableNotes")->isHidden());
  auto* feed = swr->findChild<QComboBox*>("cboFeedCable");
  while (feed->currentData() != "RG-213/U" && feed->currentIndex() + 1 < feed->count()) {
    QTest::keyClick(feed, Qt::Key_Down);
  }
  EXPECT_NE(Chart(swr), lossless);
  EXPECT_TRUE(Text(swr, "lblCableNotes").startsWith("RG-213/U is 50 ohms and VF 66 %"));
  Restart();
  EXPECT_NE(Config().find("<fcab>RG-213/U</fcab>"), std::string::npos);
  swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(swr->findChild<QComboBox*>("cboFeedCable")->currentData(), "RG-213/U");
}

}  // namespace
}  // namespace tolvan
