#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QtTest>

#include "hmac.h"
#include "mailencoding.h"
#include "messagelines.h"
#include "testenvironment.h"

using namespace MailEncoding;

namespace {

// Undoes the hex escapes of quoted-printable text and Q-encoded words.
QByteArray unescape(const QByteArray &text)
{
    QByteArray out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == '=') {
            out += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += text.at(i);
        }
    }
    return out;
}

QString words(const char *word, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QString::fromLatin1(word);
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestMailEncoding : public QObject
{
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void foldLongEncodedValues_data();
    void foldLongEncodedValues();
    void bodyEncodingChoice_data();
    void bodyEncodingChoice();
    void quotedPrintableLineLengths();
    void hmacVectors_data();
    void hmacVectors();
    void hmacMatchesReference();
};

void TestMailEncoding::encode_data()
{
    // encoder: "fold:<name>[:<prefix>]", "address:<name>" (addresses separated
    // by '|'), "plain[<wrap limit>][+]" (+: continuation lines keep the
    // indentation), "qp" or "base64".
    QTest::addColumn<QString>("encoder");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("expected");

    const auto row = [](const char *name, const char *encoder, const QString &input, const QByteArray &expected) {
        QTest::newRow(name) << QString::fromLatin1(encoder) << input << expected;
    };
    // Eleven 9-letter words: the line reaches exactly 78 after seven words,
    // which does not break it, so the first line carries eight (88 bytes).
    row("fold at 78", "fold:Subject", words("abcdefghi", 11),
        "Subject: " + words("abcdefghi", 8).toLatin1() + "\r\n abcdefghi abcdefghi abcdefghi\r\n");
    row("fold empty value", "fold:Subject", QString(), "Subject: \r\n");
    row("fold without name", "fold:", "x", "x\r\n");
    row("fold keeps space runs", "fold:To", "a  b", "To: a  b\r\n");
    row("fold with prefix", "fold:Content-Disposition:attachment; filename=", "record.xlsx",
        "Content-Disposition: attachment; filename=record.xlsx\r\n");
    row("=? forces an encoded word", "fold:Subject", "a=?b", "Subject: =?utf-8?q?a=3D=3Fb?=\r\n");
    row("encoded space and underscore", "fold:Subject", "=?a b_c", "Subject: =?utf-8?q?=3D=3Fa=20b=5Fc?=\r\n");
    // Latin-1 text goes out as UTF-8 encoded words, not as raw 8-bit bytes.
    row("latin-1 header", "fold:Subject", QStringLiteral("Caf\u00e9"), "Subject: =?utf-8?q?Caf=C3=A9?=\r\n");
    // A line break in a value cannot end the header line.
    row("line break in header", "fold:Subject", "a\r\nBcc: x", "Subject: =?utf-8?q?a=0D=0ABcc:=20x?=\r\n");
    row("control characters in header", "fold:Subject", "a\x1b[1m", "Subject: =?utf-8?q?a=1B[1m?=\r\n");

    // Only the display name is encoded; the address stays an address, in ASCII.
    row("non-ascii display name", "address:To", QStringLiteral("J\u00f6rg M\u00fcller <joerg@example.com>|b@example.com"),
        "To: =?utf-8?q?J=C3=B6rg=20M=C3=BCller?= <joerg@example.com>, b@example.com\r\n");
    row("non-ascii domain", "address:From", QStringLiteral("UPS<ups@b\u00fccher.example>"),
        "From: UPS <ups@xn--bcher-kva.example>\r\n");
    row("display name quoted", "address:From", "Smith, J. <js@example.com>", "From: \"Smith, J.\" <js@example.com>\r\n");
    row("addresses folded between", "address:Cc", "aaaaaaaaaaaaaaaaaaaa@example.com|bbbbbbbbbbbbbbbbbbbb@example.com|c@example.com",
        "Cc: aaaaaaaaaaaaaaaaaaaa@example.com, bbbbbbbbbbbbbbbbbbbb@example.com,\r\n c@example.com\r\n");

    row("CR LF", "plain", "a\r\nb", "a\r\nb\r\n");
    row("LF", "plain", "a\nb", "a\r\nb\r\n");
    row("LF CR", "plain", "a\n\rb", "a\r\nb\r\n");
    row("CR CR", "plain", "a\r\rb", "a\r\n\r\nb\r\n");
    row("empty", "plain", QString(), "\r\n");
    row("final break", "plain", "a\n", "a\r\n\r\n");
    row("trailing spaces dropped", "plain", "a  \nb", "a\r\nb\r\n");
    row("inner and leading spaces kept", "plain", "  a   b", "  a   b\r\n");
    row("dot-stuffing", "plain", ".\n.hidden\nx.", "..\r\n..hidden\r\nx.\r\n");
    row("tabs are word characters", "plain", "UPS low\r\n\t\t\t\tAmbrel", "UPS low\r\n\t\t\t\tAmbrel\r\n");
    // Twenty 5-letter words: 13 fit in 78 (77 bytes), 7 follow.
    row("wrap at 78", "plain", words("abcde", 20),
        (words("abcde", 13) + "\r\n" + words("abcde", 7) + "\r\n").toLatin1());
    // A word is never divided; a wrapped line that begins with "." is stuffed.
    row("long word, stuffed", "plain8", "aaaa .bbbbbbbbbb", "aaaa\r\n..bbbbbbbbbb\r\n");
    row("indentation dropped", "plain12", "  aaaa bbbb cccc", "  aaaa bbbb\r\ncccc\r\n");
    row("indentation kept", "plain12+", "  aaaa bbbb cccc", "  aaaa bbbb\r\n  cccc\r\n");

    row("qp soft break at 75", "qp", QString(100, 'a'), QByteArray(75, 'a') + "=\r\n" + QByteArray(25, 'a') + "\r\n");
    row("qp escapes", "qp", QStringLiteral("\u00e9\t?= x"), "=C3=A9=09=3F=3D x\r\n");
    row("qp empty", "qp", QString(), QByteArray());
    row("qp line breaks", "qp", "a\r\nb\n\rc\n", "a\r\nb\r\nc\r\n");
    row("qp dot-stuffing", "qp", QStringLiteral(".\u00e9"), "..=C3=A9\r\n");
    row("qp dot after soft break", "qp", QString(75, 'a') + ".b", QByteArray(75, 'a') + "=\r\n..b\r\n");
    row("qp space before line break", "qp", QStringLiteral("\u00e9 \r\nb "), "=C3=A9=20\r\nb=20\r\n");
    // 60 bytes of UTF-8: 80 Base64 characters, 78 on the first line.
    const QByteArray encoded = QString(30, QChar(0x416)).toUtf8().toBase64();
    row("base64 at 78", "base64", QString(30, QChar(0x416)), encoded.left(78) + "\r\n" + encoded.mid(78) + "\r\n");
    row("base64 empty", "base64", QString(), QByteArray());
}

void TestMailEncoding::encode()
{
    QFETCH(QString, encoder);
    QFETCH(QString, input);
    QFETCH(QByteArray, expected);

    QByteArray out;
    if (encoder.startsWith(QLatin1String("fold:"))) {
        out = foldMimeHeader(encoder.section(QLatin1Char(':'), 1, 1), input, latin1Codec(),
                             encoder.section(QLatin1Char(':'), 2).toLatin1());
    } else if (encoder.startsWith(QLatin1String("address:"))) {
        out = foldAddressHeader(encoder.mid(8), input.split(QLatin1Char('|')));
    } else if (encoder.startsWith(QLatin1String("plain"))) {
        const int limit = encoder.mid(5).remove(QLatin1Char('+')).toInt();
        appendPlainBody(out, input, limit ? limit : 78, encoder.endsWith(QLatin1Char('+')));
    } else if (encoder == QLatin1String("qp")) {
        appendQuotedPrintableBody(out, input);
    } else {
        appendBase64Body(out, input);
    }
    QCOMPARE(out, expected);
}

void TestMailEncoding::foldLongEncodedValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("lead");

    QString cyrillic;
    for (int i = 0; i < 40; ++i)
        cyrillic += QStringLiteral("\u0416\u0443\u0440\u043d\u0430\u043b ");
    QTest::newRow("base64") << cyrillic << QByteArray("=?utf-8?b?");
    QString french;
    for (int i = 0; i < 30; ++i)
        french += QStringLiteral("Panne secteur d\u00e9tect\u00e9e ");
    QTest::newRow("quoted") << french << QByteArray("=?utf-8?q?");
}

