#pragma once

#include "Printers.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lytest {

// A temporary program folder, temp folder and system folder for one test. ProgramDir(),
// TempDir() and SystemDir() point into it while it lives, and so does $XDG_DATA_HOME (the file
// association) as root() + "Data", so tests never touch the build tree or the user's files. The shipped config.ini is copied in; other content on request.
class Sandbox
{
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox &) = delete;
    Sandbox &operator=(const Sandbox &) = delete;

    // Folders with a trailing separator.
    QString root() const;
    QString programDir() const;
    QString tempDir() const;
    QString systemDir() const;

    // Copies a file or folder of the shipped content (relative to content/) into the
    // program folder.
    void copyContent(const QString &relativePath) const;

    // Writes a file below the sandbox root (folders made as needed); returns its path.
    QString writeFile(const QString &relativePath, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldDataHome;
};

// A fixture with a fresh sandbox per test.
class SandboxTest : public ::testing::Test
{
protected:
    Sandbox sandbox;
};

// The source tree's content/ folder and the built program folder.
QString contentDir();
QString builtProgramDir();

// Reads a whole file; an empty array when it cannot be read.
QByteArray readFile(const QString &path);

} // namespace lytest
