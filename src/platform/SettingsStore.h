#pragma once

#include <QString>
#include <QStringList>

// The per-user settings store: text values by section and key. Names match without regard to
// letter case and keep the spelling they were first written with; a missing key reads as empty.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    virtual QString value(const QString &section, const QString &key) const = 0;
    // Writes and saves at once. Returns false when the change could not be saved; the value is
    // still in effect for this run and errorString() says why.
    virtual bool setValue(const QString &section, const QString &key, const QString &value) = 0;
    virtual bool remove(const QString &section, const QString &key) = 0;
    virtual bool removeSection(const QString &section) = 0;
    // Key names of a section in the order they were first written.
    virtual QStringList keys(const QString &section) const = 0;

    // Empty while all is well; otherwise a sentence for the player (read or save failure).
    virtual QString errorString() const = 0;
};
