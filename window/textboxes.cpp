#include "textboxes.h"

#include "selection.h"
#include "selectionlayout.h"
#include "textcodec.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QValidator>

namespace velmora {

namespace {

// A text of at most this many UTF-16 units fits whatever the code page: no code page takes more than four
// bytes for a unit, so most edits need no encoding at all.
constexpr qsizetype surelyFits = MaxTextBytes / 4;

qsizetype EncodedSize(QStringView text)
{
    QStringEncoder encoder = SystemEncoder();
    return QByteArray(encoder.encode(text)).size();
}

// Line breaks as the box's text reads them: every paragraph or line separator, CR LF and CR become "\n".
QString LineBreaksAsNewlines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar &c : text) {
        if (c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return text;
}

class BoxValidator final : public QValidator {
public:
    BoxValidator(bool carTypes, QObject *parent) : QValidator(parent), m_carTypes(carTypes) {}

    State validate(QString &input, int &) const override
    {
        m_beyond = BeyondLimit(input, m_carTypes);
        return m_beyond ? Invalid : Acceptable;
    }

    // Why the last text was refused, once: a paste cut by the length limit (below) is refused before the
    // validator sees it, and then always for its bytes.
    BoxLimit takeLimit() const
    {
        const BoxLimit limit = m_beyond.value_or(BoxLimit::Bytes);
        m_beyond.reset();
        return limit;
    }

private:
    bool m_carTypes;
    mutable std::optional<BoxLimit> m_beyond; // why the last text was refused
};

// Why a box holding now refuses the text a drop brings, if it does. A move within the box only shifts its
// text. A refused drop must be refused to the drag too: accepted, as a move, its source would delete the
// text it gave away.
std::optional<BoxLimit> refusedDrop(const QDropEvent *event, bool fromWithin, const QString &now,
                                    bool carTypes)
{
    if (!event->mimeData()->hasText() || (fromWithin && event->dropAction() == Qt::MoveAction))
        return std::nullopt;
    return BeyondLimit(now + LineBreaksAsNewlines(event->mimeData()->text()), carTypes);
}

} // namespace

std::optional<BoxLimit> BeyondLimit(QStringView text, bool carTypes)
{
    if (text.size() > MaxTextBytes) // every unit takes at least one byte
        return BoxLimit::Bytes;
    if (carTypes && text.count(u',') >= MaxListItems)
        return BoxLimit::Items;
    if (text.size() > surelyFits && EncodedSize(text) > MaxTextBytes)
        return BoxLimit::Bytes;
    return std::nullopt;
}

QString fitToBox(const QString &text, bool carTypes)
{
    if (!BeyondLimit(text, carTypes))
        return text;
    QStringView fitted(text);
    if (carTypes) {
        // The first MaxListItems car types at most.
        qsizetype commas = 0;
        for (qsizetype i = 0; i < fitted.size(); ++i) {
            if (fitted[i] == u',' && ++commas == MaxListItems) {
                fitted = fitted.first(i);
                break;
            }
        }
    }
    if (EncodedSize(fitted) <= MaxTextBytes)
        return fitted.toString();
    // The longest prefix that fits, found by halving; a prefix never ends inside a surrogate pair.
    const auto boundary = [fitted](qsizetype n) {
        return n > 0 && n < fitted.size() && fitted[n - 1].isHighSurrogate() ? n - 1 : n;
    };
    qsizetype low = 0;
    qsizetype high = std::min(fitted.size(), MaxTextBytes);
    while (low < high) {
        const qsizetype mid = low + (high - low + 1) / 2;
        if (EncodedSize(fitted.first(boundary(mid))) <= MaxTextBytes)
            low = mid;
        else
            high = mid - 1;
    }
    QStringView prefix = fitted.first(boundary(low));
    // A list keeps whole car types: a cut car type would be a car type nobody typed.
    if (carTypes && fitted[prefix.size()] != u',') {
        const qsizetype comma = prefix.lastIndexOf(u',');
        if (comma >= 0)
            prefix = prefix.first(comma);
    }
    return prefix.toString();
}

TextBox::TextBox(bool carTypes, QWidget *parent) : QLineEdit(parent), m_carTypes(carTypes)
{
    // One character more than a text can fit: a longer paste arrives cut to it, and the validator then
    // refuses it whole. A line edit undoes character by character, so an unbounded paste would take long.
    setMaxLength(static_cast<int>(MaxTextBytes) + 1);
    auto *validator = new BoxValidator(carTypes, this);
    setValidator(validator);
    connect(this, &QLineEdit::inputRejected, this,
            [this, validator] { emit refused(validator->takeLimit()); });
}

void TextBox::dropEvent(QDropEvent *event)
{
    if (const std::optional<BoxLimit> beyond =
            refusedDrop(event, event->source() == this, text(), m_carTypes)) {
        event->ignore();
        emit refused(*beyond);
        return;
    }
    QLineEdit::dropEvent(event);
}

CarTypeBox::CarTypeBox(QWidget *parent) : QPlainTextEdit(parent)
{
    // Undo, redo and text set from code change the length without passing the checks below.
    connect(document(), &QTextDocument::contentsChange, this,
            [this] { wrapFor(document()->characterCount()); });
}

QString CarTypeBox::text() const
{
    return LineBreaksAsNewlines(document()->toRawText());
}

void CarTypeBox::clearUndoably()
{
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
}

bool CarTypeBox::admits(const QString &inserted)
{
    const QTextCursor cursor = textCursor();
    const QString now = text();
    const QString after = now.first(cursor.selectionStart()) + LineBreaksAsNewlines(inserted) +
                          now.sliced(cursor.selectionEnd());
    if (const std::optional<BoxLimit> beyond = BeyondLimit(after, true)) {
        emit refused(*beyond);
        return false;
    }
    // Set the wrap before the text arrives, so a long paste is never laid out word by word.
    wrapFor(after.size());
    return true;
}

void CarTypeBox::wrapFor(qsizetype length)
{
    const QTextOption::WrapMode mode =
        length > wrapAnywhereFrom ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

void CarTypeBox::keyPressEvent(QKeyEvent *event)
{
    QString typed;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = QStringLiteral("\n");
    else if (!event->text().isEmpty() && event->text().front().isPrint())
        typed = event->text();
    if (!typed.isEmpty() && !admits(typed)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CarTypeBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() && !admits(event->commitString())) {
        // The composition ends without adding its text.
        QInputMethodEvent nothing;
        QPlainTextEdit::inputMethodEvent(&nothing);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void CarTypeBox::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText() && !admits(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

void CarTypeBox::dropEvent(QDropEvent *event)
{
    const bool fromWithin = event->source() == this || event->source() == viewport();
    if (const std::optional<BoxLimit> beyond = refusedDrop(event, fromWithin, text(), true)) {
        event->ignore();
        emit refused(*beyond);
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

} // namespace velmora
