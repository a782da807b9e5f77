#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "mailattachment.h"
#include "mailmessage.h"
#include "mailtextcheck.h"
#include "messagelines.h"
#include "testenvironment.h"

namespace {

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
    void singlePart_data();
    void singlePart();
    void multipartLayout();
    void multipartBoundary();
    void attachmentNames();
    void attachmentMimeData_data();
    void attachmentMimeData();
    void attachmentContent();
    void stamps();
    void unsafeInput_data();
    void unsafeInput();
};

void TestMailMessage::singlePart_data()
{
    // recipients: "<type>:<address>", the type as the number of a RecipientType.
    // headers: extra headers as "name|value".
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QStringList>("recipients");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QByteArray>("expected");

    const QStringList none;
    QTest::newRow("body only") << QString() << none << QString() << QStringLiteral("Hi") << none
                               << QByteArray("\r\nHi\r\n");
    const auto fromRow = [&](const char *name, const QString &sender, const QByteArray &line) {
        QTest::newRow(name) << sender << none << QString() << QStringLiteral("x") << none << line + "\r\n\r\nx\r\n";
    };
    fromRow("name and address", "Ambrel UPS<ups@example.com>", "From: Ambrel UPS <ups@example.com>");
    fromRow("bracketed address", "<ups@example.com>", "From: <ups@example.com>");
    fromRow("bare address", "ups@example.com", "From: ups@example.com");
    fromRow("non-ascii name", QStringLiteral("Onduleur \u00e9tage<ups@example.com>"),
            "From: =?utf-8?q?Onduleur=20=C3=A9tage?= <ups@example.com>");
    // A line break in the configured address cannot add a header line.
    fromRow("line break in address", QStringLiteral("UPS<ups@example.com\r\nBcc: x@example.com>"),
            "From: UPS <ups@example.comBcc: x@example.com>");
    // An unknown type counts as To; Bcc never shows in the text.
    QTest::newRow("recipients")
        << QStringLiteral("UPS<ups@example.com>")
        << QStringLiteral("0:a@example.com 0:b@example.com 1:c@example.com 2:hidden@example.com "
                          "7:odd@example.com 0:a@example.com").split(QLatin1Char(' '))
        << QStringLiteral("Mains failure") << QStringLiteral("Body") << none
        << QByteArray("From: UPS <ups@example.com>\r\n"
                      "To: a@example.com, b@example.com, odd@example.com, a@example.com\r\n"
                      "Cc: c@example.com\r\n"
                      "Subject: Mains failure\r\n"
                      "\r\n"
                      "Body\r\n");
    // Latin-1 text reaches the receiver as labelled UTF-8, never as raw 8-bit bytes.
    QTest::newRow("french") << QString() << none << QStringLiteral("Panne d\u00e9tect\u00e9e")
                            << QStringLiteral("Batterie faible, arr\u00eat imminent.") << none
                            << QByteArray("Subject: =?utf-8?q?Panne=20d=C3=A9tect=C3=A9e?=\r\n"
                                          "MIME-Version: 1.0\r\n"
                                          "Content-Type: text/plain; charset=UTF-8\r\n"
                                          "Content-Transfer-Encoding: quoted-printable\r\n"
                                          "\r\n"
                                          "Batterie faible, arr=C3=AAt imminent.\r\n");
    const QString cyrillic = QString::fromUtf8("Батарея разряжена, выключение");
    QTest::newRow("cyrillic") << QString() << none << QString() << cyrillic << none
                              << QByteArray("MIME-Version: 1.0\r\n"
                                            "Content-Type: text/plain; charset=UTF-8\r\n"
                                            "Content-Transfer-Encoding: base64\r\n"
                                            "\r\n")
                                     + cyrillic.toUtf8().toBase64() + "\r\n";
    // The header chooses Base64 and replaces the message's own type lines.
    QTest::newRow("own transfer encoding")
        << QString() << none << QString() << QStringLiteral("Hi")
        << QStringList{QStringLiteral("Content-Transfer-Encoding|Base64"), QStringLiteral("X-Mailer|Ambrel")}
        << QByteArray("MIME-Version: 1.0\r\ncontent-transfer-encoding: Base64\r\nx-mailer: Ambrel\r\n\r\nSGk=\r\n");
    QTest::newRow("own From line") << QStringLiteral("ups@example.com") << none << QString() << QStringLiteral("x")
                                   << QStringList{QStringLiteral("From|other@example.com")}
                                   << QByteArray("from: other@example.com\r\n\r\nx\r\n");
}

