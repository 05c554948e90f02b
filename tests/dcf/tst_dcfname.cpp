// Section and key names come from files that anybody can write: names made to collide must not
// turn the hash tables of a document into lists.

#include "dcfname_p.h"
#include "testutil.h"

#include <QtTest>

namespace {

int s_comparisons = 0;

struct CountedName
{
    DcfName name;
};

bool operator==(const CountedName &a, const CountedName &b)
{
    ++s_comparisons;
    return a.name == b.name;
}

uint qHash(const CountedName &counted, uint seed)
{
    return qHash(counted.name, seed);
}

} // namespace

class TestDcfName : public QObject
{
    Q_OBJECT

private slots:
    void collidingPiecesStayApart_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("31 * h + c meets with b[ and az") << qs("b[") << qs("az");
        // CRC-32C is linear: pieces of one length that meet do so whatever the start value.
        QTest::newRow("Qt's CRC-32C string hash meets with roya77 and qidrbo")
            << qs("roya77") << qs("qidrbo");
    }
    void collidingPiecesStayApart()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        // Every mix of ten such pieces meets every other one under such a hash, and filling a
        // table with them costs n * n / 2 comparisons of whole names.
        constexpr int Names = 1 << 10;
        QHash<CountedName, int> table;
        s_comparisons = 0;
        for (int mix = 0; mix < Names; ++mix) {
            QString name;
            for (int piece = 0; piece < 10; ++piece)
                name += (mix >> piece & 1) ? a : b;
            table.insert(CountedName{DcfName{name.toUpper()}}, mix);
            QCOMPARE(table.value(CountedName{DcfName{name}}, -1), mix); // found in any case
        }
        QVERIFY2(s_comparisons < 2 * Names, qPrintable(QString::number(s_comparisons)));
    }
};

QTEST_GUILESS_MAIN(TestDcfName)
#include "tst_dcfname.moc"
