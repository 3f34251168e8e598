#include "exportoptions.h"

#include "model/feffpathfile.h"
#include "model/fitsettings.h"
#include "model/measuredchifile.h"
#include "model/scenariofile.h"
#include "plot/plotimage.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <cmath>

namespace {

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

QCommandLineOption valued(const QString &name, const QString &valueName, const QString &description)
{
    return QCommandLineOption(name, description, valueName);
}

// The switches, each setting one factor of the scenario on or off.
struct Switch
{
    const char *name;
    bool Scenario::*factor;
    bool on;
    const char *description;
};

const Switch switches[] = {
    { "no-envelope", &Scenario::useEnvelope, false, "Switch the envelope F(k) out of chi(k)." },
    { "use-envelope", &Scenario::useEnvelope, true, "Switch it in (the default)." },
    { "no-window", &Scenario::useWindow, false, "Switch the window W(k) out of chi(k)." },
    { "use-window", &Scenario::useWindow, true, "Switch it in (the default)." },
    { "no-debye", &Scenario::useDebye, false, "Switch the Debye-Waller damping out of chi(k)." },
    { "use-debye", &Scenario::useDebye, true, "Switch it in (the default)." },
    { "pm", &Scenario::pm, true, "Check \"Use Env. Shape Selecter for PM\": F(k) = 1." },
    { "no-pm", &Scenario::pm, false, "Uncheck it (the default)." },
};

// One --shell KEYS: comma-separated key=value pairs, or off.
bool parseShell(const QString &keys, int number, Shell *out, QString *error)
{
    const auto fail = [&](const QString &problem) {
        *error = QStringLiteral("--shell %1: %2").arg(quoted(keys), problem);
        return false;
    };
    QVector<QPair<QString, QString>> pairs;
    QString feff;
    for (const QString &part : keys.split(QLatin1Char(','))) {
        const int eq = part.indexOf(QLatin1Char('='));
        const QString key = part.left(eq < 0 ? part.size() : eq).trimmed();
        const QString value = eq < 0 ? QString() : part.mid(eq + 1);
        if (key == QLatin1String("off") && eq < 0) {
            pairs.append({ key, value });
            continue;
        }
        if (eq < 0
            || !QStringList { "feff", "name", "degen", "r", "sigma", "p0", "p2" }.contains(key))
            return fail(QStringLiteral("%1 is not one of feff=FILE, name=TEXT, degen=N, r=R, "
                                       "sigma=S, p0=P, p2=P, off")
                            .arg(quoted(part)));
        if (key == QLatin1String("feff"))
            feff = value;
        else
            pairs.append({ key, value });
    }
    Shell shell = Shell::drawn(Scenario::shellName(number));
    if (!feff.isEmpty()) {
        FeffPath path;
        if (!FeffPathFile::read(feff, &path, error)) {
            *error = QStringLiteral("--shell: ") + *error;
            return false;
        }
        shell = Shell::fromPath(path);
    }
    for (const auto &pair : qAsConst(pairs)) {
        if (pair.first == QLatin1String("off")) {
            shell.on = false;
        } else if (pair.first == QLatin1String("name")) {
            if (pair.second.trimmed().isEmpty())
                return fail(QStringLiteral("name= needs a name"));
            shell.name = pair.second.trimmed();
        } else {
            const Parameter::Id id = pair.first == QLatin1String("degen")   ? Parameter::Degeneracy
                                     : pair.first == QLatin1String("r")     ? Parameter::R
                                     : pair.first == QLatin1String("sigma") ? Parameter::Sigma
                                     : pair.first == QLatin1String("p0")    ? Parameter::P0
                                                                            : Parameter::P2;
            const Parameter &rule = Parameter::of(id);
            double v;
            if (!toFinite(pair.second, &v) || !rule.isValid(v))
                return fail(QStringLiteral("%1 takes %2, not %3")
                                .arg(pair.first, rule.accepted(), quoted(pair.second)));
            shell.setValue(id, v);
        }
    }
    *out = shell;
    return true;
}

} // namespace

