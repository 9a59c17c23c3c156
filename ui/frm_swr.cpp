#include "ui/frm_swr.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/analysis_figures.h"
#include "engine/cable_catalogue.h"
#include "engine/label_format.h"
#include "persist/file_writer.h"
#include "persist/svg_file.h"
#include "ui/chart_painter.h"
#include "ui/swr_chart_view.h"
#include "ui/window_placement.h"

namespace tolvan {
namespace {

constexpr int kDefaultWidth = 820, kDefaultHeight = 800;  // pixels
constexpr int kGapBesideMain = 8;                         // pixels
constexpr qreal kPngScale = 2;  // a PNG twice as fine as the screen, for printing

int Pixels(std::int32_t twips) { return static_cast<int>(twips / kTwipsPerPixel); }

StrongerCurve Stronger(bool results_on_view) {
  return results_on_view ? StrongerCurve::Results : StrongerCurve::Alternate;
}

QLabel* FigureLabel(const QString& text, const QString& accessible_name, QWidget* figures) {
  auto* label = new QLabel(text, figures);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAccessibleName(accessible_name);
  label->show();  // at once, not when the layout gets round to it
  return label;
}

QComboBox* CableBox(const char* name, const char* accessible_name, QWidget* window) {
  auto* box = new QComboBox(window);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(QString::fromLatin1(accessible_name));
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return box;
}

// A scroll area that asks for the whole height of its figures: a window with room shows them
// all, a smaller one scrolls them rather than squeeze the chart below its minimum.
class FiguresArea final : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;
  QSize sizeHint() const override {
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame + verticalScrollBar()->sizeHint().width(), frame);
  }
};

// "RG-213/U (50 ohms, VF 66 %)": what the user knows a cable by.
QString CableEntry(const Cable& cable) {
  return QString::fromStdString(cable.name + " (" + FormatFixed(cable.impedance, 0, ".") +
                                " ohms, VF " + FormatFixed(cable.velocity_factor * 100, 0, ".") +
                                " %)");
}

}  // namespace

