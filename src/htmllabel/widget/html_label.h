// HTMLLabel: the hint panel. Shows one document of the HTML subset inside a
// fixed viewport, with optional scroll bars, clickable links, tooltips and
// anchor jumps.
//
// A document is parsed when it is set and laid out by Refresh onto an
// off-screen pixmap as large as the document; painting copies the visible
// part of that pixmap, so scrolling never lays out again. A clicked link is
// delivered from a zero-delay timer after the mouse handler has returned, so
// that the host may replace the document from its handler.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "htmllabel/document.h"
#include "htmllabel/layout.h"
#include "htmllabel/widget/qt_surface.h"

class QScrollBar;

namespace tavimoro {

class HTMLLabel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version CONSTANT)
  Q_PROPERTY(QString DefaultFontName READ DefaultFontName WRITE SetDefaultFontName)
  Q_PROPERTY(double DefaultFontSize READ DefaultFontSize WRITE SetDefaultFontSize)
  Q_PROPERTY(QColor BackColor READ BackColor WRITE SetBackColor)
  Q_PROPERTY(int Appearance READ Appearance WRITE SetAppearance)
  Q_PROPERTY(int BorderStyle READ BorderStyle WRITE SetBorderStyle)
  Q_PROPERTY(bool EnableTooltips READ EnableTooltips WRITE SetEnableTooltips)
  Q_PROPERTY(bool EnableScroll READ EnableScroll WRITE SetEnableScroll)
  Q_PROPERTY(bool EnableAnchors READ EnableAnchors WRITE SetEnableAnchors)
  Q_PROPERTY(bool UnderlineLinks READ UnderlineLinks WRITE SetUnderlineLinks)
  Q_PROPERTY(int DefaultPadding READ DefaultPadding WRITE SetDefaultPadding)
  Q_PROPERTY(int DefaultSpacing READ DefaultSpacing WRITE SetDefaultSpacing)
  Q_PROPERTY(QString DocumentHTML READ DocumentHTML WRITE SetDocumentHTML STORED false)
  Q_PROPERTY(QString DocumentTitle READ DocumentTitle)

 public:
  explicit HTMLLabel(QWidget* parent = nullptr);
  ~HTMLLabel() override;

  QString Version() const { return QStringLiteral("0.3.0"); }

  QString DefaultFontName() const { return defaultFontName_; }
  void SetDefaultFontName(const QString& name);
  double DefaultFontSize() const { return defaultFontSize_; }
  void SetDefaultFontSize(double points);
  // The system button face until a colour is set.
  QColor BackColor() const;
  void SetBackColor(const QColor& colour);
  int Appearance() const { return appearance_; }  // 0 flat, 1 three-dimensional
  void SetAppearance(int appearance);
  int BorderStyle() const { return borderStyle_; }  // 0 none, 1 single
  void SetBorderStyle(int style);
  bool EnableTooltips() const { return enableTooltips_; }
  void SetEnableTooltips(bool on);
  bool EnableScroll() const { return enableScroll_; }
  void SetEnableScroll(bool on);
  bool EnableAnchors() const { return enableAnchors_; }
  void SetEnableAnchors(bool on);
  bool UnderlineLinks() const { return underlineLinks_; }
  void SetUnderlineLinks(bool on);
  int DefaultPadding() const { return defaultPadding_; }
  void SetDefaultPadding(int pixels);
  int DefaultSpacing() const { return defaultSpacing_; }
  void SetDefaultSpacing(int pixels);

  // The normalised text of the document (wrapped in HTML and BODY, blanks
  // folded); "" before any document is set.
  QString DocumentHTML() const;
  void SetDocumentHTML(const QString& html);
  QString DocumentTitle() const;
  // The document's text without markup, as a screen reader reads it.
  QString PlainText() const;

  // Lays the document out again, sizes the scroll bars and repaints.
  void Refresh();

  // The parts a host or a test may look at.
  QWidget* ViewPort() const;
  QScrollBar* VerticalScrollBar() const { return vscScroll_; }
  QScrollBar* HorizontalScrollBar() const { return hscScroll_; }
  const html::Document& ParsedDocument() const { return document_; }
  const html::LayoutResult& CurrentLayout() const { return layout_; }
  // Point in the viewport of a point of the drawn document.
  QPoint ViewPortPoint(QPoint documentPoint) const;

 signals:
  void HyperlinkClick(const QString& link);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  class ViewPortWidget;
  friend class ViewPortWidget;

  void Reparse();  // parses the current text again and refreshes when shown
  void PlaceParts();
  int BorderWidth() const;
  QPoint ScrollOffset() const;
  int LinkUnder(QPoint viewPortPoint) const;
  void HoverAt(QPoint viewPortPoint);
  void ReleasedAt(QPoint viewPortPoint);
  bool ScrollKey(int key, Qt::KeyboardModifiers modifiers);
  void DeliverPendingLink();
  void CallHostMethod(const std::string& target);
  void PaintViewPort(QPainter& painter, const QRect& area);

  QString defaultFontName_ = QStringLiteral("MS Sans Serif");
  double defaultFontSize_ = 10;
  QColor backColor_;  // invalid: the system button face
  int appearance_ = 1;
  int borderStyle_ = 1;
  bool enableTooltips_ = true;
  bool enableScroll_ = false;
  bool enableAnchors_ = false;
  bool underlineLinks_ = true;
  int defaultPadding_ = 4;
  int defaultSpacing_ = 4;

  std::string text_;  // as last set
  html::Document document_;
  html::LayoutResult layout_;
  QtTextMeasurer measurer_;
  QPixmap picHTML_;
  QString pendingLink_;

  ViewPortWidget* picViewPort_;
  QScrollBar* vscScroll_;
  QScrollBar* hscScroll_;
  QWidget* shpCorner_;
  QTimer tmrHyperlinkClick_;
};

}  // namespace tavimoro
