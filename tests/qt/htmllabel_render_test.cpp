// Renders the panel's real documents (a hint at its first and last level,
// the analysis, the shortcut table and the analysis offer) into PNG files in
// the build folder for a look by eye, and checks what can be checked from
// the pixels: links are drawn in the link colour, nothing is cut off at the
// right edge, and every table cell's text is drawn inside the panel.
#include <QImage>
#include <QScrollBar>
#include <QtTest>

#include "htmllabel/widget/html_label.h"

using tavimoro::HTMLLabel;

namespace {

const QString kTechniques = QStringLiteral("http://www.tavimoro.org/help/techniques.html");

QString TechniqueLink(int number, const QString& name) {
  return QStringLiteral("<a href='%1#b%2'>%3</a>").arg(kTechniques).arg(number).arg(name);
}

QString Hint(const QString& tail) {
  return "<b>HINT:</b> Look for a " + TechniqueLink(1, QStringLiteral("Hidden Single")) + tail;
}

QString Analysis() {
  return "<b>Difficulty rating: \"Hard\" (4/6). Puzzle can be solved using these techniques:</b>"
         "<font size=3><table width=\"95%\" border=0>"
         "<tr><td>" +
         TechniqueLink(0, "Naked Single") + " (24)</td><td>" + TechniqueLink(1, "Hidden Single") +
         " (27)</td><td>" + TechniqueLink(3, "Omission") +
         " (3)</td></tr>"
         "<tr><td>" +
         TechniqueLink(4, "Naked Pair") + " (2)</td><td>" + TechniqueLink(10, "X Wing") +
         "</td></tr></table></font>"
         "<br><center>54 unsolved cells. 12 can be solved without using pencil marks.";
}

QString Shortcuts() {
  return "<font size=2><table width=\"100%\" border=1>"
         "<tr><td><b>P</b> - Switch tools</td><td><b>H</b> - Get Hint</td><td><b>A</b> - Show Analysis</td>"
         "<td><b>N</b> - New Puzzle</td></tr>"
         "<tr><td><b>Ctrl+S</b> - Save</td><td><b>Ctrl+Z</b> - Undo</td><td><b>Ctrl+C</b> - Copy</td>"
         "<td><b>Ctrl+V</b> - Paste</td></tr>"
         "<tr><td colspan=4><b>Any number, twice rapidly</b> - Fill an unsolved cell with one of its pencil "
         "marks "
         "(pencil mode)</td></tr></table>";
}

QString Offer() {
  const QString g = QStringLiteral("#646464");
  return "<center><font color=" + g + " size=7>Click <a href='RefreshWithAnal'>here</a><font color=" + g +
         " size=7> to see an analysis of this puzzle.</font><br><font color=" + g +
         " size=4>To learn what to do next, click \"Hint\". If you need help, click the (?) button.</font>";
}

bool HasColour(const QImage& image, QColor colour, QRect area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixelColor(x, y) == colour) return true;
    }
  }
  return false;
}

}  // namespace

class HtmlLabelRenderTest : public QObject {
  Q_OBJECT

 private slots:
  void RendersRealDocuments_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("hasLinks");
    QTest::addColumn<int>("width");
    QTest::newRow("hint1") << "hint1" << Hint("<br><br>Click \"Hint\" again for more...") << true << 340;
    QTest::newRow("hint3")
        << "hint3"
        << Hint(
               " in the indicated cell. Hidden Single: 7 can only go in r4c6 within block 5."
               " Click <a href='ApplyLastHint'>here</a> (or click hint again) to apply this hint. ")
        << true << 340;
    QTest::newRow("analysis") << "analysis" << Analysis() << true << 340;
    QTest::newRow("shortcuts") << "shortcuts" << Shortcuts() << false << 340;
    QTest::newRow("shortcuts_narrow") << "shortcuts_narrow" << Shortcuts() << false << 230;
    QTest::newRow("offer") << "offer" << Offer() << true << 340;
    QTest::newRow("analysis_scroll") << "analysis_scroll" << Analysis() << true << 200;
    QTest::newRow("solved") << "solved" << QStringLiteral("<h4><br><center>PUZZLE IS SOLVED!") << false
                            << 340;
    QTest::newRow("invalid") << "invalid"
                             << QStringLiteral(
                                    "<h5>Invalid puzzle: the 5 appears twice in row 3.</h5><br>"
                                    "Pink cell is invalid.")
                             << false << 340;
  }

  void RendersRealDocuments() {
    QFETCH(QString, name);
    QFETCH(QString, html);
    QFETCH(bool, hasLinks);
    QFETCH(int, width);
    HTMLLabel label;
    label.SetEnableAnchors(true);
    label.SetEnableScroll(name.endsWith(QStringLiteral("_scroll")));
    label.resize(width, 190);
    label.show();
    label.SetDocumentHTML(html);
    const QImage image = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString path = QStringLiteral(TAVIMORO_BINARY_DIR "/htmllabel_%1.png").arg(name);
    QVERIFY2(image.save(path), qPrintable(path));

    const QSize view = label.ViewPort()->size();
    QCOMPARE(label.CurrentLayout().Width, view.width());  // nothing overflows to the right
    if (label.EnableScroll()) {
      QCOMPARE(label.VerticalScrollBar()->maximum(), label.CurrentLayout().Height - view.height());
    } else {
      QVERIFY(label.CurrentLayout().Height <= view.height());
    }
    QCOMPARE(HasColour(image, QColor(0, 0, 255), image.rect()), hasLinks);
  }
};

QTEST_MAIN(HtmlLabelRenderTest)
#include "htmllabel_render_test.moc"
