#include "ui/measured_load_link.h"

#include <QAction>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "engine/measured_load_entry.h"
#include "ui/main_window_adapters.h"

namespace tolvan {
namespace {

// The one local file that a drag carries, or an empty text: text and other drags are left to
// the boxes as before.
QString DraggedFile(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1) return {};
  const QUrl url = mime->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

MeasuredLoadLink::MeasuredLoadLink(QWidget& main_window, MainWindowBoxes& boxes,
                                   WindowingServices services, const std::string& report_folder)
    : QObject(&main_window),
      boxes_(boxes),
      services_(services),
      report_folder_(report_folder),
      open_(new QAction(QStringLiteral("Load from measurement file..."), this)) {
  open_->setObjectName(QStringLiteral("mnuLoadMeasurement"));
  connect(open_, &QAction::triggered, this, &MeasuredLoadLink::mnuLoadMeasurement_Click);

  // Drags reach the window wherever no control takes them; the boxes take text drags, so a
  // file dragged onto a box is caught before the box sees it.
  main_window.setAcceptDrops(true);
  main_window.installEventFilter(this);
  for (QLineEdit* box : main_window.findChildren<QLineEdit*>()) box->installEventFilter(this);
  for (const InputBox watched : {InputBox::Freq, InputBox::Xl, InputBox::Rl}) {
    connect(boxes_.Box(watched), &QLineEdit::textChanged, this, &MeasuredLoadLink::BoxChanged);
  }
}

bool MeasuredLoadLink::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
    return QObject::eventFilter(watched, event);
  }
  auto* drop = static_cast<QDropEvent*>(event);
  const QString file = DraggedFile(drop->mimeData());
  if (file.isEmpty()) return QObject::eventFilter(watched, event);
  drop->acceptProposedAction();
  // Read once the drag is over: a message box must not hold up the program it came from.
  if (type == QEvent::Drop) {
    QMetaObject::invokeMethod(
        this, [this, file] { Load(file); }, Qt::QueuedConnection);
  }
  return true;
}

void MeasuredLoadLink::mnuLoadMeasurement_Click() {
  const QString folder =
      measurement_folder_.isEmpty() ? QString::fromStdString(report_folder_) : measurement_folder_;
  const std::optional<QString> path = services_.open_dialog.Ask(
      {QStringLiteral("Load from measurement file"),
       QStringLiteral("Touchstone one-port (*.s1p *.S1P);;All files (*)"), folder});
  if (path) Load(*path);
}

void MeasuredLoadLink::Load(const QString& path) {
  measurement_folder_ = QFileInfo(path).path();
  const MeasuredLoadEntry entry =
      TakeMeasuredLoad(QFile::encodeName(path).toStdString(), boxes_.Text(InputBox::Freq));
  if (!entry.load) {
    services_.messages.Show("The measured load was not taken; Xl and Rl are unchanged.\n" +
                            entry.error);
    return;
  }
  // Each write runs the box's change handler, as typing would; a load attached before is
  // detached by them.
  boxes_.SetText(InputBox::Xl, entry.x_text);
  boxes_.SetText(InputBox::Rl, entry.r_text);
  // The boxes are narrow: show where the numbers begin, not where they end.
  for (const InputBox box : {InputBox::Xl, InputBox::Rl}) boxes_.Box(box)->home(false);
  attached_ = Attached{entry.load, QFileInfo(path).fileName().toStdString(), entry.F, entry.x_text,
                       entry.r_text};
  emit AttachmentChanged();
}

void MeasuredLoadLink::BoxChanged() {
  if (!attached_) return;
  if (boxes_.Text(InputBox::Xl) == attached_->x_text &&
      boxes_.Text(InputBox::Rl) == attached_->r_text &&
      DesignFrequency(boxes_.Text(InputBox::Freq)) == attached_->F) {
    return;
  }
  attached_.reset();
  emit AttachmentChanged();
}

}  // namespace tolvan
