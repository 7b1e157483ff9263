// The baseline for the start-up benchmark: a hello-world Qt Widgets window.
#include "app/widgets/StartupProbe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello, world"));
    StartupProbe::watch(&label);
    label.show();
    return app.exec();
}