void TestMailEncoding::foldLongEncodedValues()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, lead);

    const QList<QByteArray> lines = messageLines(foldMimeHeader(QStringLiteral("Subject"), value, latin1Codec()));
    QVERIFY(lines.size() > 3);
    QVERIFY(lines.at(0).startsWith("Subject: " + lead));
    QByteArray encodedText;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        QVERIFY2(line.size() <= 78, line.constData());
        QVERIFY(line.endsWith("?="));
        if (i > 0)
            QVERIFY(line.startsWith(' ' + lead));
        const int start = line.indexOf(lead) + lead.size();
        encodedText += line.mid(start, line.size() - start - 2);
    }
    // The lines are consecutive slices of one encoding of the whole value.
    const QByteArray decoded = lead.contains("?b?") ? QByteArray::fromBase64(encodedText) : unescape(encodedText);
    QCOMPARE(QString::fromUtf8(decoded), value);
}

void TestMailEncoding::bodyEncodingChoice_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("transferEncoding");
    QTest::addColumn<int>("expected");

    QTest::newRow("ascii") << QStringLiteral("Mains failure\r\n\tAmbrel") << QString() << int(Plain);
    QTest::newRow("latin-1 is not plain") << QStringLiteral("Gr\u00fc\u00dfe") << QString() << int(QuotedPrintable);
    QTest::newRow("20 quoted of 100") << QString(20, QChar(0xe9)) + QString(80, QLatin1Char('a')) << QString()
                                      << int(QuotedPrintable);
    QTest::newRow("21 quoted of 100") << QString(21, QChar(0xe9)) + QString(79, QLatin1Char('a')) << QString()
                                      << int(Base64);
    QTest::newRow("only the first 100 count") << QString(100, QLatin1Char('a')) + QString(50, QChar(0x416))
                                              << QString() << int(QuotedPrintable);
    QTest::newRow("forced base64, any case") << QStringLiteral("Hi") << QStringLiteral("Base64") << int(Base64);
    QTest::newRow("forced quoted-printable") << QStringLiteral("Hi") << QStringLiteral("QUOTED-PRINTABLE")
                                             << int(QuotedPrintable);
    QTest::newRow("other value chooses by content") << QStringLiteral("\u00e9t\u00e9") << QStringLiteral("8bit")
                                                    << int(QuotedPrintable);
}

