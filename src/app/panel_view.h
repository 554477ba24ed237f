// PanelView: the stand-in for the HTML panel until the HTML label is built
// into the program: it keeps the document text and shows it with the tags
// stripped, and offers the same property and link signal.
#pragma once

#include <QString>
#include <QWidget>

namespace tavimoro::app {

class PanelView : public QWidget {
  Q_OBJECT

 public:
  explicit PanelView(QWidget* parent = nullptr);

  QString documentHTML() const { return html_; }
  void setDocumentHTML(const QString& html);

 signals:
  void HyperlinkClick(const QString& target);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString html_;
};

}  // namespace tavimoro::app
