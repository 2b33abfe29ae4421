#include "blocklibrary.h"
#include "drawingstate.h"
#include "testhome.h"

#include <QtTest>

class TestBlockLibrary : public QObject
{
    Q_OBJECT

private slots:
    void readsTheCountedEntries_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("icons");
        QTest::addColumn<QStringList>("labels");

        QTest::newRow("count 3, four entry lines: the fourth is not read")
            << QByteArray(
                   "3,Features\r\nA.Vec,A.Gif,Pad A\r\nB.Vec,B.Gif,Pad B\r\nC.Vec,C.Gif,Pad C\r\nD.Vec,D.Gif,D\r\n")
            << QStringList{"A.Vec", "B.Vec", "C.Vec"} << QStringList{"A.Gif", "B.Gif", "C.Gif"}
            << QStringList{"Pad A", "Pad B", "Pad C"};
        QTest::newRow("no second comma gives an empty label, a third comma ends the label")
            << QByteArray("2\r\nA.Vec,A.Gif\r\nB.Vec,B.Gif,Pad, left side\r\n") << QStringList{"A.Vec", "B.Vec"}
            << QStringList{"A.Gif", "B.Gif"} << QStringList{"", "Pad"};
        QTest::newRow("a line with no comma at all")
            << QByteArray("1,x\nOnly.Vec\n") << QStringList{"Only.Vec"} << QStringList{""} << QStringList{""};
        QTest::newRow("count rounded to even, CR line ends")
            << QByteArray("1.5 entries\rA.Vec,A.Gif,A\rB.Vec,B.Gif,B\r") << QStringList{"A.Vec", "B.Vec"}
            << QStringList{"A.Gif", "B.Gif"} << QStringList{"A", "B"};
        QTest::newRow("Windows-1252 labels")
            << QByteArray("1,x\r\nF.Vec,F.Gif,Fu\xdf polster\r\n") << QStringList{"F.Vec"} << QStringList{"F.Gif"}
            << QStringList{QStringLiteral("Fuß polster")};
        QTest::newRow("shorter than its count: the entries present")
            << QByteArray("5,Features\r\nA.Vec,A.Gif,A\r\nB.Vec,B.Gif,B\r\n") << QStringList{"A.Vec", "B.Vec"}
            << QStringList{"A.Gif", "B.Gif"} << QStringList{"A", "B"};
        QTest::newRow("count 0") << QByteArray("0,Features\r\nA.Vec,A.Gif,A\r\n") << QStringList{} << QStringList{}
                                 << QStringList{};
        QTest::newRow("count below 0") << QByteArray("-2,Features\r\nA.Vec,A.Gif,A\r\n") << QStringList{}
                                       << QStringList{} << QStringList{};
        QTest::newRow("no count") << QByteArray("Features\r\nA.Vec,A.Gif,A\r\n") << QStringList{} << QStringList{}
                                  << QStringList{};
        QTest::newRow("empty file") << QByteArray() << QStringList{} << QStringList{} << QStringList{};
    }

    void readsTheCountedEntries()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, files);
        QFETCH(QStringList, icons);
        QFETCH(QStringList, labels);
        TestHome home;
        home.write(QStringLiteral("Graphics.Lib"), file);
        DrawingState state;
        state.BlockCount = 9;
        state.BlockFiles = QStringList{"old"};
        Read_Block_Library(state);
        QCOMPARE(state.BlockCount, int(files.size()));
        QCOMPARE(state.BlockFiles, files);
        QCOMPARE(state.BlockIcons, icons);
        QCOMPARE(state.BlockLabels, labels);
    }

    void aMissingLibraryGivesNoEntries()
    {
        TestHome home;
        DrawingState state;
        state.BlockCount = 2;
        state.BlockFiles = QStringList{"A.Vec", "B.Vec"};
        Read_Block_Library(state);
        QCOMPARE(state.BlockCount, 0);
        QVERIFY(state.BlockFiles.isEmpty());

        // Found whatever the case of its name.
        home.write(QStringLiteral("GRAPHICS.LIB"), "1\r\nA.Vec,A.Gif,A\r\n");
        Read_Block_Library(state);
        QCOMPARE(state.BlockCount, 1);
    }

    void libraryEntriesStayInTheirFolders()
    {
        TestHome home;
        home.write(QStringLiteral("Blocks/Met_Pad.Vec"), "x");
        home.write(QStringLiteral("Icons/Met_Pad.Gif"), "x");
        home.write(QStringLiteral("Solvane.Cfg"), "x");
        const QString blocks = home.path(QStringLiteral("Blocks"));
        QCOMPARE(Block_File_Path(QStringLiteral("met_pad.vec")), blocks + QStringLiteral("/Met_Pad.Vec"));
        QCOMPARE(Icon_File_Path(QStringLiteral("MET_PAD.GIF")), home.path(QStringLiteral("Icons/Met_Pad.Gif")));
        // Only the last name part counts, whichever separator.
        QCOMPARE(Block_File_Path(QStringLiteral("..\\Solvane.Cfg")), blocks + QStringLiteral("/Solvane.Cfg"));
        QCOMPARE(Block_File_Path(QStringLiteral("../../etc/passwd")), blocks + QStringLiteral("/passwd"));
        QCOMPARE(Block_File_Path(QStringLiteral("C:\\3DEriruvu\\Blocks\\Met_Pad.Vec")),
                 blocks + QStringLiteral("/Met_Pad.Vec"));
        QCOMPARE(Block_File_Path(QStringLiteral("Missing.Vec")), blocks + QStringLiteral("/Missing.Vec"));
        for (const QString &nothing : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/..")})
            QCOMPARE(Block_File_Path(nothing), QString());
    }
};

QTEST_GUILESS_MAIN(TestBlockLibrary)
#include "tst_blocklibrary.moc"
