#include "randomuser.h"

#include "app/chik.h"
#include "app/chir.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>

// std::uniform_*_distribution may differ between standard libraries: a seed replays exactly on
// the build that found it, which is all the soak needs.

namespace {

// Farther off a surface than any real pointer gets, still well inside int pixel positions.
constexpr double farAway = 1e5;

QString point(QPointF p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

QString buttonName(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return QStringLiteral("left");
    case Qt::RightButton:
        return QStringLiteral("right");
    case Qt::MiddleButton:
        return QStringLiteral("middle");
    case Qt::BackButton:
        return QStringLiteral("back");
    default:
        return QStringLiteral("forward");
    }
}

QString modifierNames(Qt::KeyboardModifiers m)
{
    QStringList names;
    if (m & Qt::ShiftModifier)
        names << QStringLiteral("Shift");
    if (m & Qt::ControlModifier)
        names << QStringLiteral("Ctrl");
    if (m & Qt::AltModifier)
        names << QStringLiteral("Alt");
    if (m & Qt::MetaModifier)
        names << QStringLiteral("Meta");
    if (m & Qt::KeypadModifier)
        names << QStringLiteral("Keypad");
    return names.isEmpty() ? QString() : QLatin1Char('+') + names.join(QLatin1Char('+'));
}

// A mapped position of an edge at 1e300 is no place a pointer can be.
QPointF reachable(QPointF p)
{
    const auto bound = [](double v) { return std::isnan(v) ? 0.0 : qBound(-farAway, v, farAway); };
    return QPointF(bound(p.x()), bound(p.y()));
}

void sendMouse(QWidget *w, QEvent::Type type, QPointF pos, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, pos, pos + QPointF(w->mapToGlobal(QPoint(0, 0))), button, held,
                      modifiers);
    QApplication::sendEvent(w, &event);
}

void sendKey(QWidget *w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(w, &release);
}

// Types text as key presses, one character (or surrogate pair) at a time.
void typeText(QWidget *w, const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        int n = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            n = 2;
        const QString piece = text.mid(i, n);
        const QChar c = piece.at(0);
        int key = Qt::Key_unknown;
        if (c.unicode() < 128 && c.isLetterOrNumber())
            key = c.toUpper().unicode();
        else if (c == QLatin1Char(' '))
            key = Qt::Key_Space;
        sendKey(w, key, Qt::NoModifier, piece);
        i += n - 1;
    }
}

} // namespace

RandomUser::RandomUser(ChiK *window, unsigned seed)
    : rng(seed)
    , window(window)
    , chiR(window->chiR)
    , kSurface(window->findChild<DispArea *>(QStringLiteral("DispA")))
    , rSurface(window->chiR->DispA)
{
    WaveCtrl *ctrl = window->waves.first()->ctrl;
    sliders = { ctrl->NBar, ctrl->RBar, ctrl->Phi0Bar, ctrl->Phi2Bar, ctrl->SigBar };
    factors = { ctrl->SelEnvelope, ctrl->SelWindowF, ctrl->SelDebye, ctrl->doPM };
    for (const char *name :
         { "SelReal", "SelImag", "SelAbs", "SelEnvelope", "SelWindow", "SelWave", "SelTotal" })
        selectors << chiR->findChild<QAbstractButton *>(QLatin1String(name));
    edgeFields = ctrl->WindowCtrl->posEdits;
    otherFields = { ctrl->SigVal, ctrl->RVal, ctrl->NVal,
                    chiR->findChild<QLineEdit *>(QStringLiteral("PointVal")) };
    focusTargets = { ctrl->NBar, ctrl->RBar, ctrl->Flat, ctrl->SelDebye, ctrl->SigVal };
    for (QLineEdit *field : qAsConst(edgeFields))
        focusTargets << field;

    // Weights: the plot drags and the edge fields reach the most code, so they come most often.
    builders = {
        { 8, &RandomUser::sliderValue },   { 8, &RandomUser::sliderKey },
        { 4, &RandomUser::sliderMouse },   { 5, &RandomUser::factorSwitch },
        { 4, &RandomUser::selector },      { 2, &RandomUser::flat },
        { 12, &RandomUser::typeEdge },     { 2, &RandomUser::typeElsewhere },
        { 16, &RandomUser::dragOnChiK },   { 5, &RandomUser::dragOnChiR },
        { 4, &RandomUser::strayMouse },    { 3, &RandomUser::wheel },
        { 3, &RandomUser::doubleClick },   { 2, &RandomUser::tabKey },
        { 2, &RandomUser::activate },      { 3, &RandomUser::resizeWindow },
        { 2, &RandomUser::resizeSurface }, { 1, &RandomUser::closeChiR },
    };
    for (const auto &b : qAsConst(builders))
        totalWeight += b.first;
}

