#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget table;
    table.setWindowTitle("Korvash");
    table.resize(1024, 768);
    table.show();
    return app.exec();
}
