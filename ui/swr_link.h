#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/design_record.h"
#include "engine/swr_analysis.h"
#include "persist/cable_catalogue_file.h"
#include "ui/mod_tolvan.h"
#include "ui/windowing_services.h"

class QAction;
class QWidget;

namespace tolvan {

class frmSwr;
class MeasuredLoadLink;

// The main window's side of the SWR window: the menu entry "SWR Chart" (F2), enabled while the
// results are current, that opens the window or brings it forward; and what the window is told
// when the main window calculates, toggles or goes stale, when a measured load is attached or
// detached, and when the window's cables are chosen. The analysis is worked out only while the
// window is open.
class SwrLink final : public QObject {
  Q_OBJECT

 public:
  // `report_folder` is where the first chart is offered to be saved; the cables come from the
  // catalogue in `catalogue_file`, read when the window first opens.
  SwrLink(QWidget& main_window, ModTolvan& shared, WindowingServices services,
          std::string decimal_separator, const std::string& report_folder,
          const MeasuredLoadLink& measured, std::filesystem::path catalogue_file);
  ~SwrLink() override;

  QAction* OpenAction() const { return open_; }

  // A successful Calculate of `design`; its labels end on the alternate results.
  void Calculated(const DesignRecord& design);
  // The toggle put the results (true) or the alternate results on view.
  void SolutionOnView(bool results);
  // An input changed: the results no longer belong to the inputs.
  void Stale();
  // Closes the window if it is open, which stores its place in SwrPlace.
  void Close();

 private:
  void mnuSwr_Click();
  void MeasuredLoadChanged();
  void CablesChosen();
  // Redraws an open window from the analysis of the current results, when there are any.
  void Redraw();
  const SwrAnalysis* Analysis();
  AnalysisSetting Setting();
  const CatalogueRead& Catalogue();

  QWidget& main_window_;
  ModTolvan& shared_;
  WindowingServices services_;
  std::string decimal_separator_;
  const std::string& report_folder_;
  const MeasuredLoadLink& measured_;
  std::filesystem::path catalogue_file_;
  std::optional<CatalogueRead> catalogue_;
  std::string chart_folder_;
  QAction* open_;
  QPointer<frmSwr> window_;

  std::optional<DesignRecord> design_;   // of the last successful Calculate
  std::optional<SwrAnalysis> analysis_;  // of design_, once the window needed it
  bool current_ = false;
  bool results_on_view_ = false;
};

}  // namespace tolvan
