#pragma once

#include <QWidget>
#include <memory>

namespace Ui { class ConEditorPage; }

// The "User Con Editor" page: the category tabs with their item lists and value boxes, the view
// of the USER.CON being edited, and the editor's file buttons.
class ConEditorPage : public QWidget
{
    Q_OBJECT
public:
    explicit ConEditorPage(QWidget *parent = nullptr);
    ~ConEditorPage() override;

private:
    std::unique_ptr<Ui::ConEditorPage> ui;
};
