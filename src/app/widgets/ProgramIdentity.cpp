#include "app/widgets/ProgramIdentity.h"

#include "core/widgets/IconFactory.h"

#include <QApplication>


namespace ProgramIdentity {

void apply()
{
    QApplication::setApplicationName(QStringLiteral("Zentrel"));
    QApplication::setApplicationVersion(QStringLiteral(ZENTREL_VERSION));
    // The desktop entry's name: Wayland docks group the window under the installed entry by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zentrel.Zentrel"));
    QApplication::setWindowIcon(IconFactory::icon(IconFactory::Picture::Program));
}

} // namespace ProgramIdentity
