// Where the main window starts: centred, stored, or brought back on screen.
#include <gtest/gtest.h>

#include "shell/WindowPlacement.h"

namespace zorv::shell {
namespace {

TEST(WindowPlacement, Cases) {
    const QSize window(400, 300);
    const std::vector<QRect> one = {QRect(0, 0, 1280, 800)};
    const std::vector<QRect> two = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)};
    struct Case {
        const char* name;
        std::optional<int> top, left;
        std::vector<QRect> screens;
        QPoint expected;
    };
    const Case cases[] = {
        {"nothing stored: centred", std::nullopt, std::nullopt, one, QPoint(440, 250)},
        {"stored and on screen", 100, 50, one, QPoint(50, 100)},
        {"partly off but reachable", 700, 1200, one, QPoint(1200, 700)},
        {"on the second screen", 200, 2000, two, QPoint(2000, 200)},
        {"screen that is gone", 200, 4000, one, QPoint(880, 200)},
        {"far above", -5000, 100, one, QPoint(100, 0)},
        {"far left and below", 99999, -99999, two, QPoint(0, 500)},
        {"title bar above the top", -10, 100, one, QPoint(100, 0)},
        {"only the top stored", 10, std::nullopt, one, QPoint(440, 10)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeWindow(c.top, c.left, window, c.screens), c.expected) << c.name;
}

TEST(WindowPlacement, AWindowLargerThanTheScreenKeepsItsCornerOnIt) {
    const std::vector<QRect> small = {QRect(0, 0, 640, 480)};
    EXPECT_EQ(placeWindow(-300, 900, QSize(800, 600), small), QPoint(0, 0));
    EXPECT_EQ(centredPosition(QSize(100, 100), QRect(100, 50, 300, 200)), QPoint(200, 100));
}

}  // namespace
}  // namespace zorv::shell
