#include "LaunchFixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

// The panels fit the option tab area of the main window without clipping a caption. Set
// ZENTREL_SCREENSHOTS to a directory to get pictures of them.
class TestPanelLayout : public QObject
{
    Q_OBJECT
private slots:
    void panelsFitAndShowWholeCaptions()
    {
        LaunchFixture f;
        f.version15 = true;
        f.tick("chkSingle");
        f.tick("chkMultiDuke");
        f.tick("chkFakeMulti");
        const QList<QPair<QString, QWidget *>> panels = {{"single", f.options.singlePlayerPanel()},
                                                         {"multi", f.options.multiPlayerPanel()},
                                                         {"misc", f.options.miscPanel()}};
        const QSize area(600, 360);
        for (const auto &[name, panel] : panels) {
            const QSize need = panel->minimumSizeHint();
            QVERIFY2(need.width() <= area.width() && need.height() <= area.height(),
                     qPrintable(QString("%1 needs %2x%3").arg(name).arg(need.width()).arg(need.height())));
            panel->setParent(nullptr);
            panel->resize(area);
            panel->show();
            QVERIFY(QTest::qWaitForWindowExposed(panel));
            for (QAbstractButton *button : panel->findChildren<QAbstractButton *>())
                if (!button->text().isEmpty())
                    QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
            for (QLabel *label : panel->findChildren<QLabel *>())
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
            for (QGroupBox *box : panel->findChildren<QGroupBox *>()) {
                const int title = box->fontMetrics().horizontalAdvance(box->title()) + 16;
                QVERIFY2(box->width() >= title, qPrintable(box->objectName()));
            }
            for (QWidget *control : panel->findChildren<QWidget *>())
                if (control->focusPolicy() != Qt::NoFocus && !control->objectName().isEmpty()
                    && !control->objectName().startsWith("qt_"))
                    QVERIFY2(!control->accessibleName().isEmpty(),
                             qPrintable(control->objectName() + " " + control->metaObject()->className()));
            const QString dir = qEnvironmentVariable("ZENTREL_SCREENSHOTS");
            if (!dir.isEmpty())
                panel->grab().save(dir + "/panel_" + name + ".png");
            panel->hide();
        }
    }
};

QTEST_MAIN(TestPanelLayout)
#include "tst_panellayout.moc"
