#include "app/load_game_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/centered_message_box.h"
#include "app/settings/settings_schema.h"

namespace tavimoro::app {

LoadGameDialog::LoadGameDialog(std::string iniPath, std::function<bool(const std::string&)> applyPuzzle,
                               QWidget* parent)
    : QDialog(parent), iniPath_(std::move(iniPath)), applyPuzzle_(std::move(applyPuzzle)) {
  setWindowTitle(QStringLiteral("Load a saved Puzzle"));

  combo_ = new QComboBox;
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  combo_->setMinimumWidth(280);
  combo_->setMaxVisibleItems(15);

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

void LoadGameDialog::refreshList() {
  combo_->clear();
  for (const std::string& name : Settings(iniPath_).Names(setting::SavedGames)) {
    combo_->addItem(QString::fromStdString(name));
  }
  const bool any = combo_->count() > 0;
  if (!any) combo_->addItem(QStringLiteral("(No saved puzzles found)"));
  combo_->setEnabled(any);
  cmdLoad_->setEnabled(any);
  cmdDelete_->setEnabled(any);
  combo_->setCurrentIndex(0);
}

void LoadGameDialog::loadSelected() {
  const std::string name = combo_->currentText().toStdString();
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
  const QString question = QStringLiteral("Are you sure you want to delete the saved puzzle\n") + name + "?";
  if (AskYesNoCancel(this, QStringLiteral("Confirm Deletion"), question) != Answer::Yes) return;
  Settings(iniPath_).Set(setting::SavedGames, name.toStdString(), std::nullopt);
  refreshList();
}

}  // namespace tavimoro::app
