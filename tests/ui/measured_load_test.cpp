// A measured load dropped on the main window or chosen from its menu, and the cables of the SWR
// window: what the boxes, the buttons and the SWR window show after each step.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "engine/analysis_figures.h"
#include "engine/touchstone.h"
#include "persist/cable_catalogue_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/frm_swr.h"
#include "ui/swr_chart_view.h"

namespace tolvan {
namespace {

using testing::ReadFile;

const std::string kDipole = TOLVAN_SOURCE_DIR "/examples/dipole_20m.s1p";

// The window of a program in <scratch>/bin, which finds the cable catalogue in
// <scratch>/share/tolvan as an installed one does.
class MeasuredLoad : public MainWindowFixture {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder / "bin");
    std::filesystem::create_directories(folder / "share/tolvan");
    std::filesystem::copy_file(TOLVAN_SOURCE_DIR "/data/cables.json",
                               folder / "share/tolvan/cables.json");
  }
  void TearDown() override {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (qobject_cast<frmSwr*>(widget) != nullptr) widget->close();
    }
  }

  void OpenProgram() { Open(QLocale(QLocale::English), folder / "bin"); }

  // Drops `file` on `target` as a file manager would, and lets the window read it.
  static void Drop(QWidget* target, const std::string& file) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();
  }

  frmSwr* PressF2() {
    QTest::keyClick(window.get(), Qt::Key_F2);
    auto* swr = window->findChild<frmSwr*>();
    if (swr != nullptr) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(swr));
    }
    return swr;
  }

  static QString Label(frmSwr* swr, const char* name) {
    return swr->findChild<QLabel*>(name)->text();
  }

  // The text beside the figure named `quantity` in the results' column, or "absent".
  static QString Figure(frmSwr* swr, const QString& quantity) {
    for (QLabel* label : swr->findChildren<QLabel*>()) {
      if (label->accessibleName() == quantity + ", Results (first solution)") {
        return label->text();
      }
    }
    return "absent";
  }

  static std::vector<ChartPoint> Curve(frmSwr* swr) {
    for (const ChartMark& mark : swr->chartView().Layout().chart.marks) {
      if (const auto* curve = std::get_if<PolylineMark>(&mark)) return curve->points;
    }
    return {};
  }
};

TEST_F(MeasuredLoad, ADroppedFileFillsXlAndRlWithTheLoadAtFreqAndTheResultsGoStale) {
  OpenProgram();
  Replace(window->Freq[0], "14.2");
  Click("Calculate");
  ASSERT_TRUE(Button("cmdSave")->isEnabled());
  Drop(window->Freq[0], kDipole);  // a box takes a dropped file for the load, not as text

  const std::complex<double> ohms = *ReadTouchstone(kDipole).load->ImpedanceAt(14.2f);
  EXPECT_EQ(window->Freq[0]->text(), "14.2");
  EXPECT_EQ(window->Rl[0]->text().toFloat(), static_cast<float>(ohms.real()));
  EXPECT_EQ(window->Xl[0]->text().toFloat(), static_cast<float>(ohms.imag()));
  EXPECT_FALSE(Button("cmdSave")->isEnabled());
  EXPECT_FALSE(Button("cmdComments")->isEnabled());
  EXPECT_TRUE(scripted.messages.shown.empty());
}

struct Refusal {
  const char* name;
  const char* freq;
  const char* content;  // of the file dropped; none: the example file
  const char* reason;   // after "<file>"
};

void PrintTo(const Refusal& refusal, std::ostream* os) { *os << refusal.name; }

class MeasuredLoadRefused : public MeasuredLoad, public ::testing::WithParamInterface<Refusal> {};

