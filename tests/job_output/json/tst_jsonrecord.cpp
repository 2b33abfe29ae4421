#include "jsoncommand.h"
#include "jsonrecord.h"
#include "paths.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// A finished soft job under the working folder, with different values on
// each foot so that a swapped side shows.
ScriptRecord sampleJob()
{
    ScriptRecord j;
    const QString folder = Paths::dataRoot() + QStringLiteral("/Ann");
    j.JobNumber = QStringLiteral("VORMAK0042");
    j.ClinicJobNumber = QStringLiteral("P-17");
    j.PodiatristName = QStringLiteral("Dr Hale;Y");
    j.ClinicName = QStringLiteral("Foot Clinic;1 High St;Town");
    j.ClientFirstName = QStringLiteral("Ann");
    j.ClientSurname = QStringLiteral("Lee");
    j.Gender = QStringLiteral("Female");
    j.PriorityReturn = true;
    j.DispenseDate = QStringLiteral("19/12/2025");
    j.FullPdfFile = folder + QStringLiteral("/VORMAK0042_Ann_Lee_L.Pdf");
    j.FootSizeL = QStringLiteral("9");
    j.FootSizeR = QStringLiteral("9.5");
    j.OrthoticStyleL = QStringLiteral("Sport");
    j.OrthoticStyleR = QStringLiteral("Dress");
    j.EvaDensityL = QStringLiteral("Medium");
    j.EvaDensityR = QStringLiteral("Firm");
    j.Notes = QStringLiteral("Deep heel cup");
    j.LeftScanFile = folder + QStringLiteral("/Lee_Ann_L.Wrl");
    j.RightScanFile = QStringLiteral("None");
    j.LeftGraphicFile = folder + QStringLiteral("/Lee_Ann_L[VRML].Jpg");
    j.RightGraphicFile = QStringLiteral("None");
    j.ForefootVarusL = QStringLiteral("-2");
    j.ForefootVarusR = QStringLiteral("4");
    j.HeelDotLengthL = QStringLiteral("151.25");
    j.HeelDotLengthR = QStringLiteral("149");
    j.TemplateLengthL = 260;
    j.TemplateLengthR = 266;
    j.ThicknessL = 3;
    j.ThicknessR = 4.5;
    j.ArchFillL = 2;
    j.ArchFillR = 0;
    j.RearFootPostingL = -1.5;
    j.RearFootPostingR = 1.25;
    j.ScanPositionL = QStringLiteral("1");
    j.ScanPositionR = QStringLiteral("0");
    j.TopCoverL = QStringLiteral("Poron");
    j.TopCoverR = QStringLiteral("Vinyl");
    j.TopCoverBaseL = QStringLiteral("Black");
    j.TopCoverBaseR = QStringLiteral("Blue");
    return j;
}

QStringList deviceLines(const QString &foot, const QString &size, const QString &style, const QString &eva,
                        const QString &scan, const QString &graphic, const QString &varus, const QString &heelDot,
                        const QStringList &adjustments, const QString &cover, const QString &base, bool last)
{
    return {
        QStringLiteral("    {"),
        QStringLiteral("      \"foot\": \"%1\",").arg(foot),
        QStringLiteral("      \"size\": %1,").arg(size),
        QStringLiteral("      \"style\": \"%1\",").arg(style),
        QStringLiteral("      \"eva\": \"%1\",").arg(eva),
        QStringLiteral("      \"notes\": \"Deep heel cup\","),
        QStringLiteral("      \"scanData\": {"),
        QStringLiteral("        \"scanFile\": \"%1\",").arg(scan),
        QStringLiteral("        \"graphicFile\": \"%1\"").arg(graphic),
        QStringLiteral("      },"),
        QStringLiteral("      \"footDimensions\": {"),
        QStringLiteral("        \"forefootMedial\": %1,").arg(varus),
        QStringLiteral("        \"heelToDotLength\": %1").arg(heelDot),
        QStringLiteral("      },"),
        QStringLiteral("      \"adjustments\": {"),
        QStringLiteral("        \"length\": %1,").arg(adjustments[0]),
        QStringLiteral("        \"thickness\": %1,").arg(adjustments[1]),
        QStringLiteral("        \"archFill\": %1,").arg(adjustments[2]),
        QStringLiteral("        \"rearFootPosting\": %1,").arg(adjustments[3]),
        QStringLiteral("        \"scanPosition\": %1").arg(adjustments[4]),
        QStringLiteral("      },"),
        QStringLiteral("      \"topCovers\": ["),
        QStringLiteral("        {"),
        QStringLiteral("          \"name\": \"%1\"").arg(cover),
        QStringLiteral("        },"),
        QStringLiteral("        {"),
        QStringLiteral("          \"name\": \"%1\"").arg(base),
        QStringLiteral("        }"),
        QStringLiteral("      ],"),
        QStringLiteral("      \"deviceOptions\": ["),
        QStringLiteral("        {"),
        QStringLiteral("          \"name\": \"45 Deg Cutout\""),
        QStringLiteral("        },"),
        QStringLiteral("        {"),
        QStringLiteral("          \"name\": \"Heel Lift Ext (mm)\","),
        QStringLiteral("          \"adj\": \"5\""),
        QStringLiteral("        },"),
        QStringLiteral("        {"),
        QStringLiteral("          \"name\": \"1st Ray Grind (mm)\","),
        QStringLiteral("          \"adj\": \"3\""),
        QStringLiteral("        }"),
        QStringLiteral("      ]"),
        last ? QStringLiteral("    }") : QStringLiteral("    },"),
    };
}

