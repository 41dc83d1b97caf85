#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

struct zip;

// A zip package (a .docx) opened read-only with libzip. Entry names that could leave the
// package ("..", absolute paths) make the whole package invalid; entries are inflated
// with a cap so that a zip bomb ends in an error, not in all memory.
class ZipPackage
{
public:
    ZipPackage() = default;
    ~ZipPackage();
    ZipPackage(const ZipPackage &) = delete;
    ZipPackage &operator=(const ZipPackage &) = delete;

    bool open(const QString &path, QString *error);
    bool contains(const QString &name) const;
    // The inflated entry; false when it is missing, damaged or larger than `maxBytes`.
    bool read(const QString &name, qint64 maxBytes, QByteArray *data, QString *error) const;

    // A new package at `path` (replaced crash-safely), entries in the given order.
    static bool create(const QString &path, const QList<QPair<QString, QByteArray>> &entries,
                       QString *error);
    // Replaces one entry of an existing package in place (crash-safely); every other
    // entry is copied as it is.
    static bool replace(const QString &path, const QString &name, const QByteArray &data,
                        QString *error);

    // A name that stays inside the package: relative, no "." or ".." step, no drive
    // letter, no backslash.
    static bool isSafeName(const QString &name);

private:
    zip *m_zip = nullptr;
};
