#pragma once

#include <QByteArray>
#include <QJsonObject>

namespace lytest {

// What a receiving mail program sees in a message: Python's email package (policy default,
// Debian's own Python) parses it through tests/fixtures/mail_check.py. Keys: "defects" (every
// defect found, empty for a clean message), "subject", "date" (ISO, with the zone), "message_id",
// "from"/"to"/"cc" (lists of {name, address}), "text", "charset", "transfer_encoding",
// "attachments" (list of {filename, size, sha256}), "longest_line", "eight_bit". stuffed: the
// message is the dot-stuffed DATA text. On a failure of the parser, "error" says why.
QJsonObject ParseMail(const QByteArray &message, bool stuffed = false);

} // namespace lytest
