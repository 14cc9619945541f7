// The yardstick of the start-up benchmark: an empty Qt window of the main
// window's size, shown the way the game shows its own.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("3D QUIMBA");
    window.setFixedSize(1024 + 2, 525 + 2);
    window.show();
    return app.exec();
}
