// Shows one empty window and says so on stdout ("shown") once the window system has exposed it,
// then waits to be ended. The start-up benchmark times the client against it.
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>

namespace {

class BareWindow : public QWidget {
  protected:
    bool event(QEvent* event) override {
        const bool handled = QWidget::event(event);
        // The first paint follows the first expose: the window is on screen.
        if (event->type() == QEvent::Paint && !announced_) {
            announced_ = true;
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
        }
        return handled;
    }

  private:
    bool announced_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(1040, 796);
    window.show();
    return app.exec();
}
