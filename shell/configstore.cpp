#include "configstore.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QString RootName = QStringLiteral("config");
const QString DefaultAttribute = QStringLiteral("default");

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u':' || c.unicode() >= 0x80;
}

// True when `key` can be written as an element name and read back as the same key.
bool isXmlName(const QString &key)
{
    if (key.isEmpty() || !isNameStart(key.front()))
        return false;
    return std::all_of(key.begin(), key.end(), [](QChar c) {
        return isNameStart(c) || c.isDigit() || c == u'-' || c == u'.';
    });
}

// Drops the characters that XML 1.0 cannot carry (control characters, unpaired
// surrogates, U+FFFE/U+FFFF): a single one would make the whole file unreadable.
QString xmlSafeText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
            continue;
        }
        if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            continue;
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r')
            continue;
        out += c;
    }
    return out;
}

} // namespace

ConfigStore::ConfigStore(const QString &directory, const QString &fileName)
    : m_directory(directory)
    , m_fileName(fileName.isEmpty() ? QStringLiteral("default.ini") : fileName)
{
    if (m_directory.isEmpty() || !QFileInfo(m_directory).isDir())
        m_directory = settingsDirectory();
    if (!m_directory.endsWith(u'/') && !m_directory.endsWith(u'\\'))
        m_directory += u'/';
    load();
}

QString ConfigStore::settingsDirectory()
{
    const QSettings locator(QSettings::IniFormat, QSettings::UserScope,
                            QStringLiteral("Tessel"), QStringLiteral("application"));
    return QFileInfo(locator.fileName()).absolutePath() + u'/';
}

bool ConfigStore::load()
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Read one byte past the limit so that devices without a size are bounded too.
    const QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize)
        return false;

    const auto encoding = QStringConverter::encodingForData(data);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    const QString text = decoder.decode(data);

    QDomDocument document;
    if (!document.setContent(text))
        return false;

    m_entries.clear();
    // The root is taken to be the second top-level node, after the XML declaration.
    const QDomNodeList children = document.childNodes().at(1).childNodes();
    for (int i = 0; i < children.size(); ++i) {
        const QDomElement element = children.at(i).toElement();
        if (element.isNull())
            continue; // comments and processing instructions carry no setting
        m_entries.insert(element.tagName(),
                         Entry{element.text(), element.attribute(DefaultAttribute)});
    }
    return true;
}

QString ConfigStore::value(const QString &key, bool useDefault)
{
    auto it = m_entries.constFind(key);
    if (it == m_entries.constEnd())
        it = m_entries.insert(key, Entry{});
    if (useDefault || it->value.isEmpty())
        return it->defaultValue;
    return it->value;
}

void ConfigStore::setValue(const QString &key, const QString &text)
{
    auto it = m_entries.find(key);
    if (it != m_entries.end())
        it->value = text;
    else
        m_entries.insert(key, Entry{text, text});
}

QByteArray ConfigStore::toXml() const
{
    QDomDocument document;
    document.appendChild(document.createProcessingInstruction(
        QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"utf-8\"")));
    QDomElement root = document.createElement(RootName);
    document.appendChild(root);

    // Sorted, so that an unchanged store always writes the same file.
    QStringList names = m_entries.keys();
    names.sort();
    for (const QString &key : std::as_const(names)) {
        if (!isXmlName(key))
            continue; // could not be read back; writing it would spoil the whole file
        const Entry &entry = m_entries[key];
        QDomElement element = document.createElement(key);
        element.setAttribute(DefaultAttribute, xmlSafeText(entry.defaultValue));
        element.appendChild(document.createTextNode(xmlSafeText(entry.value)));
        root.appendChild(element);
    }
    return document.toByteArray(1);
}

bool ConfigStore::save()
{
    if (!QDir().mkpath(m_directory))
        return false;
    // The folder holds a password hash and the backed-up text: its owner's only, also
    // when an older client made it readable by everyone.
    QFile::setPermissions(m_directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The preference file holds a password hash.
    // On any early return the temporary file is discarded and the old file stays.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    const QByteArray xml = toXml();
    if (file.write(xml) != xml.size())
        return false;
    return file.commit();
}
