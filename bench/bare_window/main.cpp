// Shows one empty window of the table window's size and waits to be ended: the least a Qt
// program does to put a window on screen. The start-up benchmark watches it from outside.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(1040, 796);
    window.show();
    return app.exec();
}
