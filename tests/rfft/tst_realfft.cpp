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
const long double twoPi = 6.283185307179586476925286766559L;

Block transform(const Block &x)
{
    rfft::RealFFT<double> fft(static_cast<int>(x.size()));
    Block f(x.size());
    fft.forward_fft(f.data(), x.data());
    return f;
}

// Seeded, so that a failure repeats.
Block randomBlock(int n, unsigned seed)
{
    std::mt19937_64 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    Block x(n);
    for (double &v : x)
        v = dist(gen);
    return x;
}

// Magnitudes over many binades: rounding then differs between any two orders of evaluation.
Block wideBlock(int n, unsigned seed)
{
    std::mt19937_64 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-40, 40);
    Block x(n);
    for (double &v : x)
        v = std::ldexp(dist(gen), exponent(gen));
    return x;
}

// Mostly zeros of both signs: the sign of a zero result depends on the order of the operations.
Block zerosBlock(int n, unsigned seed)
{
    std::mt19937_64 gen(seed);
    std::uniform_int_distribution<int> pick(0, 9);
    Block x(n);
    for (double &v : x) {
        const int k = pick(gen);
        v = k == 0 ? 1.0 : k == 1 ? -1.0 : k < 6 ? 0.0 : -0.0;
    }
    return x;
}

// The half-complex DFT summed directly in long double; j·m is reduced modulo n exactly.
std::vector<long double> directDft(const Block &x)
{
    const int n = static_cast<int>(x.size());
    std::vector<long double> c(n), s(n);
    for (int k = 0; k < n; ++k) {
        c[k] = std::cos(twoPi * k / n);
        s[k] = std::sin(twoPi * k / n);
    }
    std::vector<long double> f(n);
    // Raw pointers keep the N^2 loop quick in unoptimised builds too.
    const double *xp = x.data();
    const long double *cp = c.data();
    const long double *sp = s.data();
    for (int j = 0; j <= n / 2; ++j) {
        long double re = 0;
        long double im = 0;
        int k = 0;
        for (int m = 0; m < n; ++m) {
            re += xp[m] * cp[k];
            im += xp[m] * sp[k];
            k += j;
            if (k >= n)
                k -= n;
        }
        f[j] = re;
        if (j > 0 && j < n / 2)
            f[n / 2 + j] = im;
    }
    return f;
}

// Largest deviation from the exact transform, relative to the sum of |x|.
double relativeError(const Block &x, const Block &f, const std::vector<long double> &exact)
{
    long double sum = 0;
    for (double v : x)
        sum += std::fabs(v);
    long double worst = 0;
    for (std::size_t j = 0; j < f.size(); ++j)
        worst = std::max(worst, std::fabs(f[j] - exact[j]));
    return static_cast<double>(sum > 0 ? worst / sum : worst);
}