ExportOptions::Outcome ExportOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sets up the chi(k) and chi(R) windows of Fourk without showing them and writes their\n"
        "data and plots. Numbers take '.' as decimal point; values between slider steps are\n"
        "fine. Options take their value as the next argument or after '='; given twice, the\n"
        "last counts. Nothing is written unless everything can be. Runs without a display\n"
        "(Qt's offscreen platform) unless QT_QPA_PLATFORM says otherwise.\n"
        "Exit status: 0 done, 1 a file could not be written, 2 bad input, 3 a fit failed."));
    // Not addHelpOption(): its --help-all would list Qt's own options, which do not apply here.
    const QCommandLineOption helpOption({ QStringLiteral("h"), QStringLiteral("help") },
                                        QStringLiteral("Displays this help."));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption = parser.addVersionOption();

    const QCommandLineOption scenarioOption = valued(
        "scenario", "FILE",
        "Start from this scenario (.fourk, as the windows save it); the other options override "
        "its values wherever they stand.");
    parser.addOption(scenarioOption);
    // What each number is; its range and default come from the parameters' table.
    const QVector<QPair<Parameter::Id, const char *>> numberHelp {
        { Parameter::N, "k-weight" },
        { Parameter::R, "The first shell's distance" },
        { Parameter::P0, "The first shell's constant phase" },
        { Parameter::P2, "The first shell's quadratic phase" },
        { Parameter::Sigma, "The first shell's Debye-Waller factor" },
        { Parameter::S02, "Amplitude factor S0^2 of every shell" },
        { Parameter::E0, "Energy shift E0 in eV of every shell" },
        { Parameter::Pointer, "chi(R) pointer position" },
    };
    for (const auto &number : numberHelp) {
        const Parameter &p = Parameter::of(number.first);
        const QString range = std::isfinite(p.lo) ? QStringLiteral("%1%2 ... %3")
                                                        .arg(p.whole ? "a whole number " : "")
                                                        .arg(p.lo)
                                                        .arg(p.hi)
                                                  : QStringLiteral("any finite number");
        parser.addOption(valued(p.key, QString::fromLatin1(p.key).toUpper(),
                                QStringLiteral("%1, %2 (default %3).")
                                    .arg(QLatin1String(number.second), range)
                                    .arg(p.initial)));
    }
    const QCommandLineOption shellOption = valued(
        "shell", "KEYS",
        QStringLiteral("A shell of the model; given once or more, the shells are exactly those "
                       "given, in order. KEYS is comma-separated key=value: feff=FILE (a FEFF path "
                       "file, feffNNNN.dat; without it a drawn shell), name=TEXT, degen=N "
                       "(0 ... 1000), r, sigma, p0, p2 (ranges as their options), and off "
                       "(left out of the sum). At most %1 shells.")
            .arg(Shell::maxCount));
    const QCommandLineOption scaleOption = valued(
        "scale", "SCALE",
        "normalised (chi(k) within -1 ... 1, the default) or absolute (k^n chi W as computed, "
        "chi(R) = dk/sqrt(pi) sum k^n W chi exp(2ikR)).");
    const QCommandLineOption shapeOption
        = valued("window-shape", "SHAPE",
                 QStringLiteral("The window's shape: %1 (default hanning).")
                     .arg(WindowFunc::shapeNames().join(QLatin1Char('|'))));
    parser.addOptions({ shellOption, scaleOption, shapeOption });
    const QCommandLineOption windowOption = valued(
        "window", "A,B,C,D",
        "The four window edges in k, any finite numbers, in any order (default 3,4,15,16).");
    const QCommandLineOption envelopeOption = valued(
        "envelope", "K:F,...",
        QStringLiteral("The first shell's envelope nodes in list order, 1 ... %1 of them, K "
                       "finite and F within +-1e100 (default 0:1,1:1,...,16:1).")
            .arg(Scenario::maxNodes));
    const QCommandLineOption showOption = valued(
        "show", "LIST",
        "chi(R) selectors switched on, from real,imag,abs,F,W,wave,total,data,shells, or none "
        "(default abs,F,W,wave,total,shells, as the window opens, and data with --data).");
    const QCommandLineOption dataOption = valued(
        "data", "FILE",
        "Show this measured chi(k) beside the simulation: a column text file (comment lines "
        "#, !, % or ;, header lines, then rows of numbers separated by blanks, tabs, commas or "
        "semicolons), k in 1/Angstrom and the unweighted chi; '-' is standard input. Replaces a "
        "scenario's. With --fit it may be given several times.");
    const QCommandLineOption dataColumnsOption = valued(
        "data-columns", "K,CHI",
        QStringLiteral("The columns of --data that hold k and chi, counted from 1 (default 1,2; "
                       "at most %1).")
            .arg(MeasuredChi::maxColumn));
    parser.addOptions({ windowOption, envelopeOption, showOption, dataOption, dataColumnsOption });
    const QCommandLineOption fitOption = valued(
        "fit", "LIST",
        "Fit these parameters of the model to the measured chi(k), then write every other output "
        "from the fitted model: comma-separated names s02, e0 and SHELL.KEY, SHELL a shell's "
        "number from 1 and KEY one of degen, r, sigma, p0, p2 (e.g. s02,e0,1.r,1.sigma). Each "
        "stays inside its option's range. With --data given several times, each file is fitted "
        "from the same starting model, the files spread over all cores; --fit-table is then the "
        "only output. Exit status 3: a fit failed (the report or table says why; only they are "
        "written).");
    const QCommandLineOption fitSpaceOption = valued(
        "fit-space", "SPACE",
        "r: compare the real and imaginary parts of chi(R) (k^n W chi, dk/sqrt(pi) scaled) at "
        "every bin in the R range (the default); k: k^n W chi at every k where W > 0.");
    const QCommandLineOption fitROption
        = valued("fit-r", "A,B",
                 QStringLiteral("The R range of the fit in Angstrom, %1 (default 1,3).")
                     .arg(FitSettings::acceptedRange()));
    const QCommandLineOption fitReportOption = valued(
        "fit-report", "FILE",
        "Write the fit's report (JSON: parameters with value and uncertainty, correlations, "
        "rfactor, n_idp, n_var, chi_square, evaluations, converged, message).");
    const QCommandLineOption fitTableOption = valued(
        "fit-table", "FILE",
        "Write one CSV row per --data file, in their order: file, each value and its "
        "uncertainty, rfactor, converged, message. A file that cannot be read or fitted fails "
        "its row only. Progress goes to standard error when it is a terminal.");
    parser.addOptions({ fitOption, fitSpaceOption, fitROption, fitReportOption, fitTableOption });
    for (const Switch &s : switches)
        parser.addOption(QCommandLineOption(s.name, s.description));

    const QCommandLineOption chiKOption
        = valued("chik", "FILE", "Write the k-space table (CSV); '-' is standard output.");
    const QCommandLineOption chiROption
        = valued("chir", "FILE", "Write the R-space table (CSV); '-' is standard output.");
    const QCommandLineOption plotKOption
        = valued("plot-k", "FILE", "Write the chi(k) plot as .png or .svg (by the file's suffix).");
    const QCommandLineOption plotROption
        = valued("plot-r", "FILE", "Write the chi(R) plot as .png or .svg.");
    const QCommandLineOption saveOption
        = valued("save-scenario", "FILE", "Write the resulting scenario, as the windows save it.");
    const QCommandLineOption labelsOption(
        QStringLiteral("labels"),
        QStringLiteral("Give the plots axis titles with units, values along both axes and a "
                       "legend naming each curve, as View > Axis Titles and Legend does in the "
                       "windows (also on when the scenario has them on)."));
    const QCommandLineOption sizeOption = valued(
        "size", "WxH",
        QStringLiteral("Plot size in pixels, each side 1 ... %1 (default 800x600).").arg(maxSide));
    parser.addOptions(
        { chiKOption, chiROption, plotKOption, plotROption, saveOption, labelsOption, sizeOption });
    // Named as the user types it, wherever the program was started from.
    help = parser.helpText();
    help = QStringLiteral("Usage: fourk-export [options]")
           + help.mid(help.indexOf(QLatin1Char('\n')));

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        error = unknown.isEmpty() ? parser.errorText() + QStringLiteral(" See --help.")
                                  : QStringLiteral("unknown option %1 (see --help)")
                                        .arg(quoted((unknown.constFirst().size() > 1 ? "--" : "-")
                                                    + unknown.constFirst()));
        return Invalid;
    }
    if (parser.isSet(helpOption))
        return Help;
    if (parser.isSet(versionOption))
        return Version;
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument %1 (see --help)")
                    .arg(quoted(parser.positionalArguments().constFirst()));
        return Invalid;
    }

    const auto fail = [this](const QString &name, const QString &accepted, const QString &value) {
        error = QStringLiteral("--%1 takes %2, not %3").arg(name, accepted, quoted(value));
        return Invalid;
    };

    if (parser.isSet(scenarioOption)) {
        if (!ScenarioFile::read(parser.value(scenarioOption), &scenario, &error))
            return Invalid;
        inputs.set(QStringLiteral("--scenario"), parser.value(scenarioOption), true);
    }

    if (parser.isSet(shellOption)) {
        const QStringList shellKeys = parser.values(shellOption);
        if (shellKeys.size() > Shell::maxCount) {
            error = QStringLiteral("--shell is given %1 times; the model takes at most %2 shells")
                        .arg(shellKeys.size())
                        .arg(Shell::maxCount);
            return Invalid;
        }
        QVector<Shell> shells;
        for (const QString &keys : shellKeys) {
            Shell shell;
            if (!parseShell(keys, shells.size() + 1, &shell, &error))
                return Invalid;
            shells.append(shell);
        }
        // Every path file read is an input no output may replace.
        for (int i = 0; i < shellKeys.size(); ++i) {
            for (const QString &part : shellKeys.at(i).split(QLatin1Char(','))) {
                if (part.startsWith(QLatin1String("feff=")))
                    inputs.set(QStringLiteral("--shell %1").arg(i + 1), part.mid(5));
            }
        }
        scenario.shells = shells;
    }

    for (Parameter::Id which : Scenario::numbers()) {
        const Parameter &rule = Parameter::of(which);
        const QString name = QString::fromLatin1(rule.key);
        if (!parser.isSet(name))
            continue;
        double v;
        if (!toFinite(parser.value(name), &v) || !rule.isValid(v))
            return fail(name, rule.accepted(), parser.value(name));
        scenario.setNumber(which, v);
    }
    if (parser.isSet(shapeOption)) {
        const int i = WindowFunc::shapeNames().indexOf(parser.value(shapeOption));
        if (i < 0)
            return fail("window-shape", WindowFunc::shapeNames().join(QLatin1String(", ")),
                        parser.value(shapeOption));
        scenario.windowShape = WindowFunc::Shape(i);
    }
    if (parser.isSet(scaleOption)) {
        const int i = Scenario::scaleNames().indexOf(parser.value(scaleOption));
        if (i < 0)
            return fail("scale", QStringLiteral("normalised or absolute"),
                        parser.value(scaleOption));
        scenario.scale = ChiArrays::Scale(i);
    }

    if (parser.isSet(windowOption)) {
        const QString value = parser.value(windowOption);
        QVector<double> edges;
        for (const QString &part : value.split(QLatin1Char(','))) {
            double v;
            edges.append(toFinite(part, &v) ? v : NAN);
        }
        if (!Scenario::isValidWindow(edges))
            return fail("window", QStringLiteral("four finite numbers A,B,C,D"), value);
        scenario.window = edges;
    }
    if (parser.isSet(envelopeOption)) {
        const QString value = parser.value(envelopeOption);
        QVector<QPointF> nodes;
        for (const QString &part : value.split(QLatin1Char(','))) {
            const QStringList kf = part.split(QLatin1Char(':'));
            double k = NAN, f = NAN;
            if (kf.size() != 2 || !toFinite(kf.at(0), &k) || !toFinite(kf.at(1), &f))
                k = NAN;
            nodes.append(QPointF(k, f));
        }
        if (!Scenario::isValidEnvelope(nodes))
            return fail("envelope",
                        QStringLiteral("nodes K:F separated by commas, ")
                            + Scenario::acceptedEnvelope(),
                        value);
        if (scenario.shells.constFirst().kind() != Shell::Drawn) {
            error = QStringLiteral("--envelope shapes the first shell, which is a FEFF path; a "
                                   "path takes its amplitude from its file");
            return Invalid;
        }
        scenario.shells.first().envelope = nodes;
    }
    if (parser.isSet(showOption)) {
        const QString value = parser.value(showOption);
        const QStringList names
            = value == QLatin1String("none") ? QStringList() : value.split(QLatin1Char(','));
        if (!Scenario::isValidShow(names))
            return fail("show",
                        QStringLiteral("a comma-separated list of %1, or none")
                            .arg(Scenario::selectorNames().join(QLatin1String(", "))),
                        value);
        scenario.show = names;
    }
    // In the order given, so that the last of two opposite switches counts.
    for (const QString &name : parser.optionNames()) {
        for (const Switch &s : switches) {
            if (name == QLatin1String(s.name))
                scenario.*s.factor = s.on;
        }
    }

    if (parser.isSet(labelsOption))
        scenario.labels = true;

    if (parser.isSet(fitSpaceOption)) {
        const int i = FitSettings::spaceNames().indexOf(parser.value(fitSpaceOption));
        if (i < 0)
            return fail("fit-space", QStringLiteral("r or k"), parser.value(fitSpaceOption));
        scenario.fit.space = FitSettings::Space(i);
    }
    if (parser.isSet(fitROption)) {
        const QString value = parser.value(fitROption);
        const QStringList ends = value.split(QLatin1Char(','));
        double a = NAN, b = NAN;
        if (ends.size() != 2 || !toFinite(ends.at(0), &a) || !toFinite(ends.at(1), &b)
            || !FitSettings::isValidRange(a, b))
            return fail("fit-r", QStringLiteral("A,B: ") + FitSettings::acceptedRange(), value);
        scenario.fit.rMin = a;
        scenario.fit.rMax = b;
    }
    if (parser.isSet(fitOption)) {
        const QString value = parser.value(fitOption);
        QStringList names;
        for (const QString &name : value.split(QLatin1Char(',')))
            names.append(name.trimmed());
        if (names.contains(QString()))
            return fail("fit", QStringLiteral("a comma-separated list of names such as s02,e0,1.r"),
                        value);
        scenario.fit.vary = names;
        fit = true;
    }

    const auto file = [&](const QCommandLineOption &option, QString *target, bool plot) {
        if (!parser.isSet(option))
            return true;
        const QString value = parser.value(option);
        const QString name = option.names().constFirst();
        if (plot && PlotImage::formatOf(value) == PlotImage::Unknown) {
            fail(name, QStringLiteral("a file name ending in .png or .svg"), value);
            return false;
        }
        if (value.isEmpty()) {
            fail(name, QStringLiteral("a file name, or '-' for standard output"), value);
            return false;
        }
        *target = value;
        return true;
    };
    if (!file(chiKOption, &chiKFile, false) || !file(chiROption, &chiRFile, false)
        || !file(plotKOption, &plotKFile, true) || !file(plotROption, &plotRFile, true)
        || !file(saveOption, &scenarioFile, false) || !file(fitReportOption, &fitReportFile, false)
        || !file(fitTableOption, &fitTableFile, false))
        return Invalid;
    for (const QCommandLineOption *option : { &fitReportOption, &fitTableOption }) {
        if (parser.isSet(*option) && !fit) {
            error = QStringLiteral("--%1 needs --fit, the parameters to fit")
                        .arg(option->names().constFirst());
            return Invalid;
        }
    }

    if (parser.isSet(sizeOption)) {
        const QString value = parser.value(sizeOption);
        static const QRegularExpression form(QStringLiteral("^(\\d{1,9})[xX](\\d{1,9})$"));
        const QRegularExpressionMatch m = form.match(value);
        const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
        const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (w < 1 || w > maxSide || h < 1 || h > maxSide)
            return fail(
                "size",
                QStringLiteral("WxH with each side a whole number from 1 to %1").arg(maxSide),
                value);
        size = QSize(w, h);
    }

    const bool oneModel = !chiKFile.isEmpty() || !chiRFile.isEmpty() || !plotKFile.isEmpty()
                          || !plotRFile.isEmpty() || !scenarioFile.isEmpty()
                          || !fitReportFile.isEmpty();
    if (!oneModel && fitTableFile.isEmpty()) {
        error = QStringLiteral("nothing to write: give --chik, --chir, --plot-k, --plot-r, "
                               "--save-scenario, --fit-report or --fit-table (see --help)");
        return Invalid;
    }
    // Several files are fitted into a table; the other outputs each show one model.
    const QStringList data = parser.values(dataOption);
    const bool batch = fit && data.size() > 1;
    if (batch && (oneModel || fitTableFile.isEmpty())) {
        error = QStringLiteral("--data is given %1 times: the fits of several files go to "
                               "--fit-table, the only output then")
                    .arg(data.size());
        return Invalid;
    }
    if (fit && data.isEmpty() && scenario.data.isEmpty()) {
        error = QStringLiteral("--fit needs --data, the measured chi(k) to fit");
        return Invalid;
    }

    // Read last, once every cheaper check has passed.
    int kColumn = 1;
    int chiColumn = 2;
    if (parser.isSet(dataColumnsOption)) {
        const QString value = parser.value(dataColumnsOption);
        static const QRegularExpression form(QStringLiteral("^(\\d{1,9}),(\\d{1,9})$"));
        const QRegularExpressionMatch m = form.match(value);
        kColumn = m.hasMatch() ? m.captured(1).toInt() : 0;
        chiColumn = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (!MeasuredChi::isValidColumn(kColumn) || !MeasuredChi::isValidColumn(chiColumn))
            return fail("data-columns",
                        QStringLiteral("two whole numbers K,CHI, each from 1 to %1")
                            .arg(MeasuredChi::maxColumn),
                        value);
        if (!parser.isSet(dataOption)) {
            error = QStringLiteral("--data-columns needs --data, the file to take them from");
            return Invalid;
        }
    }
    // Without --fit, the last --data counts.
    const QStringList read = batch ? data : QStringList(data.mid(data.size() - 1));
    if (read.contains(QStringLiteral("-")) && parser.value(scenarioOption) == QLatin1String("-")) {
        error = QStringLiteral("--scenario and --data cannot both read standard input");
        return Invalid;
    }
    if (read.count(QStringLiteral("-")) > 1) {
        error = QStringLiteral("--data names standard input ('-') more than once");
        return Invalid;
    }
    this->kColumn = kColumn;
    this->chiColumn = chiColumn;
    if (batch) {
        dataFiles = data;
        // Read by the fits, each file an input no output may replace.
        for (const QString &path : data)
            inputs.files.append({ QStringLiteral("--data"), path, false });
    } else if (parser.isSet(dataOption)) {
        if (fit)
            dataFiles = QStringList { parser.value(dataOption) };
        if (!MeasuredChiFile::read(parser.value(dataOption), kColumn, chiColumn, &scenario.data,
                                   &error))
            return Invalid;
        inputs.set(QStringLiteral("--data"), parser.value(dataOption));
        if (!parser.isSet(showOption) && !scenario.show.contains(QLatin1String("data")))
            scenario.show.append(QStringLiteral("data"));
    }
    return Run;
}
