#pragma once

#include "MemorySettingsStore.h"

// A store whose saves fail (a full disk, a read-only home): values are kept for the run, every
// setValue() reports false and errorString() says why.
class FailingSettingsStore : public MemorySettingsStore
{
public:
    QString reason = QStringLiteral("No space left on device");

    bool setValue(const QString &section, const QString &key, const QString &value) override
    {
        MemorySettingsStore::setValue(section, key, value);
        return false;
    }
    QString errorString() const override { return reason; }
};
