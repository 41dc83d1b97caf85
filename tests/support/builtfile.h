#pragma once

#include <QString>

// A file the build made: a program or its data in build/bin, or else a test helper in
// build/tests.
QString builtFile(const QString &name);
