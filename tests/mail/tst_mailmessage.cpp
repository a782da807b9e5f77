#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "mailattachment.h"
#include "mailmessage.h"
#include "testenvironment.h"

namespace {

QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

QByteArray boundaryOf(const QByteArray &raw)
{
    const QRegularExpression pattern(QStringLiteral("boundary=([0-9a-f-]{36})\r\n"));
    return pattern.match(QString::fromLatin1(raw)).captured(1).toLatin1();
}

} // namespace

class TestMailMessage : public QObject
{
    Q_OBJECT

private slots:
    void bodyOnly();
    void senderLine_data();
    void senderLine();
    void headersAndRecipients();
    void copyOnWrite();
    void singlePartEncodings();
    void extraHeaders();
    void multipartLayout();
    void multipartBoundary();
    void multipartNonAsciiBody();
    void attachmentNames();
    void attachmentMimeData_data();
    void attachmentMimeData();
    void attachmentWithoutContent();
    void attachmentFromDevice();
};

void TestMailMessage::bodyOnly()
{
    MailMessage message;
    message.setBody(QStringLiteral("Hi"));
    QCOMPARE(message.rawMessageData(), QByteArray("\r\nHi\r\n"));
}

void TestMailMessage::senderLine_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("name and address") << QStringLiteral("Ambrel UPS<ups@example.com>")
                                      << QByteArray("From: Ambrel UPS <ups@example.com>");
    QTest::newRow("bracketed address") << QStringLiteral("<ups@example.com>") << QByteArray("From:  <ups@example.com>");
    QTest::newRow("bare address") << QStringLiteral("ups@example.com") << QByteArray("From: ups@example.com");
    QTest::newRow("non-ascii name") << QStringLiteral("Onduleur \u00e9tage<ups@example.com>")
                                    << QByteArray("From: =?utf-8?q?Onduleur=20=C3=A9tage?= <ups@example.com>");
}

void TestMailMessage::senderLine()
{
    QFETCH(QString, sender);
    QFETCH(QByteArray, line);

    MailMessage message;
    message.setSender(sender);
    message.setBody(QStringLiteral("x"));
    QCOMPARE(message.sender(), sender);
    QCOMPARE(linesOf(message.rawMessageData()).first(), line);
}

void TestMailMessage::headersAndRecipients()
{
    MailMessage message;
    message.setSender(QStringLiteral("UPS<ups@example.com>"));
    message.addRecipient(QStringLiteral("a@example.com"));
    message.addRecipient(QStringLiteral("b@example.com"), MailMessage::To);
    message.addRecipient(QStringLiteral("c@example.com"), MailMessage::Cc);
    message.addRecipient(QStringLiteral("hidden@example.com"), MailMessage::Bcc);
    message.addRecipient(QStringLiteral("odd@example.com"), MailMessage::RecipientType(7));
    message.addRecipient(QStringLiteral("a@example.com"));
    message.setSubject(QStringLiteral("Mains failure"));
    message.setBody(QStringLiteral("Body"));

    QCOMPARE(message.recipients(MailMessage::To),
             QStringList({QStringLiteral("a@example.com"), QStringLiteral("b@example.com"),
                          QStringLiteral("odd@example.com"), QStringLiteral("a@example.com")}));
    QCOMPARE(message.recipients(MailMessage::Cc), QStringList(QStringLiteral("c@example.com")));
    QCOMPARE(message.recipients(MailMessage::Bcc), QStringList(QStringLiteral("hidden@example.com")));

    const QByteArray raw = message.rawMessageData();
    QCOMPARE(raw, QByteArray("From: UPS <ups@example.com>\r\n"
                             "To: a@example.com, b@example.com, odd@example.com, a@example.com\r\n"
                             "Cc: c@example.com\r\n"
                             "Subject: Mains failure\r\n"
                             "\r\n"
                             "Body\r\n"));
    QVERIFY(!raw.contains("hidden"));
}

void TestMailMessage::copyOnWrite()
{
    MailMessage original;
    original.setSubject(QStringLiteral("One"));
    original.addRecipient(QStringLiteral("a@example.com"));
    MailMessage copy = original;
    copy.setSubject(QStringLiteral("Two"));
    copy.addRecipient(QStringLiteral("b@example.com"));
    QVERIFY(original.rawMessageData().contains("Subject: One"));
    QCOMPARE(original.recipients().size(), 1);
    QVERIFY(copy.rawMessageData().contains("Subject: Two"));
    QCOMPARE(copy.recipients().size(), 2);
}

