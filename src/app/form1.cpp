#include "app/form1.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "app/centered_message_box.h"
#include "app/image_button.h"
#include "app/status_light.h"
#include "app/svg_art.h"
#include "app/title_banner.h"

namespace tavimoro::app {

namespace {

struct ToolbarEntry {
  const char* icon;
  const char* toolTip;
};

constexpr ToolbarEntry kToolbar[kToolbarCount] = {
    {"minimize", "Minimize"},
    {"exit", "Exit"},
    {"fill-marks", "Fill in all pencil marks"},
    {"remove-marks", "Remove all pencil marks"},
    {"new-puzzle", "Make a new random puzzle"},
    {"clear-puzzle", "Clear the entire puzzle"},
    {"solution", "Show the solution"},
    {"hint", "Get a hint"},
    {"help", "Help"},
    {"options", "More options..."},
};

// The order on screen: the board actions, then help and options, then the
// window's own minimise and exit at the far right.
constexpr int kToolbarOrder[kToolbarCount] = {kFillAll, kRemoveMarks, kNewPuzzle, kClearPuzzle, kSolution,
                                              kHint,    kHelp,        kMoreOptions, kMinimize,  kExit};

// The tray behind the tool icons, in the banner's colours.
class ToolTray : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(path, QColor(0x24, 0x4a, 0x66));
  }
};

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setWindowTitle(kProgramTitle);
  setObjectName("Form1");
  SetMainWindow(this);
  createToolbar();
  createToolArea();
  layoutWindow();
  resize(960, 600);
}

void Form1::createToolbar() {
  banner_ = new TitleBanner(kProgramTitle, this);
  auto* row = new QHBoxLayout(banner_);
  row->setContentsMargins(0, 6, 8, 6);
  row->setSpacing(2);
  row->addStretch(1);
  for (int index = 0; index < kToolbarCount; ++index) {
    auto* button = new ImageButton(kToolbar[index].icon, kToolbar[index].toolTip, banner_);
    button->setObjectName(QStringLiteral("imgBut%1").arg(index));
    connect(button, &ImageButton::clicked, this, [this, index] { emit toolbarClicked(index); });
    toolbar_[index] = button;
  }
  for (int position = 0; position < kToolbarCount; ++position) {
    const int index = kToolbarOrder[position];
    if (index == kMinimize) row->addSpacing(18);
    row->addWidget(toolbar_[index]);
  }
}

void Form1::createToolArea() {
  toolArea_ = new ToolTray(this);
  auto* row = new QHBoxLayout(toolArea_);
  row->setContentsMargins(8, 4, 12, 4);
  row->setSpacing(6);
  pen_ = new ImageButton("pen", QString(), toolArea_);
  pencil_ = new ImageButton("pencil", QString(), toolArea_);
  pen_->setObjectName("imgPen");
  pencil_->setObjectName("imgPencil");
  for (ImageButton* icon : {pen_, pencil_}) {
    icon->setIconExtent(30);
    row->addWidget(icon);
  }
  connect(pen_, &ImageButton::clicked, this, [this] { emit toolIconClicked(0); });
  connect(pencil_, &ImageButton::clicked, this, [this] { emit toolIconClicked(1); });
  row->addStretch(1);
  light_ = new StatusLight(toolArea_);
  light_->setObjectName("Shape1");
  light_->setToolTip(QStringLiteral("Red: the board breaks the rules or cannot be solved"));
  row->addWidget(light_);
}

void Form1::layoutWindow() {
  grid_ = new BoardView(this);
  grid_->setObjectName("picGrid");
  grid_->setPicture(&picture_);

  panel_ = new QWidget(this);
  panel_->setObjectName("HL1");
  panel_->setMinimumWidth(280);
  panel_->setAutoFillBackground(true);
  QPalette panelPalette = panel_->palette();
  panelPalette.setColor(QPalette::Window, Qt::white);
  panel_->setPalette(panelPalette);

  auto* right = new QVBoxLayout;
  right->setSpacing(8);
  right->addWidget(panel_, 1);
  right->addWidget(toolArea_);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(12, 12, 12, 12);
  body->setSpacing(12);
  body->addWidget(grid_, 3);
  body->addLayout(right, 2);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(1, 1, 1, 1);
  column->setSpacing(0);
  column->addWidget(banner_);
  column->addLayout(body, 1);
}

void Form1::showTool(int tool) {
  ImageButton* active = tool == 1 ? pencil_ : pen_;
  ImageButton* other = tool == 1 ? pen_ : pencil_;
  active->setLit(true);
  active->setToolTip(QString());
  active->setCursor(Qt::ArrowCursor);
  other->setLit(false);
  other->setToolTip(tool == 1 ? QStringLiteral("Switch to the pen tool") : QStringLiteral("Switch to the pencil tool"));
  other->setCursor(Qt::PointingHandCursor);
  grid_->setCursor(ToolCursor(tool, devicePixelRatioF()));
}

void Form1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0xee, 0xf1, 0xf5));
  painter.setPen(QColor(0x1b, 0x2f, 0x45));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace tavimoro::app
