#pragma once

// A pseudo-terminal pair that stands in for a meter on a serial line: the
// program opens the slave side by its path like any serial device, and the
// test writes the meter's bytes into the master side.

#include <cerrno>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>

namespace bramble::test {

class PseudoTerminal {
public:
    PseudoTerminal()
    {
        char name[256] = {};
        int slave = -1;
        if (::openpty(&m_master, &slave, name, nullptr, nullptr) != 0)
            return;
        ::close(slave);  // the program opens it by name
        m_path = QString::fromLocal8Bit(name);
    }
    ~PseudoTerminal() { Vanish(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return m_master >= 0; }
    // The device path the logger opens.
    const QString& SlavePath() const { return m_path; }

    // The meter sends bytes; true when all of them went out.
    bool Send(const QByteArray& bytes)
    {
        qsizetype sent = 0;
        while (m_master >= 0 && sent < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            sent += n;
        }
        return sent == bytes.size();
    }

    // The line speed the program set on the port; -1 when it cannot be read.
    int Speed() const
    {
        termios t{};
        if (m_master < 0 || ::tcgetattr(m_master, &t) != 0)
            return -1;
        switch (::cfgetispeed(&t)) {
        case B110:
            return 110;
        case B300:
            return 300;
        case B600:
            return 600;
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 0;
        }
    }

    // The meter goes away (cable or adapter pulled).
    void Vanish()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    QString m_path;
};

}  // namespace bramble::test