TEST_P(MeasuredLoadRefused, ChangesNothingAndSaysWhy) {
  OpenProgram();
  std::string file = kDipole;
  if (GetParam().content != nullptr) {
    file = (folder / "broken.s1p").string();
    testing::WriteFile(file, GetParam().content);
  }
  Replace(window->Freq[0], GetParam().freq);
  Click("Calculate");
  const QStringList texts = Texts();
  const bool results_current = Button("cmdSave")->isEnabled();
  scripted.messages.shown.clear();
  Drop(window.get(), file);
  EXPECT_EQ(Texts(), texts);
  EXPECT_EQ(Button("cmdSave")->isEnabled(), results_current);
  EXPECT_EQ(scripted.messages.shown,
            std::vector<std::string>{
                "[Tolvan] The measured load was not taken; Xl and Rl are unchanged.\n" + file +
                GetParam().reason});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MeasuredLoadRefused,
    ::testing::Values(
        Refusal{"BrokenFile", "14.2", "# MHz S RI R 50\n14 0.5\n",
                ":2: too few numbers: a one-port data line holds a frequency and two values"},
        Refusal{"FrequencyOutsideTheFile", "150", nullptr,
                ": 150 MHz is outside the measured range, 13 to 15.5 MHz"},
        Refusal{"NoFrequencyInFreq", "MHz", nullptr, ": Freq does not hold a valid frequency"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeasuredLoad, TheMenuEntryOpensAMeasurementFile) {
  OpenProgram();
  Replace(window->Freq[0], "14.2");
  QAction* entry = window->findChild<QAction*>("mnuLoadMeasurement");
  entry->trigger();  // cancelled
  EXPECT_EQ(window->Rl[0]->text(), "55.5");
  scripted.open_dialog.answer = QString::fromStdString(kDipole);
  entry->trigger();
  EXPECT_NE(window->Rl[0]->text(), "55.5");
  entry->trigger();
  ASSERT_EQ(scripted.open_dialog.requests.size(), 3u);
  EXPECT_EQ(scripted.open_dialog.requests[0].filter,
            "Touchstone one-port (*.s1p *.S1P);;All files (*)");
  EXPECT_EQ(scripted.open_dialog.requests[0].folder.toStdString(), window->reportFolder());
  // Then where the last file was.
  EXPECT_EQ(scripted.open_dialog.requests[2].folder,
            QFileInfo(QString::fromStdString(kDipole)).path());
}

// The load applies while Xl and Rl hold its texts and Freq its frequency.
TEST_F(MeasuredLoad, TheSwrWindowUsesTheMeasuredLoadUntilAnotherIsTyped) {
  OpenProgram();
  Replace(window->Freq[0], "14.2");
  Drop(window.get(), kDipole);
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(Label(swr, "lblLoad"), "Load: measured in dipole_20m.s1p, known from 13 to 15.5 MHz");
  const std::vector<ChartPoint> measured = Curve(swr);

  // The same frequency written otherwise keeps it.
  window->Freq[0]->setFocus();
  QTest::keyClick(window->Freq[0], Qt::Key_End);
  QTest::keyClick(window->Freq[0], Qt::Key_0);
  Click("Calculate");
  EXPECT_EQ(Label(swr, "lblLoad"), "Load: measured in dipole_20m.s1p, known from 13 to 15.5 MHz");

  const QString r = window->Rl[0]->text();
  Replace(window->Rl[0], r);  // cleared and typed again
  Click("Calculate");
  EXPECT_TRUE(Label(swr, "lblLoad").endsWith(" ohms as typed, the same at every frequency"));
  EXPECT_NE(Curve(swr).front().y, measured.front().y);
}

TEST_F(MeasuredLoad, ACableChangesTheCurvesShowsItsLossAndIsRemembered) {
  OpenProgram();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(Figure(swr, "Loss at F"), "absent");
  const std::vector<ChartPoint> lossless = Curve(swr);
  auto* feed = swr->findChild<QComboBox*>("cboFeedCable");
  feed->setFocus();
  while (feed->currentData().toString() != "RG-213/U" && feed->currentIndex() + 1 < feed->count()) {
    QTest::keyClick(feed, Qt::Key_Down);
  }
  ASSERT_EQ(feed->currentData().toString(), "RG-213/U");
  EXPECT_NE(Curve(swr).front().y, lossless.front().y);
  EXPECT_TRUE(Figure(swr, "Loss at F").endsWith(" dB"));
  EXPECT_EQ(Label(swr, "lblCableNotes"),
            "RG-213/U is 50 ohms and VF 66 %; the feed line and Line-1 are taken as typed, 50 "
            "ohms and VF 89 %, with RG-213/U's loss.");

  window->close();
  EXPECT_NE(ReadFile(folder / "bin/Tolvan_Config.xml").find("<fcab>RG-213/U</fcab>"),
            std::string::npos);
  shared = ModTolvan{};
  OpenProgram();
  Click("Calculate");
  swr = PressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(swr->findChild<QComboBox*>("cboFeedCable")->currentData().toString(), "RG-213/U");
  EXPECT_TRUE(Figure(swr, "Loss at F").endsWith(" dB"));
}

TEST_F(MeasuredLoad, WithoutTheCatalogueTheLinesStayLosslessAndTheWindowSaysWhy) {
  const std::filesystem::path catalogue = folder / "share/tolvan/cables.json";
  std::filesystem::remove(catalogue);
  OpenProgram();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_FALSE(swr->findChild<QComboBox*>("cboFeedCable")->isEnabled());
  EXPECT_EQ(
      Label(swr, "lblCableNotes").toStdString(),
      "No cables to choose: " + CatalogueFilePath(folder / "bin").string() + ": cannot be read");
}

TEST_F(MeasuredLoad, Screenshot) {
  OpenProgram();
  Replace(window->Freq[0], "14.2");
  Drop(window.get(), kDipole);
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  for (auto* box :
       {swr->findChild<QComboBox*>("cboFeedCable"), swr->findChild<QComboBox*>("cboMatchCable")}) {
    box->setCurrentIndex(
        box->findData(box->objectName() == "cboFeedCable" ? "RG-213/U" : "RG-11/U"));
    emit box->activated(box->currentIndex());
  }
  QApplication::processEvents();
  QDir().mkpath(TOLVAN_SCREENSHOTS);
  EXPECT_TRUE(swr->grab().save(QStringLiteral(TOLVAN_SCREENSHOTS "/frmSwr-measured.png")));
}

}  // namespace
}  // namespace tolvan
