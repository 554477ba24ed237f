// The label is a frame around three parts it places itself: the viewport, the
// two scroll bars and the corner square between them. All state lives in
// HTMLLabel; the viewport only forwards its events.
#include "htmllabel/widget/html_label.h"

#include <qdrawutil.h>

#include <QAccessible>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <array>

#include "htmllabel/method_call.h"
#include "htmllabel/plain_text.h"

namespace tavimoro {
namespace {

// Largest surface kept in memory; longer documents are cut off at the end.
constexpr int kMaxSurfaceWidth = 4096;
constexpr int kMaxSurfaceHeight = 16384;
constexpr int kMaxMethodArguments = 8;

}  // namespace

// The visible window onto the drawn document; it owns no state and hands
// every input event to the label.
class HTMLLabel::ViewPortWidget : public QWidget {
 public:
  explicit ViewPortWidget(HTMLLabel* label) : QWidget(label), label_(label) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    label_->PaintViewPort(painter, event->rect());
  }
  void mouseMoveEvent(QMouseEvent* event) override { label_->HoverAt(event->position().toPoint()); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) label_->ReleasedAt(event->position().toPoint());
  }
  void leaveEvent(QEvent*) override { unsetCursor(); }
  void keyPressEvent(QKeyEvent* event) override {
    if (!label_->ScrollKey(event->key(), event->modifiers())) event->ignore();
  }
  void wheelEvent(QWheelEvent* event) override {
    if (!label_->enableScroll_) {
      event->ignore();
      return;
    }
    QScrollBar* bar = label_->vscScroll_;
    bar->setValue(bar->value() - event->angleDelta().y() * 3 * bar->singleStep() / 120);
  }

 private:
  HTMLLabel* label_;
};

HTMLLabel::HTMLLabel(QWidget* parent)
    : QWidget(parent),
      picViewPort_(new ViewPortWidget(this)),
      vscScroll_(new QScrollBar(Qt::Vertical, this)),
      hscScroll_(new QScrollBar(Qt::Horizontal, this)),
      shpCorner_(new QWidget(this)) {
  shpCorner_->setAutoFillBackground(true);
  tmrHyperlinkClick_.setSingleShot(true);
  tmrHyperlinkClick_.setInterval(0);
  connect(&tmrHyperlinkClick_, &QTimer::timeout, this, &HTMLLabel::DeliverPendingLink);
  connect(vscScroll_, &QScrollBar::valueChanged, picViewPort_, qOverload<>(&QWidget::update));
  connect(hscScroll_, &QScrollBar::valueChanged, picViewPort_, qOverload<>(&QWidget::update));
  SetBackColor(QColor());
  PlaceParts();
}

HTMLLabel::~HTMLLabel() = default;

QWidget* HTMLLabel::ViewPort() const { return picViewPort_; }

QColor HTMLLabel::BackColor() const {
  return backColor_.isValid() ? backColor_ : palette().color(QPalette::Button);
}

void HTMLLabel::SetBackColor(const QColor& colour) {
  backColor_ = colour;
  QPalette corner = shpCorner_->palette();
  corner.setColor(QPalette::Window, BackColor());
  shpCorner_->setPalette(corner);
  update();
  if (!text_.empty() && !document_.BodySetBackground) {
    Reparse();
  } else if (text_.empty()) {
    picViewPort_->update();
  }
}

void HTMLLabel::SetDefaultFontName(const QString& name) {
  defaultFontName_ = name;
  if (!text_.empty()) Reparse();
}

void HTMLLabel::SetDefaultFontSize(double points) {
  defaultFontSize_ = points;
  if (!text_.empty()) Reparse();
}

void HTMLLabel::SetAppearance(int appearance) {
  appearance_ = appearance;
  if (isVisible()) Refresh();
}

void HTMLLabel::SetBorderStyle(int style) {
  borderStyle_ = style;
  if (isVisible()) Refresh();
}

void HTMLLabel::SetEnableTooltips(bool on) {
  enableTooltips_ = on;
  if (!on) picViewPort_->setToolTip(QString());
}

void HTMLLabel::SetEnableScroll(bool on) {
  enableScroll_ = on;
  picViewPort_->setFocusPolicy(on ? Qt::ClickFocus : Qt::NoFocus);
  if (isVisible()) Refresh();
}

void HTMLLabel::SetEnableAnchors(bool on) {
  enableAnchors_ = on;
  if (!text_.empty()) Reparse();
}

void HTMLLabel::SetUnderlineLinks(bool on) {
  underlineLinks_ = on;
  if (isVisible()) Refresh();
}