QJsonObject parse(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << "JSON error" << error.errorString() << "at" << error.offset;
    return doc.object();
}

} // namespace

class TstJsonRecord : public QObject
{
    Q_OBJECT

private slots:
    void knownRecordLines();
    void parsesBack();
    void fileBytes();
    void awkwardInputStaysValid_data();
    void awkwardInputStaysValid();
    void numberTexts_data();
    void numberTexts();
    void commandAsksAndWrites();
    void commandCancelWritesNothing();
    void commandReportsWriteFailure();
};

void TstJsonRecord::knownRecordLines()
{
    TestHome home;
    QStringList expected = {
        QStringLiteral("{"),
        QStringLiteral("  \"prescriptionId\": \"VORMAK0042\","),
        QStringLiteral("  \"clinicPrescriptionId\": \"P-17\","),
        QStringLiteral("  \"podiatrist\": \"Dr Hale;Y\","),
        QStringLiteral("  \"clinic\": \"Foot Clinic;1 High St;Town\","),
        QStringLiteral("  \"patient\": {"),
        QStringLiteral("    \"firstname\": \"Ann\","),
        QStringLiteral("    \"surname\": \"Lee\","),
        QStringLiteral("    \"sex\": \"Female\""),
        QStringLiteral("  },"),
        QStringLiteral("  \"dateReceived\": \"2017-12-19T00:00:00.000Z\","),
        QStringLiteral("  \"priority\": true,"),
        QStringLiteral("  \"dispenseDate\": \"19/12/2025\","),
        QStringLiteral("  \"pdfFileName\": \"C:\\\\3DEriruvu\\\\Data\\\\Ann\\\\VORMAK0042_Ann_Lee_L.Pdf\","),
        QStringLiteral("  \"devices\": ["),
    };
    expected +=
        deviceLines(QStringLiteral("left"), QStringLiteral("9.0"), QStringLiteral("Sport"), QStringLiteral("Medium"),
                    QStringLiteral("./C:\\\\3DEriruvu\\\\Data\\\\Ann\\\\Lee_Ann_L.Wrl"),
                    QStringLiteral("./C:\\\\3DEriruvu\\\\Data\\\\Ann\\\\Lee_Ann_L[VRML].Jpg"), QStringLiteral("-2.0"),
                    QStringLiteral("151.3"),
                    {QStringLiteral("260.0"), QStringLiteral("3.0"), QStringLiteral("2.0"), QStringLiteral("-1.5"),
                     QStringLiteral("1.0")},
                    QStringLiteral("Poron"), QStringLiteral("Black"), false);
    expected +=
        deviceLines(QStringLiteral("right"), QStringLiteral("9.5"), QStringLiteral("Dress"), QStringLiteral("Firm"),
                    QStringLiteral("./None"), QStringLiteral("./None"), QStringLiteral("4.0"), QStringLiteral("149.0"),
                    {QStringLiteral("266.0"), QStringLiteral("4.5"), QStringLiteral("0.0"), QStringLiteral("1.3"),
                     QStringLiteral("0.0")},
                    QStringLiteral("Vinyl"), QStringLiteral("Blue"), true);
    expected += {QStringLiteral("  ]"), QStringLiteral("}")};

    const QStringList lines = Json_Record_Lines(sampleJob());
    for (qsizetype i = 0; i < qMin(lines.size(), expected.size()); ++i)
        QCOMPARE(lines[i], expected[i]);
    QCOMPARE(lines.size(), expected.size());
}

