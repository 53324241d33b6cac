// The floor for start-up time and memory: an empty Qt 6 window of about the
// calculator's size, built and launched the same way (bench/startup.sh).
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty Qt window"));
    window.resize(640, 420);
    window.show();
    return app.exec();
}
