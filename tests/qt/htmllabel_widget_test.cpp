// The label as its host sees it: properties, link clicks delivered after the
// mouse handler, anchor jumps, method calls on the host window, hover
// feedback and keyboard scrolling.
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "htmllabel/widget/html_label.h"

using tavimoro::HTMLLabel;

class Host : public QWidget {
  Q_OBJECT

 public:
  Q_INVOKABLE void Ping() { calls << QStringLiteral("Ping()"); }
  Q_INVOKABLE void Show(const QString& a, const QString& b) { calls << "Show(" + a + "|" + b + ")"; }

  QStringList calls;
};

namespace {

QString LongDocument() {
  QString html = QStringLiteral("<a href='#end'>jump</a> <a href='#nowhere'>lost</a>");
  for (int i = 0; i < 60; ++i) html += QStringLiteral("<br>line %1").arg(i);
  return html + QStringLiteral("<br><a name=end>End</a><br>tail");
}

void SendMove(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

}  // namespace

class HtmlLabelWidgetTest : public QObject {
  Q_OBJECT

 private:
  Host* host_ = nullptr;
  HTMLLabel* label_ = nullptr;

  // Centre of link `link` (index into the document's link list) in viewport coordinates.
  QPoint LinkPoint(int link) const {
    for (const auto& a : label_->CurrentLayout().LinkAreas) {
      if (a.Link == link) {
        return label_->ViewPortPoint(QPoint(a.Area.X + a.Area.Width / 2, a.Area.Y + a.Area.Height / 2));
      }
    }
    return {-1, -1};
  }
  void Click(QPoint at) { QTest::mouseClick(label_->ViewPort(), Qt::LeftButton, Qt::NoModifier, at); }

 private slots:
  void init() {
    host_ = new Host;
    host_->resize(400, 300);
    label_ = new HTMLLabel(host_);
    label_->setGeometry(10, 10, 300, 200);
    label_->SetEnableAnchors(true);
    host_->show();
    QVERIFY(QTest::qWaitForWindowExposed(host_));
  }
  void cleanup() {
    delete host_;
    host_ = nullptr;
  }

  void LinkClickIsDeliveredAfterTheMouseHandler() {
    QSignalSpy spy(label_, &HTMLLabel::HyperlinkClick);
    label_->SetDocumentHTML(QStringLiteral("Click <a href='ApplyLastHint'>here</a> now"));
    Click(LinkPoint(0));
    QCOMPARE(spy.count(), 0);  // not from inside the mouse handler
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("ApplyLastHint"));
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);  // exactly once

