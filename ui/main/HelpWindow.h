#pragma once

#include <QDialog>

class QTextBrowser;

namespace zorv::ui {

// The user guide, bundled with the program and shown in a text browser.
// `showTopic` opens it at a section: F1 uses the section the hint label
// names ("Press F1 for Help [Adding]" opens the operators).
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }
    void showTopic(const QString& anchor);

    // The section for a hint text, or an empty text for the contents.
    static QString topicForHint(const QString& hint);
    // The guide's location among the program's resources.
    static QString guideUrl();

private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace zorv::ui
