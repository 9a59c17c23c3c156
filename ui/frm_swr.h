#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "engine/swr_analysis.h"
#include "ui/mod_tolvan.h"
#include "ui/windowing_services.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;

namespace tolvan {

class CableCatalogue;
class SwrChartView;

// The SWR window: the cables of the two lines and the load the analysis uses, SWR against
// frequency for both solutions of the main window's last calculation, the figures tolvan-calc
// prints below it, and Save as SVG and Save as PNG. It draws only from the analysis it is
// given, so the main window tells it of every change, and it of a cable chosen. It
// opens at SwrPlace, or beside `main_window` the first time; closing it stores its place in
// SwrPlace and nothing else. Deletes itself when closed.
class frmSwr final : public QWidget {
  Q_OBJECT

 public:
  // Numbers are written with `decimal_separator`; the save dialogs open in `chart_folder`,
  // which each save sets to its file's folder.
  frmSwr(QWidget& main_window, ModTolvan& shared, WindowingServices services,
         std::string decimal_separator, std::string& chart_folder);
  ~frmSwr() override;

  // Lists `catalogue`'s cables (none: only lossless lines, and `why_none` says why) for both
  // lines, with the given names chosen; a name it lacks, or an empty one, chooses lossless.
  void OfferCables(const CableCatalogue* catalogue, const std::string& why_none,
                   const std::string& feed_cable, const std::string& match_cable);
  // The names of the cables chosen, empty for a lossless line.
  std::string FeedCable() const;
  std::string MatchCable() const;

  // Current results: draws them, the solution on view in the main window stronger.
  void ShowAnalysis(const SwrAnalysis& analysis, bool results_on_view);
  void ShowSolutionOnView(bool results_on_view);
  // The results no longer belong to the inputs: grey chart and figures, nothing to save.
  void MarkStale();

  SwrChartView& chartView() const { return *chart_; }

 signals:
  // The user chose another cable for either line.
  void CablesChosen();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Load(QWidget& main_window);
  void Form_Unload();
  void cmdSaveSvg_Click();
  void cmdSavePng_Click();
  // The path the user chose for the chart, or nothing on Cancel.
  std::optional<QString> AskChartPath(const QString& title, const QString& filter,
                                      const QString& suffix);
  void WriteChart(const QString& path, const std::string& bytes);
  void ShowFigures(const SwrAnalysis& analysis);
  void ShowSetting(const SwrAnalysis& analysis);
  void MarkSolutionOnView(bool results_on_view);

  ModTolvan& shared_;
  WindowingServices services_;
  std::string decimal_separator_;
  std::string& chart_folder_;
  QComboBox* cboFeedCable_;
  QComboBox* cboMatchCable_;
  QLabel* lblLoad_;
  QLabel* lblCableNotes_;
  SwrChartView* chart_;
  QWidget* figures_;
  QScrollArea* figures_area_;
  QGridLayout* figure_grid_;
  // The figures' labels by column; the results' and the alternate's begin with their heading.
  std::vector<QLabel*> quantity_column_, results_column_, alternate_column_;
  QPushButton* cmdSaveSvg_;
  QPushButton* cmdSavePng_;
};

}  // namespace tolvan
