#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kvor"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kvor"));
    window.setFixedSize(762, 526);
    window.show();
    return app.exec();
}
