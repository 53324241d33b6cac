#include "TapeView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextLayout>
#include <cmath>
#include <QTextOption>
#include <QTimer>
#include <algorithm>
#include <cstring>

namespace zorv::ui {

namespace {

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char('_');
}

// A screen reader hears the lines in view as the tape's value; reading a
// million lines out as one text would be of use to nobody.
class TapeAccessible : public QAccessibleWidget {
public:
    explicit TapeAccessible(TapeView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Value) return QAccessibleWidget::text(t);
        auto* view = static_cast<TapeView*>(widget());
        QStringList lines;
        const std::size_t n = view->lineCount();
        const std::size_t first = static_cast<std::size_t>(std::max(0, view->firstVisibleLine()));
        const std::size_t page = static_cast<std::size_t>(
            std::max(1, view->viewport()->height() / std::max(1, view->fontMetrics().lineSpacing())));
        for (std::size_t line = first; line < n && line < first + page; ++line) {
            QString shown = view->shownLine(line);
            shown.remove(QChar(TapeView::kPad));
            lines << shown;
        }
        return lines.join(QLatin1Char('\n'));
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }
};

QAccessibleInterface* tapeAccessibleFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<TapeView*>(object)) return new TapeAccessible(view);
    return nullptr;
}

}  // namespace

TapeView::TapeView(const std::string& text, QWidget* parent) : QAbstractScrollArea(parent), text_(text) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(tapeAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    indexer_ = new QTimer(this);
    indexer_->setSingleShot(true);
    indexer_->setInterval(0);
    connect(indexer_, &QTimer::timeout, this, [this] {
        indexSome(slice_);
        if (indexing()) indexer_->start();
        updateScrollRange();
    });
    // When the newest line was in view, it stays there as lines are posted
    // and as the window is resized; scrolled back, the view stays put.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!adjusting_) followEnd_ = value >= verticalScrollBar()->maximum();
    });
    textReplaced();
}

TapeView::~TapeView() = default;

// ---------------------------------------------------------------------------
// The line index

void TapeView::indexSome(std::size_t bytes) {
    const std::size_t end = std::min(text_.size(), indexedTo_ + std::max<std::size_t>(bytes, 1));
    const char* base = text_.data();
    std::size_t at = indexedTo_;
    while (at < end) {
        const void* nl = std::memchr(base + at, '\n', end - at);
        if (!nl) break;
        at = static_cast<std::size_t>(static_cast<const char*>(nl) - base) + 1;
        starts_.push_back(at);
    }
    indexedTo_ = end;
}

void TapeView::finishIndexing() {
    if (!indexing()) return;
    indexer_->stop();
    indexSome(text_.size() - indexedTo_);
    updateScrollRange();
}

void TapeView::textAppended(std::string_view added) {
    if (editor_) {
        QString lines = QString::fromUtf8(added.data(), static_cast<qsizetype>(added.size()));
        lines.remove(QLatin1Char('\r'));
        QTextCursor end(editor_->document());
        end.movePosition(QTextCursor::End);
        end.insertText(lines);
    }
    const std::size_t oldFirst = static_cast<std::size_t>(std::max(0, firstVisibleLine()));
    const std::size_t oldCount = lineCount();
    // Text without a line break joins the last line, which then wraps anew.
    if (oldCount) laid_.erase(oldCount - 1);
    // While a long text is still being indexed the timer gets to the new
    // lines in turn.
    if (!indexer_->isActive()) {
        indexSome(slice_);
        if (indexing()) indexer_->start();
    }
    appending_ = true;
    updateScrollRange(false);
    appending_ = false;
    repaintAfterAppend(oldFirst, oldCount ? oldCount - 1 : 0);
}

// Lines added at the end change only the old last line and what follows it.
// When the view follows the end, the lines above move up by the height of
// those that left the top: moved on screen rather than drawn again, a key
// costs the same however full the view is. Anything else draws it all.
void TapeView::repaintAfterAppend(std::size_t oldFirst, std::size_t changedLine) {
    QWidget* port = viewport();
    const std::size_t first = static_cast<std::size_t>(std::max(0, firstVisibleLine()));
    if (editor_ || first < oldFirst || changedLine < first) {
        port->update();
        return;
    }
    qreal shift = 0;
    for (std::size_t line = oldFirst; line < first && shift < port->height(); ++line) shift += lineHeight(line);
    qreal top = kMargin;
    for (std::size_t line = first; line < changedLine && top < port->height(); ++line) top += lineHeight(line);
    // Moving by a fraction of a pixel would smear the text.
    const auto whole = [](qreal v) { return std::abs(v - std::round(v)) < 1e-6; };
    if (!whole(shift) || !whole(top) || shift >= port->height()) {
        port->update();
        return;
    }
    if (shift > 0) port->scroll(0, -static_cast<int>(shift));
    if (top < port->height())
        port->update(QRect(0, static_cast<int>(top), port->width(), port->height() - static_cast<int>(top)));
}

