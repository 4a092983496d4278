// The account record reader on arbitrary bytes: never crash, and an account it reads writes
// back to a record that reads the same (or is refused for a value that does not fit).
#include "mail/MailAccount.h"
#include "shared/Error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    ly::mail::MailAccount account;
    try {
        account = ly::mail::DecodeAccount(bytes);
    } catch (const ly::Error &) {
        return 0;
    }
    try {
        if (ly::mail::DecodeAccount(ly::mail::EncodeAccount(account)) != account)
            std::abort();
    } catch (const ly::mail::FieldsDoNotFit &) {
    }
    return 0;
}
