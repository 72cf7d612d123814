// Program entry: creates the application and its main window, then runs the loop.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("IO-Link Slave / EtherNet/IP Master - Converter"));
    w.resize(640, 480);
    w.show();
    return app.exec();
}
