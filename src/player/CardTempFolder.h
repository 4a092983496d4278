#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The card's own private folder for what it unpacks: a folder of mode 0700 below a per-user
// base folder (also 0700 and owned by the user, checked before use), locked while the card
// runs and removed when this object goes, however the card ends; a crashed run's folder
// (its lock no longer held by a live process) is removed at the next start.
namespace ly::player {

class CardTempFolder
{
public:
    // Creates the folder below base (by default $TMPDIR/lyrabell-cards-<uid>). Throws
    // ly::Error when the base is not a private folder of this user or nothing can be created.
    explicit CardTempFolder(const QString &base = QString());
    ~CardTempFolder();
    CardTempFolder(const CardTempFolder &) = delete;
    CardTempFolder &operator=(const CardTempFolder &) = delete;

    // With a trailing separator.
    QString path() const { return m_path; }
    // Removes the folder now (the destructor does it otherwise).
    void remove();

    static QString defaultBase();
    // Removes the run folders below base whose runs have ended without removing them.
    static void removeLeftovers(const QString &base);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace ly::player
