#include "support/Sandbox.h"

#include "mail/SavedMail.h"
#include "shared/Error.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace {

using ly::mail::SavedMail;

class SavedMailTest : public lytest::SandboxTest
{
protected:
    QString dir() const { return sandbox.root() + "mails/"; }
    void SetUp() override { QDir().mkpath(dir()); }
};

qint32 int32At(const QByteArray &record, qsizetype offset)
{
    return qFromLittleEndian<qint32>(record.constData() + offset);
}

TEST_F(SavedMailTest, SaveWritesBodyBesideAndTheRecordLayout)
{
    const QString saved = ly::mail::SaveMail(dir() + "card", "ann@example.org;bob@example.com;",
                                             "cy@example.net", "Your card",
                                             {"Dear Ann,", "", "Happy birthday!"},
                                             {"/home/ann/Card One.exe", "/tmp/a_b.txt"});
    EXPECT_EQ(saved, dir() + "card.qpt");
    EXPECT_EQ(lytest::readFile(dir() + "Qpt.dat"),
              QByteArray("Dear Ann,\r\n\r\nHappy birthday!\r\n"));

    const QByteArray r = lytest::readFile(saved);
    ASSERT_EQ(r.size(), 1672);
    EXPECT_EQ(r.left(33), QByteArray("ann@example.org;bob@example.com;\0", 33));
    EXPECT_EQ(r.mid(201, 15), QByteArray("cy@example.net\0", 15));
    EXPECT_EQ(r.mid(402, 10), QByteArray("Your card\0", 10));
    const QByteArray body = QFile::encodeName(dir() + "Qpt.dat");
    EXPECT_EQ(r.mid(453, body.size() + 1), body + '\0');
    EXPECT_EQ(r.mid(554, 2), QByteArray(2, '\0'));
    EXPECT_EQ(int32At(r, 556), 2);
    EXPECT_EQ(r.mid(560, 23), QByteArray("\x16/home/ann/Card One.exe"));
    EXPECT_EQ(r.mid(661, 13), QByteArray("\x0c/tmp/a_b.txt"));

    // Saving again under the full name replaces the file.
    EXPECT_EQ(ly::mail::SaveMail(dir() + "card.qpt", "dee@example.org", "", "Again", {"Hi"}, {}),
              dir() + "card.qpt");
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
              (QStringList{"card.qpt", "Qpt.dat"}));
    EXPECT_EQ(ly::mail::OpenSavedMail(dir() + "card.qpt").to, "dee@example.org");
}

TEST_F(SavedMailTest, QptIsAppendedUnlessPresent)
{
    const std::pair<QString, QString> cases[] = {
        {"card", "card.qpt"},
        {"card.qpt", "card.qpt"},
        {"card.QPT", "card.QPT"},
        {"card.qpt.bak", "card.qpt.bak.qpt"},
        {"qpt", "qpt.qpt"},
    };
    for (const auto &[chosen, file] : cases)
        EXPECT_EQ(ly::mail::SavedMailFileName(chosen), file);
}

TEST_F(SavedMailTest, MailsWithTheirOwnBodyFilesKeepTheirBodies)
{
    const std::pair<QString, QString> names[] = {
        {"card", "card.Qpt.dat"}, {"card.qpt", "card.Qpt.dat"}, {"a.b", "a.b.Qpt.dat"}};
    for (const auto &[chosen, body] : names)
        EXPECT_EQ(ly::mail::OwnBodyFileName(chosen), body);

    const QString first = ly::mail::SaveMail(dir() + "first", "a@example.org", "", "1", {"one"},
                                             {}, ly::mail::OwnBodyFileName("first"));
    ly::mail::SaveMail(dir() + "second", "b@example.org", "", "2", {"two"}, {},
                       ly::mail::OwnBodyFileName("second"));
    const SavedMail mail = ly::mail::OpenSavedMail(first);
    EXPECT_EQ(mail.bodyFile, dir() + "first.Qpt.dat");
    EXPECT_EQ(ly::mail::ReadMailBody(mail.bodyFile), QStringList{"one"});
    EXPECT_FALSE(QFile::exists(dir() + "Qpt.dat"));
}

TEST_F(SavedMailTest, ElevenAttachmentsRoundTrip)
{
    QStringList attachments;
    for (int i = 0; i < 11; ++i)
        attachments.append("/files/" + QString(i * 9, QChar('a' + i)) + ".bin");
    attachments[10] = "/" + QString(99, 'z'); // exactly 100 bytes
    const QString saved = ly::mail::SaveMail(dir() + "eleven", "ann@example.org", "", "Eleven",
                                             {"body"}, attachments);
    EXPECT_EQ(int32At(lytest::readFile(saved), 556), 11);

    const SavedMail expected{"ann@example.org", "", "Eleven", dir() + "Qpt.dat", attachments};
    EXPECT_EQ(ly::mail::OpenSavedMail(saved), expected);
}

TEST_F(SavedMailTest, MailsOfOneFolderShareTheBodySavedLast)
{
    const QString first = ly::mail::SaveMail(dir() + "first", "a@example.org", "", "1",
                                             {"first body"}, {});
    ly::mail::SaveMail(dir() + "second", "b@example.org", "", "2", {"second", "body"}, {});
    const SavedMail mail = ly::mail::OpenSavedMail(first);
    EXPECT_EQ(mail.subject, "1");
    EXPECT_EQ(ly::mail::ReadMailBody(mail.bodyFile), (QStringList{"second", "body"}));
}

