// The start-up yardstick: a bare Qt Widgets window that ends after its first paint.
#include <QApplication>
#include <QWidget>

namespace {
class PaintOnce : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PaintOnce window;
    window.resize(1000, 768);
    window.show();
    return QApplication::exec();
}
