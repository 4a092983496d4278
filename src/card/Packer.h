#pragma once

#include "shared/Messages.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>

// Packing a folder into a resource package (Package.h) and unpacking one. Both run on the user
// interface thread, which stays live: progress is posted to ProgressWindow and a stop request
// is honoured after the member in hand.
namespace ly {

// 1 asks the pack or unpack in progress to stop; both set it to 0 when they start and end.
extern std::atomic<int> StopRequest;
// Receives WM_PACKPROGRESS notices; they are lost while it is unset or has been deleted.
extern QPointer<QObject> ProgressWindow;

// WM_PACKPROGRESS: wParam = total, lParam = running number (it may pass the total).
class PackProgressEvent : public QEvent
{
public:
    PackProgressEvent(int total, int running)
        : QEvent(WM_PACKPROGRESS), m_total(total), m_running(running) {}
    int total() const { return m_total; }
    int running() const { return m_running; }

private:
    int m_total;
    int m_running;
};

// The number of regular files directly in folder ("Thumbs.db" included, subfolders not);
// 0 when the folder does not exist.
int CountFiles(const QString &folder);
// Where PackFolder writes: the folder path without its trailing separator, plus ".tmp".
QString PackagePathOf(const QString &folder);
// Packs the files directly in folder, in name order, into PackagePathOf(folder), replacing
// that file only once the whole package is written. "Thumbs.db" and subfolders are left out;
// a folder without any member gives a package with an empty index. Members are compressed on
// `threads` worker threads (0: one per processor; 1: one at a time on this thread); the bytes
// are the same either way. Throws ly::Error on a file error or a file name the index cannot
// hold; an earlier package of that name is then left as it was.
void PackFolder(const QString &folder, int threads = 0);
// Extracts every member of package into destination (created, one level), from the last
// member to the first. Each file is written whole or not at all; names that are not bare
// file names are refused. Throws PackageError with the text and notice kind of the failure;
// files extracted before a failure stay.
void ExtractPackage(const QString &package, const QString &destination);

} // namespace ly