frmSwr::frmSwr(QWidget& main_window, ModTolvan& shared, WindowingServices services,
               std::string decimal_separator, std::string& chart_folder)
    : QWidget(&main_window, Qt::Window),
      shared_(shared),
      services_(services),
      decimal_separator_(std::move(decimal_separator)),
      chart_folder_(chart_folder) {
  setObjectName(QStringLiteral("frmSwr"));
  setWindowTitle(QStringLiteral("SWR"));
  setAttribute(Qt::WA_DeleteOnClose);

  cboFeedCable_ = CableBox("cboFeedCable", "Cable of the feed line and Line-1", this);
  cboMatchCable_ = CableBox("cboMatchCable", "Cable of Line-2", this);
  auto* feed_label = new QLabel(QStringLiteral("&Feed line and Line-1:"), this);
  feed_label->setBuddy(cboFeedCable_);
  auto* match_label = new QLabel(QStringLiteral("&Line-2:"), this);
  match_label->setBuddy(cboMatchCable_);
  lblLoad_ = new QLabel(this);
  lblLoad_->setObjectName(QStringLiteral("lblLoad"));
  lblLoad_->setAccessibleName(QStringLiteral("Load of the analysis"));
  lblLoad_->setWordWrap(true);
  lblCableNotes_ = new QLabel(this);
  lblCableNotes_->setObjectName(QStringLiteral("lblCableNotes"));
  lblCableNotes_->setAccessibleName(QStringLiteral("Notes on the cables"));
  lblCableNotes_->setWordWrap(true);
  lblCableNotes_->hide();

  chart_ = new SwrChartView(decimal_separator_, this);
  figures_ = new QWidget(this);
  figures_->setAccessibleName(QStringLiteral("Figures of both solutions"));
  figure_grid_ = new QGridLayout(figures_);
  figure_grid_->setContentsMargins(0, 0, 0, 0);
  figure_grid_->setHorizontalSpacing(12);
  figure_grid_->setVerticalSpacing(2);
  // Many figures in a small window scroll rather than squeeze the chart.
  figures_area_ = new FiguresArea(this);
  figures_area_->setWidget(figures_);
  figures_area_->setWidgetResizable(true);
  figures_area_->setFrameShape(QFrame::NoFrame);
  figures_area_->setAccessibleName(QStringLiteral("Figures"));
  cmdSaveSvg_ = new QPushButton(QStringLiteral("Save as SVG"), this);
  cmdSaveSvg_->setObjectName(QStringLiteral("cmdSaveSvg"));
  cmdSavePng_ = new QPushButton(QStringLiteral("Save as PNG"), this);
  cmdSavePng_->setObjectName(QStringLiteral("cmdSavePng"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdSaveSvg_);
  buttons->addWidget(cmdSavePng_);
  auto* cables = new QHBoxLayout;
  cables->addWidget(feed_label);
  cables->addWidget(cboFeedCable_);
  cables->addSpacing(16);
  cables->addWidget(match_label);
  cables->addWidget(cboMatchCable_);
  cables->addStretch();
  auto* column = new QVBoxLayout(this);
  column->addLayout(cables);
  column->addWidget(lblLoad_);
  column->addWidget(lblCableNotes_);
  column->addWidget(chart_, 1);
  column->addWidget(figures_area_);
  column->addLayout(buttons);

  for (QComboBox* box : {cboFeedCable_, cboMatchCable_}) {
    connect(box, &QComboBox::activated, this, &frmSwr::CablesChosen);
  }
  connect(cmdSaveSvg_, &QPushButton::clicked, this, &frmSwr::cmdSaveSvg_Click);
  connect(cmdSavePng_, &QPushButton::clicked, this, &frmSwr::cmdSavePng_Click);
  Form_Load(main_window);
}

frmSwr::~frmSwr() = default;

// At its remembered place and size; the first time at its designed size beside the main
// window, on the side where the screen has room. A size is never larger than the screen.
void frmSwr::Form_Load(QWidget& main_window) {
  const auto& place = shared_.SwrPlace;
  QScreen* screen = main_window.screen();
  const QRect room = screen->availableGeometry();
  QSize size(kDefaultWidth, kDefaultHeight);
  if (place[kSwrWidth]) size.setWidth(Pixels(*place[kSwrWidth]));
  if (place[kSwrHeight]) size.setHeight(Pixels(*place[kSwrHeight]));
  resize(size.boundedTo(room.size()).expandedTo(minimumSizeHint()));

  const QRect main = main_window.frameGeometry();
  QPoint beside(main.right() + 1 + kGapBesideMain, main.top());
  if (beside.x() + width() > room.right() &&
      main.left() - kGapBesideMain - width() >= room.left()) {
    beside.setX(main.left() - kGapBesideMain - width());
  }
  const std::array<std::int32_t, 2> edges{place[kSwrLeft].value_or(beside.x() * kTwipsPerPixel),
                                          place[kSwrTop].value_or(beside.y() * kTwipsPerPixel)};
  MoveToTwips(*this, edges);
}

void frmSwr::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmSwr::Form_Unload() {
  const std::array<std::int32_t, 2> edges = EdgesInTwips(*this);
  shared_.SwrPlace = {edges[0], edges[1], width() * kTwipsPerPixel, height() * kTwipsPerPixel};
}

void frmSwr::OfferCables(const CableCatalogue* catalogue, const std::string& why_none,
                         const std::string& feed_cable, const std::string& match_cable) {
  for (const auto& [box, chosen] :
       {std::pair{cboFeedCable_, &feed_cable}, std::pair{cboMatchCable_, &match_cable}}) {
    box->clear();
    box->addItem(QStringLiteral("Lossless, as typed"), QString());
    if (catalogue != nullptr) {
      for (const Cable& cable : catalogue->Candidates()) {
        box->addItem(CableEntry(cable), QString::fromStdString(cable.name));
      }
    }
    box->setCurrentIndex(std::max(0, box->findData(QString::fromStdString(*chosen))));
    box->setEnabled(catalogue != nullptr);
  }
  if (catalogue == nullptr) {
    lblCableNotes_->setText(QString::fromStdString("No cables to choose: " + why_none));
    lblCableNotes_->show();
  }
}

std::string frmSwr::FeedCable() const {
  return cboFeedCable_->currentData().toString().toStdString();
}

std::string frmSwr::MatchCable() const {
  return cboMatchCable_->currentData().toString().toStdString();
}

void frmSwr::ShowAnalysis(const SwrAnalysis& analysis, bool results_on_view) {
  chart_->SetAnalysis(analysis, Stronger(results_on_view));
  ShowSetting(analysis);
  ShowFigures(analysis);
  MarkSolutionOnView(results_on_view);
  for (QWidget* widget :
       {figures_, static_cast<QWidget*>(lblLoad_), static_cast<QWidget*>(lblCableNotes_),
        static_cast<QWidget*>(cmdSaveSvg_), static_cast<QWidget*>(cmdSavePng_)}) {
    widget->setEnabled(true);
  }
}

// The load, and what differs between a chosen cable and the typed line it stands for; with
// no catalogue, why there are no cables.
void frmSwr::ShowSetting(const SwrAnalysis& analysis) {
  lblLoad_->setText(QString::fromStdString(LoadText(analysis, decimal_separator_)));
  if (!cboFeedCable_->isEnabled()) return;
  QStringList notes;
  for (const std::string& note : CableNotes(analysis, decimal_separator_)) {
    notes << QString::fromStdString(note);
  }
  lblCableNotes_->setText(notes.join(QLatin1Char('\n')));
  lblCableNotes_->setVisible(!notes.isEmpty());
}

void frmSwr::ShowSolutionOnView(bool results_on_view) {
  chart_->SetStronger(Stronger(results_on_view));
  MarkSolutionOnView(results_on_view);
}

void frmSwr::MarkStale() {
  chart_->SetStale(true);
  for (QWidget* widget :
       {figures_, static_cast<QWidget*>(lblLoad_), static_cast<QWidget*>(lblCableNotes_),
        static_cast<QWidget*>(cmdSaveSvg_), static_cast<QWidget*>(cmdSavePng_)}) {
    widget->setEnabled(false);
  }
}

// One row per figure: its name, then the results' and the alternate results' text. The rows
// are made anew only when their number changes; otherwise their texts change.
void frmSwr::ShowFigures(const SwrAnalysis& analysis) {
  const QString results = QStringLiteral("Results (first solution)");
  const QString alternate = QStringLiteral("Alternate results (second solution)");
  const std::vector<AnalysisFigure> figures = SwrAnalysisFigures(analysis, decimal_separator_);
  if (quantity_column_.size() != figures.size()) {
    while (QLayoutItem* item = figure_grid_->takeAt(0)) {
      delete item->widget();
      delete item;
    }
    quantity_column_.clear();
    results_column_ = {FigureLabel(results, results, figures_)};
    alternate_column_ = {FigureLabel(alternate, alternate, figures_)};
    figure_grid_->addWidget(results_column_.back(), 0, 1);
    figure_grid_->addWidget(alternate_column_.back(), 0, 2);
    for (int row = 1; row <= static_cast<int>(figures.size()); ++row) {
      quantity_column_.push_back(FigureLabel({}, {}, figures_));
      results_column_.push_back(FigureLabel({}, {}, figures_));
      alternate_column_.push_back(FigureLabel({}, {}, figures_));
      figure_grid_->addWidget(quantity_column_.back(), row, 0);
      figure_grid_->addWidget(results_column_.back(), row, 1);
      figure_grid_->addWidget(alternate_column_.back(), row, 2);
    }
    figure_grid_->setColumnStretch(3, 1);  // the room to spare goes to the right
    for (int row = 0; row < figure_grid_->rowCount(); ++row) figure_grid_->setRowStretch(row, 0);
    figure_grid_->setRowStretch(static_cast<int>(figures.size()) + 1, 1);  // and below
  }
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const QString quantity = QString::fromStdString(figures[i].quantity);
    quantity_column_[i]->setText(quantity);
    quantity_column_[i]->setAccessibleName(quantity);
    results_column_[i + 1]->setText(QString::fromStdString(figures[i].results));
    results_column_[i + 1]->setAccessibleName(quantity + QStringLiteral(", ") + results);
    alternate_column_[i + 1]->setText(QString::fromStdString(figures[i].alternate));
    alternate_column_[i + 1]->setAccessibleName(quantity + QStringLiteral(", ") + alternate);
  }
  figures_area_->updateGeometry();
}