TEST_F(SavedMailTest, ReadsARecordBuiltFromTheLayout)
{
    // Bytes after each terminator and the slots beyond the count are left as garbage.
    QByteArray r(1672, '\xAA');
    const auto put = [&r](qsizetype offset, const QByteArray &bytes) {
        r.replace(offset, bytes.size(), bytes);
    };
    put(0, QByteArray("a@b.org;c;\0", 11));
    put(201, QByteArray(1, '\0'));
    put(402, QByteArray(50, 's')); // 50 characters and the terminator
    r[452] = '\0';
    put(453, QByteArray("/x/y/Qpt.dat\0", 13));
    put(556, QByteArray("\x02\0\0\0", 4));
    r[560] = 0;
    put(661, "\x11/m/a b_c/card.exe");
    r[762] = char(200); // slot 3, beyond the count
    const SavedMail expected{"a@b.org;c;", "", QString(50, 's'), "/x/y/Qpt.dat",
                             {"", "/m/a b_c/card.exe"}};
    EXPECT_EQ(ly::mail::DecodeSavedMail(r), expected);
}

TEST_F(SavedMailTest, ValuesThatDoNotFitAreReportedAndNothingIsWritten)
{
    struct Case
    {
        QString to;
        QString subject;
        QStringList attachments;
        QString folder;
        QStringList fields;
    };
    const QString deep = dir() + QString(100, 'd') + "/";
    QDir().mkpath(deep);
    QStringList twelve;
    for (int i = 0; i < 12; ++i)
        twelve.append("/f" + QString::number(i));
    const Case cases[] = {
        {QString(201, 't'), "s", {}, dir(), {"To"}},
        {"t", QString(51, 's'), {}, dir(), {"Subject"}},
        {"t", "s", {"/ok", "/" + QString(100, 'p')}, dir(), {"Attachment 2"}},
        {"t", "s", twelve, dir(), {"Attachments"}},
        {"t", "s", {}, deep, {"Body file"}},
        {QString(300, 't'), QString(60, 's'), {}, dir(), {"To", "Subject"}},
    };
    sandbox.writeFile("mails/Qpt.dat", "earlier body\r\n");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fields.join(' ').toStdString());
        try {
            ly::mail::SaveMail(c.folder + "m", c.to, "", c.subject, {"new body"}, c.attachments);
            ADD_FAILURE() << "saved";
        } catch (const ly::mail::FieldsDoNotFit &e) {
            QStringList fields;
            for (const ly::mail::FieldProblem &p : e.problems())
                fields.append(p.field);
            EXPECT_EQ(fields, c.fields);
        }
        EXPECT_FALSE(QFile::exists(c.folder + "m.qpt"));
    }
    EXPECT_EQ(lytest::readFile(dir() + "Qpt.dat"), QByteArray("earlier body\r\n"));
    EXPECT_FALSE(QFile::exists(deep + "Qpt.dat"));

    const QList<ly::mail::FieldProblem> problems = ly::mail::SavedMailProblems(
        {"t", "", "s", "/Qpt.dat", {"/" + QString(100, 'p')}});
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems[0].text,
              "Field \"Attachment 1\" is too long: only its first 100 characters fit.");
}

TEST_F(SavedMailTest, DamagedRecordIsAnError)
{
    const QByteArray good = ly::mail::EncodeSavedMail({"t", "", "s", "/Qpt.dat", {"/a"}});
    const auto withCount = [&](qint32 count) {
        QByteArray r = good;
        qToLittleEndian(count, r.data() + 556);
        return r;
    };
    QByteArray longPath = good;
    longPath[560] = char(101);
    struct Case
    {
        QByteArray bytes;
        QString message;
    };
    const Case cases[] = {
        {good.left(1671), "it holds 1671 bytes instead of 1672"},
        {QByteArray(), "it holds 0 bytes instead of 1672"},
        {withCount(-1), "its attachment count is -1, not 0 to 11"},
        {withCount(12), "its attachment count is 12, not 0 to 11"},
        {withCount(0x01000000), "its attachment count is 16777216, not 0 to 11"},
        {longPath, "the path of attachment 1 claims 101 bytes, not at most 100"},
    };
    const QString file = dir() + "bad.qpt";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        sandbox.writeFile("mails/bad.qpt", c.bytes);
        try {
            ly::mail::OpenSavedMail(file);
            ADD_FAILURE() << "opened";
        } catch (const ly::Error &e) {
            EXPECT_EQ(e.text(), "The saved mail \"" + file + "\" is damaged: " + c.message + ".");
        }
    }
}

TEST_F(SavedMailTest, MissingFilesAndFailedWritesAreErrors)
{
    EXPECT_THROW(ly::mail::OpenSavedMail(dir() + "none.qpt"), ly::Error);
    try {
        ly::mail::ReadMailBody(dir() + "Qpt.dat");
        ADD_FAILURE() << "read";
    } catch (const ly::Error &e) {
        EXPECT_TRUE(e.text().startsWith("Cannot open file \"" + dir() + "Qpt.dat\""))
            << e.text().toStdString();
    }
    EXPECT_THROW(ly::mail::SaveMail(dir() + "missing/m", "t", "", "s", {"b"}, {}), ly::Error);
}

} // namespace