void TestMailMessage::singlePartEncodings()
{
    // Latin-1 text reaches the receiver as labelled UTF-8, never as raw 8-bit bytes.
    MailMessage french;
    french.setSubject(QStringLiteral("Panne d\u00e9tect\u00e9e"));
    french.setBody(QStringLiteral("Batterie faible, arr\u00eat imminent."));
    QCOMPARE(french.rawMessageData(),
             QByteArray("Subject: =?utf-8?q?Panne=20d=C3=A9tect=C3=A9e?=\r\n"
                        "MIME-Version: 1.0\r\n"
                        "Content-Type: text/plain; charset=UTF-8\r\n"
                        "Content-Transfer-Encoding: quoted-printable\r\n"
                        "\r\n"
                        "Batterie faible, arr=C3=AAt imminent.\r\n"));

    MailMessage cyrillic;
    const QString body = QStringLiteral("\u0411\u0430\u0442\u0430\u0440\u0435\u044f \u0440\u0430\u0437\u0440\u044f"
                                        "\u0436\u0435\u043d\u0430, \u0432\u044b\u043a\u043b\u044e\u0447\u0435\u043d\u0438\u0435");
    cyrillic.setBody(body);
    const QByteArray raw = cyrillic.rawMessageData();
    QCOMPARE(raw, QByteArray("MIME-Version: 1.0\r\n"
                             "Content-Type: text/plain; charset=UTF-8\r\n"
                             "Content-Transfer-Encoding: base64\r\n"
                             "\r\n")
                      + body.toUtf8().toBase64() + "\r\n");
    for (const QByteArray &line : linesOf(raw))
        QVERIFY(line.size() <= 78);
}

void TestMailMessage::extraHeaders()
{
    MailMessage message;
    message.setExtraHeader(QStringLiteral("Content-Transfer-Encoding"), QStringLiteral("Base64"));
    message.setExtraHeader(QStringLiteral("X-Mailer"), QStringLiteral("Ambrel"));
    message.setBody(QStringLiteral("Hi"));
    QVERIFY(message.hasExtraHeader(QStringLiteral("content-transfer-encoding")));
    QVERIFY(message.hasExtraHeader(QStringLiteral("X-MAILER")));
    QVERIFY(!message.hasExtraHeader(QStringLiteral("From")));
    // The header chooses Base64 and replaces the message's own type lines.
    QCOMPARE(message.rawMessageData(), QByteArray("MIME-Version: 1.0\r\n"
                                                  "content-transfer-encoding: Base64\r\n"
                                                  "x-mailer: Ambrel\r\n"
                                                  "\r\n"
                                                  "SGk=\r\n"));

    // An own "From" line replaces the sender line.
    MailMessage from;
    from.setSender(QStringLiteral("ups@example.com"));
    from.setExtraHeader(QStringLiteral("From"), QStringLiteral("other@example.com"));
    from.setBody(QStringLiteral("x"));
    QCOMPARE(from.rawMessageData(), QByteArray("from: other@example.com\r\n\r\nx\r\n"));
}

void TestMailMessage::multipartLayout()
{
    MailMessage message;
    message.addRecipient(QStringLiteral("a@example.com"));
    message.setBody(QStringLiteral("Daily report"));
    const QByteArray content(60, 'x');
    message.addAttachment(QStringLiteral("record.xlsx"),
                          MailAttachment(content, QStringLiteral("application/octet-stream")));

    const QByteArray raw = message.rawMessageData();
    const QByteArray boundary = boundaryOf(raw);
    QCOMPARE(boundary.size(), 36);
    QCOMPARE(raw, "To: a@example.com\r\n"
                  "MIME-Version: 1.0\r\n"
                  "Content-Type: multipart/mixed; boundary=" + boundary + "\r\n"
                  "\r\n"
                  "This is a message with multiple parts in MIME format.\r\n"
                  "--" + boundary + "\r\n"
                  "Content-Type: text/plain; charset=UTF-8\r\n"
                  "\r\n"
                  "Daily report\r\n"
                  "--" + boundary + "\r\n"
                  "Content-Disposition: attachment; filename=record.xlsx\r\n"
                  "Content-Type: application/octet-stream\r\n"
                  "Content-Transfer-Encoding: base64\r\n"
                  "\r\n"
                  + content.left(57).toBase64() + "\r\n"
                  + content.mid(57).toBase64() + "\r\n"
                  "--" + boundary + "--\r\n");
}

void TestMailMessage::multipartBoundary()
{
    MailMessage message;
    message.setBody(QStringLiteral("x"));
    message.addAttachment(QStringLiteral("a"), MailAttachment("1", QStringLiteral("text/plain")));
    const QByteArray first = boundaryOf(message.rawMessageData());
    QCOMPARE(boundaryOf(message.rawMessageData()), first);
    QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"))
                .match(QString::fromLatin1(first))
                .hasMatch());

    // A copy shares the boundary until it is changed.
    MailMessage copy = message;
    QCOMPARE(boundaryOf(copy.rawMessageData()), first);
    copy.setSubject(QStringLiteral("changed"));
    QVERIFY(boundaryOf(copy.rawMessageData()) != first);
    QCOMPARE(boundaryOf(message.rawMessageData()), first);

    MailMessage other;
    other.addAttachment(QStringLiteral("a"), MailAttachment("1", QStringLiteral("text/plain")));
    QVERIFY(boundaryOf(other.rawMessageData()) != first);
}

