#include "lcf_file.h"
#include "mesh_edits.h"
#include "shape_fixtures.h"
#include "undo_ring.h"

#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <optional>

using namespace mesh;
namespace fs = std::filesystem;

namespace {

// State k of a view's model: a box k units long, so every state differs.
Model state(int k)
{
    Model model;
    model.objects.push_back(shapes::box({0, 0, 0}, {10.0 + k, 4, 3}));
    model.objects[0].name = "state " + std::to_string(k);
    return model;
}

// A view: its model and its ring, with an edit that saves first, as the
// menus do.
struct View
{
    explicit View(const fs::path &folder, const char *stem = "UndoL")
        : ring(folder, stem)
    {}
    void load(int k)
    {
        model = state(k);
        ring.startWithScan(model);
    }
    void edit(int k)
    {
        ring.save(model);
        model = state(k);
    }
    // The state number the view shows after "Undo", or -1 for "Nothing Left".
    int undo()
    {
        std::optional<Model> restored = ring.undo();
        if (!restored)
            return -1;
        model = *restored;
        return std::stoi(model.objects[0].name.substr(6));
    }
    UndoRing ring;
    Model model;
};

} // namespace

class TestUndoRing : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace(); // a fresh folder for every test
        QVERIFY(m_dir->isValid());
        m_folder = fs::path(m_dir->path().toStdString());
    }
    void fileNames();
    void twoEditsThenNothingLeft();
    void sixEditsStepBackFiveAndStop();
    void editAfterUndoGoesOnFromThere();
    void newScanClearsTheRing();
    void undoAllReturnsTheLoadedModel();
    void aFailedSaveChangesNothing();
    void aLostSlotFileChangesNothing();
    void closingRemovesEveryFile();
    void smoothAndCleanAreUndoneWithTheEditBefore();

private:
    std::optional<QTemporaryDir> m_dir;
    fs::path m_folder;
};

void TestUndoRing::fileNames()
{
    const UndoRing left(m_folder, "UndoL");
    const UndoRing right(m_folder, "UndoR");
    QCOMPARE(left.slotPath(3), m_folder / "UndoL03.Lcf");
    QCOMPARE(left.slotPath(1), m_folder / "UndoL01.Lcf");
    QCOMPARE(right.slotPath(5), m_folder / "UndoR05.Lcf");
    QCOMPARE(left.initialSnapshotPath(), m_folder / "UndoL.Lcf");
    QCOMPARE(right.initialSnapshotPath(), m_folder / "UndoR.Lcf");
    QCOMPARE(left.depth(), 5);
    QCOMPARE(left.nextSlot(), 1);
    QCOMPARE(left.validSteps(), 0);
    QCOMPARE(UndoRing::kNothingLeftText, "Nothing Left to Undo");
    QCOMPARE(UndoRing::kUndoTitle, "Undo");
}

void TestUndoRing::twoEditsThenNothingLeft()
{
    View view(m_folder);
    view.load(0);
    view.edit(1);
    view.edit(2);
    QCOMPARE(view.undo(), 1);
    QCOMPARE(view.undo(), 0); // as loaded
    // Used up: the ring must not cycle round to the later states 1 and 2.
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(view.undo(), -1);
        QCOMPARE(view.model, state(0));
        QCOMPARE(view.ring.validSteps(), 0);
        QCOMPARE(view.ring.nextSlot(), 1);
    }
}

void TestUndoRing::sixEditsStepBackFiveAndStop()
{
    View view(m_folder);
    view.load(0);
    for (int k = 1; k <= 6; ++k)
        view.edit(k);
    for (int slot = 1; slot <= 5; ++slot)
        QVERIFY(fs::exists(view.ring.slotPath(slot)));
    QCOMPARE(view.ring.nextSlot(), 2); // the sixth edit overwrote slot 01
    QCOMPARE(view.ring.validSteps(), 5);
    QCOMPARE(loadLcfFile(view.ring.slotPath(1)), state(5));
    for (int expected = 5; expected >= 1; --expected)
        QCOMPARE(view.undo(), expected);
    QCOMPARE(view.undo(), -1);
    QCOMPARE(view.model, state(1));
}

