#pragma once

#include <QDate>
#include <QString>

namespace ly {

// The day's error log: ProgramDir() + "log/" + "yyyymmdd" + ".txt"; one line per entry,
// "hh:mm:ss", four spaces, the text, CR LF.
QString LogFileOf(const QDate &day);
void WriteLog(const QString &text);

} // namespace ly
