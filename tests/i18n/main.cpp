// The translation tests run in German whatever the machine's locale: the
// translator is installed explicitly, so no generated system locale is
// needed.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/Translations.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (zorv::app::installTranslations(app, QLocale(QLocale::German, QLocale::Germany)) != "de") {
        fprintf(stderr, "the German translation did not load\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