void TapeView::textReplaced() {
    indexer_->stop();
    std::vector<std::uint64_t>{0}.swap(starts_);  // gives back the old index's memory
    indexedTo_ = 0;
    forgetLayouts();
    anchor_ = 0;
    cursor_.reset();
    followEnd_ = true;
    if (editor_) editor_->setPlainText(textOf(0, text_.size()));
    indexSome(slice_);
    if (indexing()) indexer_->start();
    updateScrollRange();
}

std::size_t TapeView::lineCount() const {
    if (indexing()) return starts_.size() - 1;  // the last line may not be complete yet
    std::size_t n = starts_.size();
    if (n > 1 && starts_.back() == text_.size()) --n;  // nothing after the last line break
    return n;
}

std::size_t TapeView::lineEnd(std::size_t line) const {
    if (line + 1 >= starts_.size()) return text_.size();
    std::size_t end = starts_[line + 1] - 1;
    if (end > starts_[line] && text_[end - 1] == '\r') --end;
    return end;
}

std::size_t TapeView::lineOf(std::size_t offset) const {
    const auto it = std::upper_bound(starts_.begin(), starts_.end(), offset);
    const std::size_t line = static_cast<std::size_t>(it - starts_.begin()) - 1;
    const std::size_t n = lineCount();
    return n == 0 ? 0 : std::min(line, n - 1);
}

QString TapeView::textOf(std::size_t from, std::size_t to) const {
    to = std::min(to, text_.size());
    if (from >= to) return {};
    QString s = QString::fromUtf8(text_.data() + from, static_cast<qsizetype>(to - from));
    s.remove(QLatin1Char('\r'));
    return s;
}

// Lines of the tape are printed flush right. An item ends in its operator
// ("12.50+") and a total does not ("20.00"), so a total would sit one column
// to the right of the items above it. The view draws a figure space (as wide
// as a digit) after every line that ends in a digit, so amounts line up on
// their decimal symbol; the text itself is not changed. A line ending in the
// decimal symbol ("8.") already lines up: its symbol takes the operator's
// column.
QString TapeView::shownLine(std::size_t line) const {
    QString s = textOf(starts_[line], lineEnd(line));
    if (!s.isEmpty() && s.back().isDigit()) s.append(QChar(kPad));
    return s;
}

int TapeView::columnOf(std::size_t line, std::size_t offset) const {
    const std::size_t start = starts_[line];
    offset = std::clamp(offset, start, lineEnd(line));
    return static_cast<int>(QString::fromUtf8(text_.data() + start, static_cast<qsizetype>(offset - start)).size());
}

std::size_t TapeView::offsetOf(std::size_t line, int column) const {
    const QString s = textOf(starts_[line], lineEnd(line));
    column = std::clamp(column, 0, static_cast<int>(s.size()));
    return starts_[line] + static_cast<std::size_t>(QStringView(s).left(column).toUtf8().size());
}

// ---------------------------------------------------------------------------
// Layout and scrolling

qreal TapeView::layOut(QTextLayout& layout, std::size_t line) const {
    layout.setText(shownLine(line));
    layout.setFont(font());
    QTextOption option(alignment_);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const qreal width = std::max(1, viewport()->width() - 2 * kMargin);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(width);
        l.setPosition(QPointF(0, y));
        y += l.height();
    }
    layout.endLayout();
    return std::max<qreal>(y, fontMetrics().height());
}

const TapeView::Laid& TapeView::laidOut(std::size_t line) const {
    if (laidWidth_ != viewport()->width() || laid_.size() > 2000) {
        laid_.clear();
        laidWidth_ = viewport()->width();
    }
    auto [it, made] = laid_.try_emplace(line);
    if (made) {
        it->second.layout = std::make_unique<QTextLayout>();
        it->second.height = layOut(*it->second.layout, line);
    }
    return it->second;
}

int TapeView::linesPerPage() const {
    return std::max(1, (viewport()->height() - 2 * kMargin) / std::max(1, fontMetrics().lineSpacing()));
}

int TapeView::firstVisibleLine() const { return verticalScrollBar()->value(); }