void TestMailEncoding::bodyEncodingChoice()
{
    QFETCH(QString, body);
    QFETCH(QString, transferEncoding);
    QFETCH(int, expected);
    QCOMPARE(int(chooseBodyEncoding(body, transferEncoding)), expected);
}

void TestMailEncoding::quotedPrintableLineLengths()
{
    // Escapes near the break: every encoded line stays within 78 characters
    // and decodes back to the text.
    QString body;
    QRandomGenerator random(7);
    for (int i = 0; i < 2000; ++i)
        body += random.bounded(3) == 0 ? QChar(0xe9) : QChar('a' + random.bounded(26));
    QByteArray encoded;
    appendQuotedPrintableBody(encoded, body);
    QByteArray decoded;
    for (const QByteArray &line : messageLines(encoded)) {
        QVERIFY2(line.size() <= 78, line.constData());
        const bool soft = line.endsWith('=');
        decoded += unescape(soft ? line.left(line.size() - 1) : line);
    }
    QCOMPARE(QString::fromUtf8(decoded), body);
}

void TestMailEncoding::hmacVectors_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("digest");

    // RFC 2202, HMAC-MD5 test cases 1 to 7.
    QByteArray key4;
    for (int i = 1; i <= 25; ++i)
        key4 += char(i);
    QTest::newRow("1") << QByteArray(16, 0x0b) << QByteArray("Hi There")
                       << QByteArray("9294727a3638bb1c13f48ef8158bfc9d");
    QTest::newRow("2") << QByteArray("Jefe") << QByteArray("what do ya want for nothing?")
                       << QByteArray("750c783e6ab0b503eaa86e310a5db738");
    QTest::newRow("3") << QByteArray(16, char(0xaa)) << QByteArray(50, char(0xdd))
                       << QByteArray("56be34521d144c88dbb8c733f0e8b3f6");
    QTest::newRow("4") << key4 << QByteArray(50, char(0xcd)) << QByteArray("697eaf0aca3a3aea3a75164746ffaa79");
    QTest::newRow("5") << QByteArray(16, 0x0c) << QByteArray("Test With Truncation")
                       << QByteArray("56461ef2342edc00f9bab995690efd4c");
    QTest::newRow("6") << QByteArray(80, char(0xaa))
                       << QByteArray("Test Using Larger Than Block-Size Key - Hash Key First")
                       << QByteArray("6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd");
    QTest::newRow("7") << QByteArray(80, char(0xaa))
                       << QByteArray("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data")
                       << QByteArray("6f630fad67cda0ee1fb1f562db3aa53e");
    // RFC 2195, the CRAM-MD5 example.
    QTest::newRow("cram-md5") << QByteArray("tanstaaftanstaaf")
                              << QByteArray("<1896.697170952@postoffice.reston.mci.net>")
                              << QByteArray("b913a602c7eda7a495b4e6e7334d3890");
}

void TestMailEncoding::hmacVectors()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, digest);

    // A used object takes a new key; a result in between changes nothing.
    Hmac hmac(QCryptographicHash::Md5);
    hmac.setKey("other");
    hmac.addData("x");
    hmac.result();
    hmac.setKey(key);
    hmac.addData(data.left(3));
    hmac.result();
    hmac.addData(data.mid(3));
    QCOMPARE(hmac.result().toHex(), digest);
    QCOMPARE(hmac.result().toHex(), digest);
}

void TestMailEncoding::hmacMatchesReference()
{
    QRandomGenerator random(11);
    const auto randomBytes = [&](int maxSize) {
        QByteArray out;
        for (int i = random.bounded(maxSize); i > 0; --i)
            out += char(random.bounded(256));
        return out;
    };
    for (int round = 0; round < 50; ++round) {
        const QByteArray key = randomBytes(150);
        const QByteArray data = randomBytes(300);
        for (const auto algorithm : {QCryptographicHash::Md5, QCryptographicHash::Sha1, QCryptographicHash::Sha256}) {
            Hmac hmac(algorithm);
            hmac.setKey(key);
            hmac.addData(data);
            QCOMPARE(hmac.result(), QMessageAuthenticationCode::hash(data, key, algorithm));
        }
    }
}

AMBREL_TEST_MAIN(TestMailEncoding)
#include "tst_mailencoding.moc"
