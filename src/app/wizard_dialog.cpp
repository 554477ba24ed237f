#include "app/wizard_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/centered_message_box.h"
#include "app/tick_setting.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

namespace {

struct Choice {
  const char* caption;
  const char* action;
};
constexpr std::array<Choice, 5> kChoices = {{
    {"The last puzzle I was working on", kStartLast},
    {"A puzzle from a newspaper, etc", kStartExternal},
    {"Make me a new, random puzzle", kStartNew},
    {"A puzzle I have previously saved", kStartLoad},
    {"Just a blank grid", kStartBlank},
}};

}  // namespace

WizardDialog::WizardDialog(std::string iniPath, std::function<void(bool)> rememberTick, QWidget* parent)
    : QDialog(parent), iniPath_(std::move(iniPath)), rememberTick_(std::move(rememberTick)) {
  setWindowTitle(QStringLiteral("Startup Wizard"));

  auto* banner = new QWidget;
  banner->setObjectName(QStringLiteral("Image1"));
  banner->setAttribute(Qt::WA_StyledBackground);
  banner->setStyleSheet(QStringLiteral(
      "#Image1 { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1d5fbf, stop:1 #3b82c4); }"
      "QLabel { color: white; }"));
  auto* title = new QLabel(QStringLiteral("Startup Wizard"));
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.7);
  titleFont.setBold(true);
  title->setFont(titleFont);
  auto* question = new QLabel(QStringLiteral("What would you like to work on?"));
  QFont questionFont = question->font();
  questionFont.setPointSizeF(questionFont.pointSizeF() * 1.15);
  question->setFont(questionFont);
  auto* bannerLayout = new QVBoxLayout(banner);
  bannerLayout->setContentsMargins(18, 14, 18, 14);
  bannerLayout->addWidget(title);
  bannerLayout->addWidget(question);

  auto* choices = new QVBoxLayout;
  choices->setContentsMargins(30, 14, 30, 6);
  choices->setSpacing(10);
  for (int i = 0; i < 5; ++i) {
    options_[i] = new QLabel(QString::fromLatin1(kChoices[i].caption));
    options_[i]->setCursor(Qt::PointingHandCursor);
    options_[i]->setAccessibleName(options_[i]->text());
    options_[i]->setAccessibleDescription(QStringLiteral("Start with this (key %1)").arg(i + 1));
    // Reachable without a mouse: Tab to a choice and Enter or Space, or its
    // number key.
    options_[i]->setFocusPolicy(Qt::StrongFocus);
    auto* numberKey = new QShortcut(QKeySequence(Qt::Key_1 + i), this);
    connect(numberKey, &QShortcut::activated, this, [this, i] { choose(i); });
    options_[i]->installEventFilter(this);
    QFont font = options_[i]->font();
    font.setPointSizeF(font.pointSizeF() * 1.15);
    options_[i]->setFont(font);
    options_[i]->setStyleSheet(QStringLiteral("QLabel { color: #123a73; }"));
    choices->addWidget(options_[i]);
  }

  check1_ = new QCheckBox(QStringLiteral("Don't show this dialogue in the future"));
  connect(check1_, &QCheckBox::clicked, this, [this](bool ticked) {
    Settings(iniPath_).Set(TickSetting(Command::ShowWizard), !ticked);
    if (rememberTick_) rememberTick_(!ticked);
  });
  cmdClose_ = new QPushButton(QStringLiteral("Close"));
  connect(cmdClose_, &QPushButton::clicked, this, [this] {
    startAction_ = kStartLast;
    accept();
  });

  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(18, 6, 18, 14);
  bottom->addWidget(check1_);
  bottom->addStretch(1);
  bottom->addWidget(cmdClose_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(banner);
  layout->addLayout(choices);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setMouseTracking(true);
}

void WizardDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnMainWindow(this, parentWidget());
}

void WizardDialog::highlight(int i) {
  for (int j = 0; j < 5; ++j) {
    QFont font = options_[j]->font();
    font.setUnderline(j == i);
    font.setBold(j == i);
    options_[j]->setFont(font);
  }
}

void WizardDialog::choose(int i) {
  startAction_ = kChoices[i].action;
  accept();
}

bool WizardDialog::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < 5; ++i) {
    if (watched != options_[i]) continue;
    if (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn) highlight(i);
    if (event->type() == QEvent::Leave || event->type() == QEvent::FocusOut) highlight(-1);
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        choose(i);
        return true;
      }
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      choose(i);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tavimoro::app
