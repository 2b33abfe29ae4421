#include "errors.h"
#include "jobnames.h"
#include "relocatedrecord.h"
#include "scriptrecord.h"
#include "testhome.h"
#include "textfile.h"

#include <QtTest>

namespace {

const QString kFrom = QStringLiteral("C:\\3DEriruvu\\Data\\North\\");
const QString kTo = QStringLiteral("C:\\3DEriruvu\\Data\\South\\");

// A record's first twelve lines: title, job, clinic job, lines 4 to 8 as
// given, then client lines with characters of the code page.
QStringList recordLines(const QStringList &pdfAndFiles)
{
    QStringList lines{QStringLiteral("BRENNICK ORTHOTICS PRESCRIPTION"), QStringLiteral("Job Number,AB0041"),
                      QStringLiteral("Clinic Job Number,")};
    lines << pdfAndFiles;
    lines << QStringLiteral("Client First Name,Zo\u00eb") << QStringLiteral("Client Surname,L\u00e9e")
          << QStringLiteral("Gender,Female") << QStringLiteral("Notes,\u20ac 40 paid;,");
    return lines;
}

} // namespace

class TestRelocatedRecord : public QObject
{
    Q_OBJECT

private slots:
    void init() { Job() = ScriptRecord(); }

    // Lines 4 to 8 name the files in the new folder: the PDF after the left
    // scan line (else the right, else the old PDF name), "None" kept, the
    // fixed labels; paths read from any folder or none at all.
    void fileLinesPointIntoTheNewFolder_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("model files") << QStringList{"PDF File Name," + kFrom + "AB0041_Ann_Lee.Pdf",
                                                    "Left Scan File Name," + kFrom + "12345_Ann_Lee_L.Lcf",
                                                    "Right Scan File Name," + kFrom + "12345_Ann_Lee_R.Lcf",
                                                    "Left Graphic File Name," + kFrom + "12345_Ann_Lee_L0.Jpg",
                                                    "Right Graphic File Name,None"}
                                     << QStringList{"PDF File Name," + kTo + "12345_Ann_Lee.Pdf",
                                                    "Left Scan File Name," + kTo + "12345_Ann_Lee_L.Lcf",
                                                    "Right Scan File Name," + kTo + "12345_Ann_Lee_R.Lcf",
                                                    "Left Graphic File Name," + kTo + "12345_Ann_Lee_L0.Jpg",
                                                    "Right Graphic File Name,None"};
        QTest::newRow("left none, PDF from the right")
            << QStringList{"PDF File Name," + kFrom + "AB0041_Ann_Lee.Pdf", "Left Scan File Name,None",
                           "Right Scan File Name," + kFrom + "Lee_Ann_R.Stl", "Left Graphic File Name,None",
                           "Right Graphic File Name," + kFrom + "Lee_Ann_R.Bmp"}
            << QStringList{"PDF File Name," + kTo + "Lee_Ann.Pdf", "Left Scan File Name,None",
                           "Right Scan File Name," + kTo + "Lee_Ann_R.Stl", "Left Graphic File Name,None",
                           "Right Graphic File Name," + kTo + "Lee_Ann_R.Bmp"};
        QTest::newRow("no scans keep the PDF name")
            << QStringList{"PDF File Name," + kFrom + "AB0041_Ann_Lee.Pdf", "Left Scan File Name,None",
                           "Right Scan File Name,none", "Left Graphic File Name,None", "Right Graphic File Name,NONE"}
            << QStringList{"PDF File Name," + kTo + "AB0041_Ann_Lee.Pdf", "Left Scan File Name,None",
                           "Right Scan File Name,None", "Left Graphic File Name,None", "Right Graphic File Name,None"};
        QTest::newRow("nothing named") << QStringList{"PDF File Name,", "Left Scan File Name,None",
                                                      "Right Scan File Name,None", "Left Graphic File Name,",
                                                      "Right Graphic File Name,None"}
                                       << QStringList{"PDF File Name,None", "Left Scan File Name,None",
                                                      "Right Scan File Name,None", "Left Graphic File Name,None",
                                                      "Right Graphic File Name,None"};
        QTest::newRow("other drive and bare names")
            << QStringList{"PDF File Name,None", "Left Scan File Name,D:\\Scans\\Foot_L.Lcf",
                           "Right Scan File Name,Foot_R.Lcf", "Left Graphic File Name,/home/x/Foot_L0.Jpg",
                           "Right Graphic File Name,None"}
            << QStringList{"PDF File Name," + kTo + "Foot.Pdf", "Left Scan File Name," + kTo + "Foot_L.Lcf",
                           "Right Scan File Name," + kTo + "Foot_R.Lcf",
                           "Left Graphic File Name," + kTo + "Foot_L0.Jpg", "Right Graphic File Name,None"};
    }
    void fileLinesPointIntoTheNewFolder()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        TestHome home;
        const QStringList lines = recordLines(before);

        const QStringList out = Relocated_Record_Lines(lines, home.path("Data/South"), "x.Csv");

        QCOMPARE(out.mid(3, 5), after);
        QCOMPARE(out.mid(0, 3), lines.mid(0, 3));
        QCOMPARE(out.mid(8), lines.mid(8));
    }

    // The file is replaced whole: lines 1 to 3 and 9 on keep their bytes,
    // code-page characters included, and the job's PDF is named after the
    // job in the new folder.
    void updateRewritesTheFileInPlace()
    {
        TestHome home;
        Job().JobNumber = "AB0041";
        Job().ClientFirstName = "Ann";
        Job().ClientSurname = "Lee";
        const QStringList lines = recordLines({"PDF File Name," + kFrom + "AB0041_Ann_Lee.Pdf",
                                               "Left Scan File Name," + kFrom + "12345_Ann_Lee_L.Lcf",
                                               "Right Scan File Name," + kFrom + "12345_Ann_Lee_R.Lcf",
                                               "Left Graphic File Name,None", "Right Graphic File Name,None"});
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += textfile::encode1252(line) + "\r\n";
        home.write("Data/South/AB0041_Ann_Lee_12345.Csv", bytes);

        Update_CSV_File(home.path("Data/South/AB0041_Ann_Lee_12345.Csv"), Job());

        const QList<QByteArray> written = home.read("Data/South/AB0041_Ann_Lee_12345.Csv").split('\n');
        const QList<QByteArray> original = bytes.split('\n');
        QCOMPARE(written.size(), original.size());
        QCOMPARE(written.mid(0, 3), original.mid(0, 3));
        QCOMPARE(written.mid(8), original.mid(8));
        QVERIFY(written[8].contains("Zo\xeb"));
        QCOMPARE(written[4], QByteArray("Left Scan File Name,C:\\3DEriruvu\\Data\\South\\12345_Ann_Lee_L.Lcf\r"));
        QCOMPARE(Job().PdfFile, home.path("Data/South/AB0041_Ann_Lee.Pdf"));
    }

    // A record too short to hold its file lines is left as it was, the job
    // too, and the failure names the file.
    void shortRecordIsLeftAsItWas()
    {
        TestHome home;
        Job().PdfFile = "kept";
        const QByteArray bytes = "BRENNICK ORTHOTICS PRESCRIPTION\r\nJob Number,AB0041\r\nClinic Job Number,\r\n"
                                 "PDF File Name,None\r\nLeft Scan File Name,None\r\nRight Scan File Name,None\r\n"
                                 "Left Graphic File Name,None\r\n";
        home.write("Data/South/Short.Csv", bytes);
        try {
            Update_CSV_File(home.path("Data/South/Short.Csv"), Job());
            QFAIL("a short record was rewritten");
        } catch (const SolvaneError &error) {
            QVERIFY2(error.description().endsWith("Short.Csv is not a complete script record"),
                     qPrintable(error.description()));
        }
        QCOMPARE(home.read("Data/South/Short.Csv"), bytes);
        QCOMPARE(Job().PdfFile, QString("kept"));
    }
};

QTEST_GUILESS_MAIN(TestRelocatedRecord)
#include "tst_relocatedrecord.moc"
