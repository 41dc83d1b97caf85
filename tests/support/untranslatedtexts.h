#pragma once
// The texts a user reads in a window that hold an English word (see englishwords.h).
#include "support/englishwords.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace TestTexts {

// Every visible text under `root` (labels, buttons, group titles, the window title)
// that holds an English word, each as "class: text".
inline QStringList untranslatedTexts(const QWidget *root)
{
    QStringList found;
    auto note = [&found](const QObject *owner, const QString &text) {
        if (hasEnglishWord(text))
            found << QString::fromLatin1(owner->metaObject()->className()) + QStringLiteral(": ") + text;
    };
    note(root, root->windowTitle());
    for (const QLabel *label : root->findChildren<QLabel *>())
        note(label, label->text());
    for (const QAbstractButton *button : root->findChildren<QAbstractButton *>())
        note(button, button->text());
    for (const QGroupBox *group : root->findChildren<QGroupBox *>())
        note(group, group->title());
    return found;
}

} // namespace TestTexts
