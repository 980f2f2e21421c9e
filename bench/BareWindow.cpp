// The start-up yardstick: the least a Qt Widgets window with text pays to start. A main window of
// the program's size with a menu bar and a line of Japanese text in the program's font (any window
// with text loads the font database), ending after the text's first paint.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

namespace {
class PaintOnce : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* e) override {
        QLabel::paintEvent(e);
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 10));
    QMainWindow window;
    for (const char* title : {"ファイル(&F)", "編集(&E)", "表示(&V)", "ヘルプ(&H)"})
        window.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("…"));
    window.setCentralWidget(new PaintOnce(QString::fromUtf8("黒番の手番です。盤上をクリックして着手して下さい。")));
    window.resize(1000, 768);
    window.show();
    return QApplication::exec();
}