void TestMailMessage::multipartNonAsciiBody()
{
    // The text part's label and its bytes agree: UTF-8, quoted-printable.
    MailMessage message;
    message.setBody(QStringLiteral("Gr\u00fc\u00dfe"));
    message.addAttachment(QStringLiteral("a.bin"), MailAttachment("1", QStringLiteral("application/octet-stream")));
    const QByteArray raw = message.rawMessageData();
    QVERIFY(raw.contains("Content-Type: text/plain; charset=UTF-8\r\n"
                         "Content-Transfer-Encoding: quoted-printable\r\n"
                         "\r\n"
                         "Gr=C3=BC=C3=9Fe\r\n--"));
}

void TestMailMessage::attachmentNames()
{
    MailMessage message;
    message.setBody(QStringLiteral("x"));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("MailMessage::addAttachment: .*\"dir/report.txt\".* already in use")));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("MailMessage::addAttachment: .*\"dir/report.txt\".* already in use")));
    message.addAttachment(QStringLiteral("dir/report.txt"), MailAttachment("one", QStringLiteral("text/plain")));
    message.addAttachment(QStringLiteral("dir/report.txt"), MailAttachment("two", QStringLiteral("text/plain")));
    message.addAttachment(QStringLiteral("dir/report.txt"), MailAttachment("three", QStringLiteral("text/plain")));

    const QByteArray raw = message.rawMessageData();
    // Only the last path component is named; each part keeps its content.
    QVERIFY(raw.contains("filename=report.txt\r\nContent-Type: text/plain\r\nContent-Transfer-Encoding: base64\r\n\r\n"
                         + QByteArray("one").toBase64()));
    QVERIFY(raw.contains("filename=report.txt.1\r\nContent-Type: text/plain\r\nContent-Transfer-Encoding: base64\r\n\r\n"
                         + QByteArray("two").toBase64()));
    QVERIFY(raw.contains("filename=report.txt.2\r\nContent-Type: text/plain\r\nContent-Transfer-Encoding: base64\r\n\r\n"
                         + QByteArray("three").toBase64()));
    QVERIFY(!raw.contains("dir/"));
}

void TestMailMessage::attachmentMimeData_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("lineSizes");

    QTest::newRow("57 bytes") << 57 << QList<int>{76};
    QTest::newRow("58 bytes") << 58 << QList<int>{76, 4};
    QTest::newRow("empty") << 0 << QList<int>{};
}

void TestMailMessage::attachmentMimeData()
{
    QFETCH(int, size);
    QFETCH(QList<int>, lineSizes);

    QByteArray content;
    for (int i = 0; i < size; ++i)
        content += char(i * 37);
    const MailAttachment attachment(content, QStringLiteral("application/octet-stream"));
    QCOMPARE(attachment.rawData(), content);

    const QList<QByteArray> lines = linesOf(attachment.mimeData());
    QCOMPARE(lines.mid(0, 3), QList<QByteArray>({"Content-Type: application/octet-stream",
                                                 "Content-Transfer-Encoding: base64", ""}));
    QByteArray encoded;
    QCOMPARE(lines.size() - 3, lineSizes.size());
    for (int i = 0; i < lineSizes.size(); ++i) {
        QCOMPARE(lines.at(3 + i).size(), lineSizes.at(i));
        encoded += lines.at(3 + i);
    }
    QCOMPARE(QByteArray::fromBase64(encoded), content);
}

void TestMailMessage::attachmentWithoutContent()
{
    MailAttachment attachment;
    attachment.setExtraHeader(QStringLiteral("Content-ID"), QStringLiteral("<part1>"));
    QTest::ignoreMessage(QtWarningMsg, "MailAttachment::rawData(): Content not set!");
    QCOMPARE(attachment.mimeData(), QByteArray("Content-Type: text/plain\r\n"
                                               "Content-Transfer-Encoding: base64\r\n"
                                               "content-id: <part1>\r\n"
                                               "\r\n"));

    QTemporaryDir dir;
    QFile missing(dir.filePath(QStringLiteral("missing.bin")));
    MailAttachment unreadable;
    unreadable.setContent(&missing);
    QTest::ignoreMessage(QtWarningMsg, "MailAttachment::rawData(): Cannot open content for reading");
    QVERIFY(unreadable.rawData().isEmpty());
}

void TestMailMessage::attachmentFromDevice()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("record.xlsx"));
    QByteArray content;
    for (int i = 0; i < 5000; ++i)
        content += char(i % 251);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QFile file(path);
    MailAttachment attachment;
    attachment.setContent(&file);
    const MailAttachment copy = attachment;
    QCOMPARE(attachment.rawData(), content);

    // The device is read once: changing the file changes nothing for any copy.
    file.close();
    {
        QFile rewrite(path);
        QVERIFY(rewrite.open(QIODevice::WriteOnly));
        rewrite.write("changed");
    }
    QCOMPARE(copy.rawData(), content);
    QCOMPARE(attachment.rawData(), content);
}

AMBREL_TEST_MAIN(TestMailMessage)
#include "tst_mailmessage.moc"
