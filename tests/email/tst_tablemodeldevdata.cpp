#include "email/tablemodeldevdata.h"
#include "testenvironment.h"

class TestTableModelDevData : public QObject
{
    Q_OBJECT

private slots:
    void cellText_data();
    void cellText();
};

void TestTableModelDevData::cellText_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");

    // Through single precision: 13.65 is 13.6499996... as a float.
    QTest::newRow("inputVol") << 2 << QVariant(13.65) << QVariant(QStringLiteral("13.6"));
    QTest::newRow("outputVol") << 3 << QVariant(230.04) << QVariant(QStringLiteral("230.0"));
    QTest::newRow("inputFreq") << 5 << QVariant(49.96) << QVariant(QStringLiteral("50.0"));
    QTest::newRow("battVol") << 6 << QVariant(13.65) << QVariant(QStringLiteral("13.65"));
    QTest::newRow("temperature text") << 7 << QVariant(QStringLiteral("25.26")) << QVariant(QStringLiteral("25.3"));
    QTest::newRow("negative temperature") << 7 << QVariant(-4.0) << QVariant(QStringLiteral("-4.0"));
    QTest::newRow("dateTime") << 1 << QVariant(QStringLiteral("2026-05-01 08:30")) << QVariant(QStringLiteral("2026-05-01 08:30"));
    QTest::newRow("load") << 4 << QVariant(37) << QVariant(37);
    QTest::newRow("beyond") << 8 << QVariant(1.234) << QVariant(1.234);
}

void TestTableModelDevData::cellText()
{
    QFETCH(int, column);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    const QVariant text = TableModelDevData::cellText(column, value);
    QCOMPARE(text, expected);
    QCOMPARE(text.userType(), expected.userType());
}

AMBREL_TEST_MAIN(TestTableModelDevData)
#include "tst_tablemodeldevdata.moc"
