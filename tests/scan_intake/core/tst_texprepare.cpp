#include "errors.h"
#include "texprepare.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Writes beyond `limit` bytes fail in this process while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_saved;
        lower.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

const QByteArray kName = "Smith_John_L[VRML].jpg";

} // namespace

class TestTexPrepare : public QObject
{
    Q_OBJECT

private slots:
    void prepared_data()
    {
        QTest::addColumn<QByteArray>("scan");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray urlLine = "url \"" + kName + "\"";
        QTest::newRow("CR LF ends") << QByteArray("Shape {\r\n  url \"_L[VRML].jpg\"\r\n}\r\n")
                                    << "Shape {\r\n" + urlLine + "\r\n}\r\n";
        QTest::newRow("LF ends") << QByteArray("Shape {\n  url \"_L[VRML].jpg\"\n}\n")
                                 << "Shape {\r\n" + urlLine + "\r\n}\r\n";
        QTest::newRow("CR ends") << QByteArray("Shape {\r  url \"_L[VRML].jpg\"\r}\r")
                                 << "Shape {\r\n" + urlLine + "\r\n}\r\n";
        QTest::newRow("mixed ends, last line open")
            << QByteArray("a\r\nb\nc\rurl \"x[VRML].jpg\"\r\nd") << "a\r\nb\r\nc\r\n" + urlLine + "\r\nd\r\n";
        QTest::newRow("lower-case marker") << QByteArray("\turl \"scan1_l[vrml].jpg\"\r\n") << urlLine + "\r\n";
        QTest::newRow("marker at the first character kept")
            << QByteArray("[VRML] url \"_L[VRML].jpg\"\r\nx\r\n") << QByteArray("[VRML] url \"_L[VRML].jpg\"\r\nx\r\n");
        QTest::newRow("inline url field keeps its other text")
            << QByteArray("    texture ImageTexture { url \"_L[VRML].jpg\" }\n")
            << "    texture ImageTexture { url \"" + kName + "\" }\r\n";
        QTest::newRow("only the marked name of several changes")
            << QByteArray("  url [ \"other.jpg\" \"_L[VRML].Jpg\" ] # photo\r\n")
            << "  url [ \"other.jpg\" \"" + kName + "\" ] # photo\r\n";
        QTest::newRow("marked line without a quoted name kept")
            << QByteArray("# made from _L[VRML].jpg\r\n") << QByteArray("# made from _L[VRML].jpg\r\n");
        QTest::newRow("unmarked lines untouched") << QByteArray("point [ 1 2 3, 4 5 6 ]\r\nurl \"photo.jpg\"\r\n")
                                                  << QByteArray("point [ 1 2 3, 4 5 6 ]\r\nurl \"photo.jpg\"\r\n");
        QTest::newRow("empty scan") << QByteArray() << QByteArray();
    }

    void prepared()
    {
        QFETCH(QByteArray, scan);
        QFETCH(QByteArray, expected);
        QCOMPARE(Tex_Prepared(scan, kName), expected);
    }

    // The fixture scans as the scanner writes them: either line end gives
    // the same prepared scan, every other line as it was.
    void preparesTheFixtureScans_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("CR LF") << "pickup_scan_crlf.wrl";
        QTest::newRow("LF") << "pickup_scan_lf.wrl";
    }

    void preparesTheFixtureScans()
    {
        QFETCH(QString, fixture);
        const QString fixtures = qEnvironmentVariable("SOLVANE_TEST_SOURCE_DIR") + "/tests/scan_intake/fixtures/";
        QTemporaryDir dir;
        const QString scan = dir.filePath("Smith_John_L.wrl");
        QVERIFY(QFile::copy(fixtures + fixture, scan));
        TexPrepare(scan, QString::fromLatin1(kName));

        const QList<QByteArray> original = readAll(fixtures + "pickup_scan_crlf.wrl").split('\n');
        const QList<QByteArray> lines = readAll(scan).split('\n');
        QCOMPARE(lines.size(), original.size());
        int changed = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i] != original[i]) {
                ++changed;
                QCOMPARE(lines[i], "url \"" + kName + "\"\r");
            }
        }
        QCOMPARE(changed, 1);
        QVERIFY(!QFile::exists(dir.filePath("Temp.wrl")));
    }

    // A write that fails leaves the copy as it was, and says why.
    void failedWriteKeepsTheCopy()
    {
        QTemporaryDir dir;
        const QString scan = dir.filePath("Smith_John_L.wrl");
        QByteArray lfScan;
        for (int i = 0; i < 2000; ++i)
            lfScan += "  point [ 1 2 3 ]\n";
        lfScan += "  url \"_L[VRML].jpg\"\n";
        writeAll(scan, lfScan);
        {
            // Room for the scan as it was, not for its CR LF ends.
            FileSizeLimit limit(rlim_t(lfScan.size() + 100));
            QVERIFY_THROWS_EXCEPTION(SolvaneError, TexPrepare(scan, QString::fromLatin1(kName)));
        }
        QCOMPARE(readAll(scan), lfScan);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Smith_John_L.wrl"});
    }

    // A scanner that wrote nothing leaves an empty copy; it stays empty.
    void emptyScanStaysEmpty()
    {
        QTemporaryDir dir;
        const QString scan = dir.filePath("Smith_John_L.wrl");
        writeAll(scan, QByteArray());
        TexPrepare(scan, QString::fromLatin1(kName));
        QVERIFY(QFileInfo(scan).isFile());
        QCOMPARE(QFileInfo(scan).size(), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Smith_John_L.wrl"});
    }

    void missingScanFails()
    {
        QTemporaryDir dir;
        try {
            TexPrepare(dir.filePath("none.wrl"), QString::fromLatin1(kName));
            QFAIL("no error raised");
        } catch (const SolvaneError &error) {
            QVERIFY(error.description().contains("none.wrl"));
        }
        QVERIFY(!QFile::exists(dir.filePath("none.wrl")));
    }

    void getPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default folder") << R"(C:\3DEriruvu\Data\LSR_Scanner\)"
                                        << "";
        QTest::newRow("backslash folder") << R"(C:\3DEriruvu\Data\LSR_Scanner\Scan1)"
                                          << "Scan1";
        QTest::newRow("slash folder") << "/home/u/3DEriruvu/Data/LSR_Scanner/Scan1"
                                      << "Scan1";
        QTest::newRow("slash at the end") << "/home/u/3DEriruvu/Data/"
                                          << "";
        QTest::newRow("mixed, last one counts") << R"(C:/a\b/Scan 2)"
                                                << "Scan 2";
        QTest::newRow("no separator") << "Scan1"
                                      << "Scan1";
        QTest::newRow("empty") << ""
                               << "";
    }

    void getPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(Get_Path(path), expected);
    }
};

QTEST_GUILESS_MAIN(TestTexPrepare)
#include "tst_texprepare.moc"
