#pragma once

// A write-only device that takes a given number of bytes and then refuses, with a reason of its own.

#include <QIODevice>
#include <algorithm>

namespace velmora::test {

class FailingDevice final : public QIODevice {
public:
    explicit FailingDevice(qint64 room = 0) : m_room(room) { open(QIODevice::WriteOnly); }
    qint64 taken() const { return m_taken; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        // Like a disk filling up: what still fits goes out, the write after that fails.
        if (m_room == 0) {
            setErrorString(QStringLiteral("device full"));
            return -1;
        }
        const qint64 taken = std::min(len, m_room);
        m_room -= taken;
        m_taken += taken;
        return taken;
    }

private:
    qint64 m_room;
    qint64 m_taken = 0;
};

} // namespace velmora::test