// The column of the solution on view is set in bold, as its curve is drawn stronger.
void frmSwr::MarkSolutionOnView(bool results_on_view) {
  for (const bool results : {true, false}) {
    for (QLabel* label : results ? results_column_ : alternate_column_) {
      QFont font = label->font();
      font.setBold(results == results_on_view);
      label->setFont(font);
    }
  }
}

std::optional<QString> frmSwr::AskChartPath(const QString& title, const QString& filter,
                                            const QString& suffix) {
  const std::optional<ChosenFile> chosen =
      services_.save_dialog.Ask({title, filter, suffix, QString::fromStdString(chart_folder_),
                                 QStringLiteral("swr.") + suffix});
  if (!chosen) return std::nullopt;
  chart_folder_ = QFileInfo(chosen->path).path().toStdString();
  return chosen->path;
}

void frmSwr::WriteChart(const QString& path, const std::string& bytes) {
  const std::string failure = WriteFileSafely(path.toStdString(), bytes);
  if (failure.empty()) return;
  services_.messages.Show("The chart could not be saved as " + path.toStdString() + ": " + failure);
}

void frmSwr::cmdSaveSvg_Click() {
  const std::optional<QString> path = AskChartPath(
      QStringLiteral("Save as SVG"), QStringLiteral("SVG image (*.svg)"), QStringLiteral("svg"));
  if (path) WriteChart(*path, SvgText(chart_->Layout().chart));
}

void frmSwr::cmdSavePng_Click() {
  const std::optional<QString> path = AskChartPath(
      QStringLiteral("Save as PNG"), QStringLiteral("PNG image (*.png)"), QStringLiteral("png"));
  if (!path) return;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ChartImage(chart_->Layout().chart, kPngScale).save(&buffer, "PNG");
  WriteChart(*path, png.toStdString());
}

}  // namespace tolvan
