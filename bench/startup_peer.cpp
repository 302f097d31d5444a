// The floor of a Qt Widgets process, for the start-up benchmark to compare the program with: an
// application that shows one empty window and ends once that window has painted.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

class EmptyWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    EmptyWindow window;
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
