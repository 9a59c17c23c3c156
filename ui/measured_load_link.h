#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "engine/measured_load.h"
#include "ui/windowing_services.h"

class QAction;
class QWidget;

namespace tolvan {

class MainWindowBoxes;

// The main window's side of a measured load: a Touchstone file dropped anywhere on the window,
// or chosen with the menu entry "Load from measurement file...", fills Xl and Rl with the load
// at the frequency in Freq, through the boxes' own change handlers. The load then stays
// attached, for the SWR window to use across the band, while Xl and Rl hold the texts it
// wrote and Freq the frequency it was read at; any other text in them detaches it.
class MeasuredLoadLink final : public QObject {
  Q_OBJECT

 public:
  struct Attached {
    std::shared_ptr<const MeasuredLoad> load;
    std::string file_name;  // without its folder
    float F = 0;            // MHz, as the design record holds it
    std::string x_text, r_text;
  };

  // `report_folder` is where the first open dialog opens.
  MeasuredLoadLink(QWidget& main_window, MainWindowBoxes& boxes, WindowingServices services,
                   const std::string& report_folder);

  QAction* OpenAction() const { return open_; }
  const std::optional<Attached>& attached() const { return attached_; }

  // Takes the load from `path`, or says in a message box why not and changes nothing.
  void Load(const QString& path);

 signals:
  void AttachmentChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void mnuLoadMeasurement_Click();
  void BoxChanged();

  MainWindowBoxes& boxes_;
  WindowingServices services_;
  const std::string& report_folder_;
  QString measurement_folder_;
  QAction* open_;
  std::optional<Attached> attached_;
};

}  // namespace tolvan
