#pragma once

#include <QAbstractScrollArea>
#include <QTextLayout>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <string>
#include <string_view>
#include <vector>

class QPlainTextEdit;
class QTimer;

namespace zorv::ui {

// The paper tape on screen. It shows the model's tape text where it lies (no
// copy of it) through an index of where each line starts, and lays out only
// the lines in view, so a tape of a million lines costs its text plus eight
// bytes a line, and a line posted costs the same however long the tape is.
//
// Positions (cursor, selection, matches) are byte offsets into that text,
// always at the start of a character and never inside a CR LF. The scroll
// bar counts lines: its value is the first line in view.
class TapeView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TapeView(const std::string& text, QWidget* parent = nullptr);
    ~TapeView() override;

    // The text grew at its end by `added` (a post), or was replaced whole.
    void textAppended(std::string_view added);
    void textReplaced();

    // A long text is indexed a slice at a time from the event loop, so the
    // window keeps answering while a big tape goes in.
    bool indexing() const { return indexedTo_ < text_.size(); }
    void finishIndexing();
    void setIndexSlice(std::size_t bytes) { slice_ = bytes ? bytes : 1; }

    // Lines shown: the indexed ones, without the empty one after a final
    // line break.
    std::size_t lineCount() const;
    std::size_t lineStart(std::size_t line) const { return starts_[line]; }
    // Where the line's text ends, before its CR LF.
    std::size_t lineEnd(std::size_t line) const;
    std::size_t lineOf(std::size_t offset) const;
    // The line as drawn: its text and, after a final digit, the padding.
    QString shownLine(std::size_t line) const;

    // The figure space drawn after lines that end in a digit; never part of
    // the text, so it is only ever removed from what a user copies.
    static constexpr char16_t kPad = 0x2007;

    void select(std::size_t anchor, std::size_t position);
    void selectAll();
    void clearSelection();
    bool hasSelection() const { return cursor_ && *cursor_ != anchor_; }
    std::optional<std::size_t> cursorPosition() const { return cursor_; }
    std::size_t selectionStart() const;
    std::size_t selectionEnd() const;
    // The selected text with LF line ends, as a user copies it.
    QString selectedText() const;
    // Scrolls so the line holding `offset` is in view.
    void ensureVisible(std::size_t offset);
    int firstVisibleLine() const;
    bool followsEnd() const { return followEnd_; }

    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return alignment_; }
    // Width the view asks for (room for the longest report lines).
    void setPreferredWidth(int width) { preferredWidth_ = width; }
    static constexpr int kMargin = 4;

    // Editing: a plain editor holding the whole text (LF line ends) covers
    // the view while the tape is unlocked. Posts meanwhile are added to it.
    void setEditing(bool on);
    QPlainTextEdit* editor() const { return editor_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void indexSome(std::size_t bytes);
    // `repaint` false: the caller decides what to draw again.
    void updateScrollRange(bool repaint = true);
    // After lines were added at the end: moves what is still in view and
    // draws only the changed last line and what follows it.
    void repaintAfterAppend(std::size_t oldFirst, std::size_t changedLine);
    // Lays out one line at the viewport's width; returns its height.
    qreal layOut(QTextLayout& layout, std::size_t line) const;
    // The line laid out, from a cache of the lines recently in view: a post
    // then lays out only the new line however many are on screen.
    struct Laid {
        std::unique_ptr<QTextLayout> layout;
        qreal height = 0;
    };
    const Laid& laidOut(std::size_t line) const;
    qreal lineHeight(std::size_t line) const { return laidOut(line).height; }
    void forgetLayouts() const { laid_.clear(); }
    std::size_t offsetAt(QPoint point) const;
    // Column (UTF-16) of a byte offset in its line, and back.
    int columnOf(std::size_t line, std::size_t offset) const;
    std::size_t offsetOf(std::size_t line, int column) const;
    std::size_t moved(std::size_t from, int key, bool wordWise) const;
    int linesPerPage() const;
    QString textOf(std::size_t from, std::size_t to) const;

    const std::string& text_;
    std::vector<std::uint64_t> starts_{0};
    std::size_t indexedTo_ = 0;
    std::size_t slice_ = 4 * 1024 * 1024;
    QTimer* indexer_ = nullptr;
    std::size_t anchor_ = 0;
    std::optional<std::size_t> cursor_;
    bool followEnd_ = true;
    bool adjusting_ = false;
    bool appending_ = false;  // scrolling to follow an append redraws only what changed
    Qt::Alignment alignment_ = Qt::AlignRight;
    int preferredWidth_ = 0;
    QPlainTextEdit* editor_ = nullptr;
    mutable std::unordered_map<std::size_t, Laid> laid_;
    mutable int laidWidth_ = -1;
};

}  // namespace zorv::ui
