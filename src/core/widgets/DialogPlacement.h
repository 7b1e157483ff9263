#pragma once

class QWidget;

// Zentrel's windows and dialogs open in the middle of the screen, not over their owner.
void centreOnScreen(QWidget *dialog);
