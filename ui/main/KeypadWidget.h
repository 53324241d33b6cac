#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

#include "engine/CommandTable.h"

namespace zorv::ui {

// One key of the keypad: what it runs, what it shows and says, and where it
// sits in the keypad's grid.
struct KeypadKey {
    // The caption's colour: the theme's button text, the memory keys'
    // accent or the clear keys' warning red (both from the palette).
    enum class Tone { Plain, Memory, Clear };

    engine::CommandId command{};
    QString caption;      // "MR", drawn as it is (no mnemonic)
    QString toolTip;      // "Memory recall (Ctrl+R)"
    QString spokenName;   // "Memory recall": what a screen reader says
    QString objectName;   // "cmdMR"
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
    Tone tone = Tone::Plain;
    bool bold = false;
    bool enabled = true;
};

// The calculator's keys as one widget: about thirty push buttons cost start-up
// time and memory for what is a grid of captions. Each key is drawn by the
// desktop style as a push button and behaves as one: pressed with the mouse
// (released over it), hovered, with a tool tip, disabled when its command is
// missing. The keypad takes focus with Tab; the arrow keys move between
// keys and Space or Enter presses the focused one. Screen readers see one
// button per key (see KeypadAccessible in the .cpp).
class KeypadWidget : public QWidget {
    Q_OBJECT

public:
    explicit KeypadWidget(QWidget* parent = nullptr);

    // Adds a key; returns its index. Keys are laid out on the grid their
    // rows and columns describe.
    int addKey(KeypadKey key);
    int count() const { return static_cast<int>(keys_.size()); }
    const KeypadKey& key(int index) const { return keys_[static_cast<std::size_t>(index)]; }
    // The key of a command, -1 when the keypad has none.
    int indexOf(engine::CommandId command) const;
    // The key under a point of the widget, -1 between keys.
    int keyAt(QPoint position) const;
    QRect keyRect(int index) const;

    void setKeyEnabled(int index, bool enabled);
    // Whether a click on the key would run it now (the keypad enabled too).
    bool keyUsable(int index) const;
    // Presses the key as a click does; nothing when the key can't be used.
    void click(int index);

    // The key that has (or gets, with Tab) the keyboard focus.
    int focusedKey() const { return focused_; }
    void setFocusedKey(int index);
    // The key drawn pressed (mouse or Space held on it), -1 for none.
    int pressedKey() const { return pressed_ >= 0 && pressedDown_ ? pressed_ : -1; }
    int hoveredKey() const { return hovered_; }

    // What the key's caption is drawn in, from the current palette.
    QColor captionColour(int index) const;
    QFont keyFont(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layoutKeys();
    QSize cellHint() const;
    // The nearest usable key from `from` in a direction of the grid, -1
    // at the edge.
    int neighbour(int from, int rowStep, int columnStep) const;
    void setPressed(int index, bool down);
    void setHovered(int index);
    void updateKey(int index);
    void notifyFocus();
    int rows() const;
    int columns() const;

    std::vector<KeypadKey> keys_;
    std::vector<QRect> rects_;
    int focused_ = -1;
    int pressed_ = -1;
    bool pressedDown_ = false;
    bool pressedBySpace_ = false;
    int hovered_ = -1;
    mutable QSize cellHint_;
};

}  // namespace zorv::ui
