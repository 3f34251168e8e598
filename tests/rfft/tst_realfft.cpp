#include "connectionguard.h"
#include "rfft/RealFFT"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

typedef std::vector<double> Block;

class tst_RealFFT : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void transform_data()
    {
        QTest::addColumn<Block>("x");
        QTest::addColumn<Block>("exact"); // where known
        QTest::newRow("N=1") << Block { -2.5 } << Block { -2.5 };
        QTest::newRow("N=4") << Block { 1, 10, 100, 1000 } << Block { 1111, -99, -909, -990 };
        QTest::newRow("sine") << Block { 0, 1, 0, -1, 0, 1, 0, -1 }
                              << Block { 0, 0, 0, 0, 0, 0, 4, 0 };
        // Past 2^12 the angles come from rotators, from 2^15 on also before the last pass.
        std::mt19937_64 gen(1);
        std::uniform_real_distribution<double> dist(-1.0, 1.0);
        for (int n = 8; n <= 1 << 16; n *= 2) {
            Block x(n);
            for (double &v : x)
                v = dist(gen);
            QTest::addRow("N=%d", n) << x << Block();
        }
    }

    void transform()
    {
        // Against the sums taken directly in long double, j·m reduced modulo N exactly: every
        // bin up to 2^12, past that an odd stride, so that the bins fall on every residue.
        QFETCH(Block, x);
        QFETCH(Block, exact);
        const int n = static_cast<int>(x.size());
        Block f(n);
        rfft::RealFFT<double>(n).forward_fft(f.data(), x.data());
        if (!exact.empty())
            QCOMPARE(f, exact);
        std::vector<long double> c(n), s(n);
        long double worst = 0, sum = 0;
        for (int k = 0; k < n; ++k) {
            c[k] = std::cos(6.283185307179586476925286766559L * k / n);
            s[k] = std::sin(6.283185307179586476925286766559L * k / n);
            sum += std::fabs(x[k]);
        }
        const int stride = n > 4096 ? n / 256 + 1 : 1;
        for (int j = 0; j <= n / 2; j = j == n / 2 ? n : std::min(j + stride, n / 2)) {
            long double re = 0, im = 0;
            for (int m = 0, k = 0; m < n; ++m, k = (k + j) & (n - 1)) {
                re += x[m] * c[k];
                im += x[m] * s[k];
            }
            worst = std::max(worst, std::fabs(f[j] - re));
            if (j > 0 && j < n / 2)
                worst = std::max(worst, std::fabs(f[n / 2 + j] - im));
        }
        QVERIFY2(worst <= 1e-13 * sum, qPrintable(QString::number(double(worst / sum))));
    }

    void preconditions_data()
    {
        // Each call must stop the process, naming the header and the expression that failed.
        QTest::addColumn<QString>("check");
        QTest::newRow("x is f") << "rfft/RealFFT: x != f";
        QTest::newRow("length 12") << "rfft/RealFFT: is_pow2 (length)";
        QTest::newRow("index past the end") << "rfft/DynArray: pos < _len";
    }

    void preconditions()
    {
        // The call is made in a child process running just this row.
        QFETCH(QString, check);
        const QByteArray tag = QTest::currentDataTag();
        if (qEnvironmentVariableIsSet("TST_REALFFT_CHILD")) {
            Block f(8);
            rfft::RealFFT<double> fft(8);
            if (tag == "x is f")
                fft.forward_fft(f.data(), f.data());
            else if (tag == "length 12")
                rfft::RealFFT<double> bad(12);
            else
                fft.rev_table()[8];
            return;
        }
        qputenv("TST_REALFFT_CHILD", "1");
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    { "-nocrashhandler", "preconditions:" + tag });
        qunsetenv("TST_REALFFT_CHILD");
        QVERIFY(child.waitForFinished(10000)
                && (child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0));
        const QString err = QString::fromLocal8Bit(child.readAllStandardError());
        QVERIFY2(err.contains(check.section(' ', 0, 0))
                     && err.endsWith("check failed: " + check.section(' ', 1) + "\n"),
                 qPrintable(err));
    }
};

QTEST_MAIN(tst_RealFFT)
#include "tst_realfft.moc"
