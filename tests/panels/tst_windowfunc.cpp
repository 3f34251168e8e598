#include "connectionguard.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

using Edges = QVector<double>;

namespace {

const double inf = std::numeric_limits<double>::infinity();
const Edges initialEdges { 3, 4, 15, 16 };

// The plot the handles are dragged on: 50 pixels per unit k from k = 0 at the left edge, y = 0
// at pixel row 110, so whole-numbered edges sit on exact pixels and pick distances are exact.
const int zeroRow = 110;

QString fieldTexts(const WindowFunc &w)
{
    QStringList texts;
    for (const char *name : { "Pos1", "Pos2", "Pos3", "Pos4" })
        texts << w.findChild<QLineEdit *>(name)->text();
    return texts.join(' ');
}

Edges edgesOf(const QString &texts)
{
    Edges edges;
    for (const QString &t : texts.split(' '))
        edges << t.toDouble();
    return edges;
}

// Moves every edge out of the way first, so the targets (ascending) land in their own slots.
void setEdges(WindowFunc &w, const Edges &edges)
{
    for (int i = 3; i >= 0; --i)
        w.setPos(i, 1e6 + i);
    for (int i = 0; i < 4; ++i)
        w.setPos(i, edges[i]);
}

bool sameEdges(const Edges &a, const Edges &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (!(std::abs(a[i] - b[i]) <= 1e-9 * std::max(1.0, std::abs(b[i]))))
            return false;
    }
    return true;
}

QByteArray describe(const Edges &edges)
{
    QStringList parts;
    for (double e : edges)
        parts << QString::number(e, 'g', 17);
    return parts.join(", ").toUtf8();
}

#define COMPARE_EDGES(actual, expected) \
    QVERIFY2(sameEdges(actual, expected), \
             ("edges " + describe(actual) + ", expected " + describe(expected)).constData())

// A window-function panel bound to a shown drawing surface, as the main window binds it.
struct Bench
{
    Bench()
    {
        area.resize(900, 2 * zeroRow);
        area.coord.setDeviceRect(0, 2 * zeroRow, 900, 0);
        area.coord.setRange(0, -1, 18, 1);
        panel.mouse = &area.mouseRelay;
        panel.coord = &area.coord;
        QObject::connect(&area.mouseRelay, SIGNAL(mPressed()), &panel, SLOT(mPressed()));
        QObject::connect(&area.mouseRelay, SIGNAL(mMoved()), &panel, SLOT(mMoved()));
        QObject::connect(&area.mouseRelay, SIGNAL(mReleased()), &panel, SLOT(mReleased()));
        area.show();
    }

    // QTest::mouseMove carries no buttons, so the moves are built here.
    void moveTo(int x, Qt::MouseButtons buttons)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, zeroRow), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(&area, &move);
    }

    DispArea area;
    WindowFunc panel;
};

} // namespace

class tst_WindowFunc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void windowValue_data();
    void windowValue();
    void setPos_data();
    void setPos();
    void staleFactor();
    void typedInput_data();
    void typedInput();
    void pick_data();
    void pick();
    void drag_data();
    void drag();
};

void tst_WindowFunc::windowValue_data()
{
    QTest::addColumn<Edges>("edges");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("expected");

    const double quarter = 0.5 * (1 - std::cos(3.1415926535 / 4)); // a quarter into a taper
    const Edges e = initialEdges;
    QTest::newRow("below") << e << 2.9 << 0.0;
    QTest::newRow("at the first edge") << e << 3.0 << 0.0;
    QTest::newRow("quarter up") << e << 3.25 << quarter;
    QTest::newRow("half up") << e << 3.5 << 0.5;
    QTest::newRow("at the second edge") << e << 4.0 << 1.0;
    QTest::newRow("at the third edge") << e << 15.0 << 1.0;
    QTest::newRow("half down") << e << 15.5 << 0.5;
    QTest::newRow("three quarters down") << e << 15.75 << quarter;
    QTest::newRow("at the last edge") << e << 16.0 << 0.0;
    QTest::newRow("above") << e << 20.0 << 0.0;
    QTest::newRow("shared rise edge") << Edges { 3, 3, 15, 16 } << 3.0 << 1.0;
    QTest::newRow("below a shared rise edge") << Edges { 3, 3, 15, 16 } << 2.999 << 0.0;
    QTest::newRow("shared fall edge") << Edges { 3, 4, 15, 15 } << 15.0 << 0.0;
    QTest::newRow("below a shared fall edge") << Edges { 3, 4, 15, 15 } << 14.999 << 1.0;
    QTest::newRow("all edges shared") << Edges { 5, 5, 5, 5 } << 5.0 << 0.0;
    QTest::newRow("wide rise") << Edges { -1e300, 0, 1, 1e300 } << -5e299 << 0.5;
    QTest::newRow("wide fall") << Edges { -1e300, 0, 1, 1e300 } << 5e299 << 0.5;
    // So narrow that pi over the width overflows: its only sample must not become NaN.
    QTest::newRow("narrowest rise") << Edges { 0, 5e-324, 1, 2 } << 0.0 << 0.0;
    QTest::newRow("narrowest fall") << Edges { -2, -1, 0, 5e-324 } << 0.0 << 1.0;
}