void TstJsonRecord::parsesBack()
{
    TestHome home;
    ScriptRecord job = sampleJob();
    job.PriorityReturn = false;
    const QJsonObject o = parse(Json_Record_Bytes(job));
    QCOMPARE(o.keys().size(), 10);
    QCOMPARE(o.value("prescriptionId").toString(), QStringLiteral("VORMAK0042"));
    QCOMPARE(o.value("priority").toBool(true), false);
    QCOMPARE(o.value("patient").toObject().value("sex").toString(), QStringLiteral("Female"));
    QCOMPARE(o.value("pdfFileName").toString(), QStringLiteral("C:\\3DEriruvu\\Data\\Ann\\VORMAK0042_Ann_Lee_L.Pdf"));

    const QJsonArray devices = o.value("devices").toArray();
    QCOMPARE(devices.size(), 2);
    const QJsonObject left = devices[0].toObject();
    const QJsonObject right = devices[1].toObject();
    QCOMPARE(left.value("foot").toString(), QStringLiteral("left"));
    QCOMPARE(right.value("foot").toString(), QStringLiteral("right"));
    QCOMPARE(left.value("size").toDouble(), 9.0);
    QCOMPARE(right.value("size").toDouble(), 9.5);
    QCOMPARE(left.value("scanData").toObject().value("scanFile").toString(),
             QStringLiteral("./C:\\3DEriruvu\\Data\\Ann\\Lee_Ann_L.Wrl"));
    QCOMPARE(right.value("scanData").toObject().value("scanFile").toString(), QStringLiteral("./None"));
    QCOMPARE(left.value("adjustments").toObject().value("rearFootPosting").toDouble(), -1.5);
    QCOMPARE(right.value("adjustments").toObject().value("length").toDouble(), 266.0);
    QCOMPARE(right.value("topCovers").toArray()[1].toObject().value("name").toString(), QStringLiteral("Blue"));
    const QJsonArray options = right.value("deviceOptions").toArray();
    QCOMPARE(options.size(), 3);
    QCOMPARE(options[1].toObject().value("adj").toString(), QStringLiteral("5"));
    QCOMPARE(options[2].toObject().value("name").toString(), QStringLiteral("1st Ray Grind (mm)"));
}

void TstJsonRecord::fileBytes()
{
    TestHome home;
    ScriptRecord job = sampleJob();
    job.ClientFirstName = QStringLiteral("Zoë");
    const QString path = home.path(QStringLiteral("Data/Out.Json"));
    // An older, longer file is replaced whole.
    home.write(QStringLiteral("Data/Out.Json"), QByteArray(20000, 'x'));
    Write_JSON(job, path);
    const QByteArray bytes = home.read(QStringLiteral("Data/Out.Json"));
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.startsWith("{\r\n  \"prescriptionId\""));
    QVERIFY(bytes.endsWith("  ]\r\n}\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    QVERIFY(bytes.contains("\"firstname\": \"Zo\xC3\xAB\""));
    QCOMPARE(bytes, Json_Record_Bytes(job));
    QCOMPARE(parse(bytes).value("patient").toObject().value("firstname").toString(), QStringLiteral("Zoë"));
}

void TstJsonRecord::awkwardInputStaysValid_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("quote") << QStringLiteral("Ann \"Nan\" O'Lee");
    QTest::newRow("backslash") << QStringLiteral("C:\\Temp\\x\\");
    QTest::newRow("line breaks") << QStringLiteral("Poron\r\nBlack\ttab");
    QTest::newRow("control chars") << QString::fromUtf8("a\x01"
                                                        "b\x1f"
                                                        "c\x7f"
                                                        "d\bf\f");
    QTest::newRow("non-ASCII") << QStringLiteral("Łęcka Müller 山田 😀");
    QTest::newRow("empty") << QString();
    QTest::newRow("json-looking") << QStringLiteral("\", \"x\": 1, \"y\": \"");
}

