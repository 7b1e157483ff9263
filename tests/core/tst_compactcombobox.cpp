// CompactComboBox sizes itself as Qt's AdjustToMinimumContentsLengthWithIcon policy does (the
// oracle is a QComboBox with that policy), and builds no pop-up list until it is opened.
#include "core/widgets/CompactComboBox.h"

#include <QApplication>
#include <QPixmap>
#include <QtTest>

namespace {

int popUps(const QWidget &box)
{
    int n = 0;
    for (const QWidget *child : box.findChildren<QWidget *>())
        n += child->isWindow();
    return n;
}

} // namespace

class tst_CompactComboBox : public QObject
{
    Q_OBJECT
private slots:
    void sizesAsTheIconPolicy_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("itemIcon");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<qreal>("scale");
        const QStringList longNames{QStringLiteral("L.A. Meltdown"), QStringLiteral("The Birth: a name far longer than twelve")};
        for (const qreal scale : {1.0, 2.0}) {
            const QByteArray at = ' ' + QByteArray::number(int(scale * 100)) + " %";
            QTest::newRow("empty, 12" + at) << 12 << QStringList() << false << false << scale;
            QTest::newRow("long names, 12" + at) << 12 << longNames << false << false << scale;
            QTest::newRow("numbers, 2" + at) << 2 << QStringList{"2", "3", "8"} << false << false << scale;
            QTest::newRow("item with an icon" + at) << 12 << longNames << true << false << scale;
        }
    }
    void sizesAsTheIconPolicy()
    {
        QFETCH(int, length);
        QFETCH(QStringList, items);
        QFETCH(bool, itemIcon);
        QFETCH(bool, editable);
        QFETCH(qreal, scale);
        QFont font = QApplication::font();
        font.setPointSizeF(font.pointSizeF() * scale);

        QComboBox oracle;
        CompactComboBox box;
        for (QComboBox *b : {static_cast<QComboBox *>(&oracle), static_cast<QComboBox *>(&box)}) {
            b->setFont(font);
            b->setEditable(editable);
            b->addItems(items);
            if (itemIcon) {
                QPixmap picture(16, 16);
                picture.fill(Qt::red);
                b->setItemIcon(0, QIcon(picture));
            }
            b->setMinimumContentsLength(length);
        }
        oracle.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        QCOMPARE(box.sizeHint(), oracle.sizeHint());
        QCOMPARE(box.minimumSizeHint(), oracle.minimumSizeHint());
    }

    void noPopUpUntilOpened()
    {
        CompactComboBox box;
        box.addItems({QStringLiteral("one"), QStringLiteral("two")});
        box.setMinimumContentsLength(12);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(popUps(box), 0);
        box.showPopup();
        QCOMPARE(popUps(box), 1);
        box.hidePopup();
    }
};

QTEST_MAIN(tst_CompactComboBox)
#include "tst_compactcombobox.moc"
