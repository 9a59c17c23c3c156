// A measured load dropped on the main window or chosen from its menu, and the SWR window's
// cables: what the boxes, the buttons and the SWR window show after each step.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QMimeData>
#include <QUrl>

#include "engine/touchstone.h"
#include "persist/cable_catalogue_file.h"
#include "persist/svg_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/frm_swr.h"
#include "ui/swr_chart_view.h"

namespace tolvan {
namespace {

const std::string kDipole = TOLVAN_SOURCE_DIR "/examples/dipole_20m.s1p";  // 13 to 15.5 MHz

// A program in <scratch>/bin, which finds the cable catalogue in <scratch>/share/tolvan.
class MeasuredLoad : public MainWindowFixture {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder / "bin");
    std::filesystem::create_directories(folder / "share/tolvan");
    std::filesystem::copy_file(TOLVAN_SOURCE_DIR "/data/cables.json",
                               folder / "share/tolvan/cables.json");
  }

  void OpenProgram(const QString& freq) {
    Open(QLocale(QLocale::English), folder / "bin");
    Replace(window->Freq[0], freq);
  }

  // Drops `file` on `target` as a file manager does, and lets the window read it.
  static void Drop(QWidget* target, const std::string& file) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();
  }

  frmSwr* CalculateAndPressF2() {
    Click("Calculate");
    QTest::keyClick(window.get(), Qt::Key_F2);
    return window->findChild<frmSwr*>();
  }

  static QString Text(frmSwr* swr, const char* label) {
    return swr->findChild<QLabel*>(label)->text();
  }
  static std::string Chart(frmSwr* swr) { return SvgText(swr->chartView().Layout().chart); }
};

TEST_F(MeasuredLoad, ADroppedFileFillsXlAndRlWithTheLoadAtFreqAndTheResultsGoStale) {
  OpenProgram("14.2");
  Click("Calculate");
  Drop(window->Freq[0], kDipole);  // a box takes a dropped file for the load, not as text
  const std::complex<double> ohms = *ReadTouchstone(kDipole).load->ImpedanceAt(14.2f);
  EXPECT_EQ(window->Freq[0]->text(), "14.2");
  EXPECT_EQ(window->Rl[0]->text().toFloat(), static_cast<float>(ohms.real()));
  EXPECT_EQ(window->Xl[0]->text().toFloat(), static_cast<float>(ohms.imag()));
  EXPECT_FALSE(Button("cmdSave")->isEnabled());
  EXPECT_TRUE(scripted.messages.shown.empty());
}

// Dropped, or chosen in the menu entry's dialog.
TEST_F(MeasuredLoad, ABadFileOrAFrequencyOutsideItChangesNothingAndSaysWhy) {
  const std::string broken = (folder / "broken.s1p").string();
  testing::WriteFile(broken, "# MHz S RI R 50\n14 0.5\n");
  const struct {
    const char* freq;
    std::string file, message;
  } cases[] = {
      {"14.2", broken,
       broken + ":2: too few numbers: a one-port data line holds a frequency and two values"},
      {"150", kDipole, kDipole + ": 150 MHz is outside the measured range, 13 to 15.5 MHz"},
  };
  for (const auto& c : cases) {
    OpenProgram(c.freq);
    Click("Calculate");
    const QStringList texts = Texts();
    scripted.messages.shown.clear();
    if (c.file == broken) {
      Drop(window.get(), c.file);
    } else {
      scripted.open_dialog.answer = QString::fromStdString(c.file);
      window->findChild<QAction*>("mnuLoadMeasurement")->trigger();
    }
    EXPECT_EQ(Texts(), texts);
    EXPECT_TRUE(Button("cmdSave")->isEnabled());
    EXPECT_EQ(
        scripted.messages.shown,
        std::vector<std::string>{
            "[Tolvan] The measured load was not taken; Xl and Rl are unchanged.\n" + c.message});
  }
}

// The load applies while Xl and Rl hold its texts and Freq its frequency.
TEST_F(MeasuredLoad, TheSwrWindowUsesTheMeasuredLoadUntilAnotherIsTyped) {
  OpenProgram("14.2");
  Drop(window.get(), kDipole);
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
}

TEST_F(MeasuredLoad, ACableChangesTheChartShowsItsLossAndIsRemembered) {
  OpenProgram("150");
  frmSwr* swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  const auto shows_loss = [&] {
    const QList<QLabel*> labels = swr->findChildren<QLabel*>();
    return std::any_of(labels.begin(), labels.end(),
                       [](QLabel* label) { return label->text() == "Loss at F"; });
  };
  EXPECT_FALSE(shows_loss());
  const std::string lossless = Chart(swr);
  auto* feed = swr->findChild<QComboBox*>("cboFeedCable");
  while (feed->currentData() != "RG-213/U" && feed->currentIndex() + 1 < feed->count()) {
    QTest::keyClick(feed, Qt::Key_Down);
  }
  EXPECT_NE(Chart(swr), lossless);
  EXPECT_TRUE(shows_loss());
  EXPECT_TRUE(Text(swr, "lblCableNotes").startsWith("RG-213/U is 50 ohms and VF 66 %"));
  window->close();
  shared = ModTolvan{};
  OpenProgram("150");
  swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(swr->findChild<QComboBox*>("cboFeedCable")->currentData(), "RG-213/U");
}

TEST_F(MeasuredLoad, WithoutTheCatalogueTheLinesStayLosslessAndTheWindowSaysWhy) {
  std::filesystem::remove(folder / "share/tolvan/cables.json");
  OpenProgram("150");
  frmSwr* swr = CalculateAndPressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_FALSE(swr->findChild<QComboBox*>("cboFeedCable")->isEnabled());
  EXPECT_EQ(
      Text(swr, "lblCableNotes").toStdString(),
      "No cables to choose: " + CatalogueFilePath(folder / "bin").string() + ": cannot be read");
}

}  // namespace
}  // namespace tolvan
