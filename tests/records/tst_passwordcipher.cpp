#include "records/aes.h"
#include "records/settings.h"
#include "testenvironment.h"

namespace {

QByteArray encode(const QByteArray &plain)
{
    return Settings::encodePassword(plain).toByteArray();
}

QByteArray decode(const QVariant &stored)
{
    return Settings::decodePassword(stored).toByteArray();
}

} // namespace

class TestPasswordCipher : public QObject
{
    Q_OBJECT

private slots:
    void aesMatchesThePublishedVector()
    {
        // FIPS-197 Appendix C.1.
        const QByteArray key = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
        QByteArray block = QByteArray::fromHex("00112233445566778899aabbccddeeff");
        AesContext ctx;
        const QByteArray iv(16, 'x');
        aesInit(&ctx, reinterpret_cast<const uint8_t *>(key.constData()),
                reinterpret_cast<const uint8_t *>(iv.constData()));
        aesEncryptBlock(&ctx, reinterpret_cast<uint8_t *>(block.data()));
        QCOMPARE(block.toHex(), QByteArray("69c4e0d86a7b0430d8cdb78070b4c55a"));
        aesDecryptBlock(&ctx, reinterpret_cast<uint8_t *>(block.data()));
        QCOMPARE(block.toHex(), QByteArray("00112233445566778899aabbccddeeff"));
    }

    void storedLengths_data()
    {
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<int>("storedChars");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("5 bytes") << QByteArray("abcde") << 24;
        QTest::newRow("16 bytes") << QByteArray("0123456789abcdef") << 24;
        QTest::newRow("17 bytes") << QByteArray("0123456789abcdefZ") << 44;
        QTest::newRow("32 bytes") << QByteArray("0123456789abcdef0123456789ABCDEF") << 44;
        QTest::newRow("utf-8") << QStringLiteral("Mot de passe é – пароль 密码").toUtf8() << 64;
    }

    void storedLengths()
    {
        QFETCH(QByteArray, password);
        QFETCH(int, storedChars);
        const QByteArray stored = encode(password);
        QCOMPARE(stored.size(), storedChars);
        QCOMPARE(decode(stored), password);
        // A password handed over as text is taken as its UTF-8 bytes.
        QCOMPARE(decode(Settings::encodePassword(QString::fromUtf8(password))), password);
    }

    void onlyTheFirstBlockIsEnciphered()
    {
        const QByteArray stored = QByteArray::fromBase64(encode("0123456789abcdefZ"));
        QCOMPARE(stored.size(), 32);
        QVERIFY(stored.left(16) != QByteArray("0123456789abcdef"));
        QCOMPARE(stored.mid(16), QByteArray("Z") + QByteArray(15, '\0'));
    }

    void textAndByteArrayFormsDecodeAlike()
    {
        const QByteArray stored = encode("hunter2");
        QCOMPARE(decode(QString::fromLatin1(stored)), QByteArray("hunter2"));
        QCOMPARE(decode(stored), QByteArray("hunter2"));
    }

    void malformedStoredValues()
    {
        // Less than one block (a hand-edited file): no password, nothing read past the buffer.
        QCOMPARE(decode(QByteArray("YWJj")), QByteArray());
        QCOMPARE(decode(QByteArray(QByteArray(15, 'q').toBase64())), QByteArray());
        // Not Base64 at all.
        QCOMPARE(decode(QByteArray("!!!")), QByteArray());
        // A length that is not a whole number of blocks still decodes without fault.
        const QByteArray odd = QByteArray::fromBase64(encode("abc")) + QByteArray("xyz");
        QCOMPARE(decode(odd.toBase64()).size(), 19);
    }
};

AMBREL_TEST_MAIN(TestPasswordCipher)
#include "tst_passwordcipher.moc"
