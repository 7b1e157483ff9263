#include "app/widgets/SettingsFailure.h"

#include "core/Module1.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>

void reportUnsavedSettings(Module1 &module1, QWidget *parent)
{
    QString why = module1.platform.settings.errorString();
    if (why.isEmpty())
        why = QCoreApplication::translate("Zentrel", "The settings file could not be written.");
    // The store's own sentence already says that Zentrel could not save them, and where.
    const QString lead = why.startsWith(QLatin1String("Zentrel could not save its settings"))
        ? QStringLiteral("%1")
        : QCoreApplication::translate("Zentrel", "Zentrel could not save its settings:\n%1");
    module1.platform.prompts.message(
        parent,
        lead.arg(why.trimmed())
            + QCoreApplication::translate("Zentrel", "\n\nThe new settings are used until Zentrel is closed."),
        Prompts::Icon::Exclamation);
    module1.UnsavedSettingsTold = true;
}

void reportUnsavedSettingsOnce(Module1 &module1, QWidget *parent)
{
    if (!module1.UnsavedSettingsTold)
        reportUnsavedSettings(module1, parent);
}
