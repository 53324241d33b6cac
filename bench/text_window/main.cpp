// The floor for a window that shows text: an empty Qt 6 window with one line
// of text in the default font, of about the calculator's size, built and
// launched the same way (bench/startup.sh). Drawing any text loads the font
// configuration, a font file, FreeType and HarfBuzz.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("0.00"));
    window.setWindowTitle(QStringLiteral("Qt window with one line of text"));
    window.resize(640, 420);
    window.show();
    return app.exec();
}
