#include "LaunchFixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
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
        const QMap<QString, const char *> clearButtons{{"single", "cmdSclear"}, {"multi", "cmdMclear"},
                                                       {"misc", "cmdMscClear"}};
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
            // Every panel's clear button sits at its bottom right, clear of the content above it.
            auto *clear = panel->findChild<QWidget *>(clearButtons[name]);
            const QRect button(clear->mapTo(panel, QPoint(0, 0)), clear->size());
            QVERIFY2(panel->height() - button.bottom() <= 16 && panel->width() - button.right() <= 16,
                     qPrintable(name));
            for (QGroupBox *box : panel->findChildren<QGroupBox *>()) {
                const QRect frame(box->mapTo(panel, QPoint(0, 0)), box->size());
                if (!frame.contains(button))
                    QVERIFY2(!frame.intersects(button.adjusted(-4, -4, 4, 4)), qPrintable(box->objectName()));
            }
            const QString dir = qEnvironmentVariable("ZENTREL_SCREENSHOTS");
            if (!dir.isEmpty())
                panel->grab().save(dir + "/panel_" + name + ".png");
            panel->hide();
        }
    }

    // The empty episode and level lists say what they are for, in both panels, to the eye and to a
    // screen reader alike.
    void episodeAndLevelListsSayWhatTheyHold()
    {
        LaunchFixture f;
        for (const char *list : {"cmbEpisode", "cmbMepis"}) {
            QCOMPARE(f.combo(list)->placeholderText(), QString("Episode"));
            QCOMPARE(f.combo(list)->accessibleName(), QString("Episode"));
        }
        for (const char *list : {"cmbLevel", "cmbMlev"}) {
            QCOMPARE(f.combo(list)->placeholderText(), QString("Level"));
            QCOMPARE(f.combo(list)->accessibleName(), QString("Level"));
        }
    }
};

QTEST_MAIN(TestPanelLayout)
#include "tst_panellayout.moc"
