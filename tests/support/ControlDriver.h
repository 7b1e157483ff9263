#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QStringList>
#include <QWidget>

// The control of that object name under root; a missing one ends the test at once with its name.
template <typename T> T *control(const QObject &root, const char *name)
{
    T *child = root.findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

// Drives a window's controls by their object names, as a player would set them. A missing
// control or list entry ends the test at once with its name.
class ControlDriver
{
public:
    explicit ControlDriver(QWidget *root = nullptr) : root(root) {}
    void setRoot(QWidget *w) { root = w; }

    template <typename T> T *get(const char *name) const { return control<T>(*root, name); }
    QAbstractButton *button(const char *name) const { return get<QAbstractButton>(name); }
    QComboBox *combo(const char *name) const { return get<QComboBox>(name); }
    QWidget *widget(const char *name) const { return get<QWidget>(name); }

    void tick(const char *name, bool on = true) const { button(name)->setChecked(on); }
    bool ticked(const char *name) const { return button(name)->isChecked(); }
    void choose(const char *list, const QString &text) const
    {
        QComboBox *box = combo(list);
        const int i = box->findText(text);
        if (i < 0)
            qFatal("%s offers no %s", list, qPrintable(text));
        box->setCurrentIndex(i);
    }
    QStringList items(const char *list) const
    {
        QStringList out;
        QComboBox *box = combo(list);
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }

private:
    QWidget *root;
};
