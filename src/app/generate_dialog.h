// frmGenerate: the generator dialog. The user picks a level (or a custom
// set of allowed and required techniques), the symmetry and the clue count;
// Generate saves those choices and runs the generator on a worker thread so
// that the dialog stays live: the attempt counter follows the generator's
// progress reports and Cancel raises the engine's cancel flag. The result
// comes back to the window thread, which hands a new puzzle to the board.
//
// Custom may instead ask for practice: a puzzle whose hardest step is a
// chosen technique (GenerateForPractice), on the same worker with the same
// progress and Cancel; a technique too rare to turn up within the practice
// generator's attempt limit is reported as such.
//
// Choices are restored from section "GenerationSettings" each time the
// dialog is shown, always starting at "Beginner".
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "engine/technique_id.h"
#include "generator/generate.h"
#include "generator/practice.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QThread;

namespace tavimoro::app {

// One row of check boxes per technique of the registry.
inline constexpr int kTechniqueRows = kTechniqueCount;

// The symmetry options in the order the dialog shows them (0 "Full",
// 1 "Partial", 2 "None") as the generator's symmetry.
Symmetry SymmetryOfOption(int option);

// Runs on the worker thread; the default calls GeneratePuzzle.
using GenerateFunction = std::function<Generated(const GenerationRequest&, const GenerationProgress&)>;
// Runs on the worker thread for a practice puzzle; the default calls
// GenerateForPractice with its attempt limit.
using PracticeFunction =
    std::function<PracticeResult(int technique, bool forceOne, const GenerationProgress&)>;

class GenerateDialog : public QDialog {
  Q_OBJECT

 public:
  // showPuzzle loads a finished puzzle into the board with an undo point.
  GenerateDialog(std::string iniPath, std::function<void(const std::string&)> showPuzzle,
                 QWidget* parent = nullptr, GenerateFunction generate = {}, PracticeFunction practice = {});
  ~GenerateDialog() override;

  // Controls by their names, for the main window's tests and this dialog's.
  QRadioButton* optLevel(int i) const { return optLevel_[i]; }
  QRadioButton* optSymmetry(int i) const { return optSymmetry_[i]; }
  QRadioButton* optNumHints(int i) const { return optNumHints_[i]; }
  QCheckBox* chkAllowed(int t) const { return chkAllowed_[t]; }
  QCheckBox* chkRequired(int t) const { return chkRequired_[t]; }
  QLabel* lblHintType(int t) const { return lblHintType_[t]; }
  QCheckBox* chkForceOne() const { return chkForceOne_; }
  // Custom's "Hardest step": "Any" (the usual generation), then every
  // technique of the registry with a finder, in order; the item data is the
  // technique number, -1 for "Any".
  QComboBox* cboHardest() const { return cboHardest_; }
  QLabel* lblAttempts() const { return lblAttempts_; }
  QLabel* lblNumPro() const { return lblNumPro_; }
  QGroupBox* attemptsFrame() const { return frame4_; }
  QPushButton* cmdGenerate() const { return cmdGenerate_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }
  QGroupBox* frame(int i) const;  // 1 techniques, 2 level, 3 symmetry

  int level() const { return level_; }
  int clueChoice() const { return clueChoice_; }
  int symmetryChoice() const { return symmetry_; }
  // The technique the hardest step must be at the custom level; -1 for any.
  int practiceTechnique() const;
  bool generating() const { return worker_ != nullptr; }

  // The warning Generate would ask about for the ticked Required boxes at
  // the custom level; "" when there is none.
  QString requiredWarning() const;

 public slots:
  void selectLevel(int i);
  void generate();
  void cancelOrClose();
  // Escape and the window's close button: Cancel while generating.
  void reject() override;

 signals:
  // Emitted on the window thread when a generation has ended (after its
  // message box), with the puzzle or "" when it was cancelled.
  void generationFinished(const QString& puzzle);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  // Lets the choices scroll when the dialog is higher than the
  // screen's available area.
  void fitToScreen();
  void loadChoices();
  void selectClueChoice(int i);
  void selectSymmetry(int i);
  void saveChoices();
  void setBusy(bool busy);
  void showAttempts(long attempts);
  // Enabled states that follow the level, the symmetry and the hardest step.
  void showChoiceStates();
  void loadHardest();
  void startWorker(std::function<void(const GenerationProgress&)> run);
  void finishGeneration(const std::string& puzzle, bool gaveUp = false);
  void underlineLabel(int t);

  std::string iniPath_;
  std::function<void(const std::string&)> showPuzzle_;
  GenerateFunction generate_;
  PracticeFunction practice_;
  int practising_ = -1;  // the technique of the running practice generation
  GeneratorSettings tuning_{};

  int level_ = 0;
  int clueChoice_ = 2;
  int symmetry_ = 0;

  std::array<QRadioButton*, kGeneratorLevelCount> optLevel_{};
  std::array<QRadioButton*, 3> optSymmetry_{};
  std::array<QRadioButton*, 3> optNumHints_{};
  std::array<QCheckBox*, kTechniqueRows> chkAllowed_{};
  std::array<QCheckBox*, kTechniqueRows> chkRequired_{};
  std::array<QLabel*, kTechniqueRows> lblHintType_{};
  QButtonGroup* levelGroup_ = nullptr;
  QButtonGroup* symmetryGroup_ = nullptr;
  QButtonGroup* cluesGroup_ = nullptr;
  QCheckBox* chkForceOne_ = nullptr;
  QComboBox* cboHardest_ = nullptr;
  QLabel* lblNumPro_ = nullptr;
  QLabel* lblAttempts_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QGroupBox* frame3_ = nullptr;
  QGroupBox* frame4_ = nullptr;
  QWidget* body_ = nullptr;
  QScrollArea* bodyScroll_ = nullptr;
  QPushButton* cmdGenerate_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QThread* worker_ = nullptr;
  bool open_ = false;
};

}  // namespace tavimoro::app
