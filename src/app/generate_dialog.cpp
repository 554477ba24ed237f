#include "app/generate_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QThread>
#include <QVBoxLayout>

#include "app/centered_message_box.h"
#include "app/help_pages.h"
#include "engine/cancel.h"
#include "engine/extended_solve.h"
#include "engine/technique_registry.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

namespace {

constexpr int kCustomLevel = static_cast<int>(GeneratorLevel::Custom);
constexpr int kGeniusLevel = static_cast<int>(GeneratorLevel::Genius);
constexpr int kNoSymmetry = 2;  // the option "None"
// The singles are always allowed: their Allowed boxes stay ticked.
constexpr int kFirstChoosable = Index(TechniqueId::NakedPair);
// Required from here on counts towards the slow-generation warnings.
constexpr int kFirstAdvanced = Index(TechniqueId::Omission);

// The techniques whose requirement makes generation slow on its own.
bool IsSlowSubset(int t) {
  const auto id = static_cast<TechniqueId>(t);
  return id == TechniqueId::NakedQuad || id == TechniqueId::HiddenTriplet || id == TechniqueId::HiddenQuad;
}

const QString kTriplesWarning =
    QStringLiteral("Requiring triplets or quads may cause puzzle generation to take awhile. Continue?");
const QString kAdvancedWarning = QStringLiteral(
    "Requiring more than one advanced technique may cause puzzle generation to take awhile. Continue?");

Generated RunGenerator(const GenerationRequest& r, const GenerationProgress& progress) {
  return GeneratePuzzle(r, progress);
}

PracticeResult RunPractice(int technique, bool forceOne, const GenerationProgress& progress) {
  return GenerateForPractice(technique, HardestStepTechnique, forceOne, kPracticeAttemptLimit, progress);
}

// The name of a technique number the dialog keeps ("" for none).
std::string_view NameOf(int technique) {
  const auto id = TechniqueFromNumber(technique);
  return id ? Technique(*id).name : std::string_view();
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Symmetry SymmetryOfOption(int option) {
  switch (option) {
    case 0:
      return Symmetry::Full;
    case 1:
      return Symmetry::Partial;
    default:
      return Symmetry::None;
  }
}

GenerateDialog::GenerateDialog(std::string iniPath, std::function<void(const std::string&)> showPuzzle,
                               QWidget* parent, GenerateFunction generate, PracticeFunction practice)
    : QDialog(parent),
      iniPath_(std::move(iniPath)),
      showPuzzle_(std::move(showPuzzle)),
      generate_(generate ? std::move(generate) : GenerateFunction(RunGenerator)),
      practice_(practice ? std::move(practice) : PracticeFunction(RunPractice)) {
  setWindowTitle(QStringLiteral("Generate a new Puzzle..."));
  createControls();

  const Settings settings(iniPath_);
  // A hand-edited value beyond any level's reach would search forever.
  tuning_.numpro = settings.Get(setting::NumPro);
  tuning_.minvis = settings.Get(setting::MinVis);
  tuning_ = WithinLimits(tuning_, GeneratorLevel::Custom);
  lblNumPro_->setText(QString::number(tuning_.numpro));
  lblNumPro_->setVisible(tuning_.numpro > 0);
}

GenerateDialog::~GenerateDialog() {
  if (worker_) {
    CancelGeneration();
    worker_->wait();
    delete worker_;
    GenerationCancelled = false;
  }
}

QGroupBox* GenerateDialog::frame(int i) const {
  switch (i) {
    case 1:
      return frame1_;
    case 2:
      return frame2_;
    case 3:
      return frame3_;
    default:
      return frame4_;
  }
}

void GenerateDialog::createControls() {
  auto* banner = new QLabel(QStringLiteral("Generate a new Puzzle..."));
  banner->setObjectName(QStringLiteral("Image1"));
  banner->setStyleSheet(QStringLiteral(
      "QLabel { color: white; font-size: 15pt; font-weight: bold; padding: 10px 14px;"
      " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1d5fbf, stop:1 #3b82c4); }"));

  frame2_ = new QGroupBox(QStringLiteral("Difficulty Level"));
  auto* levels = new QVBoxLayout(frame2_);
  levelGroup_ = new QButtonGroup(this);
  for (int i = 0; i < kGeneratorLevelCount; ++i) {
    const std::string_view caption = LevelCaption(static_cast<GeneratorLevel>(i));
    optLevel_[i] =
        new QRadioButton(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
    levelGroup_->addButton(optLevel_[i], i);
    levels->addWidget(optLevel_[i], 0, Qt::AlignLeft);
    connect(optLevel_[i], &QRadioButton::clicked, this, [this, i] { selectLevel(i); });
  }
  auto* hardestLabel = new QLabel(QStringLiteral("Hardest step:"));
  cboHardest_ = new QComboBox;
  cboHardest_->setObjectName(QStringLiteral("cboHardest"));
  cboHardest_->setAccessibleName(QStringLiteral("Hardest step"));
  cboHardest_->setToolTip(
      QStringLiteral("Custom only: a puzzle whose hardest step is this technique, to practise it"));
  cboHardest_->addItem(QStringLiteral("Any"), -1);
  // The ladder's techniques by the names of their check boxes below.
  for (const TechniqueRow& row : TechniqueRows()) {
    if (!PracticeCanMake(row)) continue;
    cboHardest_->addItem(Latin1(Index(row.id) < kTechniqueRows ? row.generatorCaption : row.name),
                         Index(row.id));
  }
  // Styles that pop the list up as a menu show every item, taller than the
  // screen; a plain list keeps to the visible count and scrolls.
  cboHardest_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  cboHardest_->setMaxVisibleItems(16);
  hardestLabel->setBuddy(cboHardest_);
  levels->addWidget(hardestLabel);
  levels->addWidget(cboHardest_);
  connect(cboHardest_, &QComboBox::currentIndexChanged, this, [this] { showChoiceStates(); });

  frame3_ = new QGroupBox(QStringLiteral("Puzzle Symmetry"));
  auto* symmetry = new QVBoxLayout(frame3_);
  symmetryGroup_ = new QButtonGroup(this);
  const std::array<const char*, 3> symmetryCaptions = {"Full", "Partial", "None"};
  auto* symmetryRow = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    optSymmetry_[i] = new QRadioButton(QString::fromLatin1(symmetryCaptions[i]));
    symmetryGroup_->addButton(optSymmetry_[i], i);
    symmetryRow->addWidget(optSymmetry_[i]);
    connect(optSymmetry_[i], &QRadioButton::clicked, this, [this, i] { selectSymmetry(i); });
  }
  symmetry->addLayout(symmetryRow);
  chkForceOne_ = new QCheckBox(QStringLiteral("Put at least one in every row, column, and block"));
  symmetry->addWidget(chkForceOne_);
  symmetry->addWidget(new QLabel(QStringLiteral("Number of starting clues:")));
  cluesGroup_ = new QButtonGroup(this);
  const std::array<const char*, 3> clueCaptions = {"More", "Less", "Least"};
  auto* cluesRow = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    optNumHints_[i] = new QRadioButton(QString::fromLatin1(clueCaptions[i]));
    cluesGroup_->addButton(optNumHints_[i], i);
    cluesRow->addWidget(optNumHints_[i]);
    connect(optNumHints_[i], &QRadioButton::clicked, this, [this, i] { selectClueChoice(i); });
  }
  symmetry->addLayout(cluesRow);

  frame1_ = new QGroupBox(QStringLiteral("Solving Techniques"));
  auto* techniques = new QGridLayout(frame1_);
  techniques->setVerticalSpacing(1);
  techniques->addWidget(new QLabel(QStringLiteral("Allowed")), 0, 1, Qt::AlignCenter);
  techniques->addWidget(new QLabel(QStringLiteral("Required")), 0, 2, Qt::AlignCenter);
  for (int t = 0; t < kTechniqueRows; ++t) {
    const std::string_view caption = TechniqueRows()[t].generatorCaption;
    lblHintType_[t] = new QLabel(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
    lblHintType_[t]->setCursor(Qt::PointingHandCursor);
    lblHintType_[t]->setToolTip(QStringLiteral("Click for a description"));
    lblHintType_[t]->installEventFilter(this);
    chkAllowed_[t] = new QCheckBox;
    chkRequired_[t] = new QCheckBox;
    lblHintType_[t]->setAccessibleDescription(QStringLiteral("Click for a description"));
    chkAllowed_[t]->setAccessibleName(QStringLiteral("Allowed: ") + lblHintType_[t]->text());
    chkRequired_[t]->setAccessibleName(QStringLiteral("Required: ") + lblHintType_[t]->text());
    techniques->addWidget(lblHintType_[t], t + 1, 0);
    techniques->addWidget(chkAllowed_[t], t + 1, 1, Qt::AlignCenter);
    techniques->addWidget(chkRequired_[t], t + 1, 2, Qt::AlignCenter);
    connect(chkAllowed_[t], &QCheckBox::clicked, this, [this, t](bool ticked) {
      if (level_ == kCustomLevel && !ticked) chkRequired_[t]->setChecked(false);
    });
    connect(chkRequired_[t], &QCheckBox::clicked, this, [this, t](bool ticked) {
      if (level_ == kCustomLevel && ticked) chkAllowed_[t]->setChecked(true);
    });
  }
  lblNumPro_ = new QLabel;
  lblNumPro_->setObjectName(QStringLiteral("lblNumPro"));
  lblNumPro_->setStyleSheet(QStringLiteral("QLabel { color: #7b8794; font-size: 7pt; }"));
  techniques->addWidget(lblNumPro_, kTechniqueRows + 1, 0);

  frame4_ = new QGroupBox(QStringLiteral("Attempts"));
  auto* attempts = new QHBoxLayout(frame4_);
  lblAttempts_ = new QLabel(QStringLiteral("0"));
  lblAttempts_->setAccessibleName(QStringLiteral("Attempts"));
  QFont big = lblAttempts_->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  lblAttempts_->setFont(big);
  lblAttempts_->setAlignment(Qt::AlignCenter);
  attempts->addWidget(lblAttempts_);
  // The frame keeps its place while hidden, so the dialog does not jump
  // when a generation starts.
  QSizePolicy keepPlace = frame4_->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  frame4_->setSizePolicy(keepPlace);
  frame4_->setVisible(false);

  cmdGenerate_ = new QPushButton(QStringLiteral("Generate"));
  cmdCancel_ = new QPushButton(QStringLiteral("Close"));
  cmdGenerate_->setDefault(true);
  cmdGenerate_->setMinimumWidth(
      cmdGenerate_->fontMetrics().horizontalAdvance(QStringLiteral("Generating Puzzle")) + 24);
  connect(cmdGenerate_, &QPushButton::clicked, this, &GenerateDialog::generate);
  connect(cmdCancel_, &QPushButton::clicked, this, &GenerateDialog::cancelOrClose);

  auto* left = new QVBoxLayout;
  left->addWidget(frame2_);
  left->addWidget(frame3_);
  left->addWidget(frame4_);
  left->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(12, 6, 12, 12);
  buttons->addStretch(1);
  buttons->addWidget(cmdGenerate_);
  buttons->addWidget(cmdCancel_);

  body_ = new QWidget;
  auto* body = new QHBoxLayout(body_);
  body->setContentsMargins(12, 10, 12, 0);
  body->addLayout(left);
  body->addWidget(frame1_);
  // The choices scroll only where the screen is too low for them
  // (fitToScreen); elsewhere they are shown whole, as the scroll area's
  // minimum, and the buttons stay below them in either case.
  bodyScroll_ = new QScrollArea;
  bodyScroll_->setFrameShape(QFrame::NoFrame);
  bodyScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  bodyScroll_->setWidgetResizable(true);
  bodyScroll_->setWidget(body_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(banner);
  layout->addWidget(bodyScroll_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void GenerateDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Once per opening: the window system's own show events (mapping,
  // restoring) repeat nothing.
  if (open_) return;
  open_ = true;
  loadChoices();
  fitToScreen();
  CentreOnMainWindow(this, parentWidget());
}

void GenerateDialog::fitToScreen() {
  const QSize whole = body_->sizeHint();
  const int scrollBar = bodyScroll_->verticalScrollBar()->sizeHint().width();
  bodyScroll_->setMinimumSize(whole);
  layout()->activate();
  const QWidget* anchor = MainWindow() ? MainWindow() : parentWidget();
  const QScreen* screen = anchor ? anchor->screen() : this->screen();
  if (!screen) return;
  const int frameExtra = frameGeometry().height() - height();
  const int overflow = sizeHint().height() + frameExtra - screen->availableGeometry().height();
  if (overflow <= 0) return;
  bodyScroll_->setMinimumSize(whole.width() + scrollBar, std::max(80, whole.height() - overflow));
  layout()->activate();
}

void GenerateDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) open_ = false;
}

void GenerateDialog::loadChoices() {
  selectLevel(0);
  const Settings settings(iniPath_);
  selectClueChoice(settings.Get(setting::NumStartingClues));
  chkForceOne_->setChecked(settings.Get(setting::ForceOne) != 0);
  selectSymmetry(settings.Get(setting::Symmetry));
}

void GenerateDialog::selectLevel(int i) {
  optLevel_[i]->setChecked(true);
  level_ = i;
  // Genius stands out in red until it is chosen. Under Custom, where the
  // choice is the list of techniques, a red pill beside the level list
  // reads as the level chosen, so Genius keeps only its red caption there.
  QString geniusStyle;
  if (level_ == kCustomLevel) {
    geniusStyle = QStringLiteral("QRadioButton { color: #CC0000; }");
  } else if (level_ != kGeniusLevel) {
    geniusStyle = QStringLiteral(
        "QRadioButton { background-color: #CC0000; color: white;"
        " padding: 1px 8px 1px 3px; border-radius: 3px; }"
        "QRadioButton::indicator { width: 11px; height: 11px;"
        " border: 1px solid #7b2020; border-radius: 6px; background: white; }");
  }
  optLevel_[kGeniusLevel]->setStyleSheet(geniusStyle);

  const bool custom = level_ == kCustomLevel;
  const TechniqueTicks ticks =
      custom ? TechniqueTicks{} : LevelAllowedTicks(static_cast<GeneratorLevel>(level_));
  for (int t = 0; t < kTechniqueRows; ++t) {
    if (!custom) chkRequired_[t]->setChecked(false);
    chkAllowed_[t]->setChecked(ticks[t] == 1);
  }
  if (!custom) {
    cboHardest_->setCurrentIndex(0);
    showChoiceStates();
    return;
  }

  for (int t = 0; t < kFirstChoosable; ++t) chkAllowed_[t]->setChecked(true);
  const Settings settings(iniPath_);
  auto apply = [](QCheckBox* box, std::optional<bool> stored) {
    if (stored) box->setChecked(*stored);
  };
  for (int t = 0; t < kTechniqueRows; ++t) {
    if (t >= kFirstChoosable) apply(chkAllowed_[t], settings.Get(setting::CheckAllowed, t));
    apply(chkRequired_[t], settings.Get(setting::CheckRequired, t));
  }
  loadHardest();
  showChoiceStates();
}

void GenerateDialog::loadHardest() {
  const auto technique = TechniqueFromName(Settings(iniPath_).Get(setting::Hardest));
  const int index = technique ? cboHardest_->findData(Index(*technique)) : -1;
  cboHardest_->setCurrentIndex(index > 0 ? index : 0);
}

void GenerateDialog::showChoiceStates() {
  const bool custom = level_ == kCustomLevel;
  cboHardest_->setEnabled(custom);
  // Practice makes minimal puzzles of its own: the technique boxes, the
  // symmetry and the clue count do not apply to it.
  const bool practice = practiceTechnique() >= 0;
  for (int t = 0; t < kTechniqueRows; ++t) {
    chkAllowed_[t]->setEnabled(custom && !practice && t >= kFirstChoosable);
    chkRequired_[t]->setEnabled(custom && !practice);
  }
  for (QRadioButton* option : optSymmetry_) option->setEnabled(!practice);
  const bool free = symmetry_ == kNoSymmetry;
  for (QRadioButton* option : optNumHints_) option->setEnabled(free && !practice);
  chkForceOne_->setEnabled(free || practice);
}

void GenerateDialog::selectClueChoice(int i) {
  clueChoice_ = i;
  optNumHints_[i]->setChecked(true);
}

void GenerateDialog::selectSymmetry(int i) {
  symmetry_ = i;
  optSymmetry_[i]->setChecked(true);
  showChoiceStates();
}

int GenerateDialog::practiceTechnique() const {
  if (level_ != kCustomLevel) return -1;
  return cboHardest_->currentData().toInt();
}

QString GenerateDialog::requiredWarning() const {
  if (level_ != kCustomLevel || practiceTechnique() >= 0) return {};
  int count = 0;
  bool subsets = false;
  for (int t = kFirstAdvanced; t < kTechniqueRows; ++t) {
    if (!chkRequired_[t]->isChecked()) continue;
    ++count;
    if (IsSlowSubset(t)) subsets = true;
  }
  if (subsets) return kTriplesWarning;
  if (count >= 2) return kAdvancedWarning;
  return {};
}

void GenerateDialog::saveChoices() {
  const Settings settings(iniPath_);
  settings.Set(setting::Level, level_);
  if (level_ == kCustomLevel) {
    for (int t = Index(TechniqueId::HiddenSingle); t < kTechniqueRows; ++t) {
      settings.Set(setting::CheckAllowed, t, chkAllowed_[t]->isChecked());
      settings.Set(setting::CheckRequired, t, chkRequired_[t]->isChecked());
    }
    const auto hardest = TechniqueFromNumber(practiceTechnique());
    settings.Set(setting::Hardest, hardest ? Technique(*hardest).name : std::string_view());
  }
  settings.Set(setting::NumStartingClues, clueChoice_);
  settings.Set(setting::ForceOne, chkForceOne_->isChecked() ? 1 : 0);
  settings.Set(setting::Symmetry, symmetry_);
}

void GenerateDialog::generate() {
  if (generating()) return;
  if (const QString warning = requiredWarning(); !warning.isEmpty()) {
    if (AskYesNoCancel(this, QStringLiteral("WARNING"), warning) != Answer::Yes) return;
  }
  saveChoices();

  if (const int technique = practiceTechnique(); technique >= 0) {
    practising_ = technique;
    startWorker([this, technique, forceOne = chkForceOne_->isChecked(),
                 practice = practice_](const GenerationProgress& progress) {
      const PracticeResult result = practice(technique, forceOne, progress);
      QMetaObject::invokeMethod(
          this, [this, puzzle = result.Puzzle, gaveUp = result.GaveUp] { finishGeneration(puzzle, gaveUp); },
          Qt::QueuedConnection);
    });
    return;
  }

  GenerationRequest request;
  request.level = static_cast<GeneratorLevel>(level_);
  request.forceOne = chkForceOne_->isChecked();
  for (int t = 0; t < kTechniqueRows; ++t) {
    request.allowed[t] = chkAllowed_[t]->isChecked() ? 1 : 0;
    request.required[t] = chkRequired_[t]->isChecked() ? 1 : 0;
  }
  // Full and partial symmetry always take the fewest clues.
  request.symmetry = SymmetryOfOption(symmetry_);
  request.clueChoice =
      request.symmetry == Symmetry::None ? static_cast<ClueChoice>(clueChoice_) : ClueChoice::Least;
  request.settings = WithinLimits(tuning_, request.level);

  practising_ = -1;
  startWorker([this, request, generate = generate_](const GenerationProgress& progress) {
    const Generated result = generate(request, progress);
    QMetaObject::invokeMethod(
        this, [this, puzzle = result.Puzzle] { finishGeneration(puzzle); }, Qt::QueuedConnection);
  });
}

void GenerateDialog::startWorker(std::function<void(const GenerationProgress&)> run) {
  setBusy(true);
  GenerationCancelled = false;
  worker_ = QThread::create([this, run = std::move(run)] {
    const GenerationProgress progress = [this](long attempts) {
      QMetaObject::invokeMethod(
          this, [this, attempts] { showAttempts(attempts); }, Qt::QueuedConnection);
      return true;
    };
    run(progress);
  });
  worker_->start();
}

void GenerateDialog::showAttempts(long attempts) {
  if (generating()) lblAttempts_->setText(QString::number(attempts));
}

void GenerateDialog::finishGeneration(const std::string& puzzle, bool gaveUp) {
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
  // A cancel that came after the last attempt was never read; drop it so
  // that the next generation starts clean.
  GenerationCancelled = false;

  const QString trimmed = QString::fromStdString(puzzle).trimmed();
  const bool created = trimmed.size() == 81;
  if (created) {
    ShowMessage(this, kProgramTitle, QStringLiteral("New Puzzle created"));
    if (showPuzzle_) showPuzzle_(trimmed.toStdString());
  } else if (gaveUp) {
    ShowMessage(this, kProgramTitle,
                QStringLiteral("No puzzle whose hardest step is %1 turned up in %2 attempts: such puzzles "
                               "are too rare to be made this way. Choose another technique, or \"Any\".")
                    .arg(Latin1(NameOf(practising_)))
                    .arg(kPracticeAttemptLimit));
  } else {
    ShowMessage(this, kProgramTitle, QStringLiteral("Puzzle generation canceled"));
  }
  setBusy(false);
  emit generationFinished(created ? trimmed : QString());
  if (created) accept();
}

void GenerateDialog::setBusy(bool busy) {
  cmdGenerate_->setText(busy ? QStringLiteral("Generating Puzzle") : QStringLiteral("Generate"));
  cmdGenerate_->setEnabled(!busy);
  cmdCancel_->setText(busy ? QStringLiteral("Cancel") : QStringLiteral("Close"));
  frame1_->setEnabled(!busy);
  frame2_->setEnabled(!busy);
  frame3_->setEnabled(!busy);
  if (busy) lblAttempts_->setText(QStringLiteral("0"));
  frame4_->setVisible(busy);
}

void GenerateDialog::cancelOrClose() {
  if (generating()) {
    CancelGeneration();
    return;
  }
  QDialog::reject();
}

void GenerateDialog::reject() {
  // Escape and the window's close button cancel a running generation first;
  // the dialog closes only when idle.
  cancelOrClose();
}

void GenerateDialog::underlineLabel(int t) {
  for (int i = 0; i < kTechniqueRows; ++i) {
    QFont font = lblHintType_[i]->font();
    font.setUnderline(i == t);
    lblHintType_[i]->setFont(font);
  }
}

bool GenerateDialog::eventFilter(QObject* watched, QEvent* event) {
  for (int t = 0; t < kTechniqueRows; ++t) {
    if (watched != lblHintType_[t]) continue;
    switch (event->type()) {
      case QEvent::Enter:
        underlineLabel(t);
        break;
      case QEvent::Leave:
        underlineLabel(-1);
        break;
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
          OpenHelpPage(kTechniquesPage,
                       QString::fromLatin1(TechniqueRows()[t].anchor.data(),
                                           static_cast<qsizetype>(TechniqueRows()[t].anchor.size())));
        }
        break;
      default:
        break;
    }
    break;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tavimoro::app
