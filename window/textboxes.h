#pragma once

// The window's text boxes and how much they hold.
//
// Every text box holds at most MaxTextBytes of text in the code page, what one text of the Selection file
// carries, so whatever a box shows can be saved and loaded whole; a box of car types also holds at most
// MaxListItems car types, as many as a run draws from and the file's LastType counts. An edit that would go
// beyond is refused whole and reported through refused(); nothing is cut without a word. TextBox is a grid
// box (one line). CarTypeBox is txtOld (several lines, wrapping): it is read verbatim, and it wraps
// anywhere once it is long, because breaking one long comma list at word boundaries costs time that grows
// with the square of its length. Both clear in a way that Ctrl+Z undoes.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <optional>

namespace velmora {

enum class BoxLimit { Bytes, Items };

// The limit text goes beyond, or none when a box holds it; carTypes adds the limit of car types.
std::optional<BoxLimit> BeyondLimit(QStringView text, bool carTypes);

// text cut to what a box holds: a list of car types keeps whole car types, a name is cut at a character.
QString fitToBox(const QString &text, bool carTypes);

class TextBox final : public QLineEdit {
    Q_OBJECT
public:
    TextBox(bool carTypes, QWidget *parent);

    bool holdsCarTypes() const { return m_carTypes; }

signals:
    void refused(velmora::BoxLimit limit);

protected:
    void dropEvent(QDropEvent *event) override;

private:
    bool m_carTypes;
};

class CarTypeBox final : public QPlainTextEdit {
    Q_OBJECT
public:
    // Above this many characters the box wraps anywhere, not at word boundaries.
    static constexpr int wrapAnywhereFrom = 4096;

    explicit CarTypeBox(QWidget *parent);

    // The text exactly as typed, line breaks as "\n" (toPlainText would turn a no-break space into a space).
    QString text() const;
    // Empties the box as one edit that Ctrl+Z undoes.
    void clearUndoably();

signals:
    void refused(velmora::BoxLimit limit);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;

private:
    // True when replacing the selection by inserted leaves text the box holds; otherwise says why.
    bool admits(const QString &inserted);
    void wrapFor(qsizetype length);
};

} // namespace velmora
