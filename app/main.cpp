#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("TORVEK");
    QLabel window("TORVEK");
    window.setWindowTitle("TORVEK");
    window.resize(640, 480);
    window.show();
    return app.exec();
}
