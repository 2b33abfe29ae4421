#include "mesh_model.h"
#include "scan_repair.h"

#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

using namespace mesh;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::optional<std::string>)

namespace {

const std::optional<std::string> kUnchanged;

void writeBytes(const std::filesystem::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::filesystem::path &path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::vector<std::string> folderEntries(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class TestMeshRepair : public QObject
{
    Q_OBJECT

private slots:
    void stlHeadComment_data();
    void stlHeadComment();
    void lineEnds_data();
    void lineEnds();
    void filesAreRewrittenWholeOrNotAtAll();
    void failedRewriteLeavesTheScan();
};

void TestMeshRepair::stlHeadComment_data()
{
    QTest::addColumn<std::string>("input");
    QTest::addColumn<std::optional<std::string>>("output");
    QTest::newRow("solid lower case") << std::string("solid x\n# c\nfacet\n") << kUnchanged;
    QTest::newRow("SOLID capitals") << std::string("SOLID x\n# c\nfacet\n") << kUnchanged;
    QTest::newRow("Solid initial capital") << std::string("Solid\r\n# c\r\n") << kUnchanged;
    QTest::newRow("iQube exactly") << std::string("iQube scan\n# c\nfacet\n") << kUnchanged;
    QTest::newRow("iqube other case: line 2 decides")
        << std::string("iqube scan\n# c\nfacet x\n") << std::optional<std::string>("iqube scan\r\nfacet x\r\n");
    QTest::newRow("Binary exactly") << std::string("Binary\n#\n") << kUnchanged;
    QTest::newRow("binary lower case") << std::string("binary\n#\nx") << std::optional<std::string>("binary\r\nx\r\n");
    QTest::newRow("three lines") << std::string("head\r\n# comment\r\nfacet normal 0 0 1\r\n")
                                 << std::optional<std::string>("head\r\nfacet normal 0 0 1\r\n");
    QTest::newRow("two lines") << std::string("head\n#comment\n") << std::optional<std::string>("head\r\n");
    QTest::newRow("last line without end, bare CR lines")
        << std::string("head\r#\rfacet\rendfacet") << std::optional<std::string>("head\r\nfacet\r\nendfacet\r\n");
    QTest::newRow("blank before #") << std::string("head\n #\nfacet\n") << kUnchanged;
    QTest::newRow("line 2 without #") << std::string("head\nfacet\n# late\n") << kUnchanged;
    QTest::newRow("one line") << std::string("head") << kUnchanged;
    QTest::newRow("empty") << std::string() << kUnchanged;
    // 84 + 50 x 1 bytes with a count of 1: binary, whatever its header says.
    std::string binary = "scanner\n# calibrated\n";
    binary.resize(80, ' ');
    binary += std::string("\x01\0\0\0", 4) + std::string(50, '\0');
    QTest::newRow("binary size with # on line 2") << binary << kUnchanged;
    // One byte off the binary size is not binary, but its NUL bytes show it
    // is no text either: a line repair would only damage it.
    QTest::newRow("one byte off the binary size, NUL bytes") << binary + "x" << kUnchanged;
    const char jpeg[] = "\xFF\xD8\xFF\xE0\0\x10JFIF\n# not a comment\nfacet\n";
    QTest::newRow("picture with # on line 2") << std::string(jpeg, sizeof jpeg - 1) << kUnchanged;
}

void TestMeshRepair::stlHeadComment()
{
    QFETCH(std::string, input);
    QFETCH(std::optional<std::string>, output);
    QCOMPARE(stlWithoutHeadComment(input), output);

    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "scan.stl";
    writeBytes(path, input);
    QCOMPARE(checkStlFile(path), output ? StlRepairOutcome::CommentRemoved : StlRepairOutcome::Unchanged);
    QCOMPARE(readBytes(path), output.value_or(input));
    QCOMPARE(folderEntries(dir.path().toStdString()), std::vector<std::string>{"scan.stl"});
}

void TestMeshRepair::lineEnds_data()
{
    QTest::addColumn<std::string>("input");
    QTest::addColumn<std::optional<std::string>>("output");
    QTest::newRow("bare LF") << std::string("v 1 2 3\nf 1 1 1\n")
                             << std::optional<std::string>("v 1 2 3\r\nf 1 1 1\r\n");
    QTest::newRow("CR LF") << std::string("v 1 2 3\r\nf 1 1 1\r\n") << kUnchanged;
    QTest::newRow("LF before the first CR LF")
        << std::string("a\nb\r\nc\nd") << std::optional<std::string>("a\r\nb\r\nc\r\nd");
    QTest::newRow("LF only after a CR LF")
        << std::string("a\r\nb\nc\n") << std::optional<std::string>("a\r\nb\r\nc\r\n");
    QTest::newRow("LF first byte, empty lines") << std::string("\n\n") << std::optional<std::string>("\r\n\r\n");
    QTest::newRow("lone CR kept") << std::string("a\rb\n") << std::optional<std::string>("a\rb\r\n");
    QTest::newRow("CR CR LF") << std::string("a\r\r\n") << kUnchanged;
    QTest::newRow("no line end") << std::string("v 1 2 3") << kUnchanged;
    QTest::newRow("empty") << std::string() << kUnchanged;
    // Not text: a picture or UTF-16 given a scan's name keeps its bytes.
    QTest::newRow("NUL bytes") << std::string("a\0\nb", 4) << kUnchanged;
    QTest::newRow("UTF-16 text") << std::string("\xFF\xFEv\0 \0\x31\0\n\0", 10) << kUnchanged;
}

void TestMeshRepair::lineEnds()
{
    QFETCH(std::string, input);
    QFETCH(std::optional<std::string>, output);
    QCOMPARE(withCrLfLineEnds(input), output);
    if (input.empty()) // an empty text may stand on no memory at all
        QCOMPARE(withCrLfLineEnds(std::string_view()), output);

    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "Foot_L.Obj";
    writeBytes(path, input);
    const auto before = std::filesystem::last_write_time(path);
    QCOMPARE(fixLineEnds(path), output.has_value());
    QCOMPARE(readBytes(path), output.value_or(input));
    if (!output)
        QCOMPARE(std::filesystem::last_write_time(path), before); // not even rewritten
    QCOMPARE(folderEntries(dir.path().toStdString()), std::vector<std::string>{"Foot_L.Obj"});
}

void TestMeshRepair::filesAreRewrittenWholeOrNotAtAll()
{
    // A large file with bare LFs throughout: every line end is widened, and
    // nothing of the old bytes is left beyond the new end.
    std::string lf, crlf;
    for (int i = 0; i < 20000; ++i) {
        lf += "v " + std::to_string(i) + " 0 0\n";
        crlf += "v " + std::to_string(i) + " 0 0\r\n";
    }
    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "big.obj";
    writeBytes(path, "v 0 0 0\r\n" + lf);
    QVERIFY(fixLineEnds(path));
    QCOMPARE(readBytes(path), "v 0 0 0\r\n" + crlf);
    QVERIFY(!fixLineEnds(path));
}

void TestMeshRepair::failedRewriteLeavesTheScan()
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const std::filesystem::path obj = folder / "scan.obj", stl = folder / "scan.stl";
    writeBytes(obj, "v 1 2 3\n");
    writeBytes(stl, "head\n# c\nfacet\n");
    // A folder where the temporary file would go makes the write fail.
    std::filesystem::create_directory(folder / "scan.obj.partial~");
    std::filesystem::create_directory(folder / "scan.stl.partial~");

    QVERIFY_THROWS_EXCEPTION(MeshError, fixLineEnds(obj));
    QCOMPARE(readBytes(obj), std::string("v 1 2 3\n"));
    QCOMPARE(checkStlFile(stl), StlRepairOutcome::Failed);
    QCOMPARE(readBytes(stl), std::string("head\n# c\nfacet\n"));
    QCOMPARE(checkStlFile(folder / "absent.stl"), StlRepairOutcome::Failed);
    QVERIFY_THROWS_EXCEPTION(MeshError, fixLineEnds(folder / "absent.obj"));
}

QTEST_APPLESS_MAIN(TestMeshRepair)
#include "tst_mesh_repair.moc"
