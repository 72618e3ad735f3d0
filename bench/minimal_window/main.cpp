// The yardstick of the start-up benchmark: the least a Qt widgets program does to show a main
// window with 15 tabs and save its picture, as `tavrel --screenshot` does with its charts.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* tabs = new QTabWidget(&window);
    for (int i = 1; i <= 15; ++i) {
        tabs->addTab(new QLabel(QString("Tab %1").arg(i)), QString("Tab %1").arg(i));
    }
    window.setCentralWidget(tabs);
    window.resize(1100, 760);
    window.show();
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("minimal.png");
    QTimer::singleShot(0, &app, [&] {
        window.grab().save(file);
        app.quit();
    });
    return QApplication::exec();
}