void TapeView::updateScrollRange(bool repaint) {
    // The last first line: from it, the rest of the tape fills the view.
    // Only the lines that fit are laid out, however long the tape.
    const std::size_t n = lineCount();
    const qreal room = viewport()->height() - 2 * kMargin;
    std::size_t first = n;
    qreal used = 0;
    while (first > 0) {
        const qreal h = lineHeight(first - 1);
        if (first < n && used + h > room) break;
        used += h;
        --first;
    }
    QScrollBar* bar = verticalScrollBar();
    adjusting_ = true;
    bar->setRange(0, static_cast<int>(std::min<std::size_t>(first, INT_MAX)));
    bar->setSingleStep(1);
    bar->setPageStep(linesPerPage());
    if (followEnd_) bar->setValue(bar->maximum());
    adjusting_ = false;
    if (repaint) viewport()->update();
}

void TapeView::scrollContentsBy(int, int) {
    if (!appending_) viewport()->update();
}

void TapeView::ensureVisible(std::size_t offset) {
    const std::size_t line = lineOf(offset);
    QScrollBar* bar = verticalScrollBar();
    const std::size_t first = static_cast<std::size_t>(bar->value());
    if (line < first) {
        bar->setValue(static_cast<int>(line));
        return;
    }
    const qreal room = viewport()->height() - 2 * kMargin;
    std::size_t top = line;
    qreal used = lineHeight(line);
    while (top > first && used + lineHeight(top - 1) <= room) used += lineHeight(--top);
    if (top > first) bar->setValue(static_cast<int>(top));
}

void TapeView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const std::size_t n = lineCount();
    const bool selected = hasSelection();
    const std::size_t selStart = selectionStart(), selEnd = selectionEnd();
    const bool caret = cursor_ && hasFocus();
    const std::size_t caretLine = caret ? lineOf(*cursor_) : 0;
    qreal y = kMargin;
    for (std::size_t line = static_cast<std::size_t>(firstVisibleLine()); line < n && y < viewport()->height();
         ++line) {
        const Laid& laid = laidOut(line);
        QTextLayout& layout = *laid.layout;
        const qreal h = laid.height;
        QList<QTextLayout::FormatRange> ranges;
        const std::size_t start = starts_[line];
        const std::size_t next = line + 1 < starts_.size() ? starts_[line + 1] : text_.size() + 1;
        if (selected && selStart < next && selEnd > start) {
            const int from = columnOf(line, selStart);
            // A selection that goes on past the line's end takes the padding.
            const int to = selEnd > lineEnd(line) ? static_cast<int>(layout.text().size()) : columnOf(line, selEnd);
            if (to > from) {
                QTextLayout::FormatRange r;
                r.start = from;
                r.length = to - from;
                r.format.setBackground(palette().brush(QPalette::Highlight));
                r.format.setForeground(palette().brush(QPalette::HighlightedText));
                ranges << r;
            }
        }
        layout.draw(&painter, QPointF(kMargin, y), ranges);
        if (caret && caretLine == line) layout.drawCursor(&painter, QPointF(kMargin, y), columnOf(line, *cursor_));
        y += h;
    }
}

void TapeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (editor_) editor_->setGeometry(rect());
    updateScrollRange();
}

void TapeView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        forgetLayouts();
        updateScrollRange();
    }
}

void TapeView::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    forgetLayouts();
    if (editor_) {
        QTextOption option = editor_->document()->defaultTextOption();
        option.setAlignment(alignment);
        editor_->document()->setDefaultTextOption(option);
    }
    updateScrollRange();
}

QSize TapeView::sizeHint() const {
    const QSize hint = QAbstractScrollArea::sizeHint();
    return {std::max(hint.width(), preferredWidth_), hint.height()};
}

// ---------------------------------------------------------------------------
// Selection

void TapeView::select(std::size_t anchor, std::size_t position) {
    anchor_ = std::min(anchor, text_.size());
    cursor_ = std::min(position, text_.size());
    viewport()->update();
}

void TapeView::selectAll() {
    finishIndexing();
    select(0, text_.size());
}

void TapeView::clearSelection() {
    if (cursor_) anchor_ = *cursor_;
    viewport()->update();
}

std::size_t TapeView::selectionStart() const { return cursor_ ? std::min(anchor_, *cursor_) : 0; }
std::size_t TapeView::selectionEnd() const { return cursor_ ? std::max(anchor_, *cursor_) : 0; }

QString TapeView::selectedText() const { return textOf(selectionStart(), selectionEnd()); }

std::size_t TapeView::offsetAt(QPoint point) const {
    const std::size_t n = lineCount();
    if (n == 0) return 0;
    qreal y = kMargin;
    for (std::size_t line = static_cast<std::size_t>(firstVisibleLine()); line < n; ++line) {
        const Laid& laid = laidOut(line);
        const QTextLayout& layout = *laid.layout;
        const qreal h = laid.height;
        if (point.y() < y + h || line + 1 == n || y + h >= viewport()->height()) {
            QTextLine hit = layout.lineAt(0);
            for (int i = 0; i < layout.lineCount(); ++i) {
                hit = layout.lineAt(i);
                if (point.y() - y < hit.y() + hit.height()) break;
            }
            return offsetOf(line, hit.xToCursor(point.x() - kMargin));
        }
        y += h;
    }
    return text_.size();
}

