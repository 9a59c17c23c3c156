#pragma once

#include <QLocale>
#include <QWidget>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "engine/design_result.h"
#include "persist/report.h"
#include "ui/mod_tolvan.h"
#include "ui/windowing_services.h"

class QLabel;
class QLineEdit;

namespace Ui {
class frmTolvan;
}

namespace tolvan {

class MainWindowBoxes;
class MainWindowLabels;
class MainWindowMemory;
class MeasuredLoadLink;
class SwrLink;

// The main window and start-up object: seven input boxes, the four result labels with the
// +/- toggle, the diagram, and the buttons. Loading it reads the configuration file and moves
// it to its remembered place; closing it stores its place and the configuration.
class frmTolvan final : public QWidget {
  Q_OBJECT

 public:
  // `executable_folder` is where the configuration file lives (or the user's configuration
  // folder when that one is shut); labels use `locale`'s decimal separator.
  frmTolvan(ModTolvan& shared, WindowingServices services, std::filesystem::path executable_folder,
            const QLocale& locale = QLocale::system());
  ~frmTolvan() override;

  // Writes the inputs, ReportFolder and the three windows' positions into the configuration
  // file. Reports nothing.
  void UpdateConfig();

  // Both solutions of the last calculation that reached the solver.
  const DesignResult& designResult() const { return result_; }
  const std::string& reportFolder() const { return ReportFolder; }

  // The control arrays, by member index as the form numbers them.
  std::array<QLineEdit*, 1> Freq{}, Zo{}, Zm{}, Xl{}, Rl{};
  std::array<QLineEdit*, 2> VF{};
  std::map<int, QLabel*> Length;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class MainWindowBoxes;
  friend class MainWindowMemory;

  void Form_Load();
  void Form_Unload();
  void LoadConfig();
  std::filesystem::path ConfigFile() const;

  void Freq_Change(int index);
  void Zo_Change(int index);
  void Zm_Change(int index);
  void VF_Change(int index);
  void Xl_Change(int index);
  void Rl_Change(int index);
  void DisableResultButtons();

  void Calculate_Click();
  void plus_Click();
  void cmdSave_Click();
  void cmdComments_Click();
  void cmdAbout_Click();
  void Exit_Click();

  std::unique_ptr<Ui::frmTolvan> ui;
  ModTolvan& shared_;
  WindowingServices services_;
  std::filesystem::path executable_folder_;
  NumberSeparators separators_;  // the locale's, for the labels and the report

  DesignResult result_;      // ResWl, ResCm, AltWl, AltCm
  std::string ReportFolder;  // where the report's save dialog opens

  std::unique_ptr<MainWindowBoxes> boxes_;
  std::unique_ptr<MainWindowLabels> labels_;
  std::unique_ptr<MainWindowMemory> memory_;
  MeasuredLoadLink* measured_;  // the dropped or chosen measurement file; a child of the window
  SwrLink* swr_;                // the SWR window's menu entry and messenger; a child of the window
};

}  // namespace tolvan
