#pragma once

#include <QComboBox>

// A list box (not editable) as wide as its minimum contents length plus an icon, whatever its items: long names
// never widen the panel, and the open list shows them in full. It sizes itself as Qt's
// AdjustToMinimumContentsLengthWithIcon policy does, without that policy's cost: setting the
// policy builds the box's pop-up list at once, before anybody opens it.
class CompactComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CompactComboBox(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // While the arrow keys or the wheel move through the closed box: the player is browsing,
    // and a handler keeps the focus where it is (a choice from the open list is committed).
    bool browsing() const { return m_browsing; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool m_browsing = false;
};