std::size_t TapeView::moved(std::size_t from, int key, bool toEnds) const {
    const std::size_t n = lineCount();
    if (n == 0) return 0;
    const std::size_t line = lineOf(from);
    const int column = columnOf(line, from);
    const std::size_t page = static_cast<std::size_t>(linesPerPage());
    switch (key) {
    case Qt::Key_Left: {
        if (column == 0) return line > 0 ? lineEnd(line - 1) : starts_[0];
        const QString s = textOf(starts_[line], lineEnd(line));
        int c = column - 1;
        if (c > 0 && s[c].isLowSurrogate()) --c;
        return offsetOf(line, c);
    }
    case Qt::Key_Right: {
        const QString s = textOf(starts_[line], lineEnd(line));
        if (column >= s.size()) return line + 1 < n ? starts_[line + 1] : from;
        int c = column + 1;
        if (c < s.size() && s[c].isLowSurrogate()) ++c;
        return offsetOf(line, c);
    }
    case Qt::Key_Up: return line > 0 ? offsetOf(line - 1, column) : starts_[0];
    case Qt::Key_Down: return line + 1 < n ? offsetOf(line + 1, column) : lineEnd(line);
    case Qt::Key_PageUp: return offsetOf(line > page ? line - page : 0, column);
    case Qt::Key_PageDown: return line + page < n ? offsetOf(line + page, column) : lineEnd(n - 1);
    case Qt::Key_Home: return toEnds ? 0 : starts_[line];
    case Qt::Key_End: return toEnds ? lineEnd(n - 1) : lineEnd(line);
    default: return from;
    }
}

// ---------------------------------------------------------------------------
// Keys and mouse: the tape takes navigation and selection only; typed
// characters never reach it (the window gives them to the calculator).

bool TapeView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll)) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TapeView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End: break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    finishIndexing();
    const std::size_t from =
        cursor_ ? *cursor_ : (lineCount() ? starts_[static_cast<std::size_t>(firstVisibleLine())] : 0);
    const std::size_t to =
        moved(from, event->key(), (event->modifiers() & Qt::ControlModifier) != 0);
    const bool extend = (event->modifiers() & Qt::ShiftModifier) != 0;
    select(extend && cursor_ ? anchor_ : (extend ? from : to), to);
    ensureVisible(to);
}

void TapeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    finishIndexing();
    const std::size_t at = offsetAt(event->position().toPoint());
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && cursor_;
    select(extend ? anchor_ : at, at);
}

void TapeView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !cursor_) return;
    QPoint at = event->position().toPoint();
    // Dragged past the top or bottom, the tape scrolls a line at a time.
    if (at.y() < 0) verticalScrollBar()->setValue(firstVisibleLine() - 1);
    else if (at.y() >= viewport()->height()) verticalScrollBar()->setValue(firstVisibleLine() + 1);
    at.setY(std::clamp(at.y(), 0, viewport()->height() - 1));
    select(anchor_, offsetAt(at));
}

void TapeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    finishIndexing();
    const std::size_t at = offsetAt(event->position().toPoint());
    const std::size_t line = lineOf(at);
    const QString s = textOf(starts_[line], lineEnd(line));
    int from = columnOf(line, at);
    int to = from;
    while (from > 0 && isWordCharacter(s[from - 1])) --from;
    while (to < s.size() && isWordCharacter(s[to])) ++to;
    select(offsetOf(line, from), offsetOf(line, to));
}

void TapeView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TapeView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// ---------------------------------------------------------------------------
// Editing

void TapeView::setEditing(bool on) {
    if (on == (editor_ != nullptr)) return;
    if (!on) {
        const bool hadFocus = editor_->hasFocus();
        setFocusProxy(nullptr);
        delete editor_;
        editor_ = nullptr;
        updateScrollRange();
        if (hadFocus) setFocus();
        return;
    }
    finishIndexing();
    editor_ = new QPlainTextEdit(this);
    editor_->setObjectName(QStringLiteral("txtTapeEditor"));
    editor_->setAccessibleName(accessibleName());
    editor_->setAccessibleDescription(accessibleDescription());
    editor_->setUndoRedoEnabled(false);
    editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    editor_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QTextOption option = editor_->document()->defaultTextOption();
    option.setAlignment(alignment_);
    editor_->document()->setDefaultTextOption(option);
    editor_->setPlainText(textOf(0, text_.size()));
    editor_->setGeometry(rect());
    editor_->show();
    setFocusProxy(editor_);
}

}  // namespace zorv::ui
