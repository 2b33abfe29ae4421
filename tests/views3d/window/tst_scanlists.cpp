// The main window's scan choice: folder, location and scan lists.
#include "footfixtures.h"
#include "footviewinterface.h"
#include "scanlistspanel.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

class TestScanLists : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<fixtures::FootViewSetup> m_setup;

    static QStringList texts(const QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

private slots:
    void initTestCase()
    {
        Set_Wait_Skipped(true);
        Set_Status_Sink([this](const QString &text) { m_setup->statuses << text; });
    }
    void init() { m_setup = std::make_unique<fixtures::FootViewSetup>(); }
    void cleanup() { m_setup.reset(); }

    void listsShowScansOfTheFolderInAnyCase()
    {
        const QString folder = m_setup->home.path(QStringLiteral("Data/Clinic"));
        for (const char *name : {"b_L.STL", "a_L.Wrl", "c_R.obj", "notes.txt", "a_L[VRML].Jpg", "x.wrl.bak"})
            fixtures::writeBytes(folder + u'/' + QLatin1String(name), "x");
        QDir().mkpath(folder + QStringLiteral("/Sub.Wrl"));
        ScanListsPanel panel;
        panel.setFolder(folder);
        const QStringList expected = {QStringLiteral("a_L.Wrl"), QStringLiteral("b_L.STL"), QStringLiteral("c_R.obj")};
        QCOMPARE(texts(panel.leftList()), expected);
        QCOMPARE(texts(panel.rightList()), expected);
        QCOMPARE(panel.findChild<QListWidget *>(QStringLiteral("File1")), panel.leftList());
        QVERIFY(panel.findChild<QWidget *>(QStringLiteral("Dir1")));
        QVERIFY(panel.findChild<QWidget *>(QStringLiteral("Drive1")));
        // Browsing changes no job folder.
        QVERIFY(Job().CurrentFolder.isEmpty());

        fixtures::writeBytes(folder + QStringLiteral("/d_R.Wrl"), "x");
        panel.refresh();
        QCOMPARE(panel.rightList()->count(), 4);
    }

    // The lists follow their folder: scans written or deleted by any program
    // show without a click, and the pick stays on its file.
    void listsFollowTheirFolder()
    {
        const QString folder = m_setup->home.path(QStringLiteral("Data/Clinic"));
        for (const char *name : {"b_L.Wrl", "c_L.Wrl"})
            fixtures::writeBytes(folder + u'/' + QLatin1String(name), "x");
        ScanListsPanel panel;
        panel.setFolder(folder);
        panel.leftList()->setCurrentRow(1);

        fixtures::writeBytes(folder + QStringLiteral("/a_L.Stl"), "x");
        QVERIFY(QFile::remove(folder + QStringLiteral("/b_L.Wrl")));

        const QStringList expected = {QStringLiteral("a_L.Stl"), QStringLiteral("c_L.Wrl")};
        QTRY_COMPARE(texts(panel.leftList()), expected);
        QCOMPARE(texts(panel.rightList()), expected);
        QCOMPARE(panel.leftList()->currentItem()->text(), QStringLiteral("c_L.Wrl"));
    }

    void pickingAScanSetsNamesStatusAndCaption()
    {
        const QString folder = m_setup->home.path(QStringLiteral("Data/Clinic"));
        fixtures::writeBytes(folder + QStringLiteral("/Doe_Jo_R.Wrl"), "x");
        QWidget main;
        auto *panel = new ScanListsPanel(&main);
        panel->setFolder(folder);
        panel->rightList()->setCurrentRow(0);

        const QString path = folder + QStringLiteral("/Doe_Jo_R.Wrl");
        QCOMPARE(Job().CurrentFolder, folder);
        QCOMPARE(Job().RightSelectedScanFile, path);
        QCOMPARE(Job().RightScanFileName, QStringLiteral("Doe_Jo_R.Wrl"));
        QCOMPARE(Job().LeftScanFileName, QStringLiteral("None"));
        QVERIFY(QRegularExpression(QStringLiteral("^File Creation Date: \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                    .match(m_setup->statuses.last())
                    .hasMatch());
        QCOMPARE(main.windowTitle(), QStringLiteral("Scan File: ") + QDir::toNativeSeparators(path));
        QVERIFY(!Windows().isLoaded(QStringLiteral("Form2")));
    }

    void activatingAndSelectLoadTheFoot()
    {
        const QString folder = m_setup->home.path(QStringLiteral("Data/Clinic"));
        fixtures::writeStl(folder + QStringLiteral("/Doe_Jo_L.Stl"));
        fixtures::writeStl(folder + QStringLiteral("/Doe_Jo_R.Stl"), samples::Foot::Right);
        ScanListsPanel panel;
        panel.setFolder(folder);

        emit panel.leftList()->itemActivated(panel.leftList()->item(0));
        QVERIFY(m_setup->statuses.contains(QStringLiteral("Loading Scan Data")));
        QVERIFY(Windows().isLoaded(QStringLiteral("Form1")));
        QCOMPARE(Job().LeftScanFile, folder + QStringLiteral("/Doe_Jo_L.Stl"));

        panel.rightList()->setCurrentRow(1);
        QVERIFY(!Windows().isLoaded(QStringLiteral("Form2")));
        panel.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
        QVERIFY(Windows().isLoaded(QStringLiteral("Form2")));
        QCOMPARE(Job().RightScanFile, folder + QStringLiteral("/Doe_Jo_R.Stl"));
        QCOMPARE(panel.findChild<QPushButton *>(QStringLiteral("Command2"))->accessibleName(),
                 QStringLiteral("Select Left Foot"));
        QVERIFY(m_setup->ui->calls.isEmpty());
    }

    // A new job forgets the scan names while the lists still show the last
    // pick: clicking that scan again must pick it, or "Select" does nothing.
    void clickingTheShownPickAfterANewJobPicksItAgain()
    {
        const QString folder = m_setup->home.path(QStringLiteral("Data/Clinic"));
        fixtures::writeStl(folder + QStringLiteral("/Doe_Jo_R.Stl"), samples::Foot::Right);
        ScanListsPanel panel;
        panel.setFolder(folder);
        panel.resize(900, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QListWidget *list = panel.rightList();
        list->setCurrentRow(0);
        QCOMPARE(Job().RightScanFileName, QStringLiteral("Doe_Jo_R.Stl"));

        Job().RightScanFileName = QStringLiteral("None");
        m_setup->statuses.clear();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(Job().RightScanFileName, QStringLiteral("Doe_Jo_R.Stl"));
        QVERIFY(!m_setup->statuses.isEmpty()
                && m_setup->statuses.last().startsWith(QStringLiteral("File Creation Date: ")));

        panel.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
        QVERIFY(Windows().isLoaded(QStringLiteral("Form2")));
        QCOMPARE(Job().RightScanFile, folder + QStringLiteral("/Doe_Jo_R.Stl"));
    }
};

QTEST_MAIN(TestScanLists)
#include "tst_scanlists.moc"
