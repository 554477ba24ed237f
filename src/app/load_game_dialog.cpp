#include "app/load_game_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringDecoder>
#include <QStringListModel>
#include <QVBoxLayout>
#include <algorithm>

#include "app/centered_message_box.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

namespace {

// The width of the name box in characters, whatever the names.
constexpr int kNameColumns = 36;
constexpr int kQuestionNameLimit = 60;

}  // namespace

namespace {

// The names, each with its whole text as its tooltip (the list cuts long
// names in the middle).
class NameListModel : public QStringListModel {
 public:
  using QStringListModel::QStringListModel;
  QVariant data(const QModelIndex& index, int role) const override {
    return QStringListModel::data(index, role == Qt::ToolTipRole ? Qt::DisplayRole : role);
  }
};

}  // namespace

LoadGameDialog::LoadGameDialog(std::string iniPath, std::function<bool(const std::string&)> applyPuzzle,
                               QWidget* parent)
    : QDialog(parent), iniPath_(std::move(iniPath)), applyPuzzle_(std::move(applyPuzzle)) {
  setWindowTitle(QStringLiteral("Load a saved Puzzle"));

  combo_ = new QComboBox;
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  combo_->setMaxVisibleItems(15);
  // A long name must not make the dialog as wide as the name: the box keeps
  // a fixed width, its field scrolls, and the list shows long names cut in
  // the middle, with the whole name as the item's tooltip.
  combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo_->setMinimumContentsLength(kNameColumns);
  combo_->view()->setTextElideMode(Qt::ElideMiddle);
  combo_->setAccessibleName(QStringLiteral("Saved puzzles"));
  // A long library must not cost a pass over all its names either.
  names_ = new NameListModel(this);
  combo_->setModel(names_);

  cmdLoad_ = new QPushButton(QStringLiteral("Load"));
  cmdDelete_ = new QPushButton(QStringLiteral("Delete"));
  cmdCancel_ = new QPushButton(QStringLiteral("Cancel"));
  cmdLoad_->setDefault(true);
  connect(cmdLoad_, &QPushButton::clicked, this, &LoadGameDialog::loadSelected);
  connect(cmdDelete_, &QPushButton::clicked, this, &LoadGameDialog::deleteSelected);
  connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdDelete_);
  buttons->addStretch(1);
  buttons->addWidget(cmdLoad_);
  buttons->addWidget(cmdCancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Choose a saved puzzle:")));
  layout->addWidget(combo_);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  refreshList();
}

void LoadGameDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnMainWindow(this, parentWidget());
}

namespace {

// How a stored name is shown: as UTF-8 when it is that, else byte for byte
// (names written in an older single-byte code page).
QString DisplayName(const std::string& stored, QStringDecoder& utf8) {
  const auto size = static_cast<qsizetype>(stored.size());
  if (std::all_of(stored.begin(), stored.end(),
                  [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) {
    return QString::fromLatin1(stored.data(), size);
  }
  utf8.resetState();
  const QString text = utf8(QByteArrayView(stored.data(), size));
  return utf8.hasError() ? QString::fromLatin1(stored.data(), size) : text;
}

}  // namespace

// Each entry keeps the name's stored bytes (storedNames_, by row), which
// load and delete use; the shown text may differ from them. The model is
// filled in one step, so that a long list costs one reset, not one per name.
void LoadGameDialog::refreshList() {
  storedNames_ = Settings(iniPath_).Names(setting::SavedGames);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(storedNames_.size()));
  for (const std::string& name : storedNames_) shown.append(DisplayName(name, utf8));
  // A last entry without its line break and short of a board record's 81
  // cells is what a crash or a power cut during its saving leaves.
  damagedName_.clear();
  if (const auto torn = TornLastKey(setting::SavedGames.section, iniPath_)) {
    const std::string record = Settings(iniPath_).Get(setting::SavedGames, *torn);
    const auto row = std::find(storedNames_.begin(), storedNames_.end(), *torn) - storedNames_.begin();
    if (std::count(record.begin(), record.end(), ']') < 81 && row < shown.size()) {
      damagedName_ = *torn;
      shown[row] += QStringLiteral(" (damaged)");
    }
  }
  names_->setStringList(shown);
  const bool any = combo_->count() > 0;
  if (!any) combo_->addItem(QStringLiteral("(No saved puzzles found)"));
  combo_->setEnabled(any);
  cmdLoad_->setEnabled(any);
  cmdDelete_->setEnabled(any);
  combo_->setCurrentIndex(0);
}

std::string LoadGameDialog::selectedName() const {
  const QString text = combo_->currentText();
  const int index = combo_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0 && static_cast<std::size_t>(index) < storedNames_.size()) return storedNames_[index];
  return text.toStdString();
}

void LoadGameDialog::loadSelected() {
  const std::string name = selectedName();
  if (!name.empty() && name == damagedName_) {
    // Kept open, so that the entry can be deleted at once.
    ShowMessage(this, kProgramTitle,
                QStringLiteral("This saved puzzle is damaged: its saving was cut short, and it cannot be "
                               "loaded. You can delete it."));
    return;
  }
  bool loaded = false;
  if (!name.empty()) {
    const std::string record = Settings(iniPath_).Get(setting::SavedGames, name);
    if (!record.empty() && applyPuzzle_) loaded = applyPuzzle_(record);
  }
  if (!loaded) ShowMessage(this, kProgramTitle, QStringLiteral("An error occurred"));
  accept();
}

void LoadGameDialog::deleteSelected() {
  const QString name = combo_->currentText();
  if (name.isEmpty()) return;
  // A name too long for one line of the box is shown cut in the middle.
  const QString shown =
      name.size() <= kQuestionNameLimit
          ? name
          : name.left(kQuestionNameLimit / 2) + QChar(0x2026) + name.right(kQuestionNameLimit / 2);
  const QString question = QStringLiteral("Are you sure you want to delete the saved puzzle\n") + shown + "?";
  if (AskYesNoCancel(this, QStringLiteral("Confirm Deletion"), question) != Answer::Yes) return;
  Settings(iniPath_).Set(setting::SavedGames, selectedName(), std::nullopt);
  refreshList();
}

}  // namespace tavimoro::app
