#pragma once

#include "platform/SettingsStore.h"

#include <QByteArray>
#include <QList>

// Zentrel's settings file: UTF-8 "[Section]" and "Key=Value" lines. Names match in any letter
// case and keep the spelling first written; characters that cannot stand in a name or value are
// written as %XX. Lines the store does not understand stay as they are, byte for byte. Every change
// is saved at once and atomically. A file that could not be read is never overwritten.
class IniSettingsStore : public SettingsStore
{
public:
    explicit IniSettingsStore(const QString &filePath);

    // $XDG_CONFIG_HOME/Zentrel/Zentrel.ini
    static QString defaultPath();

    QString filePath() const { return m_path; }

    QString value(const QString &section, const QString &key) const override;
    bool setValue(const QString &section, const QString &key, const QString &value) override;
    bool remove(const QString &section, const QString &key) override;
    bool removeSection(const QString &section) override;
    QStringList keys(const QString &section) const override;

    QString errorString() const override { return m_error; }

private:
    struct Line
    {
        enum class Type { Other, Section, Key };
        QByteArray raw; // the line's bytes without its line end
        QByteArray eol; // "\n", "\r\n", or empty for a last line without one
        Type type = Type::Other;
        QString name;   // section or key name, unescaped
        QString value;  // key value, unescaped
    };

    void load();
    static Line parseLine(const QByteArray &raw, const QByteArray &eol);
    QByteArray lineEnd() const;
    // Index of every line with the section each belongs to; lines before any header belong to "".
    QList<QString> sectionsOfLines() const;
    int findKey(const QString &section, const QString &key) const;
    int insertPosition(const QString &section) const;
    bool save();

    QString m_path;
    QList<Line> m_lines;
    bool m_readable = true; // false: the file exists but could not be read, so never write it
    bool m_dirty = false;   // changes that a failed save has not yet written
    bool m_bom = false;     // the file began with a UTF-8 byte-order mark
    QString m_readError;
    QString m_error;
};