void TestMailMessage::singlePart()
{
    QFETCH(QString, sender);
    QFETCH(QStringList, recipients);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    QFETCH(QStringList, headers);
    QFETCH(QByteArray, expected);

    MailMessage message;
    if (!sender.isEmpty())
        message.setSender(sender);
    for (const QString &recipient : recipients)
        message.addRecipient(recipient.mid(2), MailMessage::RecipientType(recipient.left(1).toInt()));
    if (!subject.isEmpty())
        message.setSubject(subject);
    message.setBody(body);
    for (const QString &header : headers)
        message.setExtraHeader(header.section(QLatin1Char('|'), 0, 0), header.section(QLatin1Char('|'), 1));
    QCOMPARE(withoutStamps(message.rawMessageData()), expected);
    if (!headers.isEmpty())
        QVERIFY(message.hasExtraHeader(headers.first().section(QLatin1Char('|'), 0, 0).toUpper()));
}

void TestMailMessage::multipartLayout()
{
    MailMessage message;
    message.addRecipient(QStringLiteral("a@example.com"));
    message.setBody(QStringLiteral("Daily report"));
    const QByteArray content(60, 'x');
    message.addAttachment(QStringLiteral("record.xlsx"),
                          MailAttachment(content, QStringLiteral("application/octet-stream")));

    const QByteArray raw = withoutStamps(message.rawMessageData());
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

    // A copy shares the boundary until it is changed; the original stays as it was.
    MailMessage copy = message;
    QCOMPARE(boundaryOf(copy.rawMessageData()), first);
    copy.setSubject(QStringLiteral("changed"));
    copy.addRecipient(QStringLiteral("b@example.com"));
    QVERIFY(boundaryOf(copy.rawMessageData()) != first);
    QVERIFY(copy.rawMessageData().contains("Subject: changed"));
    QCOMPARE(boundaryOf(message.rawMessageData()), first);
    QVERIFY(!message.rawMessageData().contains("changed"));
    QVERIFY(message.recipients().isEmpty());

    MailMessage other;
    other.addAttachment(QStringLiteral("a"), MailAttachment("1", QStringLiteral("text/plain")));
    QVERIFY(boundaryOf(other.rawMessageData()) != first);
}

void TestMailMessage::attachmentNames()
{
    MailMessage message;
    message.setBody(QStringLiteral("x"));
    const QRegularExpression inUse(QStringLiteral("MailMessage::addAttachment: .*\"dir/report.txt\".* already in use"));
    QTest::ignoreMessage(QtWarningMsg, inUse);
    QTest::ignoreMessage(QtWarningMsg, inUse);
    const QByteArrayList contents{"one", "two", "three"};
    for (const QByteArray &content : contents)
        message.addAttachment(QStringLiteral("dir/report.txt"), MailAttachment(content, QStringLiteral("text/plain")));

    // Only the last path component is named; each part keeps its content.
    const QByteArray raw = message.rawMessageData();
    const QByteArrayList names{"report.txt", "report.txt.1", "report.txt.2"};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(raw.contains("filename=" + names.at(i) + "\r\nContent-Type: text/plain\r\n"
                             "Content-Transfer-Encoding: base64\r\n\r\n" + contents.at(i).toBase64()));
    }
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
    const QByteArrayList lines = messageLines(MailAttachment(content, QStringLiteral("application/octet-stream")).mimeData());
    QCOMPARE(lines.mid(0, 3),
             QByteArrayList({"Content-Type: application/octet-stream", "Content-Transfer-Encoding: base64", ""}));
    QCOMPARE(lines.size() - 3, lineSizes.size());
    for (int i = 0; i < lineSizes.size(); ++i)
        QCOMPARE(lines.at(3 + i).size(), lineSizes.at(i));
    QCOMPARE(QByteArray::fromBase64(lines.mid(3).join()), content);
}

