#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/centered_message_box.h"
#include "app/open_address.h"
#include "app/svg_art.h"
#include "app/update_check.h"

namespace tavimoro::app {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About ") + kProgramTitle);

  auto* icon = new QLabel;
  icon->setPixmap(SvgPixmap(QStringLiteral("tavimoro"), QSize(64, 64), devicePixelRatioF()));

  auto* title = new QLabel(kProgramTitle);
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
  titleFont.setBold(true);
  title->setFont(titleFont);

  auto* version = new QLabel(QStringLiteral("Version ") + FormatVersion(LocalVersionString()));
  auto* blurb =
      new QLabel(QStringLiteral("A Sudoku trainer: solve puzzles, ask for hints,\n"
                                "and learn the techniques behind every step."));

  siteLink_ = new QPushButton(siteAddress());
  siteLink_->setFlat(true);
  siteLink_->setCursor(Qt::PointingHandCursor);
  siteLink_->setStyleSheet(
      QStringLiteral("QPushButton { color: #1d5fbf; text-decoration: underline; "
                     "border: none; padding: 0; text-align: left; }"));
  // A link takes no focus from a click and is never the default button, so
  // that Enter after a click closes the dialog rather than opening the
  // address again; Tab still reaches it.
  siteLink_->setFocusPolicy(Qt::TabFocus);
  siteLink_->setAutoDefault(false);
  connect(siteLink_, &QPushButton::clicked, this, [this] { OpenAddress(QUrl(siteAddress()), this); });

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(version);
  text->addSpacing(8);
  text->addWidget(blurb);
  text->addWidget(siteLink_, 0, Qt::AlignLeft);

  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(text);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  buttons->button(QDialogButtonBox::Ok)->setFocus();
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString AboutDialog::siteAddress() const { return ServerBase() + "/"; }

}  // namespace tavimoro::app
