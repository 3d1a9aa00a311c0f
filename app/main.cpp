#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("VeltraMarlin(2.5)");
    label.show();
    return app.exec();
}
