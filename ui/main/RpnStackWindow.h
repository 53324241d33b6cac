#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

namespace zorv::engine {
class RpnStack;
}

namespace zorv::ui {

// `frmRPNStack`: the numbers on the RPN stack, top first, kept up to date
// while the window is open. It takes no keys of its own, so the calculator
// can be worked with the stack in view.
class RpnStackWindow : public QDialog {
    Q_OBJECT

public:
    explicit RpnStackWindow(engine::RpnStack& stack, QWidget* parent = nullptr);
    ~RpnStackWindow() override;

    QListWidget* lstStack() const { return list_; }
    QLabel* lblDepth() const { return depth_; }
    void refresh();

private:
    engine::RpnStack& stack_;
    QListWidget* list_ = nullptr;
    QLabel* depth_ = nullptr;
};

}  // namespace zorv::ui
