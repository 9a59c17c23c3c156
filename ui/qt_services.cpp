#include "ui/qt_services.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace tolvan {
namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// Prompts hold CR LF line breaks; a label breaks on LF alone.
QString AsLines(const std::string& text) {
  return FromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Qt's dialog would otherwise accept a name in a folder that does not exist.
class SaveFileDialog final : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  void accept() override {
    const QStringList files = selectedFiles();
    if (!files.isEmpty() && !QFileInfo(files.front()).absoluteDir().exists()) {
      QMessageBox::warning(this, windowTitle(),
                           tr("The folder of %1 does not exist.").arg(files.front()));
      return;
    }
    QFileDialog::accept();
  }
};

}  // namespace

void QtMessageService::Show(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon,
                  title.empty() ? FromUtf8(std::string(kApplicationTitle)) : FromUtf8(title),
                  AsLines(text), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

std::string QtPromptService::Ask(const std::string& prompt, const std::string& title,
                                 const std::string& default_answer) {
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(FromUtf8(title));
  dialog.setLabelText(AsLines(prompt));
  dialog.setTextValue(FromUtf8(default_answer));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.textValue().toStdString();
}

std::optional<ChosenFile> QtSaveDialogService::Ask(const SaveDialogRequest& request) {
  SaveFileDialog dialog(QApplication::activeWindow(), request.title, request.folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(request.filter);
  dialog.setDefaultSuffix(request.default_suffix);
  dialog.selectFile(request.file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = QDir::toNativeSeparators(dialog.selectedFiles().front());
  return ChosenFile{path, QFileInfo(path).fileName()};
}

std::optional<QString> QtOpenDialogService::Ask(const OpenDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(request.filter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialog.selectedFiles().front());
}

}  // namespace tolvan
