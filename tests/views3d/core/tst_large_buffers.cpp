// Large buffers asked into huge pages keep every byte they held, and so do
// the bytes around them that belong to others: the advice and the handing
// over of memory change where the memory comes from, never what it holds.
#include "large_buffers.h"
#include "parallel.h"

#include <QtTest>

#include <cstdint>
#include <cstring>

using namespace mesh;

namespace {

constexpr std::size_t kHuge = std::size_t(2) << 20;

// A pattern no two nearby bytes share.
std::uint8_t patternAt(std::size_t i)
{
    return static_cast<std::uint8_t>((i * 2654435761u) >> 13);
}

void fill(std::uint8_t *data, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        data[i] = patternAt(i);
}

bool holdsPattern(const std::uint8_t *data, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        if (data[i] != patternAt(i))
            return false;
    return true;
}

} // namespace

class TestLargeBuffers : public QObject
{
    Q_OBJECT
private slots:
    void wholeBlocks_data();
    void wholeBlocks();
    void populatingKeepsEveryByte_data();
    void populatingKeepsEveryByte();
    void vectorInHugePagesKeepsItsContents();
};

void TestLargeBuffers::wholeBlocks_data()
{
    QTest::addColumn<qulonglong>("bytes");
    QTest::addColumn<bool>("whole"); // the block is whole huge pages
    QTest::newRow("small") << qulonglong(1000) << false;
    QTest::newRow("just under a huge page") << qulonglong(kHuge - 40000) << false;
    QTest::newRow("a huge page and a bit") << qulonglong(kHuge + 100000) << true;
    QTest::newRow("a few huge pages and a bit") << qulonglong(6 * kHuge + 12345) << true;
    QTest::newRow("exactly the allocator's whole pages") << qulonglong(6 * kHuge - 32) << true;
    QTest::newRow("one byte over them") << qulonglong(6 * kHuge - 31) << true;
}

// Asked a few bytes under whole huge pages, the allocator's block, header
// included, is whole huge pages; never less than was asked for.
void TestLargeBuffers::wholeBlocks()
{
    QFETCH(qulonglong, bytes);
    QFETCH(bool, whole);
    const std::size_t asked = wholeHugePageBytes(bytes);
    QVERIFY(asked >= bytes);
    QCOMPARE((asked + 32) % kHuge == 0, whole);
    if (whole)
        QVERIFY(asked - bytes < kHuge);
    else
        QCOMPARE(asked, std::size_t(bytes));
}

void TestLargeBuffers::populatingKeepsEveryByte_data()
{
    QTest::addColumn<qulonglong>("offset"); // of the range in a huge page aligned block
    QTest::addColumn<qulonglong>("bytes");
    // Starting just after a huge page boundary, as an allocator's block
    // does: that huge page is rebuilt around the bytes before the range.
    QTest::newRow("after a header, ending inside a huge page") << qulonglong(16) << qulonglong(3 * kHuge + 5000);
    QTest::newRow("after a header, ending just before a boundary") << qulonglong(16) << qulonglong(3 * kHuge - 48);
    QTest::newRow("inside huge pages at both ends") << qulonglong(777) << qulonglong(2 * kHuge + 999);
    QTest::newRow("on boundaries") << qulonglong(0) << qulonglong(2 * kHuge);
    QTest::newRow("less than a huge page") << qulonglong(16) << qulonglong(300000);
}

// Filled before and around, then handed over on several cores: the range and
// the bytes beside it hold what they held.
void TestLargeBuffers::populatingKeepsEveryByte()
{
    QFETCH(qulonglong, offset);
    QFETCH(qulonglong, bytes);
    const std::size_t total = offset + bytes + 2 * kHuge;
    LargeArray<std::uint8_t> block = makeLargeArray<std::uint8_t>(total);
    fill(block.get(), total);
    const ScopedParallelism sharing({4, 1});
    populateLarge({{block.get() + offset, bytes}});
    QVERIFY(holdsPattern(block.get(), total));
}

// As the readers use it: a vector reserved whole in huge pages, partly
// filled, handed over, filled to the end, grown and freed with the
// allocator's own bytes beside it intact.
void TestLargeBuffers::vectorInHugePagesKeepsItsContents()
{
    const std::size_t count = (12 << 20) / sizeof(std::uint32_t) - 100;
    std::vector<std::uint32_t> v;
    reserveInHugePages(v, count);
    QVERIFY(v.capacity() >= count);
    v.resize(count / 2);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<std::uint32_t>(i * 2654435761u);
    populateLarge({{v.data(), count * sizeof(std::uint32_t)}});
    v.resize(count);
    for (std::size_t i = count / 2; i < count; ++i)
        v[i] = static_cast<std::uint32_t>(i * 2654435761u);
    v.push_back(7);
    v.resize(2 * count); // moves into a new block, freeing the first
    for (std::size_t i = 0; i < count; ++i)
        QCOMPARE(v[i], static_cast<std::uint32_t>(i * 2654435761u));
    QCOMPARE(v[count], 7u);
    std::vector<std::uint32_t>().swap(v);
    std::vector<char> after(kHuge, 'x'); // the allocator still serves large blocks
    QCOMPARE(after.back(), 'x');
}

QTEST_APPLESS_MAIN(TestLargeBuffers)
#include "tst_large_buffers.moc"
