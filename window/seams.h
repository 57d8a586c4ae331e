#pragma once

// The ways the window reaches beyond itself: modal message boxes, the print dialog and ending the program.
//
// Every modal box the window shows goes through MessageBoxes::ask, the print dialog through
// PrintDialogs::choose, and the program ends only through ProgramEnd::end. The program uses the Qt
// implementations below; tests substitute recorders that return scripted answers and note the end instead of
// quitting, so no test blocks in a modal loop or ends the test process.

#include <QString>

class QPrinter;
class QWidget;

namespace velmora {

enum class MessageButtons { Ok, RetryDiscardCancel };
enum class MessageIcon { None, Warning };
enum class MessageAnswer { Ok, Retry, Discard, Cancel };

struct Message {
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the message modally over parent and returns the button that closed it.
    virtual MessageAnswer ask(QWidget *parent, const Message &message) = 0;
};

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // Lets the user choose the printer and its settings, modally over parent; false when cancelled.
    virtual bool choose(QWidget *parent, QPrinter &printer) = 0;
};

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    // Ends the program at once: the window goes and the event loop stops; nothing else runs or is saved.
    virtual void end(QWidget &window) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer ask(QWidget *parent, const Message &message) override;
};

class QtPrintDialogs final : public PrintDialogs {
public:
    bool choose(QWidget *parent, QPrinter &printer) override;
};

class QuitProgram final : public ProgramEnd {
public:
    void end(QWidget &window) override;
};

} // namespace velmora
