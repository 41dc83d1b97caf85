#include "qttranslations.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt texts that Debian's Chinese catalogs miss (their context was renamed in Qt 6).
class MissingQtTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        static const QHash<QByteArray, QString> texts{
            {"QAbstractFileIconProvider\x1f" "Folder", QStringLiteral("文件夹")},
            {"QAbstractFileIconProvider\x1f" "File Folder", QStringLiteral("文件夹")},
            {"QAbstractFileIconProvider\x1f" "Drive", QStringLiteral("驱动器")},
            {"QAbstractFileIconProvider\x1f" "Shortcut", QStringLiteral("快捷方式")},
            {"QAbstractFileIconProvider\x1f" "Alias", QStringLiteral("别名")},
        };
        if (!context || !sourceText)
            return QString();
        return texts.value(QByteArray(context) + '\x1f' + sourceText);
    }

    bool isEmpty() const override { return false; }
};

} // namespace

bool installQtTranslations(QCoreApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // Installed first, so that it is asked last: Qt's catalogs win where they have a text.
    QCoreApplication::installTranslator(new MissingQtTexts(&app));
    // "qt_zh_CN" pulls in the per-module catalogs (qtbase, ...). Owned by the application.
    auto *translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
