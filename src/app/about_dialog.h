// frmAbout: the program's title, its version and a link to the maker's site.
#pragma once

#include <QDialog>

class QPushButton;

namespace tavimoro::app {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);

  // The maker's site: the server base of this run.
  QString siteAddress() const;
  QPushButton* siteLink() const { return siteLink_; }

 private:
  QPushButton* siteLink_ = nullptr;
};

}  // namespace tavimoro::app
