#include <QApplication>
#include <QFont>

#include "qt/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stonewise"));
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 10));
    stonewise::MainWindow window;
    window.show();
    return QApplication::exec();
}
