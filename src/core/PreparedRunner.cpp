#include "core/PreparedRunner.h"

#include "core/SettingsKeys.h"
#include "platform/GameRunner.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"

GameRunner *preparedRunner(Platform &platform)
{
    if (platform.runner)
        platform.runner->setDosBox(platform.settings.value(SettingsKeys::Paths, SettingsKeys::DOSBox),
                                   platform.settingsFile);
    return platform.runner;
}
