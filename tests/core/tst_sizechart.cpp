#include "errors.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"

#include <QtTest>

class TestSizeChart : public QObject
{
    Q_OBJECT
private slots:
    void templateLength_data()
    {
        QTest::addColumn<QString>("gender");
        QTest::addColumn<double>("size");
        QTest::addColumn<double>("length");
        QTest::newRow("8 male") << "Male" << 8.0 << 263.0;
        QTest::newRow("8 female") << "Female" << 8.0 << 247.0;
        QTest::newRow("8.5 male") << "Male" << 8.5 << 270.0;
        QTest::newRow("1 male") << "M" << 1.0 << 217.0;
        QTest::newRow("0 male") << "male" << 0.0 << 100.0;
        QTest::newRow("0 female") << "F" << 0.0 << 100.0;
        QTest::newRow("2 female row 1 not shifted") << "female" << 2.0 << 217.0;
        // Never below row 1: a child's size 3 is not cut to the 100 mm blank.
        QTest::newRow("3 female stops at row 1") << "Female" << 3.0 << 217.0;
        QTest::newRow("4 female") << "Female" << 4.0 << 217.0;
        QTest::newRow("5 female") << "Female" << 5.0 << 225.0;
        QTest::newRow("above chart male") << "Male" << 18.0 << 333.0;
        QTest::newRow("above chart female") << "Female" << 18.0 << 319.0;
        QTest::newRow("empty gender is not male") << "" << 10.0 << 263.0;
    }
    void templateLength()
    {
        QFETCH(QString, gender);
        QFETCH(double, size);
        QFETCH(double, length);
        ScriptRecord job;
        Set_Default_Sizes(job);
        job.Gender = gender;
        QCOMPARE(Get_Template_Length(job, size), length);
        QCOMPARE(Foot_Length_For(263), 238.0);
    }

    void defaultListTexts()
    {
        ScriptRecord job;
        Set_Default_Sizes(job);
        QCOMPARE(job.SizeChartCount, 17);
        const QStringList texts = Size_List_Texts(job);
        QCOMPARE(texts.size(), 17);
        QCOMPARE(texts.first(), QStringLiteral("0"));
        QCOMPARE(texts[1], QStringLiteral("2"));
        QCOMPARE(texts.last(), QStringLiteral("17"));
    }

    void sizeFile()
    {
        TestHome home;
        QByteArray content = "20,rows\r\n";
        for (int i = 0; i < 20; ++i)
            content += QByteArray::number(i + 0.5) + "," + QByteArray::number(200 + i) + ",x\r\n";
        home.write(QStringLiteral("FootSize3.Dat"), content);
        ScriptRecord job;
        job.Gender = QStringLiteral("Male");
        Read_Size_File(job, home.path(QStringLiteral("FootSize3.Dat")));
        QCOMPARE(job.SizeChartCount, 20);
        QCOMPARE(job.SizeChartSizes[3], 3.5);
        QCOMPARE(Get_Template_Length(job, 3.2), 203.0);
        // Only the first 17 rows count; above them, the last of those.
        QCOMPARE(Get_Template_Length(job, 18.5), 216.0);
        QCOMPARE(Size_List_Texts(job).size(), 17);
    }

    void shortTableWalkedAsFarAsItGoes()
    {
        TestHome home;
        home.write(QStringLiteral("FootSize1.Dat"), "3\r\n4,230\r\n5,240\r\n6,250\r\n");
        ScriptRecord job;
        job.Gender = QStringLiteral("Male");
        Read_Size_File(job, home.path(QStringLiteral("FootSize1.Dat")));
        QCOMPARE(Get_Template_Length(job, 9), 250.0);
        QCOMPARE(Get_Template_Length(job, 5), 240.0);
    }

    void badSizeFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("zero count") << QByteArray("0\r\n");
        QTest::newRow("negative count") << QByteArray("-3\r\n1,2\r\n");
        QTest::newRow("fewer rows than count") << QByteArray("5\r\n1,200\r\n2,210\r\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("letters") << QByteArray("abc\r\n");
        QTest::newRow("count past the largest number") << QByteArray("33333333333333333333\r\n1,200\r\n");
    }
    void badSizeFilesChangeNothing()
    {
        QFETCH(QByteArray, content);
        TestHome home;
        home.write(QStringLiteral("FootSize9.Dat"), content);
        ScriptRecord job;
        Set_Default_Sizes(job);
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Read_Size_File(job, home.path(QStringLiteral("FootSize9.Dat"))));
        QCOMPARE(job.SizeChartCount, 17);
        QCOMPARE(job.SizeChartLengths.last(), 333.0);
    }
};

QTEST_GUILESS_MAIN(TestSizeChart)
#include "tst_sizechart.moc"