// The passes one after the other in plain scalar code, the tables computed straight from their
// definitions: what any faster evaluation has to reproduce bit for bit.
Block plainPasses(const Block &x)
{
    const int n = static_cast<int>(x.size());
    int bits = 0;
    while ((1 << bits) < n)
        ++bits;
    Block f(n);
    if (bits == 0) {
        f[0] = x[0];
        return f;
    }
    if (bits == 1) {
        f[0] = x[0] + x[1];
        f[1] = x[0] - x[1];
        return f;
    }
    if (bits == 2) {
        f[1] = x[0] - x[2];
        f[3] = x[1] - x[3];
        f[0] = (x[0] + x[2]) + (x[1] + x[3]);
        f[2] = (x[0] + x[2]) - (x[1] + x[3]);
        return f;
    }

    std::vector<int> rev(n);
    for (int c = 0; c < n; ++c)
        for (int k = 0; k < bits; ++k)
            if ((c >> k) & 1)
                rev[c] |= 1 << (bits - 1 - k);

    Block scratch(n);
    Block *d = bits % 2 ? &scratch : &f;
    Block *s = bits % 2 ? &f : &scratch;
    for (int i = 0; i < n; i += 4) {
        const double x0 = x[rev[i]], x1 = x[rev[i + 1]], x2 = x[rev[i + 2]], x3 = x[rev[i + 3]];
        (*d)[i + 1] = x0 - x1;
        (*d)[i + 3] = x2 - x3;
        (*d)[i] = (x0 + x1) + (x2 + x3);
        (*d)[i + 2] = (x0 + x1) - (x2 + x3);
    }
    const double q = 0.7071067811865476;
    for (int i = 0; i < n; i += 8) {
        const Block &a = *d;
        Block &b = *s;
        b[i] = a[i] + a[i + 4];
        b[i + 4] = a[i] - a[i + 4];
        b[i + 2] = a[i + 2];
        b[i + 6] = a[i + 6];
        b[i + 1] = a[i + 1] + (a[i + 5] - a[i + 7]) * q;
        b[i + 3] = a[i + 1] - (a[i + 5] - a[i + 7]) * q;
        b[i + 5] = (a[i + 5] + a[i + 7]) * q + a[i + 3];
        b[i + 7] = (a[i + 5] + a[i + 7]) * q - a[i + 3];
    }
    for (int p = 3; p < bits; ++p) {
        const int len = 1 << p, h = len / 2;
        const double step = 1.5707963267948966 / std::ldexp(1.0, p - 1);
        const double stepCos = std::cos(step), stepSin = std::sin(step);
        const Block &a = *s;
        Block &b = *d;
        for (int blk = 0; blk < n; blk += 2 * len) {
            b[blk] = a[blk] + a[blk + len];
            b[blk + len] = a[blk] - a[blk + len];
            b[blk + h] = a[blk + h];
            b[blk + len + h] = a[blk + len + h];
            double rc = 1.0, rs = 0.0;
            for (int i = 1; i < h; ++i) {
                double ca, sa;
                if (p <= 12) {
                    ca = std::cos(i * (pi / (2 * h)));
                    sa = std::cos((h - i) * (pi / (2 * h)));
                } else {
                    const double c = rc * stepCos - rs * stepSin;
                    rs = stepSin * rc + stepCos * rs;
                    rc = c;
                    ca = rc;
                    sa = rs;
                }
                const double *u = &a[blk];
                double *w = &b[blk];
                const double v1 = u[len + i] * ca - u[len + h + i] * sa;
                const double v2 = u[len + i] * sa + u[len + h + i] * ca;
                w[i] = u[i] + v1;
                w[len - i] = u[i] - v1;
                w[len + i] = v2 + u[h + i];
                w[2 * len - i] = v2 - u[h + i];
            }
        }
        std::swap(d, s);
    }
    return f;
}

// The child process of preconditions(): makes the call named in the environment, which must stop
// the process. Runs before main, so the tests themselves never start in the child.
const char *const breakVariable = "TST_REALFFT_BREAK";

int runBrokenCallIfAsked()
{
    const char *call = std::getenv(breakVariable);
    if (call == nullptr)
        return 0;
    const QByteArray name(call);
    Block x(8), f(8);
    rfft::RealFFT<double> fft(8);
    if (name == "f null")
        fft.forward_fft(nullptr, x.data());
    else if (name == "f is the buffer")
        fft.forward_fft(fft.use_buffer(), x.data());
    else if (name == "x null")
        fft.forward_fft(f.data(), nullptr);
    else if (name == "x is the buffer")
        fft.forward_fft(f.data(), fft.use_buffer());
    else if (name == "x is f")
        fft.forward_fft(f.data(), f.data());
    else if (name == "x is f, one sample")
        rfft::RealFFT<double>(1).forward_fft(f.data(), f.data());
    else if (name == "length 12")
        rfft::RealFFT<double> bad(12);
    else if (name == "length 0")
        rfft::RealFFT<double> bad(0);
    else if (name == "length -4")
        rfft::RealFFT<double> bad(-4);
    else if (name == "index past the end")
        fft.rev_table()[8];
    else if (name == "negative index")
        fft.rev_table()[-1];
    std::_Exit(0);
}

[[maybe_unused]] const int brokenCall = runBrokenCallIfAsked();

} // namespace

class tst_RealFFT : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void againstDft_data();
    void againstDft();
    void smallBlocks_data();
    void smallBlocks();
    void knownSignals_data();
    void knownSignals();
    void bitIdentical_data();
    void bitIdentical();
    void tables_data();
    void tables();
    void revTableOfEight();
    void preconditions_data();
    void preconditions();
};

