#include "exportoptions.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace {

const QString stdoutName = QStringLiteral("-");

// Any finite number in the C locale ('.' as decimal point, no group separators).
bool toFinite(const QString &text, double *v)
{
    bool ok = false;
    *v = text.toDouble(&ok);
    return ok && std::isfinite(*v);
}

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace

const QStringList &ExportOptions::selectorNames()
{
    static const QStringList names { QStringLiteral("real"), QStringLiteral("imag"),
                                     QStringLiteral("abs"),  QStringLiteral("F"),
                                     QStringLiteral("W"),    QStringLiteral("wave"),
                                     QStringLiteral("total") };
    return names;
}

QVector<QPointF> ExportOptions::defaultEnvelope()
{
    QVector<QPointF> nodes;
    for (int i = 0; i <= 16; ++i)
        nodes.append(QPointF(i, 1.0));
    return nodes;
}

QString ExportOptions::usage()
{
    return QStringLiteral(
        "Usage: fourk-export [options]\n"
        "Sets up the chi(k) and chi(R) windows of Fourk without showing them and writes their\n"
        "data and plots.\n"
        "\n"
        "Parameters (numbers with '.' as decimal point; between slider steps is fine):\n"
        "  --n N             k-weight, a whole number 1 ... 3        (default 2)\n"
        "  --r R             shell distance, 0 ... 10                (default 2)\n"
        "  --p0 P0           constant phase, -10 ... 10              (default 0)\n"
        "  --p2 P2           quadratic phase, -1 ... 1               (default 0)\n"
        "  --sigma S         Debye-Waller factor, 0 ... 0.2          (default 0.05)\n"
        "  --window A,B,C,D  the four window edges in k, any finite numbers, sorted as the\n"
        "                    panel sorts them                       (default 3,4,15,16)\n"
        "  --envelope K:F,...  envelope nodes in list order, any finite numbers\n"
        "                    (default 0:1,1:1,...,16:1)\n"
        "  --no-envelope, --no-window, --no-debye   switch that factor off\n"
        "  --pm              check \"Use Env. Shape Selecter for PM\"\n"
        "  --show LIST       chi(R) selectors switched on, from real,imag,abs,F,W,wave,total,\n"
        "                    or none          (default abs,F,W,wave,total, as the window opens)\n"
        "  --pointer R       chi(R) pointer position, any finite number (default 2)\n"
        "\n"
        "Output (at least one; nothing is written unless everything can be):\n"
        "  --chik FILE       k-space table (CSV); '-' is standard output\n"
        "  --chir FILE       R-space table (CSV); '-' is standard output\n"
        "  --plot-k FILE     the chi(k) plot as .png or .svg (by the file's suffix)\n"
        "  --plot-r FILE     the chi(R) plot as .png or .svg\n"
        "  --size WxH        plot size in pixels, each side 1 ... 8192 (default 800x600)\n"
        "  --help, --version\n"
        "\n"
        "Options take their value as the next argument or after '='. Runs without a display\n"
        "(Qt's offscreen platform) unless QT_QPA_PLATFORM says otherwise.\n"
        "Exit status: 0 done, 1 a file could not be written, 2 bad input.\n");
}

ExportOptions::Outcome ExportOptions::parse(const QStringList &args)
{
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h")))
        return Help;
    if (args.contains(QStringLiteral("--version")))
        return Version;

    static const QStringList valued { "n",      "r",        "p0",     "p2",      "sigma",
                                      "window", "envelope", "show",   "pointer", "chik",
                                      "chir",   "plot-k",   "plot-r", "size" };
    const QVector<QPair<QString, bool *>> flags { { "no-envelope", &useEnvelope },
                                                  { "no-window", &useWindow },
                                                  { "no-debye", &useDebye },
                                                  { "pm", &pm } };

    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            error = arg.startsWith(QLatin1Char('-')) && arg.size() > 1
                        ? QStringLiteral("unknown option %1 (see --help)").arg(quoted(arg))
                        : QStringLiteral("unexpected argument %1 (see --help)").arg(quoted(arg));
            return Invalid;
        }
        QString name = arg.mid(2);
        QString value;
        const int eq = name.indexOf(QLatin1Char('='));
        const bool inlineValue = eq >= 0;
        if (inlineValue) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        }

        bool flagged = false;
        for (const auto &flag : flags) {
            if (flag.first != name)
                continue;
            if (inlineValue) {
                error = QStringLiteral("--%1 takes no value").arg(name);
                return Invalid;
            }
            // --pm switches on, the --no- options switch off.
            *flag.second = name == QLatin1String("pm");
            flagged = true;
        }
        if (flagged)
            continue;

        if (!valued.contains(name)) {
            error = QStringLiteral("unknown option %1 (see --help)").arg(quoted(arg));
            return Invalid;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("--%1 needs a value (see --help)").arg(name);
                return Invalid;
            }
            value = args.at(++i);
        }
        if (!take(name, value))
            return Invalid;
    }
    return checkOutputs() ? Run : Invalid;
}

