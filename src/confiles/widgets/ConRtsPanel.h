#pragma once

#include <QWidget>
#include <memory>

namespace Ui { class ConRtsPanel; }

// The "CON/RTS" options panel: the replacement CON and RTS files chosen for the next launch and
// the "Return to Original" buttons.
class ConRtsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ConRtsPanel(QWidget *parent = nullptr);
    ~ConRtsPanel() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void fitListsToOneEntry();

    std::unique_ptr<Ui::ConRtsPanel> ui;
};
