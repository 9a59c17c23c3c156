// The SWR window as the user reaches it from the main window: the context menu and its keys,
// the chart against the engine, following Calculate, the toggle and edits, saving, its place.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QMenu>
#include <QScreen>
#include <pugixml.hpp>

#include "engine/analysis.h"
#include "persist/config_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/frm_swr.h"
#include "ui/swr_chart_view.h"

namespace tolvan {
namespace {

using testing::ReadFile;

class SwrWindow : public MainWindowFixture {
 protected:
  void TearDown() override {
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  }

  // The open SWR window, or null.
  static frmSwr* OpenSwr() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* swr = qobject_cast<frmSwr*>(widget); swr != nullptr && swr->isVisible()) return swr;
    }
    return nullptr;
  }

  frmSwr* PressF2() {
    QTest::keyClick(window.get(), Qt::Key_F2);
    frmSwr* swr = OpenSwr();
    if (swr != nullptr) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(swr));
    }
    return swr;
  }

  // The entries of the menu that is open now ("-" for a separator, "!" before a disabled one),
  // after which the menu is closed.
  static QStringList OpenMenu() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return {"no menu"};
    QStringList entries;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) {
        entries << "-";
      } else {
        entries << (action->isEnabled() ? "" : "!") + action->text().section('\t', 0, 0);
      }
    }
    menu->close();
    return entries;
  }
};

void RightClickOn(QWidget* widget) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, widget->rect().center(),
                          widget->mapToGlobal(widget->rect().center()));
  QApplication::sendEvent(widget, &event);
}

const DesignRecord kDefaultDesign{150, 50, 75, 55.5f, -3.5f, 0.89f, 0.66f};

struct MenuRoute {
  const char* name;
  void (*open)(frmTolvan& window);
  bool in_box;  // the box's own editing entries come first
};

void PrintTo(const MenuRoute& route, std::ostream* os) { *os << route.name; }

class SwrMenu : public SwrWindow, public ::testing::WithParamInterface<MenuRoute> {};

TEST_P(SwrMenu, OffersTheChartOnlyWhileTheResultsAreCurrent) {
  Open();
  const auto entries = [&] {
    GetParam().open(*window);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    EXPECT_EQ(menu != nullptr && menu->objectName() == "qt_edit_menu", GetParam().in_box);
    QStringList all = OpenMenu();
    return all.mid(std::max<qsizetype>(0, all.size() - 3));
  };
  // A measured load may be loaded at any time.
  const QString load = "Load from measurement file...";
  const QStringList off =
      GetParam().in_box ? QStringList{"-", "!SWR Chart", load} : QStringList{"!SWR Chart", load};
  const QStringList on =
      GetParam().in_box ? QStringList{"-", "SWR Chart", load} : QStringList{"SWR Chart", load};
  EXPECT_EQ(entries(), off);
  Click("Calculate");
  EXPECT_EQ(entries(), on);
  Replace(window->Zm[0], "80");
  EXPECT_EQ(entries(), off);
}