void TstJsonRecord::awkwardInputStaysValid()
{
    QFETCH(QString, text);
    TestHome home;
    ScriptRecord job = sampleJob();
    job.ClientFirstName = text;
    job.ClinicName = text;
    job.Notes = text;
    job.TopCoverBaseR = text;
    job.FullPdfFile = text;
    job.LeftScanFile = text;
    // Number boxes that hold no number.
    job.FootSizeL = QString();
    job.FootSizeR = text;
    job.HeelDotLengthL = QStringLiteral("9L");
    job.ScanPositionR = QStringLiteral(" ");

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(Json_Record_Bytes(job), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject o = doc.object();
    QCOMPARE(o.value("patient").toObject().value("firstname").toString(), text);
    QCOMPARE(o.value("clinic").toString(), text);
    QCOMPARE(o.value("pdfFileName").toString(), text);
    const QJsonArray devices = o.value("devices").toArray();
    const QJsonObject left = devices[0].toObject();
    const QJsonObject right = devices[1].toObject();
    QCOMPARE(left.value("notes").toString(), text);
    QCOMPARE(right.value("notes").toString(), text);
    QCOMPARE(left.value("scanData").toObject().value("scanFile").toString(), QStringLiteral("./") + text);
    QCOMPARE(right.value("topCovers").toArray()[1].toObject().value("name").toString(), text);
    QVERIFY(left.value("size").isNull());
    QVERIFY(right.value("size").isNull());
    QVERIFY(left.value("footDimensions").toObject().value("heelToDotLength").isNull());
    QVERIFY(right.value("adjustments").toObject().value("scanPosition").isNull());
}

void TstJsonRecord::numberTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::newRow("whole") << QStringLiteral("9") << QStringLiteral("9.0");
    QTest::newRow("negative") << QStringLiteral("-2") << QStringLiteral("-2.0");
    QTest::newRow("half up") << QStringLiteral("2.25") << QStringLiteral("2.3");
    QTest::newRow("blanks") << QStringLiteral(" 4.5 ") << QStringLiteral("4.5");
    QTest::newRow("minus zero") << QStringLiteral("-0.01") << QStringLiteral("0.0");
    QTest::newRow("leading point") << QStringLiteral(".5") << QStringLiteral("0.5");
    QTest::newRow("unit") << QStringLiteral("9L") << QStringLiteral("null");
    QTest::newRow("decimal comma") << QStringLiteral("9,5") << QStringLiteral("null");
    QTest::newRow("empty") << QString() << QStringLiteral("null");
}

void TstJsonRecord::numberTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QCOMPARE(json::numberText(text), written);
    // Every form is a valid JSON value.
    QJsonParseError error;
    QJsonDocument::fromJson(("[" + written + "]").toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
}

void TstJsonRecord::commandAsksAndWrites()
{
    TestHome home;
    auto ui = ScriptedPrompter::install();
    Job() = sampleJob();
    Set_Status(QStringLiteral("Ready"));
    const QString path = home.path(QStringLiteral("Data/Ann.Json"));
    ui->files.enqueue(path);

    Write_JSON_File();

    QCOMPARE(ui->calls.size(), 1); // the dialog only: no message follows
    const Prompter::FileRequest &r = ui->calls[0].file;
    QCOMPARE(ui->calls[0].kind, QStringLiteral("save"));
    QCOMPARE(r.title, QStringLiteral("Select a JSON File"));
    QCOMPARE(r.folder, Paths::dataRoot());
    QCOMPARE(r.fileName, QStringLiteral("Test_File"));
    QCOMPARE(r.filter, QStringLiteral("JSON File (*.Json)|*.Json|All Files (*.*)|*.*"));
    QCOMPARE(r.defaultExtension, QStringLiteral("Json"));
    QCOMPARE(Last_Status(), QStringLiteral("Writing Job...") + QDir::toNativeSeparators(path));
    QCOMPARE(home.read(QStringLiteral("Data/Ann.Json")), Json_Record_Bytes(Job()));
}

void TstJsonRecord::commandCancelWritesNothing()
{
    TestHome home;
    auto ui = ScriptedPrompter::install();
    Job() = sampleJob();
    Set_Status(QStringLiteral("Ready"));

    Write_JSON_File(); // empty queue: the dialog is cancelled

    QCOMPARE(ui->calls.size(), 1);
    QCOMPARE(Last_Status(), QStringLiteral("Ready"));
    QCOMPARE(QDir(Paths::dataRoot()).entryList(QDir::Files), QStringList());
}

void TstJsonRecord::commandReportsWriteFailure()
{
    TestHome home;
    auto ui = ScriptedPrompter::install();
    Job() = sampleJob();
    ui->files.enqueue(home.path(QStringLiteral("Data/NoSuchFolder/Ann.Json")));

    Write_JSON_File();

    // Not silent: the user asked for a file and must know it was not written.
    QCOMPARE(ui->messages().size(), 1);
    QVERIFY(ui->messages()[0].startsWith(QStringLiteral("Error: ")));
    QCOMPARE(ui->calls.last().title, QStringLiteral("Error"));
    QVERIFY(!QFile::exists(home.path(QStringLiteral("Data/NoSuchFolder/Ann.Json"))));
}

QTEST_GUILESS_MAIN(TstJsonRecord)
#include "tst_jsonrecord.moc"
