// The pages a player has not opened are built when first shown. Built late or built at once, a
// page must look and behave the same, and the window must not change its size for it.
#include "app/widgets/frmMain.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/widgets/ConRtsPanel.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "GameDirectoryWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Window : GameDirectoryWindow
{
    // buildEditorFirst: the editor's widgets are asked for before anything is loaded, as if the
    // page were built at once.
    explicit Window(bool buildEditorFirst)
    {
        QVERIFY(QFile::copy(QStringLiteral(ZENTREL_FIXTURES "/USER13D-randomized.CON"), dir.filePath("USER.CON")));
        open([buildEditorFirst](frmMain &w) {
            if (buildEditorFirst) {
                w.conEditorPage().ensureBuilt();
                w.conRtsPanel().ensureBuilt();
            }
        });
    }
    ConEditorPage &editor() { return window->conEditorPage(); }
    ConRtsPanel &conRts() { return window->conRtsPanel(); }
    QTabWidget &mainTabs() { return *window->findChild<QTabWidget *>(QStringLiteral("tbsOpt")); }
};

// What a player sees of the editor page and what the rest of the program reads from it.
QStringList observed(Window &w)
{
    ConEditorPage &page = w.editor();
    QStringList out;
    out << page.fileLabel()->text() << page.fileLabel()->toolTip()
        << QString::number(page.useConBox()->isChecked()) << QString::number(w.m.ConModified)
        << QString::number(page.buffer().SelStart()) << QString::number(page.buffer().SelLength())
        << QString::number(page.categories()->currentIndex());
    for (int p = 0; p < ConEditorPage::PageCount; ++p) {
        QListWidget *list = page.list(p);
        out << QString::number(list->count()) << QString::number(list->currentRow())
            << page.valueBox(p)->currentText() << QString::number(page.valueBox(p)->count())
            << QString::number(page.valueBox(p)->isEnabled());
    }
    for (QRadioButton *option : page.findChildren<QRadioButton *>())
        out << option->objectName() + '=' + QString::number(option->isChecked());
    for (QWidget *child : page.findChildren<QWidget *>())
        if (child->focusPolicy() != Qt::NoFocus)
            out << child->objectName() + ':' + child->accessibleName();
    // The CON/RTS panel: what its lists show and what it says of the kept originals.
    w.conRts().ensureBuilt();
    for (QListWidget *list : w.conRts().findChildren<QListWidget *>())
        out << list->objectName() + '=' + (list->count() ? list->item(0)->text() : QString());
    for (QWidget *child : w.conRts().findChildren<QWidget *>())
        out << child->objectName() + ':' + child->accessibleName() + ':' + child->toolTip();
    return out;
}

} // namespace

class tst_LazyPages : public QObject
{
    Q_OBJECT
private slots:
    void onlyTheFirstFrameIsBuilt()
    {
        Window w(false);
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        QVERIFY(!w.editor().isBuilt());
        QVERIFY(!w.conRts().isBuilt());
        // No list box has built its pop-up list before it is opened.
        for (QComboBox *box : w.window->findChildren<QComboBox *>())
            for (QWidget *child : box->findChildren<QWidget *>())
                QVERIFY2(!child->isWindow(), qPrintable(box->objectName()));
        const QSize before = w.window->size();
        // The buffer is loaded at start-up all the same: a launch with "Use This Con" reads it.
        QVERIFY(w.editor().buffer().Text().contains(QStringLiteral("CAMERASDESTRUCTABLE")));

        w.mainTabs().setCurrentIndex(1);
        QVERIFY(w.editor().isBuilt());
        QTRY_VERIFY(w.editor().list(0)->isVisible());
        QVERIFY(w.editor().list(0)->count() > 0);
        QVERIFY(w.editor().findChild<QRadioButton *>(QStringLiteral("optCamYes"))->isChecked());
        QCOMPARE(w.window->size(), before);

        auto *options = w.window->findChild<QTabWidget *>(QStringLiteral("tbsOptions"));
        w.mainTabs().setCurrentIndex(0);
        options->setCurrentIndex(2);
        QVERIFY(w.conRts().isBuilt());
        QTRY_VERIFY(w.conRts().findChild<QListWidget *>(QStringLiteral("lstUser"))->isVisible());
        QCOMPARE(w.window->size(), before);
    }

    void lateAndEarlyPagesAreAlike()
    {
        Window early(true);
        Window late(false);
        // A tick given before the page exists shows once it is built, and reaches the CON/RTS panel.
        early.editor().setUseCon(true);
        late.editor().setUseCon(true);
        QVERIFY(!late.editor().isBuilt());
        QCOMPARE(observed(late), observed(early));
        QCOMPARE(late.window->size(), early.window->size());
    }

    // The window is sized before the page exists: once built, the page must ask for what it
    // reserved, so that the window is the size it would have with the page built at once.
    void pagesFitTheirReservedSize_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("200 %") << 2.0;
    }
    void pagesFitTheirReservedSize()
    {
        QFETCH(qreal, scale);
        const QFont normal = QApplication::font();
        QFont font = normal;
        font.setPointSizeF(normal.pointSizeF() * scale);
        QApplication::setFont(font);
        auto restore = qScopeGuard([&] { QApplication::setFont(normal); });

        Window w(false);
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        const QSize lazy = w.window->size();
        w.mainTabs().setCurrentIndex(1);
        QTRY_VERIFY(w.editor().list(0)->isVisible());
        // The window was sized from the reserved sizes; the built page asks exactly these.
        QWidget *contents = w.editor().findChild<QWidget *>(QStringLiteral("ConEditorContents"));
        QCOMPARE(contents->minimumSizeHint(), w.editor().reservedMinimumSize());
        QCOMPARE(contents->sizeHint(), w.editor().reservedSize());
        QCOMPARE(w.window->size(), lazy);

        // The CON/RTS panel reserves nothing: the panels beside it are larger.
        w.mainTabs().setCurrentIndex(0);
        w.window->findChild<QTabWidget *>(QStringLiteral("tbsOptions"))->setCurrentIndex(2);
        QTRY_VERIFY(w.conRts().isVisible());
        const QSize panel = w.conRts().minimumSizeHint();
        QVERIFY2(panel.width() <= w.conRts().width() && panel.height() <= w.conRts().height(),
                 qPrintable(QStringLiteral("the CON/RTS panel needs %1x%2, has %3x%4")
                                .arg(panel.width()).arg(panel.height())
                                .arg(w.conRts().width()).arg(w.conRts().height())));
        QCOMPARE(w.window->size(), lazy);
    }
};

QTEST_MAIN(tst_LazyPages)
#include "tst_lazypages.moc"
