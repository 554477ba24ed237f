// frmLoadGame: the saved-puzzle library. Lists the names of section
// "SavedGames" in file order, loads one into the board or deletes one.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;
class QStringListModel;

namespace tavimoro::app {

class LoadGameDialog : public QDialog {
  Q_OBJECT

 public:
  // applyPuzzle shows a board record (or puzzle text) and says whether it
  // was one.
  LoadGameDialog(std::string iniPath, std::function<bool(const std::string&)> applyPuzzle,
                 QWidget* parent = nullptr);

  QComboBox* combo() const { return combo_; }
  QPushButton* cmdLoad() const { return cmdLoad_; }
  QPushButton* cmdDelete() const { return cmdDelete_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }

 public slots:
  void refreshList();
  void loadSelected();
  void deleteSelected();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The stored name of the combo box's text: the bytes of the entry showing
  // that text, else the text as UTF-8 (a name typed in).
  std::string selectedName() const;

  std::string iniPath_;
  std::function<bool(const std::string&)> applyPuzzle_;
  QComboBox* combo_ = nullptr;
  QStringListModel* names_ = nullptr;
  std::vector<std::string> storedNames_;
  // The stored name of an entry whose saving was cut short, "" for none.
  std::string damagedName_;
  QPushButton* cmdLoad_ = nullptr;
  QPushButton* cmdDelete_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

}  // namespace tavimoro::app
