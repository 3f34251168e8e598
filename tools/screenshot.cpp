// fourk-screenshot [-e|-j] [--menu] [--labels] [SCENARIO.fourk] OUTPUT.png: starts Fourk as the
// program does (with the scenario opened, if one is named), lets both windows paint, and saves
// them side by side, each under a title bar showing its window title (an offscreen window has no
// frame of its own). With --menu, the main window alone, its File menu open. With --labels, the
// plots with View → Axis Titles and Legend on. On a scaled screen
// (QT_SCALE_FACTOR=2) the picture has the screen's pixels: everything is laid out in logical
// pixels on images that carry the windows' device pixel ratio.

#include "app/chik.h"
#include "app/chir.h"
#include "app/commandline.h"
#include "app/highdpi.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTranslator>
#include <QtMath>

#include <cstdio>

namespace {

constexpr int titleHeight = 28;
constexpr int gap = 16;

QImage withTitle(QWidget *window, QMenu *open = nullptr)
{
    QImage content = window->grab().toImage();
    if (open) {
        // A popup is a window of its own: drawn where it stands over the main window.
        QPainter p(&content);
        p.drawImage(window->mapFromGlobal(open->pos()), open->grab().toImage());
    }
    const qreal ratio = content.devicePixelRatio();
    QImage image(content.width(), content.height() + qCeil(titleHeight * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(60, 63, 65));
    QPainter p(&image);
    QFont font;
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::white);
    // The placeholder shows as a window manager would show it: a star while changed, else nothing.
    QString title = window->windowTitle();
    title.replace(QLatin1String("[*]"),
                  window->isWindowModified() ? QLatin1String("*") : QLatin1String(""));
    p.drawText(QRect(0, 0, window->width(), titleHeight), Qt::AlignCenter, title);
    p.drawImage(0, titleHeight, content);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    enableHighDpiScaling();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2 || !arguments.last().endsWith(QLatin1String(".png"))) {
        std::fprintf(stderr, "usage: fourk-screenshot [-e|-j] [--menu] [--labels] [SCENARIO.fourk] "
                             "OUTPUT.png\n");
        return 2;
    }

    QTranslator translator;
    if (languageFromArguments(arguments) == Language::Japanese) {
        loadJapaneseCatalogue(translator);
        QCoreApplication::installTranslator(&translator);
    }

    ChiK window;
    window.show();
    const QString scenario = scenarioFromArguments(arguments);
    if (!scenario.isEmpty() && !window.openScenarioFile(scenario))
        return 1;
    if (arguments.contains(QStringLiteral("--labels")))
        window.setLabels(true);
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();

    if (arguments.contains(QStringLiteral("--menu"))) {
        QMenuBar *bar = window.menuBar();
        QAction *file = bar->actions().constFirst();
        QMenu *menu = file->menu();
        menu->popup(bar->mapToGlobal(bar->actionGeometry(file).bottomLeft()));
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        bar->setActiveAction(file);
        const QImage shot = withTitle(&window, menu);
        if (!shot.save(arguments.last())) {
            std::fprintf(stderr, "fourk-screenshot: cannot write %s\n",
                         qPrintable(arguments.last()));
            return 1;
        }
        return 0;
    }

    const QImage left = withTitle(&window);
    const QImage right = withTitle(window.chiR);
    const qreal ratio = left.devicePixelRatio();
    QImage out(left.width() + qCeil(gap * ratio) + right.width(),
               qMax(left.height(), right.height()), QImage::Format_RGB32);
    out.setDevicePixelRatio(ratio);
    out.fill(QColor(236, 236, 236));
    QPainter p(&out);
    p.drawImage(0, 0, left);
    p.drawImage(QPointF(left.width() / ratio + gap, 0), right);
    p.end();
    if (!out.save(arguments.last())) {
        std::fprintf(stderr, "fourk-screenshot: cannot write %s\n", qPrintable(arguments.last()));
        return 1;
    }
    return 0;
}