void tst_WindowFunc::windowValue()
{
    QFETCH(Edges, edges);
    QFETCH(double, k);
    QFETCH(double, expected);

    WindowFunc w;
    setEdges(w, edges);
    COMPARE_EDGES(w.positions, edges);
    const double value = w.windowValue(k);
    QVERIFY2(std::abs(value - expected) <= 1e-9,
             qPrintable(QString("W(%1) = %2").arg(k).arg(value, 0, 'g', 17)));
}

void tst_WindowFunc::setPos_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<int>("emitted");

    QTest::newRow("stays in its slot") << 1 << 5.0 << "3 5 15 16" << 1;
    QTest::newRow("sorted to the front") << 3 << 1.0 << "1 3 4 15" << 1;
    QTest::newRow("sorted to the back") << 0 << 20.0 << "4 15 16 20" << 1;
    QTest::newRow("sorted between") << 0 << 10.0 << "4 10 15 16" << 1;
    QTest::newRow("negative") << 0 << -2.5 << "-2.5 4 15 16" << 1;
    QTest::newRow("fraction") << 1 << 12.25 << "3 12.25 15 16" << 1;
    QTest::newRow("huge") << 3 << 1e300 << "3 4 15 1e+300" << 1;
    QTest::newRow("unchanged") << 2 << 15.0 << "3 4 15 16" << 0;
    QTest::newRow("index below") << -1 << 1.0 << "3 4 15 16" << 0;
    QTest::newRow("index above") << 4 << 1.0 << "3 4 15 16" << 0;
    QTest::newRow("nan") << 1 << std::nan("") << "3 4 15 16" << 0;
    QTest::newRow("+inf") << 3 << inf << "3 4 15 16" << 0;
    QTest::newRow("-inf") << 0 << -inf << "3 4 15 16" << 0;
}

void tst_WindowFunc::setPos()
{
    QFETCH(int, index);
    QFETCH(double, value);
    QFETCH(QString, texts);
    QFETCH(int, emitted);

    WindowFunc w;
    QCOMPARE(fieldTexts(w), QString("3 4 15 16"));
    QSignalSpy updated(&w, SIGNAL(updated()));
    w.setPos(index, value);
    COMPARE_EDGES(w.positions, edgesOf(texts));
    QCOMPARE(fieldTexts(w), texts);
    QCOMPARE(updated.count(), emitted);
}

void tst_WindowFunc::staleFactor()
{
    // A collapsed edge keeps the factor of its last width; the next real width replaces it.
    WindowFunc w;
    QCOMPARE(w.riseFactor, 3.1415926535);
    w.setPos(1, 5.0);
    QCOMPARE(w.riseFactor, 3.1415926535 / 2);
    w.setPos(1, 3.0);
    QCOMPARE(w.riseFactor, 3.1415926535 / 2);
    QCOMPARE(w.windowValue(3.0), 1.0);
    w.setPos(1, 3.5);
    QCOMPARE(w.riseFactor, 2 * 3.1415926535);
    // The field shows six digits, the edge keeps them all.
    w.setPos(1, 3.14159265);
    QCOMPARE(fieldTexts(w), QString("3 3.14159 15 16"));
    QCOMPARE(w.positions[1], 3.14159265);
}

void tst_WindowFunc::typedInput_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<int>("emitted");

    const QString pos2 = "Pos2";
    QTest::newRow("past the others") << QString("Pos1") << "20"
                                     << "4 15 16 20" << 1;
    QTest::newRow("within its slot") << QString("Pos3") << "12.25"
                                     << "3 4 12.25 16" << 1;
    QTest::newRow("surrounding blanks") << pos2 << " 5 "
                                        << "3 5 15 16" << 1;
    QTest::newRow("huge") << QString("Pos4") << "1e300"
                          << "3 4 15 1e+300" << 1;
    for (const char *garbage : { "abc", "4,5", "", "nan", "inf", "-inf", "1e999" })
        QTest::addRow("garbage '%s'", garbage) << pos2 << garbage << "0 3 15 16" << 1;
    QTest::newRow("same value, other spelling") << QString("Pos1") << "3.0"
                                                << "3.0 4 15 16" << 0;
    QTest::newRow("same value") << QString("Pos4") << "16"
                                << "3 4 15 16" << 0;
}

void tst_WindowFunc::typedInput()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, texts);
    QFETCH(int, emitted);

    WindowFunc w;
    QSignalSpy updated(&w, SIGNAL(updated()));
    auto *edit = w.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, typed);
    QCOMPARE(updated.count(), 0);
    QTest::keyClick(edit, Qt::Key_Return);

    COMPARE_EDGES(w.positions, edgesOf(texts));
    QCOMPARE(fieldTexts(w), texts);
    QCOMPARE(updated.count(), emitted);
}

