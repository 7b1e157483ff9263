#pragma once

#include <QSize>
#include <QWidget>

// A page whose widgets are built the first time it is shown or one of them is asked for, so
// that start-up builds only what the first frame shows. Until then it asks for reservedSize(),
// which must hold the built page, so that the window keeps its size.
class LazyWidget : public QWidget
{
    Q_OBJECT
public:
    explicit LazyWidget(QWidget *parent = nullptr);

    bool isBuilt() const { return m_built; }
    void ensureBuilt() const;

    // What the page asks for until it is built: the size it prefers, and the least it needs.
    virtual QSize reservedSize() const { return {}; }
    virtual QSize reservedMinimumSize() const { return reservedSize(); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void setVisible(bool visible) override;

signals:
    // The widgets were just built (accessible names may be given to them now).
    void built();

protected:
    // Builds the widgets into contents(), a child that fills the page.
    virtual void build() = 0;
    QWidget *contents() const { return m_contents; }
    void showEvent(QShowEvent *event) override;

private:
    QWidget *m_contents = nullptr;
    bool m_built = false;
};
