// The saved-mail record reader on arbitrary bytes: never crash, and a mail it reads writes back
// to a record that reads the same (or is refused for a value that does not fit).
#include "mail/SavedMail.h"
#include "shared/Error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    ly::mail::SavedMail mail;
    try {
        mail = ly::mail::DecodeSavedMail(bytes);
    } catch (const ly::Error &) {
        return 0;
    }
    try {
        if (ly::mail::DecodeSavedMail(ly::mail::EncodeSavedMail(mail)) != mail)
            std::abort();
    } catch (const ly::mail::FieldsDoNotFit &) {
    }
    return 0;
}