void tst_RealFFT::againstDft_data()
{
    QTest::addColumn<int>("bits");
    for (int bits = 0; bits <= 14; ++bits)
        QTest::addRow("N=%d", 1 << bits) << bits;
}

void tst_RealFFT::againstDft()
{
    QFETCH(int, bits);
    const Block x = randomBlock(1 << bits, 100 + bits);
    const double error = relativeError(x, transform(x), directDft(x));
    QVERIFY2(error < 1e-13, qPrintable(QString::number(error)));
}

void tst_RealFFT::smallBlocks_data()
{
    QTest::addColumn<QVector<double>>("x");
    QTest::addColumn<QVector<double>>("expected");
    QTest::newRow("N=1") << QVector<double> { -2.5 } << QVector<double> { -2.5 };
    QTest::newRow("N=2") << QVector<double> { 3, 5 } << QVector<double> { 8, -2 };
    QTest::newRow("N=4") << QVector<double> { 1, 10, 100, 1000 }
                         << QVector<double> { 1111, -99, -909, -990 };
}

void tst_RealFFT::smallBlocks()
{
    QFETCH(QVector<double>, x);
    QFETCH(QVector<double>, expected);
    const Block f = transform(Block(x.begin(), x.end()));
    QCOMPARE(QVector<double>(f.begin(), f.end()), expected);
}

void tst_RealFFT::knownSignals_data()
{
    QTest::addColumn<QString>("signal");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("j");
    for (int n : { 8, 64, 1024, 16384 }) {
        QTest::addRow("constant, N=%d", n) << "constant" << n << 0;
        QTest::addRow("impulse at 1, N=%d", n) << "impulse" << n << 1;
        for (int j : { 1, n / 4, n / 2 - 1 }) {
            QTest::addRow("cosine j=%d, N=%d", j, n) << "cosine" << n << j;
            QTest::addRow("sine j=%d, N=%d", j, n) << "sine" << n << j;
        }
    }
}

void tst_RealFFT::knownSignals()
{
    QFETCH(QString, signal);
    QFETCH(int, n);
    QFETCH(int, j);
    Block x(n);
    std::vector<long double> expected(n);
    if (signal == "constant") {
        std::fill(x.begin(), x.end(), 0.75);
        expected[0] = 0.75L * n;
    } else if (signal == "impulse") {
        x[1] = 1.0;
        for (int k = 0; k <= n / 2; ++k)
            expected[k] = std::cos(twoPi * k / n);
        for (int k = 1; k < n / 2; ++k)
            expected[n / 2 + k] = std::sin(twoPi * k / n);
    } else {
        // j·m reduced first, so that the samples are the signal to the last bit
        const bool cosine = signal == "cosine";
        for (int m = 0; m < n; ++m) {
            const long double angle = twoPi * (static_cast<long long>(j) * m % n) / n;
            x[m] = static_cast<double>(cosine ? std::cos(angle) : std::sin(angle));
        }
        expected[cosine ? j : n / 2 + j] = n / 2;
    }
    // Looser than for random data: a single impulse has a small sum |x|, and the rotators of
    // the large blocks drift by a few hundred roundings over a pass.
    const double error = relativeError(x, transform(x), expected);
    QVERIFY2(error < 1e-12, qPrintable(QString::number(error)));
}

void tst_RealFFT::bitIdentical_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("bits");
    // Up to 2^16, so that rotator passes also run before the last one.
    for (const char *input : { "random", "wide", "zeros" })
        for (int bits = 0; bits <= 16; ++bits)
            QTest::addRow("%s, N=%d", input, 1 << bits) << input << bits;
}

void tst_RealFFT::bitIdentical()
{
    QFETCH(QString, input);
    QFETCH(int, bits);
    const int n = 1 << bits;
    const Block x = input == "random" ? randomBlock(n, bits)
                    : input == "wide" ? wideBlock(n, bits)
                                      : zerosBlock(n, bits);
    const Block f = transform(x);
    const Block expected = plainPasses(x);
    for (int k = 0; k < n; ++k) {
        if (std::memcmp(&f[k], &expected[k], sizeof(double)) != 0)
            QFAIL(qPrintable(QString("f[%1] = %2, plain passes give %3")
                                 .arg(k)
                                 .arg(f[k], 0, 'g', 17)
                                 .arg(expected[k], 0, 'g', 17)));
    }
}

