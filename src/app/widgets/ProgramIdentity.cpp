#include "app/widgets/ProgramIdentity.h"

#include "core/widgets/IconFactory.h"

#include <QApplication>


namespace ProgramIdentity {

void apply()
{
    QApplication::setApplicationName(QStringLiteral("Zentrel"));
    QApplication::setApplicationVersion(QStringLiteral(ZENTREL_VERSION));
    QApplication::setWindowIcon(IconFactory::icon(IconFactory::Picture::Program));
}

} // namespace ProgramIdentity
