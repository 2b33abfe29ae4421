#include "numbers.h"
#include "textfile.h"

#include <QtTest>

class TestNumbers : public QObject
{
    Q_OBJECT
private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "42" << 42.0;
        QTest::newRow("blanks and sign") << "  -3.5mm" << -3.5;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("digits then letters") << "42abc" << 42.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("exponent not read") << "1e5" << 1.0;
        QTest::newRow("comma stops") << "2,5" << 2.0;
        QTest::newRow("inf is no number") << "inf" << 0.0;
        QTest::newRow("nan is no number") << "nan" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("side letter") << "3.0L" << 3.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(num::leadingNumber(text), value);
    }

    void leadingNumberHuge()
    {
        const double v = num::leadingNumber(QString(400, u'9'));
        QVERIFY(std::isfinite(v));
        QVERIFY(v > 1e300);
    }

    void format0_0_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("2.25 half up") << 2.25 << "2.3";
        QTest::newRow("1.45 half up") << 1.45 << "1.5";
        QTest::newRow("0.05") << 0.05 << "0.1";
        QTest::newRow("negative half away") << -2.25 << "-2.3";
        QTest::newRow("no -0.0") << -0.04 << "0.0";
        QTest::newRow("zero") << 0.0 << "0.0";
        QTest::newRow("whole") << 263.0 << "263.0";
        QTest::newRow("carry") << 9.96 << "10.0";
        QTest::newRow("float noise") << 0.1 + 0.2 << "0.3";
        QTest::newRow("large") << 12345678.04 << "12345678.0";
        QTest::newRow("tiny") << 1e-20 << "0.0";
    }
    void format0_0()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(num::format0_0(value), text);
    }

    void format0_0Text_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("number") << "45"
                                << "45.0";
        QTest::newRow("decimal") << "2.25"
                                 << "2.3";
        QTest::newRow("side letter kept") << "3.0L"
                                          << "3.0L";
        QTest::newRow("empty kept") << ""
                                    << "";
        QTest::newRow("word kept") << "S"
                                   << "S";
        QTest::newRow("negative") << "-4"
                                  << "-4.0";
    }
    void format0_0Text()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(num::format0_0Text(in), out);
    }

    void shortestText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 45.0 << "45";
        QTest::newRow("half size") << 9.5 << "9.5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative") << -0.25 << "-0.25";
        QTest::newRow("noise trimmed") << 0.1 + 0.2 << "0.3";
        QTest::newRow("big whole") << 1e16 << "10000000000000000";
        QTest::newRow("small") << 0.001 << "0.001";
    }
    void shortestText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(num::shortestText(value), text);
    }

    void roundingAndCounter()
    {
        QCOMPARE(num::roundHalfEven(2.5), 2);
        QCOMPARE(num::roundHalfEven(3.5), 4);
        QCOMPARE(num::roundHalfEven(-2.5), -2);
        QCOMPARE(num::roundHalfEven(1e20), std::numeric_limits<int>::max());
        QCOMPARE(num::formatCounter(7), QStringLiteral("0007"));
        QCOMPARE(num::formatCounter(12345), QStringLiteral("12345"));
        QCOMPARE(num::formatCounter(10000), QStringLiteral("10000"));
        QCOMPARE(num::numberBoxText(QStringLiteral("2,5")), QStringLiteral("2.5"));
        QCOMPARE(num::numberBoxText(QStringLiteral("a,5")), QStringLiteral("a,5"));
    }

    void codePage()
    {
        const QString text = QStringLiteral("Zoë € “q” 日");
        const QByteArray bytes = textfile::encode1252(text);
        QCOMPARE(bytes, QByteArray("Zo\xEB \x80 \x93q\x94 ?"));
        QCOMPARE(textfile::decode1252(bytes), QStringLiteral("Zoë € “q” ?"));
        // An emoji (two UTF-16 units) is one character and one "?".
        QCOMPARE(textfile::encode1252(QStringLiteral("a😀b")), QByteArray("a?b"));
        // Every byte of a file read goes back as it came, the five the code
        // page leaves undefined included, so opening and saving a record
        // never turns a byte into "?".
        QByteArray every;
        for (int b = 0; b < 256; ++b)
            every += char(b);
        QCOMPARE(textfile::encode1252(textfile::decode1252(every)), every);
        QCOMPARE(textfile::encode1252(QString(QChar(0x80))), QByteArray("?")); // no stand-in for the euro
    }

    void lineEnds()
    {
        QCOMPARE(textfile::splitLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList{"a", "b", "c", "d"}));
        QCOMPARE(textfile::splitLines(QStringLiteral("a\r\n\r\n")), (QStringList{"a", ""}));
        QCOMPARE(textfile::splitLines(QString()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