void TestMailMessage::attachmentContent()
{
    MailAttachment empty;
    empty.setExtraHeader(QStringLiteral("Content-ID"), QStringLiteral("<part1>"));
    QTest::ignoreMessage(QtWarningMsg, "MailAttachment::rawData(): Content not set!");
    QCOMPARE(empty.mimeData(), QByteArray("Content-Type: text/plain\r\nContent-Transfer-Encoding: base64\r\n"
                                          "content-id: <part1>\r\n\r\n"));

    QTemporaryDir dir;
    QFile missing(dir.filePath(QStringLiteral("missing.bin")));
    MailAttachment unreadable;
    unreadable.setContent(&missing);
    QTest::ignoreMessage(QtWarningMsg, "MailAttachment::rawData(): Cannot open content for reading");
    QVERIFY(unreadable.rawData().isEmpty());

    // A device is read once: changing the file later changes nothing for any copy.
    QByteArray content;
    for (int i = 0; i < 5000; ++i)
        content += char(i % 251);
    QFile file(dir.filePath(QStringLiteral("record.xlsx")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    MailAttachment attachment;
    attachment.setContent(&file);
    const MailAttachment copy = attachment;
    QCOMPARE(attachment.rawData(), content);
    file.close();
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("changed");
    file.close();
    QCOMPARE(copy.rawData(), content);
    QCOMPARE(attachment.rawData(), content);
}

void TestMailMessage::stamps()
{
    MailMessage first;
    first.setBody(QStringLiteral("x"));
    MailMessage second = first;
    second.setSubject(QStringLiteral("y"));
    const QByteArrayList lines = messageLines(first.rawMessageData());
    QCOMPARE(lines.size(), 4);

    // "Date: Wed, 09 Dec 2026 07:16:46 +0100", in English under any locale.
    const QByteArray date = lines.at(0).mid(6);
    QVERIFY2(lines.at(0).startsWith("Date: ") && date.at(3) == ',', date.constData());
    const QDateTime sent = QDateTime::fromString(QString::fromLatin1(date.mid(5)), Qt::RFC2822Date);
    QVERIFY(qAbs(sent.secsTo(QDateTime::currentDateTime())) < 3600);
    const QByteArrayList days = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    QCOMPARE(date.left(3), days.value(sent.date().dayOfWeek() - 1));

    const QRegularExpression id(QStringLiteral("^Message-ID: <[0-9a-f-]{36}@[A-Za-z0-9.-]+>$"));
    QVERIFY2(id.match(QString::fromLatin1(lines.at(1))).hasMatch(), lines.at(1).constData());
    QVERIFY(!second.rawMessageData().contains(lines.at(1)));

    // Given as extra headers, they replace the message's own.
    first.setExtraHeader(QStringLiteral("Date"), QStringLiteral("Thu, 01 Jan 2026 00:00:00 +0000"));
    first.setExtraHeader(QStringLiteral("Message-ID"), QStringLiteral("<1@example.com>"));
    QCOMPARE(first.rawMessageData(),
             "date: Thu, 01 Jan 2026 00:00:00 +0000\r\nmessage-id: <1@example.com>\r\n\r\nx\r\n");
}

void TestMailMessage::unsafeInput_data()
{
    // part: which input gets the value.
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("value");
    const QString injected = QStringLiteral("x\r\nBcc: evil@example.com\nX-Injected: 1\r.");
    for (const char *part : {"subject", "sender name", "recipient", "header name", "file name", "content type"})
        QTest::newRow(part) << part << injected;
    const QString controls = QStringLiteral("a\x1b[31m\x01\x7f\t b");
    QTest::newRow("subject, controls") << "subject" << controls;
    QTest::newRow("body, controls") << "body" << controls;
    QTest::newRow("long sender name") << "sender name" << QString(1000, QLatin1Char('n'));
    QTest::newRow("long recipient") << "recipient" << QString(1100, QLatin1Char('r'));
}

// Whatever the input, every line of the mail is ASCII, at most 998 octets and
// ends in CR LF, and no input adds a header line of its own.
void TestMailMessage::unsafeInput()
{
    QFETCH(QString, part);
    QFETCH(QString, value);
    const auto valueFor = [&](const char *which, const QString &otherwise) {
        return part == QLatin1String(which) ? value : otherwise;
    };
    MailMessage message;
    message.setSender(valueFor("sender name", QStringLiteral("UPS")) + "<ups@example.com>");
    message.addRecipient(valueFor("recipient", QStringLiteral("a@example.com")));
    message.setSubject(valueFor("subject", QStringLiteral("Alarm")));
    message.setBody(valueFor("body", QStringLiteral("Mains failure.")));
    if (part == QLatin1String("header name"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a header name")));
    message.setExtraHeader(valueFor("header name", QStringLiteral("X-Note")), QStringLiteral("1"));
    message.addAttachment(valueFor("file name", QStringLiteral("record.xlsx")),
                          MailAttachment("data", valueFor("content type", QStringLiteral("text/plain"))));

    const QByteArray raw = message.rawMessageData();
    const QString fault = MailTextCheck::fault(raw);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QVERIFY(!raw.contains("\nBcc:") && !raw.contains("\nX-Injected:"));
}

AMBREL_TEST_MAIN(TestMailMessage)
#include "tst_mailmessage.moc"