void HTMLLabel::SetDefaultPadding(int pixels) {
  defaultPadding_ = pixels;
  if (isVisible()) Refresh();
}

void HTMLLabel::SetDefaultSpacing(int pixels) {
  defaultSpacing_ = pixels;
  if (isVisible()) Refresh();
}

QString HTMLLabel::DocumentHTML() const { return QString::fromStdString(document_.Source); }

void HTMLLabel::SetDocumentHTML(const QString& html) {
  text_ = html.toStdString();
  Reparse();
}

QString HTMLLabel::PlainText() const { return QString::fromStdString(html::DocumentPlainText(document_)); }

QString HTMLLabel::DocumentTitle() const { return QString::fromStdString(html::DocumentTitle(document_)); }

void HTMLLabel::Reparse() {
  html::ParseOptions options;
  options.DefaultFontSize = defaultFontSize_;
  options.BackColor = FromQColor(BackColor());
  options.EnableAnchors = enableAnchors_;
  document_ = html::ParseDocument(text_, options);
  if (isVisible()) Refresh();
  if (QAccessible::isActive()) {
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

int HTMLLabel::BorderWidth() const {
  if (borderStyle_ == 0) return 0;
  return appearance_ == 1 ? 2 : 1;
}

void HTMLLabel::PlaceParts() {
  const QRect inner = rect().adjusted(BorderWidth(), BorderWidth(), -BorderWidth(), -BorderWidth());
  vscScroll_->setValue(0);
  hscScroll_->setValue(0);
  if (enableScroll_) {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int viewWidth = std::max(0, inner.width() - bar);
    const int viewHeight = std::max(0, inner.height() - bar);
    picViewPort_->setGeometry(inner.x(), inner.y(), viewWidth, viewHeight);
    vscScroll_->setGeometry(inner.x() + viewWidth, inner.y(), bar, viewHeight);
    hscScroll_->setGeometry(inner.x(), inner.y() + viewHeight, viewWidth, bar);
    shpCorner_->setGeometry(inner.x() + viewWidth, inner.y() + viewHeight, bar, bar);
    vscScroll_->show();
    hscScroll_->show();
    shpCorner_->show();
  } else {
    picViewPort_->setGeometry(inner);
    vscScroll_->hide();
    hscScroll_->hide();
    shpCorner_->hide();
  }
}

void HTMLLabel::Refresh() {
  PlaceParts();
  const QSize view = picViewPort_->size();
  if (!text_.empty()) {
    html::LayoutOptions options;
    options.Width = std::max(1, view.width());
    options.ViewHeight = view.height();
    options.DefaultFontName = defaultFontName_.toStdString();
    options.DefaultFontSize = defaultFontSize_;
    options.DefaultPadding = defaultPadding_;
    options.DefaultSpacing = defaultSpacing_;
    options.EnableAnchors = enableAnchors_;
    options.UnderlineLinks = underlineLinks_;
    layout_ = html::LayoutDocument(document_, options, measurer_);

    const qreal ratio = devicePixelRatioF();
    const QSize size(std::clamp(layout_.Width, 1, kMaxSurfaceWidth),
                     std::clamp(layout_.Height, 1, kMaxSurfaceHeight));
    picHTML_ = QPixmap(size * ratio);
    picHTML_.setDevicePixelRatio(ratio);
    QPainter painter(&picHTML_);
    QtPainter adaptor(painter, measurer_);
    html::PaintLayout(layout_, adaptor);
  } else {
    layout_ = html::LayoutResult();
    picHTML_ = QPixmap();
  }
  const bool scroll = enableScroll_ && !text_.empty();
  const int surfaceWidth = std::min(layout_.Width, kMaxSurfaceWidth);
  const int surfaceHeight = std::min(layout_.Height, kMaxSurfaceHeight);
  vscScroll_->setRange(0, scroll ? std::max(0, surfaceHeight - view.height()) : 0);
  hscScroll_->setRange(0, scroll ? std::max(0, surfaceWidth - view.width()) : 0);
  vscScroll_->setSingleStep(16);
  vscScroll_->setPageStep(std::max(16, view.height()));
  hscScroll_->setSingleStep(16);
  hscScroll_->setPageStep(std::max(16, view.width()));
  picViewPort_->update();
}

QPoint HTMLLabel::ScrollOffset() const { return {hscScroll_->value(), vscScroll_->value()}; }

QPoint HTMLLabel::ViewPortPoint(QPoint documentPoint) const { return documentPoint - ScrollOffset(); }

void HTMLLabel::PaintViewPort(QPainter& painter, const QRect& area) {
  const QColor background = text_.empty() ? BackColor() : ToQColor(document_.BackgroundColour);
  painter.fillRect(area, background);
  if (!picHTML_.isNull()) painter.drawPixmap(-ScrollOffset(), picHTML_);
}

void HTMLLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), BackColor());
  if (BorderWidth() == 2) {
    qDrawWinPanel(&painter, rect(), palette(), true);
  } else if (BorderWidth() == 1) {
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void HTMLLabel::resizeEvent(QResizeEvent*) {
  if (isVisible()) {
    Refresh();
  } else {
    PlaceParts();
  }
}

void HTMLLabel::showEvent(QShowEvent*) { Refresh(); }

int HTMLLabel::LinkUnder(QPoint viewPortPoint) const {
  const QPoint p = viewPortPoint + ScrollOffset();
  return html::LinkAt(layout_, p.x(), p.y());
}

void HTMLLabel::HoverAt(QPoint viewPortPoint) {
  const int link = LinkUnder(viewPortPoint);
  QString tip;
  if (link >= 0) {
    const html::HtmlElement& a = document_.Elements[document_.Links[link]];
    picViewPort_->setCursor(Qt::PointingHandCursor);
    tip = QString::fromStdString(a.Tooltip.empty() ? a.Target : a.Tooltip);
  } else {
    picViewPort_->unsetCursor();
    const QPoint p = viewPortPoint + ScrollOffset();
    if (const int image = html::ImageAt(layout_, p.x(), p.y()); image >= 0) {
      tip = QString::fromStdString(document_.Elements[image].Tooltip);
    }
  }
  picViewPort_->setToolTip(enableTooltips_ ? tip : QString());
}

void HTMLLabel::ReleasedAt(QPoint viewPortPoint) {
  const int link = LinkUnder(viewPortPoint);
  if (link < 0) return;
  const html::HtmlElement& a = document_.Elements[document_.Links[link]];
  const std::string& target = a.Target;
  if (enableScroll_ && !target.empty() && target.front() == '#') {
    const int element = html::FindAnchor(document_, std::string_view(target).substr(1));
    if (element >= 0 && layout_.ElementTops[element] >= 0) {
      vscScroll_->setValue(std::min(layout_.ElementTops[element], vscScroll_->maximum()));
    }
    return;
  }
  pendingLink_ = QString::fromStdString(target);
  tmrHyperlinkClick_.start();
}

void HTMLLabel::DeliverPendingLink() {
  const QString link = pendingLink_;
  pendingLink_.clear();
  if (link.isEmpty()) return;
  const std::string target = link.toStdString();
  if (html::IsMethodCallTarget(target)) {
    CallHostMethod(target);
  } else {
    emit HyperlinkClick(link);
  }
}

void HTMLLabel::CallHostMethod(const std::string& target) {
  const std::optional<html::MethodCall> call = html::ParseMethodCall(target);
  QWidget* host = window();
  if (!call || host == this || call->Arguments.size() > kMaxMethodArguments) return;
  std::array<QString, kMaxMethodArguments> values;
  std::array<QGenericArgument, 10> args{};
  for (std::size_t i = 0; i < call->Arguments.size(); ++i) {
    values[i] = QString::fromStdString(call->Arguments[i]);
    args[i] = Q_ARG(QString, values[i]);
  }
  QMetaObject::invokeMethod(host, call->Name.c_str(), Qt::DirectConnection, args[0], args[1], args[2],
                            args[3], args[4], args[5], args[6], args[7], args[8], args[9]);
}

bool HTMLLabel::ScrollKey(int key, Qt::KeyboardModifiers modifiers) {
  if (!enableScroll_) return false;
  QScrollBar* bar = vscScroll_;
  const bool ctrl = modifiers & Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Up:
      bar->setValue(ctrl ? bar->minimum() : bar->value() - bar->singleStep());
      return true;
    case Qt::Key_Down:
      bar->setValue(ctrl ? bar->maximum() : bar->value() + bar->singleStep());
      return true;
    case Qt::Key_PageUp:
      bar->setValue(bar->value() - bar->pageStep());
      return true;
    case Qt::Key_PageDown:
      bar->setValue(bar->value() + bar->pageStep());
      return true;
    case Qt::Key_Home:
      bar->setValue(bar->minimum());
      return true;
    case Qt::Key_End:
      bar->setValue(bar->maximum());
      return true;
    default:
      return false;
  }
}

}  // namespace tavimoro
