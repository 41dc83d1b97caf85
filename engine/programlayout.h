#pragma once

#include <QString>

namespace ZeltraLib {

// Where the client's files lie beside the running program. Two layouts:
// - a program folder (the build tree, or a folder `update` keeps current): "voc.dat",
//   "ver.dat" and the updater "update" beside the programs;
// - an installed tree (PREFIX/bin, by a package or `cmake --install`): the data in
//   PREFIX/share/pennova (or PREFIX/share/pennova-server for pennova-cli), the updater
//   in PREFIX/lib/pennova. Such a tree belongs to
//   whoever installed it and is never rewritten by `update`.
class ProgramLayout
{
public:
    // programFolder: the folder of the running program (applicationDirPath by default).
    explicit ProgramLayout(const QString &programFolder = {});

    bool isInstalled() const { return !m_shareFolder.isEmpty(); }
    QString vocabularyFile() const;
    QString updaterProgram() const;
    // The folder of the client's programs (PREFIX/bin of an installed tree).
    QString programFolder() const { return m_programFolder; }

private:
    QString m_programFolder;
    QString m_shareFolder; // PREFIX/share/pennova(-server) of an installed tree, else empty
};

} // namespace ZeltraLib