void tst_WindowFunc::pick_data()
{
    QTest::addColumn<double>("secondEdge");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("picked");

    // The handles sit at x = 150, 50 * secondEdge, 750 and 800.
    const int left = Qt::LeftButton;
    const int y = zeroRow;
    QTest::newRow("on the handle") << 4.0 << QPoint(150, y) << left << 0;
    QTest::newRow("9 right") << 4.0 << QPoint(159, y) << left << 0;
    QTest::newRow("9 left") << 4.0 << QPoint(141, y) << left << 0;
    QTest::newRow("9 above") << 4.0 << QPoint(150, y - 9) << left << 0;
    QTest::newRow("10 right") << 4.0 << QPoint(160, y) << left << -1;
    QTest::newRow("10 below") << 4.0 << QPoint(150, y + 10) << left << -1;
    QTest::newRow("6, 8 away is 10") << 4.0 << QPoint(156, y + 8) << left << -1;
    QTest::newRow("6, 7 away") << 4.0 << QPoint(156, y + 7) << left << 0;
    QTest::newRow("last handle") << 4.0 << QPoint(800, y - 5) << left << 3;
    QTest::newRow("far from all") << 4.0 << QPoint(500, y) << left << -1;
    QTest::newRow("any button") << 4.0 << QPoint(200, y) << int(Qt::RightButton) << 1;
    QTest::newRow("nearer is lower") << 3.2 << QPoint(154, y) << left << 0;
    QTest::newRow("nearer is higher") << 3.2 << QPoint(156, y) << left << 1;
    QTest::newRow("tie") << 3.2 << QPoint(155, y) << left << 0;
    QTest::newRow("coincident") << 3.0 << QPoint(150, y) << left << 0;
}

void tst_WindowFunc::pick()
{
    QFETCH(double, secondEdge);
    QFETCH(QPoint, press);
    QFETCH(int, button);
    QFETCH(int, picked);

    Bench bench;
    bench.panel.setPos(1, secondEdge);
    QTest::mousePress(&bench.area, Qt::MouseButton(button), Qt::NoModifier, press);
    QCOMPARE(bench.panel.picked, picked);
    QCOMPARE(bench.panel.dragging, picked != -1);

    QTest::mouseRelease(&bench.area, Qt::MouseButton(button), Qt::NoModifier, press);
    QCOMPARE(bench.panel.picked, -1);
    QVERIFY(!bench.panel.dragging);
}

void tst_WindowFunc::drag_data()
{
    QTest::addColumn<int>("press");
    QTest::addColumn<QVector<int>>("moves");
    QTest::addColumn<Edges>("edges");
    QTest::addColumn<int>("emitted");

    using Moves = QVector<int>;
    QTest::newRow("between its neighbours") << 200 << Moves { 250 } << Edges { 3, 5, 15, 16 } << 1;
    QTest::newRow("carries the edge it crosses")
        << 200 << Moves { 775, 780 } << Edges { 3, 15.5, 15.6, 16 } << 2;
    QTest::newRow("carried edge dragged back")
        << 200 << Moves { 775, 780, 700 } << Edges { 3, 14, 15.6, 16 } << 3;
    QTest::newRow("first edge past all")
        << 150 << Moves { 850, 875 } << Edges { 15, 16, 17, 17.5 } << 2;
    QTest::newRow("same pixel twice") << 200 << Moves { 250, 250 } << Edges { 3, 5, 15, 16 } << 1;
    QTest::newRow("press without moving") << 200 << Moves {} << initialEdges << 0;
    QTest::newRow("press out of reach") << 500 << Moves { 600, 650 } << initialEdges << 0;
}

void tst_WindowFunc::drag()
{
    QFETCH(int, press);
    QFETCH(QVector<int>, moves);
    QFETCH(Edges, edges);
    QFETCH(int, emitted);

    Bench bench;
    QSignalSpy updated(&bench.panel, SIGNAL(updated()));
    bench.moveTo(press, Qt::NoButton); // hovering changes nothing
    QTest::mousePress(&bench.area, Qt::LeftButton, Qt::NoModifier, QPoint(press, zeroRow));
    for (int x : moves)
        bench.moveTo(x, Qt::LeftButton);
    COMPARE_EDGES(bench.panel.positions, edges);
    QCOMPARE(updated.count(), emitted);

    const int last = moves.isEmpty() ? press : moves.last();
    QTest::mouseRelease(&bench.area, Qt::LeftButton, Qt::NoModifier, QPoint(last, zeroRow));
    bench.moveTo(50, Qt::NoButton);
    COMPARE_EDGES(bench.panel.positions, edges);
    QCOMPARE(updated.count(), emitted);
}

QTEST_MAIN(tst_WindowFunc)
#include "tst_windowfunc.moc"
