#include "ui/frm_tolvan.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QStringEncoder>

#include "engine/calculation.h"
#include "engine/result_presentation.h"
#include "persist/cable_catalogue_file.h"
#include "persist/config_file.h"
#include "persist/config_location.h"
#include "persist/report.h"
#include "ui/designed_fonts.h"
#include "ui/designed_frames.h"
#include "ui/diagram.h"
#include "ui/enter_presses_buttons.h"
#include "ui/frm_comments.h"
#include "ui/frm_info.h"
#include "ui/main_window_adapters.h"
#include "ui/main_window_menu.h"
#include "ui/measured_load_link.h"
#include "ui/swr_link.h"
#include "ui/task_bar.h"
#include "ui/ui_frm_tolvan.h"
#include "ui/window_placement.h"

namespace tolvan {
namespace {

constexpr qreal kSmallBoxPoints = 9.75;
constexpr qreal kLargeBoxPoints = 12;
constexpr qreal kLambdaPoints = 15.75;

// Writes `text` (UTF-8) in the system's narrow encoding: UTF-8 on Linux, the active code page
// on Windows, where a character it lacks becomes "?". Returns the reason of a failure.
std::string WriteInSystemEncoding(const QString& path, const std::string& text) {
  QStringEncoder encoder(QStringConverter::System);
  const QByteArray bytes = encoder.encode(QString::fromStdString(text));
  return WriteReportFile(path.toStdString(), std::string(bytes.constData(), bytes.size()));
}

// The dialog takes the keys at once: the main window, blocked by it, cannot have them anyway.
void ShowActive(QWidget* dialog) {
  dialog->show();
  dialog->activateWindow();
}

}  // namespace

frmTolvan::frmTolvan(ModTolvan& shared, WindowingServices services,
                     std::filesystem::path executable_folder, const QLocale& locale)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::frmTolvan>()),
      shared_(shared),
      services_(services),
      executable_folder_(std::move(executable_folder)),
      separators_{locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()} {
  ui->setupUi(this);
  setFixedSize(size());

  Freq = {ui->Freq_0};
  Zo = {ui->Zo_0};
  Zm = {ui->Zm_0};
  Xl = {ui->Xl_0};
  Rl = {ui->Rl_0};
  VF = {ui->VF_0, ui->VF_1};
  Length = {{1, ui->Length_1}, {2, ui->Length_2}, {10, ui->Length_10}, {20, ui->Length_20}};

  setFont(DesignedFont(kDefaultPoints));
  for (QLineEdit* box : {ui->Zo_0, ui->Zm_0, ui->VF_0, ui->VF_1}) {
    box->setFont(DesignedFont(kSmallBoxPoints));
  }
  for (QLineEdit* box : {ui->Freq_0, ui->Xl_0, ui->Rl_0})
    box->setFont(DesignedFont(kLargeBoxPoints));
  for (QLabel* lambda : {ui->Label1_12, ui->Label1_14})
    lambda->setFont(DesignedFont(kLambdaPoints));
  ui->Picture1->setPixmap(QPixmap::fromImage(TransformerDiagram()));
  DrawFramesAsDesigned(*this);
  PressFocusedButtonsOnEnter(*this);
  // Autosized labels fit their caption: the designed size, or more where this face is wider.
  for (QLabel* label :
       {ui->Label1_8, ui->Label1_5, ui->Label1_9, ui->Label1_6, ui->Label1_16, ui->Label1_2,
        ui->Label1_3, ui->Label1_10, ui->Label1_12, ui->Label1_11, ui->Label1_14}) {
    label->resize(label->size().expandedTo(label->sizeHint()));
  }

  boxes_ = std::make_unique<MainWindowBoxes>(*this);
  labels_ = std::make_unique<MainWindowLabels>(*this);
  memory_ = std::make_unique<MainWindowMemory>(*this, *boxes_);

  connect(ui->Freq_0, &QLineEdit::textChanged, this, [this] { Freq_Change(0); });
  connect(ui->Zo_0, &QLineEdit::textChanged, this, [this] { Zo_Change(0); });
  connect(ui->Zm_0, &QLineEdit::textChanged, this, [this] { Zm_Change(0); });
  connect(ui->VF_0, &QLineEdit::textChanged, this, [this] { VF_Change(0); });
  connect(ui->VF_1, &QLineEdit::textChanged, this, [this] { VF_Change(1); });
  connect(ui->Xl_0, &QLineEdit::textChanged, this, [this] { Xl_Change(0); });
  connect(ui->Rl_0, &QLineEdit::textChanged, this, [this] { Rl_Change(0); });
  connect(ui->Calculate, &QPushButton::clicked, this, &frmTolvan::Calculate_Click);
  connect(ui->plus, &QPushButton::clicked, this, &frmTolvan::plus_Click);
  connect(ui->cmdSave, &QPushButton::clicked, this, &frmTolvan::cmdSave_Click);
  connect(ui->cmdComments, &QPushButton::clicked, this, &frmTolvan::cmdComments_Click);
  connect(ui->cmdAbout, &QPushButton::clicked, this, &frmTolvan::cmdAbout_Click);
  connect(ui->Exit, &QPushButton::clicked, this, &frmTolvan::Exit_Click);

  // Children of the window. Qt calls a signal's slots in the order they were connected: the
  // measured load watches the boxes after their own change handlers have made the results stale.
  measured_ = new MeasuredLoadLink(*this, *boxes_, services_, ReportFolder);
  swr_ = new SwrLink(*this, shared_, services_, separators_.decimal, ReportFolder, *measured_,
                     CatalogueFilePath(executable_folder_));
  addAction(swr_->OpenAction());
  new MainWindowMenu(*this, {swr_->OpenAction(), measured_->OpenAction()});

  Form_Load();
}

