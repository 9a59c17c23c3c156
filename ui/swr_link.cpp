#include "ui/swr_link.h"

#include <QAction>
#include <QWidget>

#include "ui/frm_swr.h"

namespace tolvan {

SwrLink::SwrLink(QWidget& main_window, ModTolvan& shared, WindowingServices services,
                 std::string decimal_separator, const std::string& report_folder)
    : QObject(&main_window),
      main_window_(main_window),
      shared_(shared),
      services_(services),
      decimal_separator_(std::move(decimal_separator)),
      report_folder_(report_folder),
      open_(new QAction(QStringLiteral("SWR Chart"), this)) {
  open_->setObjectName(QStringLiteral("mnuSwr"));
  open_->setShortcut(Qt::Key_F2);
  open_->setShortcutContext(Qt::WindowShortcut);
  open_->setEnabled(false);
  connect(open_, &QAction::triggered, this, &SwrLink::mnuSwr_Click);
}

SwrLink::~SwrLink() = default;

const SwrAnalysis* SwrLink::Analysis() {
  if (!analysis_ && design_) analysis_ = AnalyseSwr(*design_);
  return analysis_ ? &*analysis_ : nullptr;
}

void SwrLink::Calculated(const DesignRecord& design) {
  design_ = design;
  analysis_.reset();
  results_on_view_ = false;
  current_ = true;
  open_->setEnabled(true);
  if (!window_) return;  // worked out when the window opens
  if (const SwrAnalysis* analysis = Analysis()) {
    window_->ShowAnalysis(*analysis, results_on_view_);
  } else {
    window_->MarkStale();
  }
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
  window_ = new frmSwr(main_window_, shared_, services_, decimal_separator_, chart_folder_);
  window_->ShowAnalysis(*analysis, results_on_view_);
  window_->show();
  window_->activateWindow();
}

}  // namespace tolvan
