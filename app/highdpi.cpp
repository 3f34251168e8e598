#include "highdpi.h"

#include <QGuiApplication>

void enableHighDpiScaling()
{
    // Qt 6 does this by itself and warns that the attributes are obsolete.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}