frmTolvan::~frmTolvan() = default;

std::filesystem::path frmTolvan::ConfigFile() const { return ConfigFilePath(executable_folder_); }

void frmTolvan::LoadConfig() { tolvan::LoadConfig(ConfigFile(), *memory_); }

void frmTolvan::UpdateConfig() { tolvan::UpdateConfig(ConfigFile(), *memory_); }

void frmTolvan::Form_Load() {
  LoadConfig();
  MoveToTwips(*this, shared_.MainPos);
  KeepOffTaskBar(*this);
  // The window opens with the focus in the frequency box.
  ui->Freq_0->setFocus(Qt::OtherFocusReason);
}

void frmTolvan::closeEvent(QCloseEvent* event) {
  // While a dialog or a message box is open the window takes no input, its close box included.
  if (QApplication::activeModalWidget() != nullptr) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void frmTolvan::Form_Unload() {
  swr_->Close();
  shared_.MainPos = EdgesInTwips(*this);
  UpdateConfig();
}

// Any edit makes the shown results stale, so nothing may be saved or commented until the next
// calculation; the labels keep the old values.
void frmTolvan::DisableResultButtons() {
  ui->cmdSave->setEnabled(false);
  ui->cmdComments->setEnabled(false);
  swr_->Stale();
}

void frmTolvan::Freq_Change(int) { DisableResultButtons(); }
void frmTolvan::Zo_Change(int) { DisableResultButtons(); }
void frmTolvan::Zm_Change(int) { DisableResultButtons(); }
void frmTolvan::VF_Change(int) { DisableResultButtons(); }
void frmTolvan::Xl_Change(int) { DisableResultButtons(); }
void frmTolvan::Rl_Change(int) { DisableResultButtons(); }

void frmTolvan::Calculate_Click() {
  CalculationScreen screen{*boxes_, *labels_, services_.messages, services_.prompts};
  const CalculationOutcome outcome = Calculate(screen, result_, separators_.decimal);
  if (outcome.end != CalculationEnd::Solved) return;
  ui->cmdSave->setEnabled(true);
  ui->cmdComments->setEnabled(true);
  swr_->Calculated(*outcome.record);
  UpdateConfig();
}

void frmTolvan::plus_Click() {
  ShowSolution(*labels_, result_, ui->plus->isChecked(), separators_.decimal);
  swr_->SolutionOnView(ui->plus->isChecked());
}

void frmTolvan::cmdSave_Click() {
  // A remembered folder that is gone gives way to the working directory, even on Cancel.
  std::error_code error;
  if (ReportFolder.empty() || !std::filesystem::is_directory(ReportFolder, error)) {
    ReportFolder = std::filesystem::current_path(error).string();
  }

  const std::optional<ChosenFile> chosen = services_.save_dialog.Ask(
      {QStringLiteral("Save Data To Text File"), QStringLiteral("Data File (*.txt)"),
       QStringLiteral("txt"), QString::fromStdString(ReportFolder), QString()});
  if (!chosen) return;

  const QString path = QString::fromStdString(LimitedReportPath(chosen->path.toStdString()));
  ReportFolder = QFileInfo(path).path().toStdString();

  const std::string text = ReportText(ReportInputsFrom(*boxes_), result_, shared_.CommentText,
                                      chosen->title.toStdString(), separators_);
  if (const std::string failure = WriteInSystemEncoding(path, text); !failure.empty()) {
    services_.messages.Show("The report could not be saved as " + path.toStdString() + ": " +
                            failure);
    return;
  }
  UpdateConfig();
}

// Each dialog is modal to this window: until it unloads, this window takes no input.
void frmTolvan::cmdComments_Click() { ShowActive(new frmComments(*this, shared_)); }

void frmTolvan::cmdAbout_Click() { ShowActive(new frmInfo(*this, shared_)); }

void frmTolvan::Exit_Click() {
  // Unloads every loaded window; each one's own unload handler stores its place.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) window->close();
  }
}

}  // namespace tolvan