void TestUndoRing::editAfterUndoGoesOnFromThere()
{
    View view(m_folder);
    view.load(0);
    view.edit(1);
    view.edit(2);
    view.edit(3);
    QCOMPARE(view.undo(), 2);
    QCOMPARE(view.ring.nextSlot(), 3);
    view.edit(7); // saves state 2 into slot 03 again
    QCOMPARE(view.ring.nextSlot(), 4);
    QCOMPARE(view.undo(), 2);
    QCOMPARE(view.undo(), 1);
    QCOMPARE(view.undo(), 0);
    QCOMPARE(view.undo(), -1);
}

void TestUndoRing::newScanClearsTheRing()
{
    View view(m_folder);
    view.load(0);
    view.edit(1);
    view.edit(2);
    view.load(50); // another client's scan
    QCOMPARE(view.ring.validSteps(), 0);
    QCOMPARE(view.ring.nextSlot(), 1);
    for (int slot = 1; slot <= 5; ++slot)
        QVERIFY(!fs::exists(view.ring.slotPath(slot)));
    QCOMPARE(view.undo(), -1);
    QCOMPARE(view.model, state(50));
    view.edit(51);
    QCOMPARE(view.undo(), 50);
    QCOMPARE(view.undo(), -1);
    // Opening a model file also drops the steps, and keeps the snapshot.
    view.edit(52);
    view.ring.clear();
    QCOMPARE(view.undo(), -1);
    QCOMPARE(view.ring.undoAll(), state(50));
}

void TestUndoRing::undoAllReturnsTheLoadedModel()
{
    View view(m_folder);
    view.load(0);
    view.edit(1);
    view.edit(2);
    QCOMPARE(view.ring.undoAll(), state(0));
    QCOMPARE(view.ring.validSteps(), 2); // "Undo All" leaves the ring's steps
    QCOMPARE(view.ring.nextSlot(), 3);

    UndoRing fresh(m_folder, "UndoR"); // no scan loaded: no snapshot
    try {
        fresh.undoAll();
        QFAIL("Undo All without a snapshot gave a model");
    } catch (const MeshError &e) {
        QVERIFY(QString::fromStdString(e.what()).contains("UndoR.Lcf"));
    }
}

void TestUndoRing::aFailedSaveChangesNothing()
{
    View view(m_folder / "missing folder");
    view.model = state(0);
    QVERIFY_THROWS_EXCEPTION(MeshError, view.ring.save(view.model));
    QCOMPARE(view.ring.nextSlot(), 1);
    QCOMPARE(view.ring.validSteps(), 0);
    QVERIFY_THROWS_EXCEPTION(MeshError, view.ring.startWithScan(state(0)));
}

void TestUndoRing::aLostSlotFileChangesNothing()
{
    View view(m_folder);
    view.load(0);
    view.edit(1);
    view.edit(2);
    fs::remove(view.ring.slotPath(2));
    QVERIFY_THROWS_EXCEPTION(MeshError, view.ring.undo());
    QCOMPARE(view.ring.validSteps(), 2);
    QCOMPARE(view.ring.nextSlot(), 3);
}

void TestUndoRing::closingRemovesEveryFile()
{
    View view(m_folder);
    view.load(0);
    for (int k = 1; k <= 7; ++k)
        view.edit(k);
    fs::path other = m_folder / "UndoR01.Lcf";
    saveLcfFile(state(9), other);
    view.ring.removeFiles();
    for (int slot = 1; slot <= 5; ++slot)
        QVERIFY(!fs::exists(view.ring.slotPath(slot)));
    QVERIFY(!fs::exists(view.ring.initialSnapshotPath()));
    QVERIFY(fs::exists(other)); // the other view's ring is its own
    QCOMPARE(view.ring.validSteps(), 0);
}

void TestUndoRing::smoothAndCleanAreUndoneWithTheEditBefore()
{
    View view(m_folder);
    view.load(0);
    view.model.objects.push_back(shapes::box({0, 0, 0}, {1, 1, 1}));
    const Model beforeMirror = view.model;
    view.ring.save(view.model);
    mirror(*editedMesh(view.model));
    smooth(*editedMesh(view.model)); // no snapshot of its own
    cleanMesh(view.model); // nor this
    std::optional<Model> restored = view.ring.undo();
    QVERIFY(restored);
    QCOMPARE(*restored, beforeMirror);
    QVERIFY(!view.ring.undo());
}

QTEST_GUILESS_MAIN(TestUndoRing)
#include "tst_undo_ring.moc"
