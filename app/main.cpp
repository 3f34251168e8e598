#include <QApplication>
#include <QLabel>

// Placeholder until the chi(k) and chi(R) windows exist.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Fourk: the chi(k) and chi(R) windows are not built yet."));
    label.setMargin(24);
    label.show();
    return app.exec();
}
