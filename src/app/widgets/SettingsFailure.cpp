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
    module1.platform.prompts.message(
        parent,
        QCoreApplication::translate("Zentrel", "Zentrel could not save its settings:\n%1\n\n"
                                               "The new settings are used until Zentrel is closed.")
            .arg(why),
        Prompts::Icon::Exclamation);
    module1.UnsavedSettingsTold = true;
}

void reportUnsavedSettingsOnce(Module1 &module1, QWidget *parent)
{
    if (!module1.UnsavedSettingsTold)
        reportUnsavedSettings(module1, parent);
}
