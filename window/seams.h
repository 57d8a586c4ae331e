#pragma once

// The two ways the window reaches beyond itself: modal message boxes and ending the program.
//
// Every modal box the window shows goes through MessageBoxes::ask, and the program ends only through
// ProgramEnd::end. The program uses the Qt implementations below; tests substitute recorders that return
// scripted answers and note the end instead of quitting, so no test blocks in a modal loop or ends the
// test process.

#include <QString>

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

class QuitProgram final : public ProgramEnd {
public:
    void end(QWidget &window) override;
};

} // namespace velmora
