#include "connectionguard.h"
#include "rfft/RealFFT"

#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

typedef std::vector<double> Block;

const double pi = 3.141592653589793;

// Seeded, so that a failure repeats. 'w' spreads the magnitudes over many binades, so that any
// other order of evaluation rounds differently; 'z' gives ±1 and zeros of both signs, whose
// result signs depend on that order too.
Block randomBlock(int n, unsigned seed, char kind)
{
    std::mt19937_64 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    Block x(n);
    for (double &v : x) {
        const int pick = static_cast<int>(gen() % 81);
        v = kind == 'w'   ? std::ldexp(dist(gen), pick - 40)
            : kind == 'z' ? std::copysign(pick < 16 ? 1.0 : 0.0, pick % 2 - 0.5)
                          : dist(gen);
    }
    return x;
}

// The passes one after the other in plain scalar code, every cosine straight from its
// definition: what any faster evaluation has to reproduce bit for bit. N >= 4.
Block plainPasses(const Block &x)
{
    const int n = static_cast<int>(x.size()), bits = qCountTrailingZeroBits(unsigned(n));
    std::vector<int> rev(n);
    for (int c = 0; c < n; ++c)
        for (int k = 0; k < bits; ++k)
            rev[c] |= ((c >> k) & 1) << (bits - 1 - k);
    Block a(n), b(n);
    for (int i = 0; i < n; i += 4) {
        const double y0 = x[rev[i]], y1 = x[rev[i + 1]], y2 = x[rev[i + 2]], y3 = x[rev[i + 3]];
        b[i + 1] = y0 - y1;
        b[i + 3] = y2 - y3;
        b[i] = (y0 + y1) + (y2 + y3);
        b[i + 2] = (y0 + y1) - (y2 + y3);
    }
    for (int p = 2; p < bits; ++p) {
        std::swap(a, b);
        const int len = 1 << p, h = len / 2;
        // Past 2^12 the angles come from a rotator stepping by the first one.
        const double step = 1.5707963267948966 / std::ldexp(1.0, p - 1);
        for (int blk = 0; blk < n; blk += 2 * len) {
            const double *s = &a[blk];
            double *d = &b[blk];
            d[0] = s[0] + s[len];
            d[len] = s[0] - s[len];
            d[h] = s[h];
            d[len + h] = s[len + h];
            double c = 1.0, sn = 0.0;
            for (int i = 1; i < h; ++i) {
                if (p <= 12) {
                    c = std::cos(i * (pi / (2 * h)));
                    sn = std::cos((h - i) * (pi / (2 * h)));
                } else {
                    const double next = c * std::cos(step) - sn * std::sin(step);
                    sn = std::sin(step) * c + std::cos(step) * sn;
                    c = next;
                }
                // Pass 2 has the one cosine cos(π/4) = sin(π/4) and factors it out.
                const double v1 = p == 2 ? (s[5] - s[7]) * c : s[len + i] * c - s[len + h + i] * sn;
                const double v2 = p == 2 ? (s[5] + s[7]) * c : s[len + i] * sn + s[len + h + i] * c;
                d[i] = s[i] + v1;
                d[len - i] = s[i] - v1;
                d[len + i] = v2 + s[h + i];
                d[2 * len - i] = v2 - s[h + i];
            }
        }
    }
    return b;
}

// The child process of preconditions() makes the call named in this variable, which must stop
// it. Runs before main, so the tests themselves never start in the child.
const char *const breakVariable = "TST_REALFFT_BREAK";

int runBrokenCallIfAsked()
{
    const QByteArray call = qgetenv(breakVariable);
    if (call.isEmpty())
        return 0;
    Block f(8);
    rfft::RealFFT<double> fft(8);
    if (call == "x is f")
        fft.forward_fft(f.data(), f.data());
    else if (call == "length 12")
        rfft::RealFFT<double> bad(12);
    else if (call == "index past the end")
        fft.rev_table()[8];
    std::_Exit(0);
}

[[maybe_unused]] const int brokenCall = runBrokenCallIfAsked();

} // namespace

class tst_RealFFT : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void transform_data();
    void transform();
    void tables_data();
    void tables();
    void preconditions_data();
    void preconditions();
};