INSTANTIATE_TEST_SUITE_P(
    Routes, SwrMenu,
    ::testing::Values(
        MenuRoute{"RightClickOnTheDiagram",
                  [](frmTolvan& w) { RightClickOn(w.findChild<QWidget*>("Picture1")); }, false},
        MenuRoute{"RightClickOnAResultLabel", [](frmTolvan& w) { RightClickOn(w.Length.at(10)); },
                  false},
        MenuRoute{"RightClickInABox", [](frmTolvan& w) { RightClickOn(w.Zo[0]); }, true},
        MenuRoute{"MenuKeyInABox",
                  [](frmTolvan& w) {
                    w.Xl[0]->setFocus();
                    QTest::keyClick(w.Xl[0], Qt::Key_Menu);
                  },
                  true},
        MenuRoute{"ShiftF10OnAButton",
                  [](frmTolvan& w) {
                    w.findChild<QWidget*>("Calculate")->setFocus();
                    QTest::keyClick(w.findChild<QWidget*>("Calculate"), Qt::Key_F10,
                                    Qt::ShiftModifier);
                  },
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SwrWindow, F2OpensOneWindowBesideTheMainWindowOnlyWithCurrentResults) {
  Open();
  EXPECT_EQ(PressF2(), nullptr);
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(swr->windowTitle(), "SWR");
  EXPECT_GT(swr->frameGeometry().left(), window->frameGeometry().right());
  EXPECT_EQ(swr->frameGeometry().top(), window->frameGeometry().top());
  EXPECT_EQ(PressF2(), swr);
  int open = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    open += qobject_cast<frmSwr*>(widget) != nullptr;
  EXPECT_EQ(open, 1);
  // Closing the main window does not leave the chart behind.
  window->close();
  EXPECT_EQ(OpenSwr(), nullptr);
}

// The curves, read back from the chart's own axes, are the engine's SWR of the default design.
TEST_F(SwrWindow, TheCurvesAreTheEnginesSwrOfTheDesign) {
  Open();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  const SwrChart drawn = swr->chartView().Layout();
  std::vector<const PolylineMark*> curves;
  for (const ChartMark& mark : drawn.chart.marks) {
    if (const auto* curve = std::get_if<PolylineMark>(&mark)) curves.push_back(curve);
  }
  ASSERT_EQ(curves.size(), 2u);
  const std::optional<Solutions> solutions = SolveForAnalysis(kDefaultDesign);
  ASSERT_TRUE(solutions);
  const SwrPlotFrame& f = drawn.frame;
  for (const std::size_t i : {0u, 120u, 200u, 333u, 400u}) {
    for (const bool results : {true, false}) {
      const ChartPoint point = curves[results ? 0 : 1]->points.at(i);
      const double mhz =
          f.low_mhz + (point.x - f.left) / (f.right - f.left) * (f.high_mhz - f.low_mhz);
      const double swr_drawn = 1 + (f.bottom - point.y) / (f.bottom - f.top) * (f.swr_top - 1);
      const double expected =
          Swr(kDefaultDesign, results ? solutions->results : solutions->alternate, mhz);
      EXPECT_NEAR(swr_drawn, std::min(expected, f.swr_top), 1e-9) << i << " " << results;
    }
  }
}

// Bright colours, as the curves have; a greyed chart has none.
int ColouredPixels(const QImage& image) {
  int coloured = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) {
      const QColor c = image.pixelColor(x, y);
      coloured +=
          std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 40;
    }
  }
  return coloured;
}

double Width(const SwrChart& drawn, int curve) {
  int seen = 0;
  for (const ChartMark& mark : drawn.chart.marks) {
    if (const auto* line = std::get_if<PolylineMark>(&mark); line != nullptr && seen++ == curve) {
      return line->stroke.width;
    }
  }
  return 0;
}

TEST_F(SwrWindow, FollowsCalculateTheToggleAndEdits) {
  Open();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  auto* save = swr->findChild<QPushButton*>("cmdSavePng");
  // The labels end on the alternate results, so that curve is the stronger one.
  EXPECT_GT(Width(swr->chartView().Layout(), 1), Width(swr->chartView().Layout(), 0));
  Click("plus");
  EXPECT_GT(Width(swr->chartView().Layout(), 0), Width(swr->chartView().Layout(), 1));
  EXPECT_GT(ColouredPixels(swr->chartView().grab().toImage()), 500);

  Replace(window->Freq[0], "14.2");
  EXPECT_EQ(ColouredPixels(swr->chartView().grab().toImage()), 0);
  EXPECT_EQ(std::get<TextMark>(swr->chartView().Layout().chart.marks.back()).text,
            "results out of date: press Calculate");
  EXPECT_FALSE(save->isEnabled());

  Click("Calculate");
  EXPECT_GT(ColouredPixels(swr->chartView().grab().toImage()), 500);
  EXPECT_TRUE(swr->chartView().accessibleDescription().startsWith(
      "SWR against frequency, series-section transformer at 14.200 MHz."));
  EXPECT_TRUE(save->isEnabled());
  EXPECT_GT(Width(swr->chartView().Layout(), 1), Width(swr->chartView().Layout(), 0));
}

TEST_F(SwrWindow, TheFiguresHaveAccessibleNames) {
  Open();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  QStringList names;
  for (QLabel* label : swr->findChildren<QLabel*>()) {
    if (label->text() == "53.444 MHz (35.63 % of F)") names << label->accessibleName();
  }
  EXPECT_EQ(names, QStringList{"1.5:1 bandwidth, Alternate results (second solution)"});
  EXPECT_TRUE(swr->chartView().accessibleDescription().contains(
      "Alternate results: 1.5:1 band 128.658 to 182.102 MHz, 53.444 MHz"));
}

