#include "platform/linux/QtPrompts.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QtTest>

namespace {

QString plain(QString shown)
{
    return shown.remove(QChar(0x2060)).remove(QChar(0x200B));
}

// The lines Qt's text layout makes of the shown text at that width (as a word-wrapped label
// does), given back as the message's own characters.
QStringList layoutLines(const QString &shown, qreal width)
{
    QTextLayout layout(shown, QFont());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << plain(shown.mid(line.textStart(), line.textLength())).trimmed();
    }
    layout.endLayout();
    return lines;
}

} // namespace

// A message box never breaks a line inside a name of a path: a path goes whole onto a line of
// its own, and only one too long for any line breaks, after a separator.
class TestQtPrompts : public QObject
{
    Q_OBJECT
private slots:
    void pathsBreakOnlyAtSeparators_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("widest"); // the line width is this text's
        QTest::addColumn<QStringList>("lines");
        const QString path = "/games/duke-3d/a.long-name/duke3d.cfg!";
        QTest::newRow("a path stays whole") << "Could not locate " + path << path
                                            << QStringList{"Could not locate", path};
        const QString a = "/" + QString(30, 'a') + "-b/", b = QString(30, 'c') + "-d/", c = "file.cfg";
        QTest::newRow("a long path breaks after a separator") << "Missing " + a + b + c << a
                                                              << QStringList{"Missing", a, b, c};
    }
    void pathsBreakOnlyAtSeparators()
    {
        QFETCH(QString, text);
        QFETCH(QString, widest);
        QFETCH(QStringList, lines);
        const QString shown = QtPrompts::displayText(text);
        QCOMPARE(plain(shown), text); // every character of the message is there
        const qreal width = QFontMetricsF(QFont()).horizontalAdvance(widest) + 4;
        QCOMPARE(layoutLines(shown, width), lines);
    }
};

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
