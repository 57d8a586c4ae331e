#pragma once

// What the window tests share: recorders for the seams, write rights that refuse on request, a temporary
// home for the program's files, and mouse events with every field under the test's control.

#include "places.h"
#include "refusingrights.h"
#include "temporaryhome.h"
#include "velmorawindow.h"

#include <QApplication>
#include <QDir>
#include <QList>
#include <QMouseEvent>
#include <QWidget>
#include <QtTest>
#include <memory>

namespace velmora::test {

// Records every message box and answers from a script (Ok, or Cancel for a box without an Ok, when the
// script has run out).
class RecordingMessages final : public MessageBoxes {
public:
    QList<Message> shown;
    QList<MessageAnswer> answers;
    std::function<void(const Message &)> onShow; // runs while the box would be open

    MessageAnswer ask(QWidget *, const Message &message) override
    {
        shown.append(message);
        if (onShow)
            onShow(message);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
};

class RecordingEnd final : public ProgramEnd {
public:
    int ends = 0;
    void end(QWidget &) override { ++ends; }
};

// A window with recorders in place of its seams, in a temporary home of its own.
struct Harness {
    std::unique_ptr<TemporaryHome> home;
    RecordingMessages messages;
    RecordingEnd end;
    RefusingRights rights; // refuses nothing unless a test says so
    FileRoots roots;       // where the window keeps its files
    std::unique_ptr<VelmoraWindow> window;

    // Before each test: a fresh home and empty recorders. False when the home could not be made.
    bool begin()
    {
        home = std::make_unique<TemporaryHome>();
        messages = {};
        end.ends = 0;
        rights = {};
#ifdef Q_OS_WIN
        // The system's places are the machine's own C:\ folders: the same layout goes in the home instead.
        const auto place = [this](const char *path) {
            return QDir::toNativeSeparators(home->filePath(QString::fromLatin1(path)));
        };
        roots = {place("C/Program Files/Ostrel/Velmora/Selection"),
                 place("Local/VirtualStore/Program Files/Ostrel/Velmora/Selection"),
                 place("C/Velmora-Export.txt"), place("Documents/Velmora-Export.txt")};
#else
        roots = FileRoots::system(); // they follow the temporary home
#endif
        return home->isValid();
    }

    // After each test: the window goes first, while its files are still where it expects them.
    void finish()
    {
        window.reset();
        home.reset();
    }

    // The places the window is given: the roots above, with the rights above.
    FilePlaces places() const
    {
        return FilePlaces(roots, &rights);
    }

    // Builds the window and starts it, as main() does once it holds the lock.
    void open(PrintDialogs *printing = nullptr)
    {
        const FilePlaces given = places();
        window = std::make_unique<VelmoraWindow>(
            WindowSeams{.messages = &messages, .end = &end, .printing = printing, .places = &given});
        window->Form_Load();
    }

    template <typename T = QWidget> T *child(const QString &name) const
    {
        auto *widget = window->findChild<T *>(name);
        if (widget == nullptr)
            qFatal("no control named %s", qPrintable(name));
        return widget;
    }
};

// Sends a mouse event straight to a widget, at a point in its own pixels, with the global position that
// point has on the screen.
inline void SendMouse(QWidget *widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                      QPointF local)
{
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace velmora::test
