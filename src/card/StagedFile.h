#pragma once

#include <QFile>

namespace ly {

// A file written beside its final name and renamed over it once complete: readers never see
// half of it, and a failure (or destruction without commit) removes the staged copy and leaves
// an earlier file of that name as it was. Unlike QSaveFile it does not wait for the disk:
// packages and unpacked files are working copies, and many small files would each pay a sync.
// Failures throw ly::Error.
class StagedFile : public QFile
{
public:
    explicit StagedFile(const QString &target);
    ~StagedFile() override;

    // Creates the staged file for writing.
    void open();
    void writeAll(const QByteArray &bytes);
    // Closes the staged file and renames it over the target.
    void commit();

private:
    [[noreturn]] void fail(const QString &reason) const;

    QString m_target;
    bool m_staged = false;
};

} // namespace ly