RandomUser::Action RandomUser::next()
{
    int roll = uniform(0, totalWeight - 1);
    for (const auto &b : qAsConst(builders)) {
        if (roll < b.first)
            return (this->*b.second)();
        roll -= b.first;
    }
    return (this->*builders.last().second)();
}

int RandomUser::uniform(int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

double RandomUser::real(double lo, double hi)
{
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

bool RandomUser::chance(double p)
{
    return real(0.0, 1.0) < p;
}

QString RandomUser::fieldText()
{
    static const QVector<QString> special = {
        QStringLiteral("nan"),
        QStringLiteral("NaN"),
        QStringLiteral("inf"),
        QStringLiteral("-inf"),
        QStringLiteral("+inf"),
        QStringLiteral("infinity"),
        QStringLiteral("1e999"),
        QStringLiteral("-1e999"),
        QStringLiteral("1e308"),
        QStringLiteral("-1e308"),
        QStringLiteral("1.7976931348623157e308"),
        QStringLiteral("-1.7976931348623157e308"),
        QStringLiteral("2.2250738585072014e-308"),
        QStringLiteral("4.9e-324"),
        QStringLiteral("1e-400"),
        QStringLiteral("-0"),
        QStringLiteral("0"),
        QStringLiteral("+0"),
        QStringLiteral(""),
        QStringLiteral(" "),
        QStringLiteral("   "),
        QStringLiteral("  7  "),
        QStringLiteral("\t5"),
        QStringLiteral("0x10"),
        QStringLiteral("1,5"),
        QStringLiteral("1.5.5"),
        QStringLiteral("1e"),
        QStringLiteral("e5"),
        QStringLiteral("."),
        QStringLiteral("-"),
        QStringLiteral("+"),
        QStringLiteral("--1"),
        QStringLiteral("3 4"),
        QStringLiteral("16"),
        QStringLiteral("15.9"),
        QStringLiteral("0.1"),
        QStringLiteral("1e-300"),
        QStringLiteral("9999999999999999999999"),
        QString::fromUtf8("\xe2\x88\x92"
                          "3"), // Unicode minus
        QString::fromUtf8("\xef\xbc\x91\xef\xbc\x92"), // fullwidth digits
        QString::fromUtf8("\xd9\xa1\xd9\xa2\xd9\xa3"), // Arabic-Indic digits
        QString::fromUtf8("\xcf\x80"), // pi
        QString::fromUtf8("\xe2\x88\x9e"), // infinity sign
        QString::fromUtf8("\xe2\x88\x9a"
                          "2"), // square root
        QString::fromUtf8("3\xc2\xa0"), // no-break space
        QString::fromUtf8("\xf0\x9f\x98\x80"), // emoji, a surrogate pair
        QString::fromUtf8("\xe7\xaa\x93\xe9\x96\xa2\xe6\x95\xb0"), // Japanese
    };

    switch (uniform(0, 9)) {
    case 0:
    case 1: {
        // Any magnitude, any sign, in any of QString's formats.
        const double v
            = (chance(0.5) ? -1.0 : 1.0) * real(1.0, 10.0) * std::pow(10.0, uniform(-330, 330));
        const char formats[] = { 'g', 'e', 'f' };
        const char format = formats[uniform(0, 2)];
        return QString::number(v, format, uniform(0, format == 'f' ? 3 : 17));
    }
    case 2:
    case 3:
    case 4:
        // Where the edges usefully go: around and inside the plotted k range.
        return QString::number(real(-4.0, 24.0), 'g', uniform(1, 6));
    case 5:
        // Another edge's value: two edges meet.
        return pick(edgeFields)->text();
    case 6:
    case 7:
        return pick(special);
    case 8: {
        QString s;
        const int n = uniform(1, 12);
        for (int i = 0; i < n; ++i)
            s += QChar(uniform(32, 126));
        return s;
    }
    default: {
        QString s;
        const int n = uniform(1, 6);
        for (int i = 0; i < n; ++i) {
            int c = uniform(0xa0, 0xfffd);
            if (c >= 0xd800 && c <= 0xdfff)
                c = 0x3042;
            s += QChar(c);
        }
        if (chance(0.1))
            s = QString(uniform(200, 2000), QLatin1Char('9'));
        return s;
    }
    }
}

RandomUser::Action RandomUser::sliderValue()
{
    QSlider *slider = pick(sliders);
    const int range = slider->maximum() - slider->minimum();
    int value = uniform(slider->minimum() - range / 4 - 2, slider->maximum() + range / 4 + 2);
    if (chance(0.05))
        value = chance(0.5) ? INT_MIN : INT_MAX;
    return { QStringLiteral("set %1 to %2").arg(slider->objectName()).arg(value),
             [slider, value] { slider->setValue(value); } };
}

RandomUser::Action RandomUser::sliderKey()
{
    static const QVector<std::pair<int, const char *>> keys = {
        { Qt::Key_Left, "Left" }, { Qt::Key_Right, "Right" },   { Qt::Key_Up, "Up" },
        { Qt::Key_Down, "Down" }, { Qt::Key_PageUp, "PageUp" }, { Qt::Key_PageDown, "PageDown" },
        { Qt::Key_Home, "Home" }, { Qt::Key_End, "End" },
    };
    QSlider *slider = pick(sliders);
    const auto key = pick(keys);
    const int times = chance(0.8) ? 1 : uniform(2, 40);
    return { QStringLiteral("press %1 %2 times on %3")
                 .arg(QLatin1String(key.second))
                 .arg(times)
                 .arg(slider->objectName()),
             [slider, key, times] {
                 for (int i = 0; i < times; ++i)
                     sendKey(slider, key.first);
             } };
}

RandomUser::Action RandomUser::sliderMouse()
{
    QSlider *slider = pick(sliders);
    const QSize size = slider->size();
    const auto spot = [this, size] {
        if (chance(0.8))
            return QPointF(real(-2, size.width() + 2), real(-2, size.height() + 2));
        return QPointF(real(-3000, 3000), real(-300, 300));
    };
    const Qt::MouseButton b = chance(0.7) ? Qt::LeftButton : button();
    const Qt::KeyboardModifiers m = chance(0.8) ? Qt::KeyboardModifiers() : modifiers();
    QVector<QPointF> path = { spot() };
    const int moves = uniform(0, 6);
    for (int i = 0; i < moves; ++i)
        path << spot();
    QStringList points;
    for (QPointF p : qAsConst(path))
        points << point(p);
    return { QStringLiteral("drag %1 with %2%3 along %4")
                 .arg(slider->objectName(), buttonName(b), modifierNames(m),
                      points.join(QStringLiteral(" "))),
             [slider, b, m, path] {
                 sendMouse(slider, QEvent::MouseButtonPress, path.first(), b, b, m);
                 for (int i = 1; i < path.size(); ++i)
                     sendMouse(slider, QEvent::MouseMove, path[i], Qt::NoButton, b, m);
                 sendMouse(slider, QEvent::MouseButtonRelease, path.last(), b, Qt::NoButton, m);
             } };
}

RandomUser::Action RandomUser::factorSwitch()
{
    QAbstractButton *box = pick(factors);
    return { QStringLiteral("click %1").arg(box->objectName()), [box] { box->click(); } };
}

RandomUser::Action RandomUser::selector()
{
    QAbstractButton *box = pick(selectors);
    return { QStringLiteral("click %1 in Chi(R)").arg(box->objectName()), [box] { box->click(); } };
}

RandomUser::Action RandomUser::flat()
{
    QAbstractButton *button = window->waves.first()->ctrl->Flat;
    return { QStringLiteral("click Flat"), [button] { button->click(); } };
}

RandomUser::Action RandomUser::typeEdge()
{
    const int i = uniform(0, edgeFields.size() - 1);
    return type(edgeFields[i], QStringLiteral("Pos%1").arg(i + 1));
}

RandomUser::Action RandomUser::typeElsewhere()
{
    QLineEdit *field = pick(otherFields);
    return type(field, field->objectName());
}

RandomUser::Action RandomUser::type(QLineEdit *field, const QString &name)
{
    const QString text = fieldText();
    // How the old text goes, and how the entry ends.
    const int entry = uniform(0, 3);
    const int ending = uniform(0, 6);
    QWidget *other = pick(focusTargets);
    if (other == field)
        other = window->waves.first()->ctrl->Flat;
    static const char *entries[] = { "set", "type over", "type after", "erase and type" };
    static const char *endings[]
        = { "Return", "Enter", "a focus change", "Tab", "Return", "leaving the window", "nothing" };
    QString shown = text;
    if (shown.size() > 40)
        shown = shown.left(40) + QStringLiteral("…(%1 characters)").arg(text.size());
    return { QStringLiteral("%1 \"%2\" in %3, ended by %4")
                 .arg(QLatin1String(entries[entry]), shown, name, QLatin1String(endings[ending])),
             [this, field, text, entry, ending, other] {
                 QApplication::setActiveWindow(field->window());
                 field->setFocus(Qt::MouseFocusReason);
                 switch (entry) {
                 case 0:
                     field->setText(text);
                     break;
                 case 1:
                     field->selectAll();
                     typeText(field, text);
                     break;
                 case 2:
                     field->end(false);
                     typeText(field, text);
                     break;
                 default:
                     sendKey(field, Qt::Key_End);
                     for (int i = 0; i < 3; ++i)
                         sendKey(field, Qt::Key_Backspace);
                     typeText(field, text);
                     break;
                 }
                 switch (ending) {
                 case 0:
                 case 4:
                     sendKey(field, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                     break;
                 case 1:
                     sendKey(field, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
                     break;
                 case 2:
                     other->setFocus(Qt::MouseFocusReason);
                     break;
                 case 3:
                     sendKey(field, Qt::Key_Tab);
                     break;
                 case 5:
                     QApplication::setActiveWindow(field->window() == chiR
                                                       ? static_cast<QWidget *>(window)
                                                       : static_cast<QWidget *>(chiR));
                     break;
                 default:
                     break;
                 }
             } };
}

QPointF RandomUser::anywhere(DispArea *surface)
{
    const double w = surface->width();
    const double h = surface->height();
    const int r = uniform(0, 9);
    if (r < 6)
        return QPointF(uniform(0, std::max(0.0, w - 1)), uniform(0, std::max(0.0, h - 1)));
    if (r < 8) {
        // On or just beyond the border.
        const double x = chance(0.5) ? real(-3, w + 3) : (chance(0.5) ? -1 : w);
        const double y = chance(0.5) ? real(-3, h + 3) : (chance(0.5) ? -1 : h);
        return QPointF(std::round(x), std::round(y));
    }
    if (r < 9)
        return QPointF(real(-2 * w - 10, 3 * w + 10), real(-2 * h - 10, 3 * h + 10));
    return QPointF(real(-farAway, farAway), real(-farAway, farAway));
}

QPointF RandomUser::chiKTarget()
{
    const ChCoord &coord = kSurface->coord;
    const auto jitter = [this] { return chance(0.8) ? uniform(-12, 12) : real(-12, 12); };
    const int r = uniform(0, 9);
    if (r < 3) {
        // A window edge's handle, on the zero line.
        const double edge = pick(window->waves.first()->ctrl->WindowCtrl->positions);
        return reachable(QPointF(coord.xToPixel(edge) + jitter(), coord.yToPixel(0.0) + jitter()));
    }
    if (r < 5) {
        const QPointF node = pick(window->waves.first()->envelope->nodes);
        return reachable(
            QPointF(coord.xToPixel(node.x()) + jitter(), coord.yToPixel(node.y()) + jitter()));
    }
    return anywhere(kSurface);
}

QPointF RandomUser::chiRTarget()
{
    if (chance(0.4)) {
        const double x = rSurface->coord.xToPixel(chiR->pointerR);
        return reachable(QPointF(x + uniform(-12, 12), uniform(0, rSurface->height())));
    }
    return anywhere(rSurface);
}

Qt::MouseButton RandomUser::button()
{
    static const QVector<Qt::MouseButton> buttons
        = { Qt::LeftButton,   Qt::LeftButton, Qt::LeftButton,   Qt::RightButton,
            Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton };
    return pick(buttons);
}

Qt::KeyboardModifiers RandomUser::modifiers()
{
    if (chance(0.6))
        return Qt::NoModifier;
    Qt::KeyboardModifiers m;
    for (Qt::KeyboardModifier k : { Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
                                    Qt::MetaModifier, Qt::KeypadModifier }) {
        if (chance(0.3))
            m |= k;
    }
    return m;
}

RandomUser::Action RandomUser::drag(DispArea *surface, const QString &name,
                                    const std::function<QPointF()> &target)
{
    const Qt::MouseButton b = button();
    Qt::MouseButtons held = b;
    if (chance(0.1))
        held |= Qt::RightButton;
    const Qt::KeyboardModifiers m = modifiers();
    QVector<QPointF> path = { target() };
    const int moves = uniform(0, 12);
    for (int i = 0; i < moves; ++i) {
        if (chance(0.5))
            path << reachable(path.last() + QPointF(uniform(-40, 40), uniform(-40, 40)));
        else
            path << target();
    }
    // Mostly released where the drag ends; sometimes never, or by another button.
    const int release = uniform(0, 19);
    QStringList points;
    for (QPointF p : qAsConst(path))
        points << point(p);
    return { QStringLiteral("drag on %1 with %2%3 along %4%5")
                 .arg(name, buttonName(b), modifierNames(m), points.join(QStringLiteral(" ")),
                      release < 17 ? QString() : QStringLiteral(", not released")),
             [surface, b, held, m, path, release] {
                 sendMouse(surface, QEvent::MouseButtonPress, path.first(), b, held, m);
                 for (int i = 1; i < path.size(); ++i)
                     sendMouse(surface, QEvent::MouseMove, path[i], Qt::NoButton, held, m);
                 if (release < 16)
                     sendMouse(surface, QEvent::MouseButtonRelease, path.last(), b, Qt::NoButton,
                               m);
                 else if (release < 17)
                     sendMouse(surface, QEvent::MouseButtonRelease, path.last(), Qt::MiddleButton,
                               Qt::NoButton, m);
             } };
}

RandomUser::Action RandomUser::dragOnChiK()
{
    return drag(kSurface, QStringLiteral("chi(k)"), [this] { return chiKTarget(); });
}

RandomUser::Action RandomUser::dragOnChiR()
{
    return drag(rSurface, QStringLiteral("Chi(R)"), [this] { return chiRTarget(); });
}

RandomUser::Action RandomUser::strayMouse()
{
    // Moves and releases that no press started, and presses that nothing releases.
    const bool onK = chance(0.7);
    DispArea *surface = onK ? kSurface : rSurface;
    const QPointF p = onK ? chiKTarget() : chiRTarget();
    static const QVector<std::pair<QEvent::Type, const char *>> types = {
        { QEvent::MouseMove, "move" },
        { QEvent::MouseMove, "move" },
        { QEvent::MouseButtonRelease, "release" },
        { QEvent::MouseButtonPress, "press" },
    };
    const auto type = pick(types);
    const Qt::MouseButton b = type.first == QEvent::MouseMove ? Qt::NoButton : button();
    const Qt::MouseButtons held = type.first == QEvent::MouseButtonRelease ? Qt::NoButton : b;
    const Qt::KeyboardModifiers m = modifiers();
    return { QStringLiteral("lone %1 on %2 at %3%4")
                 .arg(QLatin1String(type.second),
                      onK ? QStringLiteral("chi(k)") : QStringLiteral("Chi(R)"), point(p),
                      modifierNames(m)),
             [surface, type, p, b, held, m] { sendMouse(surface, type.first, p, b, held, m); } };
}

RandomUser::Action RandomUser::wheel()
{
    const bool onK = chance(0.5);
    DispArea *surface = onK ? kSurface : rSurface;
    const QPointF p = anywhere(surface);
    QPoint angle(0, 120 * uniform(-3, 3));
    if (chance(0.3))
        angle = QPoint(uniform(-2000, 2000), uniform(-2000, 2000));
    if (chance(0.05))
        angle = QPoint(chance(0.5) ? INT_MIN : INT_MAX, chance(0.5) ? INT_MIN : INT_MAX);
    const QPoint pixels(uniform(-50, 50), uniform(-50, 50));
    const Qt::KeyboardModifiers m = modifiers();
    return { QStringLiteral("wheel %1, %2 on %3 at %4%5")
                 .arg(angle.x())
                 .arg(angle.y())
                 .arg(onK ? QStringLiteral("chi(k)") : QStringLiteral("Chi(R)"), point(p),
                      modifierNames(m)),
             [surface, p, angle, pixels, m] {
                 QWheelEvent event(p, p + QPointF(surface->mapToGlobal(QPoint(0, 0))), pixels,
                                   angle, Qt::NoButton, m, Qt::NoScrollPhase, false);
                 QApplication::sendEvent(surface, &event);
             } };
}

RandomUser::Action RandomUser::doubleClick()
{
    const bool onK = chance(0.7);
    DispArea *surface = onK ? kSurface : rSurface;
    const QPointF p = onK ? chiKTarget() : chiRTarget();
    const Qt::MouseButton b = button();
    const Qt::KeyboardModifiers m = modifiers();
    const bool whole = chance(0.7);
    return { QStringLiteral("%1double click with %2%3 on %4 at %5")
                 .arg(whole ? QString() : QStringLiteral("bare "), buttonName(b), modifierNames(m),
                      onK ? QStringLiteral("chi(k)") : QStringLiteral("Chi(R)"), point(p)),
             [surface, p, b, m, whole] {
                 // As the window system delivers one: press, release, double click, release.
                 if (whole) {
                     sendMouse(surface, QEvent::MouseButtonPress, p, b, b, m);
                     sendMouse(surface, QEvent::MouseButtonRelease, p, b, Qt::NoButton, m);
                 }
                 sendMouse(surface, QEvent::MouseButtonDblClick, p, b, b, m);
                 if (whole)
                     sendMouse(surface, QEvent::MouseButtonRelease, p, b, Qt::NoButton, m);
             } };
}

RandomUser::Action RandomUser::tabKey()
{
    const bool back = chance(0.3);
    return { back ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab"), [this, back] {
                QWidget *w = QApplication::focusWidget();
                if (!w)
                    w = window;
                sendKey(w, back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
            } };
}

RandomUser::Action RandomUser::activate()
{
    const int which = uniform(0, 2);
    static const char *names[] = { "chi(k)", "Chi(R)", "no window" };
    return { QStringLiteral("activate %1").arg(QLatin1String(names[which])), [this, which] {
                QWidget *target = which == 0   ? static_cast<QWidget *>(window)
                                  : which == 1 ? static_cast<QWidget *>(chiR)
                                               : nullptr;
                QApplication::setActiveWindow(target);
            } };
}

QSize RandomUser::windowSize()
{
    const int r = uniform(0, 19);
    if (r < 3)
        return QSize(1, 1);
    if (r < 5)
        return QSize(2560, 1600);
    if (r < 6)
        return QSize(1, 1600);
    if (r < 7)
        return QSize(2560, 1);
    if (r < 10)
        return QSize(800, 600);
    const auto side
        = [this](int most) { return int(std::round(std::exp(real(0, std::log(most))))); };
    return QSize(side(2560), side(1600));
}

RandomUser::Action RandomUser::resizeWindow()
{
    const bool main = chance(0.5);
    const QSize size = windowSize();
    QWidget *target = main ? static_cast<QWidget *>(window) : static_cast<QWidget *>(chiR);
    return { QStringLiteral("resize %1 to %2 x %3")
                 .arg(main ? QStringLiteral("chi(k)") : QStringLiteral("Chi(R)"))
                 .arg(size.width())
                 .arg(size.height()),
             [target, size] { target->resize(size); } };
}

RandomUser::Action RandomUser::resizeSurface()
{
    // Below the layout's minimum: the surfaces themselves down to nothing.
    const bool onK = chance(0.5);
    DispArea *surface = onK ? kSurface : rSurface;
    QSize size = windowSize();
    if (chance(0.2))
        size = QSize(uniform(0, 1), uniform(0, 1));
    return { QStringLiteral("resize the %1 plot to %2 x %3")
                 .arg(onK ? QStringLiteral("chi(k)") : QStringLiteral("Chi(R)"))
                 .arg(size.width())
                 .arg(size.height()),
             [surface, size] { surface->resize(size); } };
}

RandomUser::Action RandomUser::closeChiR()
{
    // While it is closed, the panel may change what it would show.
    const bool step = chance(0.5);
    QSlider *slider = pick(sliders);
    return { QStringLiteral("close Chi(R)%1")
                 .arg(step ? QStringLiteral(", then step ") + slider->objectName() : QString()),
             [this, step, slider] {
                 chiR->close();
                 if (step)
                     slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
             } };
}
