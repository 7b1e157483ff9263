#pragma once

#include "platform/SettingsStore.h"

#include <QList>
#include <QPair>

// An in-memory settings store with the real store's name rules, for tests of the windows.
class MemorySettingsStore : public SettingsStore
{
public:
    struct Entry
    {
        QString section, key, value;
    };
    QList<Entry> entries; // in writing order
    int writes = 0;

    QString value(const QString &section, const QString &key) const override
    {
        const int i = find(section, key);
        return i < 0 ? QString() : entries[i].value;
    }
    bool setValue(const QString &section, const QString &key, const QString &value) override
    {
        ++writes;
        const int i = find(section, key);
        if (i < 0)
            entries.append({section, key, value});
        else
            entries[i].value = value;
        return true;
    }
    bool remove(const QString &section, const QString &key) override
    {
        const int i = find(section, key);
        if (i >= 0)
            entries.removeAt(i);
        return true;
    }
    bool removeSection(const QString &section) override
    {
        entries.removeIf([&](const Entry &e) { return e.section.compare(section, Qt::CaseInsensitive) == 0; });
        return true;
    }
    QStringList keys(const QString &section) const override
    {
        QStringList out;
        for (const Entry &e : entries)
            if (e.section.compare(section, Qt::CaseInsensitive) == 0)
                out << e.key;
        return out;
    }
    QString errorString() const override { return {}; }

private:
    int find(const QString &section, const QString &key) const
    {
        for (int i = 0; i < entries.size(); ++i)
            if (entries[i].section.compare(section, Qt::CaseInsensitive) == 0
                && entries[i].key.compare(key, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};
