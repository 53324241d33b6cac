#pragma once

#include <QPointF>
#include <QWidget>

class QLabel;

namespace zorv::ui {

// `CalcShow`: a small frameless label that stays on top of every window at
// the top edge of the screen. A double-click hides or shows the calculator;
// a single click gives a shown calculator the focus; dragging it with the
// left mouse button moves it.
class ShowLabelWindow : public QWidget {
public:
    // Opening the label hides `calculator` (the label is then the way back).
    explicit ShowLabelWindow(QWidget& calculator);

    QLabel* lblShow() const { return label_; }
    // -1 while the calculator is shown through the label, 0 while hidden.
    int CalcStatus() const { return calcStatus_; }

    void bringCalculatorBack();
    void lblShow_DblClick();

    static constexpr const char* kShowCaption = "Show Zorv Calculator ";
    static constexpr const char* kHideCaption = "Hide Zorv Calculator ";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setCaption(const char* caption);

    QWidget& calculator_;
    QLabel* label_ = nullptr;
    int calcStatus_ = 0;
    bool mDown_ = false;
    bool dragged_ = false;  // the press became a drag, so its release is no click
    QPointF mCur_;
};

}  // namespace zorv::ui