    Click(QPoint(2, 150));  // beside the link
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);
  }

  void HandlerMayReplaceTheDocument() {
    connect(label_, &HTMLLabel::HyperlinkClick, label_,
            [this](const QString&) { label_->SetDocumentHTML(QStringLiteral("replaced")); });
    label_->SetDocumentHTML(QStringLiteral("<a href='next'>next</a>"));
    Click(LinkPoint(0));
    QTRY_VERIFY(label_->DocumentHTML().contains(QStringLiteral("replaced")));
    QVERIFY(label_->CurrentLayout().LinkAreas.empty());
  }

  void DisabledAnchorsIgnoreTheMouse() {
    label_->SetEnableAnchors(false);
    QSignalSpy spy(label_, &HTMLLabel::HyperlinkClick);
    label_->SetDocumentHTML(QStringLiteral("<a href='x' title='tip'>link text here</a>"));
    QVERIFY(label_->ParsedDocument().Links.empty());
    SendMove(label_->ViewPort(), QPoint(20, 10));
    QCOMPARE(label_->ViewPort()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(label_->ViewPort()->toolTip(), QString());
    Click(QPoint(20, 10));
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
  }

  void HoverShowsHandAndTooltip_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("tooltips");
    QTest::addColumn<QString>("tip");
    QTest::newRow("title") << "<a href='x' title='Go on'>link</a>" << true << "Go on";
    QTest::newRow("target") << "<a href='http://h/p'>link</a>" << true << "http://h/p";
    QTest::newRow("disabled") << "<a href='x' title='Go on'>link</a>" << false << "";
  }
  void HoverShowsHandAndTooltip() {
    QFETCH(QString, html);
    QFETCH(bool, tooltips);
    QFETCH(QString, tip);
    label_->SetEnableTooltips(tooltips);
    label_->SetDocumentHTML(html);
    SendMove(label_->ViewPort(), LinkPoint(0));
    QCOMPARE(label_->ViewPort()->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(label_->ViewPort()->toolTip(), tip);
    SendMove(label_->ViewPort(), QPoint(250, 150));
    QCOMPARE(label_->ViewPort()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(label_->ViewPort()->toolTip(), QString());
  }

  void ImageAltIsItsTooltip() {
    label_->SetDocumentHTML(QStringLiteral("<img width=40 height=30 alt='A picture'>"));
    SendMove(label_->ViewPort(), QPoint(20, 20));
    QCOMPARE(label_->ViewPort()->toolTip(), QStringLiteral("A picture"));
  }

  void AnchorJumpScrollsWithoutAnEvent() {
    label_->SetEnableScroll(true);
    QSignalSpy spy(label_, &HTMLLabel::HyperlinkClick);
    label_->SetDocumentHTML(LongDocument());
    QScrollBar* bar = label_->VerticalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->maximum() > 0);
    Click(LinkPoint(0));
    const int end = tavimoro::html::FindAnchor(label_->ParsedDocument(), "end");
    QCOMPARE(bar->value(), std::min(label_->CurrentLayout().ElementTops[end], bar->maximum()));
    QVERIFY(bar->value() > 0);

    bar->setValue(0);
    Click(LinkPoint(1));  // no element has that name
    QCOMPARE(bar->value(), 0);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
  }

  void AnchorTargetWithoutScrollIsAnEvent() {
    QSignalSpy spy(label_, &HTMLLabel::HyperlinkClick);
    label_->SetDocumentHTML(LongDocument());
    QVERIFY(!label_->VerticalScrollBar()->isVisible());
    Click(LinkPoint(0));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("#end"));
  }

  void MethodCallsReachTheHostWindow_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("call");
    QTest::newRow("arguments") << "VB:Show('x', 2)"
                               << "Show(x|2)";
    QTest::newRow("double quotes") << "vb:Show( \"a, b\" ,c )"
                                   << "Show(a, b|c)";
    QTest::newRow("none") << "VB:Ping"
                          << "Ping()";
    QTest::newRow("empty list") << "VB:Ping()"
                                << "Ping()";
    QTest::newRow("unknown method") << "VB:Missing(1)"
                                    << "";
  }
  void MethodCallsReachTheHostWindow() {
    QFETCH(QString, target);
    QFETCH(QString, call);
    QSignalSpy spy(label_, &HTMLLabel::HyperlinkClick);
    const QString quote = target.contains('\'') ? QStringLiteral("\"") : QStringLiteral("'");
    label_->SetDocumentHTML("<a href=" + quote + target + quote + ">call it</a>");
    if (call.isEmpty()) QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No such method"));
    Click(LinkPoint(0));
    QCOMPARE(host_->calls.size(), 0);
    QTest::qWait(20);
    QCOMPARE(host_->calls, call.isEmpty() ? QStringList() : QStringList{call});
    QCOMPARE(spy.count(), 0);
  }

  void KeysMoveTheVerticalBar() {
    label_->SetEnableScroll(true);
    label_->SetDocumentHTML(LongDocument());
    QScrollBar* bar = label_->VerticalScrollBar();
    const int step = bar->singleStep(), page = bar->pageStep(), end = bar->maximum();
    const std::pair<QKeyCombination, int> presses[] = {{Qt::Key_Down, step},
                                                       {Qt::Key_Up, 0},
                                                       {Qt::Key_Up, 0},  // held at the top
                                                       {Qt::Key_PageDown, page},
                                                       {Qt::Key_End, end},
                                                       {Qt::Key_Down, end},
                                                       {Qt::Key_Home, 0},
                                                       {Qt::CTRL | Qt::Key_Down, end},
                                                       {Qt::Key_PageUp, end - page},
                                                       {Qt::CTRL | Qt::Key_Up, 0}};
    for (const auto& [press, value] : presses) {
      QTest::keyClick(label_->ViewPort(), press.key(), press.keyboardModifiers());
      QCOMPARE(bar->value(), value);
    }
    bar->setValue(end);
    label_->SetDocumentHTML(LongDocument());
    QCOMPARE(bar->value(), 0);  // a new document starts at the top

    label_->SetEnableScroll(false);
    QTest::keyClick(label_->ViewPort(), Qt::Key_End);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->maximum(), 0);
  }

  void FontSizeChangeLaysTheDocumentOutAgain() {
    label_->SetDefaultFontSize(14);  // no document: nothing to do
    QCOMPARE(label_->CurrentLayout().Height, 0);
    label_->SetDocumentHTML(QStringLiteral("one<br>two"));
    const int height = label_->CurrentLayout().Height;
    label_->SetDefaultFontSize(20);
    QVERIFY(label_->CurrentLayout().Height > height);
  }

  void BackColorReachesDocumentsWithoutTheirOwn() {
    label_->SetDocumentHTML(QStringLiteral("plain"));
    label_->SetBackColor(QColor(10, 20, 30));
    QCOMPARE(label_->CurrentLayout().Background, tavimoro::html::Rgb(10, 20, 30));
    QCOMPARE(label_->ViewPort()->grab().toImage().pixelColor(1, 1), QColor(10, 20, 30));
    label_->SetDocumentHTML(QStringLiteral("<body bgcolor=white>own"));
    label_->SetBackColor(QColor(40, 50, 60));
    QCOMPARE(label_->CurrentLayout().Background, tavimoro::html::Rgb(255, 255, 255));
  }
};

QTEST_MAIN(HtmlLabelWidgetTest)
#include "htmllabel_widget_test.moc"