void tst_RealFFT::tables_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("cosSize");
    QTest::addColumn<int>("oscSize");
    QTest::newRow("N=1") << 0 << 0 << 0;
    QTest::newRow("N=8") << 3 << 0 << 0;
    QTest::newRow("N=16") << 4 << 4 << 0;
    QTest::newRow("N=1024") << 10 << 508 << 0;
    QTest::newRow("N=4096") << 12 << 2044 << 0;
    QTest::newRow("N=8192") << 13 << 4092 << 1;
    QTest::newRow("N=16384") << 14 << 8188 << 2;
}

void tst_RealFFT::tables()
{
    QFETCH(int, bits);
    QFETCH(int, cosSize);
    QFETCH(int, oscSize);
    const int n = 1 << bits;
    const rfft::RealFFT<double> fft(n);
    QCOMPARE(fft.get_length(), n);
    QCOMPARE(fft.get_nbr_bits(), bits);

    const rfft::DynArray<int> &rev = fft.rev_table();
    QCOMPARE(rev.size(), n);
    for (int c = 0; c < n; ++c) {
        int reversed = 0;
        for (int k = 0; k < bits; ++k)
            if ((c >> k) & 1)
                reversed |= 1 << (bits - 1 - k);
        QCOMPARE(rev[c], reversed);
    }

    // Exactly the cos() values, not merely close ones: the output depends on every bit.
    const rfft::DynArray<double> &cosines = fft.cos_table();
    QCOMPARE(cosines.size(), cosSize);
    for (int p = 3; p < bits; ++p) {
        const int h = 1 << (p - 1);
        for (int i = 0; i < h; ++i)
            QCOMPARE(cosines[h - 4 + i], std::cos(i * (pi / (2 * h))));
    }

    const auto &rotators = fft.osc_table();
    QCOMPARE(rotators.size(), oscSize);
    for (int i = 0; i < oscSize; ++i) {
        const double angle = 1.5707963267948966 / (1 << (i + 12));
        QCOMPARE(rotators[i].step_cos, std::cos(angle));
        QCOMPARE(rotators[i].step_sin, std::sin(angle));
    }
}

void tst_RealFFT::revTableOfEight()
{
    const rfft::RealFFT<double> fft(8);
    QVector<int> rev;
    for (int c = 0; c < 8; ++c)
        rev << fft.rev_table()[c];
    QCOMPARE(rev, (QVector<int> { 0, 4, 2, 6, 1, 5, 3, 7 }));
}

void tst_RealFFT::preconditions_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("file");
    const QString fft = "rfft/RealFFT";
    const QString array = "rfft/DynArray";
    QTest::newRow("f null") << "f null"
                            << "f != 0" << fft;
    QTest::newRow("f is the buffer") << "f is the buffer"
                                     << "f != use_buffer ()" << fft;
    QTest::newRow("x null") << "x null"
                            << "x != 0" << fft;
    QTest::newRow("x is the buffer") << "x is the buffer"
                                     << "x != use_buffer ()" << fft;
    QTest::newRow("x is f") << "x is f"
                            << "x != f" << fft;
    QTest::newRow("x is f, one sample") << "x is f, one sample"
                                        << "x != f" << fft;
    QTest::newRow("length 12") << "length 12"
                               << "is_pow2 (length)" << fft;
    QTest::newRow("length 0") << "length 0"
                              << "x > 0" << fft;
    QTest::newRow("length -4") << "length -4"
                               << "size >= 0" << array;
    QTest::newRow("index past the end") << "index past the end"
                                        << "pos < _len" << array;
    QTest::newRow("negative index") << "negative index"
                                    << "pos >= 0" << array;
}

void tst_RealFFT::preconditions()
{
    QFETCH(QString, call);
    QFETCH(QString, expression);
    QFETCH(QString, file);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(breakVariable, call);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(10000));
    QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(err.contains(file + ":"), qPrintable(err));
    QVERIFY2(err.endsWith(": " + expression + "\n"), qPrintable(err));
}

QTEST_MAIN(tst_RealFFT)
#include "tst_realfft.moc"
