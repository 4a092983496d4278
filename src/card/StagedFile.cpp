#include "card/StagedFile.h"

#include "shared/Error.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

namespace ly {

StagedFile::StagedFile(const QString &target)
    : m_target(target)
{
}

StagedFile::~StagedFile()
{
    if (m_staged) {
        close();
        remove();
    }
}

void StagedFile::open()
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        setFileName(m_target
                    + QStringLiteral(".%1.part")
                          .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (QFile::open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            m_staged = true;
            return;
        }
        if (!QFileInfo::exists(fileName()))
            break; // not a name clash: the folder cannot take the file
    }
    fail(errorString());
}

void StagedFile::writeAll(const QByteArray &bytes)
{
    if (write(bytes) != bytes.size())
        fail(errorString());
}

void StagedFile::commit()
{
    if (!m_staged || !flush())
        fail(errorString());
    close();
    // rename() replaces an existing target in one step.
    if (std::rename(QFile::encodeName(fileName()).constData(),
                    QFile::encodeName(m_target).constData())
        != 0)
        fail(qt_error_string(errno));
    m_staged = false;
}

void StagedFile::fail(const QString &reason) const
{
    throw Error(QStringLiteral("Cannot write file \"%1\". %2").arg(m_target, reason));
}

} // namespace ly
