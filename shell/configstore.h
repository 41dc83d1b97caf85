#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// One settings file held in memory: an XML document whose root element `config` has one
// child element per key, the element text being the current value and the attribute
// `default` the default value. Values are text; an empty value reads as its default.
// Nothing reaches the disk except through save(), which replaces the file atomically.
// Not thread-safe: reads of existing keys from other threads are fine while nobody writes.
class ConfigStore
{
public:
    // Files larger than this are not read (a settings file is a few kilobytes).
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    // An empty or missing `directory` means settingsDirectory(); an empty `fileName`
    // means "default.ini". Loads the file at once.
    explicit ConfigStore(const QString &directory = QString(),
                         const QString &fileName = QString());

    ConfigStore(const ConfigStore &) = delete;
    ConfigStore &operator=(const ConfigStore &) = delete;

    // The per-user settings directory (organisation "Tessel", application "application"),
    // ending in "/".
    static QString settingsDirectory();

    QString directory() const { return m_directory; }
    QString fileName() const { return m_fileName; }
    QString filePath() const { return m_directory + m_fileName; }

    // Replaces all entries by the file's; false (entries untouched) when the file cannot
    // be read, is too large or is not well-formed XML.
    bool load();

    // The value, or the default when `useDefault` is set or the value is empty. A missing
    // key is inserted with an empty value and default and reads as "".
    QString value(const QString &key, bool useDefault = false);
    // Replaces the value of an existing key; a new key gets `text` as value and default.
    void setValue(const QString &key, const QString &text);

    bool contains(const QString &key) const { return m_entries.contains(key); }
    QStringList keys() const { return m_entries.keys(); }

    // Writes all entries to a temporary file beside the target and renames it over the
    // target (readable by the owner only). False, with the old file kept, on any failure.
    bool save();

private:
    struct Entry
    {
        QString value;
        QString defaultValue;
    };

    QByteArray toXml() const;

    QString m_directory;
    QString m_fileName;
    QHash<QString, Entry> m_entries;
};