TEST_F(SwrWindow, SavesTheChartAsSvgAndPngAndSaysWhyItCouldNot) {
  Open();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  const auto svg_path = folder / "swr.svg";
  scripted.save_dialog.answer = ChosenFile{QString::fromStdString(svg_path.string()), "swr.svg"};
  QTest::mouseClick(swr->findChild<QPushButton*>("cmdSaveSvg"), Qt::LeftButton);
  ASSERT_EQ(scripted.save_dialog.requests.size(), 1u);
  EXPECT_EQ(scripted.save_dialog.requests[0].title, "Save as SVG");
  pugi::xml_document svg;
  ASSERT_TRUE(svg.load_file(svg_path.c_str()));
  int curves = 0;
  for (pugi::xml_node curve : svg.child("svg").children("polyline")) {
    const std::string points = curve.attribute("points").value();
    EXPECT_EQ(std::count(points.begin(), points.end(), ','), 401);
    ++curves;
  }
  EXPECT_EQ(curves, 2);

  const auto png_path = folder / "swr.png";
  scripted.save_dialog.answer = ChosenFile{QString::fromStdString(png_path.string()), "swr.png"};
  QTest::mouseClick(swr->findChild<QPushButton*>("cmdSavePng"), Qt::LeftButton);
  EXPECT_EQ(scripted.save_dialog.requests[1].folder.toStdString(), folder.path().string());
  const QImage png(QString::fromStdString(png_path.string()));
  EXPECT_EQ(png.size(), swr->chartView().size() * 2);

  scripted.save_dialog.answer = ChosenFile{"/no/such/folder/swr.svg", "swr.svg"};
  QTest::mouseClick(swr->findChild<QPushButton*>("cmdSaveSvg"), Qt::LeftButton);
  ASSERT_EQ(scripted.messages.shown.size(), 1u);
  EXPECT_EQ(scripted.messages.shown[0].rfind(
                "[Tolvan] The chart could not be saved as /no/such/folder/swr.svg: ", 0),
            0u);
}

TEST_F(SwrWindow, ItsPlaceAndSizeAreStoredOnlyOnceItHasClosed) {
  Open();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  swr->move(500, 120);
  swr->resize(700, 560);
  Click("Calculate");  // stores the configuration, which knows nothing of the window yet
  EXPECT_EQ(ReadFile(folder / "Tolvan_Config.xml").find("<fa"), std::string::npos);
  window->close();
  EXPECT_NE(ReadFile(folder / "Tolvan_Config.xml")
                .find("<fa0>7500</fa0>\r\n    <fa1>1800</fa1>\r\n    <fa2>10500</fa2>\r\n"
                      "    <fa3>8400</fa3>\r\n</data>"),
            std::string::npos);

  shared = ModTolvan{};
  Open();
  Click("Calculate");
  swr = PressF2();
  ASSERT_NE(swr, nullptr);
  EXPECT_EQ(swr->pos(), QPoint(500, 120));
  EXPECT_EQ(swr->size(), QSize(700, 560));
}

TEST_F(SwrWindow, ARememberedSizeBeyondTheScreenIsCutToTheScreen) {
  std::string file = DefaultConfigText(folder.path().string());
  file.insert(file.find("</data>"), "<fa2>2147483647</fa2><fa3>-5</fa3>");
  testing::WriteFile(folder / "Tolvan_Config.xml", file);
  Open();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  const QSize room = window->screen()->availableGeometry().size();
  EXPECT_EQ(swr->width(), room.width());
  EXPECT_EQ(swr->height(), swr->minimumSizeHint().height());
}

TEST_F(SwrWindow, Screenshot) {
  Open();
  Click("Calculate");
  frmSwr* swr = PressF2();
  ASSERT_NE(swr, nullptr);
  QDir().mkpath(TOLVAN_SCREENSHOTS);
  EXPECT_TRUE(swr->grab().save(QStringLiteral(TOLVAN_SCREENSHOTS "/frmSwr.png")));
  Replace(window->Freq[0], "14.2");
  EXPECT_TRUE(swr->grab().save(QStringLiteral(TOLVAN_SCREENSHOTS "/frmSwr-stale.png")));
  Click("Calculate");
  Click("plus");
  QApplication::processEvents();  // the figures' columns widen for the bold face
  EXPECT_TRUE(swr->grab().save(QStringLiteral(TOLVAN_SCREENSHOTS "/frmSwr-14.png")));
}

}  // namespace
}  // namespace tolvan
