#pragma once

#include <QDialog>

class Module1;

// "Preferences": the Launch Preference, the splash, the return of originals and the DOS window.
class frmPrefs : public QDialog
{
    Q_OBJECT
public:
    explicit frmPrefs(Module1 &module1, QWidget *parent = nullptr);
    ~frmPrefs() override;
};