void tst_RealFFT::transform_data()
{
    QTest::addColumn<Block>("x");
    QTest::addColumn<Block>("exact"); // where known
    QTest::newRow("N=1") << Block { -2.5 } << Block { -2.5 };
    QTest::newRow("N=2") << Block { 3, 5 } << Block { 8, -2 };
    QTest::newRow("N=4") << Block { 1, 10, 100, 1000 } << Block { 1111, -99, -909, -990 };
    QTest::newRow("cosine") << Block { 1, 0, -1, 0, 1, 0, -1, 0 }
                            << Block { 0, 0, 4, 0, 0, 0, 0, 0 };
    QTest::newRow("sine") << Block { 0, 1, 0, -1, 0, 1, 0, -1 } << Block { 0, 0, 0, 0, 0, 0, 4, 0 };
    // Up to 2^16, so that rotator passes also run before the last one.
    for (char kind : { 'r', 'w', 'z' })
        for (int bits = 0; bits <= 16; ++bits)
            QTest::addRow("%c, N=%d", kind, 1 << bits)
                << randomBlock(1 << bits, bits, kind) << Block();
}

void tst_RealFFT::transform()
{
    QFETCH(Block, x);
    QFETCH(Block, exact);
    const int n = static_cast<int>(x.size());
    Block f(n);
    rfft::RealFFT<double>(n).forward_fft(f.data(), x.data());
    if (!exact.empty())
        QCOMPARE(f, exact);
    if (n >= 4)
        QVERIFY(std::memcmp(f.data(), plainPasses(x).data(), n * sizeof(double)) == 0);
    if (n > 16384)
        return;
    // Against the sums taken directly in long double, with j·m reduced modulo N exactly.
    std::vector<long double> c(n), s(n);
    for (int k = 0; k < n; ++k) {
        c[k] = std::cos(6.283185307179586476925286766559L * k / n);
        s[k] = std::sin(6.283185307179586476925286766559L * k / n);
    }
    long double worst = 0, sum = 0;
    for (int j = 0; j <= n / 2; ++j) {
        long double re = 0, im = 0;
        for (int m = 0, k = 0; m < n; ++m, k = (k + j) & (n - 1)) {
            re += x[m] * c[k];
            im += x[m] * s[k];
        }
        worst = std::max(worst, std::fabs(f[j] - re));
        if (j > 0 && j < n / 2)
            worst = std::max(worst, std::fabs(f[n / 2 + j] - im));
    }
    for (double v : x)
        sum += std::fabs(v);
    QVERIFY2(worst <= 1e-13 * sum, qPrintable(QString::number(double(worst / sum))));
}

void tst_RealFFT::tables_data()
{
    // N, bits, sizes of the bit-reversal, cosine and rotator tables, then any bit reversals
    QTest::addColumn<QVector<int>>("expected");
    QTest::newRow("N=8") << QVector<int> { 8, 3, 8, 0, 0, 0, 4, 2, 6, 1, 5, 3, 7 };
    QTest::newRow("N=1024") << QVector<int> { 1024, 10, 1024, 508, 0 };
    QTest::newRow("N=16384") << QVector<int> { 16384, 14, 16384, 8188, 2 };
}

void tst_RealFFT::tables()
{
    QFETCH(QVector<int>, expected);
    const rfft::RealFFT<double> fft(expected[0]);
    QVector<int> got { fft.get_length(), fft.get_nbr_bits(), fft.rev_table().size(),
                       fft.cos_table().size(), fft.osc_table().size() };
    for (int c = 0; got.size() < expected.size(); ++c)
        got << fft.rev_table()[c];
    QCOMPARE(got, expected);
}

void tst_RealFFT::preconditions_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("file");
    const char *rows[][3] = { { "x is f", "x != f", "rfft/RealFFT" },
                              { "length 12", "is_pow2 (length)", "rfft/RealFFT" },
                              { "index past the end", "pos < _len", "rfft/DynArray" } };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
}

void tst_RealFFT::preconditions()
{
    QFETCH(QString, expression);
    QFETCH(QString, file);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(breakVariable, QTest::currentDataTag());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(10000));
    QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(err.contains(file + ":") && err.endsWith(": " + expression + "\n"), qPrintable(err));
}

QTEST_MAIN(tst_RealFFT)
#include "tst_realfft.moc"
