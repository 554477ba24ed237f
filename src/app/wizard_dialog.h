// frmWiz: the start-up wizard. Five choices of what to work on, each
// naming a start action, and a box that turns the wizard off for later runs.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tavimoro::app {

// Start actions: the last board, a puzzle from elsewhere, a new puzzle, a
// saved puzzle, or (empty) a blank grid.
inline constexpr char kStartLast[] = "last";
inline constexpr char kStartExternal[] = "external";
inline constexpr char kStartNew[] = "new";
inline constexpr char kStartLoad[] = "load";
inline constexpr char kStartBlank[] = "";

class WizardDialog : public QDialog {
  Q_OBJECT

 public:
  // rememberTick sets the options menu's "show the wizard" tick when the
  // check box changes it.
  WizardDialog(std::string iniPath, std::function<void(bool)> rememberTick, QWidget* parent = nullptr);

  // The choice made; "" (blank grid) when the wizard was closed without one.
  const std::string& startAction() const { return startAction_; }

  QLabel* lblOptions(int i) const { return options_[i]; }
  QCheckBox* check1() const { return check1_; }
  QPushButton* cmdClose() const { return cmdClose_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void highlight(int i);
  void choose(int i);

  std::string iniPath_;
  std::function<void(bool)> rememberTick_;
  std::string startAction_ = kStartBlank;
  std::array<QLabel*, 5> options_{};
  QCheckBox* check1_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

}  // namespace tavimoro::app