bool ExportOptions::take(const QString &name, const QString &value)
{
    const auto fail = [&](const QString &accepted) {
        error = QStringLiteral("--%1 takes %2, not %3").arg(name, accepted, quoted(value));
        return false;
    };
    const auto number = [&](double lo, double hi, double *target) {
        double v;
        if (!toFinite(value, &v) || v < lo || v > hi)
            return fail(QStringLiteral("a number from %1 to %2").arg(lo).arg(hi));
        *target = v;
        return true;
    };
    const auto file = [&](QString *target, bool plot) {
        const QString suffix = QFileInfo(value).suffix().toLower();
        if (plot && suffix != QLatin1String("png") && suffix != QLatin1String("svg"))
            return fail(QStringLiteral("a file name ending in .png or .svg"));
        if (value.isEmpty())
            return fail(QStringLiteral("a file name, or '-' for standard output"));
        *target = value;
        return true;
    };

    if (name == QLatin1String("n")) {
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok || v < 1 || v > 3)
            return fail(QStringLiteral("a whole number from 1 to 3"));
        n = v;
        return true;
    }
    if (name == QLatin1String("r"))
        return number(0.0, 10.0, &r);
    if (name == QLatin1String("p0"))
        return number(-10.0, 10.0, &p0);
    if (name == QLatin1String("p2"))
        return number(-1.0, 1.0, &p2);
    if (name == QLatin1String("sigma"))
        return number(0.0, 0.2, &sigma);
    if (name == QLatin1String("pointer")) {
        double v;
        if (!toFinite(value, &v))
            return fail(QStringLiteral("a finite number"));
        pointer = v;
        return true;
    }
    if (name == QLatin1String("window")) {
        const QStringList parts = value.split(QLatin1Char(','));
        QVector<double> edges;
        for (const QString &part : parts) {
            double v;
            if (!toFinite(part, &v))
                break;
            edges.append(v);
        }
        if (parts.size() != 4 || edges.size() != 4)
            return fail(QStringLiteral("four finite numbers A,B,C,D"));
        window = edges;
        return true;
    }
    if (name == QLatin1String("envelope")) {
        QVector<QPointF> nodes;
        for (const QString &part : value.split(QLatin1Char(','))) {
            const QStringList kf = part.split(QLatin1Char(':'));
            double k, f;
            if (kf.size() != 2 || !toFinite(kf.at(0), &k) || !toFinite(kf.at(1), &f))
                return fail(
                    QStringLiteral("nodes K:F separated by commas, K and F finite numbers"));
            nodes.append(QPointF(k, f));
        }
        envelope = nodes;
        return true;
    }
    if (name == QLatin1String("show")) {
        QStringList names;
        if (value != QLatin1String("none")) {
            names = value.split(QLatin1Char(','));
            for (const QString &s : qAsConst(names)) {
                if (!selectorNames().contains(s))
                    return fail(QStringLiteral("a comma-separated list of %1, or none")
                                    .arg(selectorNames().join(QLatin1String(", "))));
            }
        }
        show = names;
        return true;
    }
    if (name == QLatin1String("size")) {
        static const QRegularExpression form(QStringLiteral("^(\\d{1,9})[xX](\\d{1,9})$"));
        const QRegularExpressionMatch m = form.match(value);
        const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
        const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (w < 1 || w > maxSide || h < 1 || h > maxSide)
            return fail(
                QStringLiteral("WxH with each side a whole number from 1 to %1").arg(maxSide));
        size = QSize(w, h);
        return true;
    }
    if (name == QLatin1String("chik"))
        return file(&chiKFile, false);
    if (name == QLatin1String("chir"))
        return file(&chiRFile, false);
    if (name == QLatin1String("plot-k"))
        return file(&plotKFile, true);
    return file(&plotRFile, true);
}

bool ExportOptions::checkOutputs()
{
    const QVector<QPair<QString, QString>> outputs { { "--chik", chiKFile },
                                                     { "--chir", chiRFile },
                                                     { "--plot-k", plotKFile },
                                                     { "--plot-r", plotRFile } };
    QVector<QPair<QString, QString>> given;
    for (const auto &out : outputs) {
        if (out.second.isEmpty())
            continue;
        const QString target
            = out.second == stdoutName ? out.second : QFileInfo(out.second).absoluteFilePath();
        for (const auto &earlier : qAsConst(given)) {
            if (earlier.second != target)
                continue;
            error = target == stdoutName
                        ? QStringLiteral("%1 and %2 cannot both write to standard output")
                              .arg(earlier.first, out.first)
                        : QStringLiteral("%1 and %2 name the same file %3")
                              .arg(earlier.first, out.first, quoted(out.second));
            return false;
        }
        given.append(qMakePair(out.first, target));
    }
    if (given.isEmpty()) {
        error = QStringLiteral("nothing to write: give --chik, --chir, --plot-k or --plot-r "
                               "(see --help)");
        return false;
    }
    return true;
}
