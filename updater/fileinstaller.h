#pragma once

#include <QList>
#include <QString>

#include <functional>

// Puts downloaded files into the program folder so that an interrupted or failed
// installation can always be undone:
// 1. a journal (ProgramFolder::journalName()) names every target and whether it existed, before
//    anything changes;
// 2. each file is copied to target + ".new", the old file renamed to target + ".old"
//    beside it, and ".new" renamed to target;
// 3. `commit` (writing "ver.dat") marks the installation as done; only then are the
//    journal and the ".old" copies removed.
// A failure at any step restores every target. recover(), run before anything else at
// the next start, finishes a committed installation or rolls back one that was cut off.
class FileInstaller
{
public:
    struct Item
    {
        QString source; // downloaded file
        QString target; // absolute place in the program folder
    };
    enum class Recovery { Nothing, RolledBack, Completed, Failed };

    explicit FileInstaller(const QString &programFolder);

    // Called after item `index` is in place (tests interrupt the installation here).
    void setPlacedHook(std::function<void(int index)> hook) { m_placedHook = std::move(hook); }

    // False, with every target restored, when a step or `commit` fails.
    bool install(const QList<Item> &items, int versionId, const std::function<bool()> &commit, QString *error);

    // `installedVersion` reads the version "ver.dat" records now.
    Recovery recover(const std::function<int()> &installedVersion);

    QString journalPath() const;

private:
    struct Placed
    {
        QString target;
        bool hadOriginal = false;
    };
    bool writeJournal(int versionId, const QList<Placed> &places) const;
    bool readJournal(int *versionId, QList<Placed> *places) const;
    bool rollBack(const QList<Placed> &places) const;
    void discardBackups(const QList<Placed> &places) const;
    bool place(const Item &item, bool hadOriginal) const;

    QString m_folder;
    std::function<void(int)> m_placedHook;
};
