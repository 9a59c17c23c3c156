#include "ui/swr_link.h"

#include <QAction>
#include <QWidget>

#include "ui/frm_swr.h"
#include "ui/measured_load_link.h"

namespace tolvan {

SwrLink::SwrLink(QWidget& main_window, ModTolvan& shared, WindowingServices services,
                 std::string decimal_separator, const std::string& report_folder,
                 const MeasuredLoadLink& measured, std::filesystem::path catalogue_file)
    : QObject(&main_window),
      main_window_(main_window),
      shared_(shared),
      services_(services),
      decimal_separator_(std::move(decimal_separator)),
      report_folder_(report_folder),
      measured_(measured),
      catalogue_file_(std::move(catalogue_file)),
      open_(new QAction(QStringLiteral("SWR Chart"), this)) {
  open_->setObjectName(QStringLiteral("mnuSwr"));
  open_->setShortcut(Qt::Key_F2);
  open_->setShortcutContext(Qt::WindowShortcut);
  open_->setEnabled(false);
  connect(open_, &QAction::triggered, this, &SwrLink::mnuSwr_Click);
  connect(&measured_, &MeasuredLoadLink::AttachmentChanged, this, &SwrLink::MeasuredLoadChanged);
}

SwrLink::~SwrLink() = default;

const CatalogueRead& SwrLink::Catalogue() {
  if (!catalogue_) catalogue_ = ReadCableCatalogue(catalogue_file_);
  return *catalogue_;
}

// The chosen cables that the catalogue knows, and the measured load while it is attached and
// read at this design's frequency.
AnalysisSetting SwrLink::Setting() {
  AnalysisSetting setting;
  if (const std::optional<CableCatalogue>& catalogue = Catalogue().catalogue) {
    for (auto [name, cable] : {std::pair{&shared_.FeedCable, &setting.feed_cable},
                               std::pair{&shared_.MatchCable, &setting.match_cable}}) {
      if (name->has_value() && !(*name)->empty()) *cable = catalogue->Find(**name).cable;
    }
  }
  if (const auto& attached = measured_.attached(); attached && attached->F == design_->F) {
    setting.measured_load = attached->load;
    setting.measurement_name = attached->file_name;
  }
  return setting;
}

const SwrAnalysis* SwrLink::Analysis() {
  if (!analysis_ && design_) analysis_ = AnalyseSwr(*design_, Setting());
  return analysis_ ? &*analysis_ : nullptr;
}

void SwrLink::Redraw() {
  if (!window_ || !current_) return;
  if (const SwrAnalysis* analysis = Analysis()) {
    window_->ShowAnalysis(*analysis, results_on_view_);
  } else {
    window_->MarkStale();
  }
}

void SwrLink::Calculated(const DesignRecord& design) {
  design_ = design;
  analysis_.reset();
  results_on_view_ = false;
  current_ = true;
  open_->setEnabled(true);
  Redraw();  // an analysis is worked out when the window opens
}

void SwrLink::SolutionOnView(bool results) {
  results_on_view_ = results;
  if (window_) window_->ShowSolutionOnView(results);
}

void SwrLink::Stale() {
  current_ = false;
  open_->setEnabled(false);
  if (window_) window_->MarkStale();
}

void SwrLink::Close() {
  if (window_ && window_->isVisible()) window_->close();
}

// A load attached without an edit (the boxes already held its texts) applies to the results
// on view at once; one detached came with an edit, which made them stale.
void SwrLink::MeasuredLoadChanged() {
  analysis_.reset();
  Redraw();
}

void SwrLink::CablesChosen() {
  shared_.FeedCable = window_->FeedCable();
  shared_.MatchCable = window_->MatchCable();
  analysis_.reset();
  Redraw();
}

void SwrLink::mnuSwr_Click() {
  if (!current_) return;
  if (window_) {
    window_->raise();
    window_->activateWindow();
    return;
  }
  const SwrAnalysis* analysis = Analysis();
  if (analysis == nullptr) return;
  if (chart_folder_.empty()) chart_folder_ = report_folder_;
  const CatalogueRead& catalogue = Catalogue();
  window_ = new frmSwr(main_window_, shared_, services_, decimal_separator_, chart_folder_);
  window_->OfferCables(catalogue.catalogue ? &*catalogue.catalogue : nullptr, catalogue.error,
                       shared_.FeedCable.value_or(""), shared_.MatchCable.value_or(""));
  connect(window_, &frmSwr::CablesChosen, this, &SwrLink::CablesChosen);
  window_->ShowAnalysis(*analysis, results_on_view_);
  window_->show();
  window_->activateWindow();
}

}  // namespace tolvan
