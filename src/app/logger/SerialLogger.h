#pragma once

#include <QFile>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include "logger/LineEcho.h"
#include "logger/LoggerSettings.h"
#include "logger/TransferWatch.h"

namespace bramble {

// The instrument side of GDump: moves every byte a meter sends through a
// serial port, unchanged and in order, into the receive file. A timer polls
// the port every Interval seconds (there is no thread and no waiting); each
// tick drains the port in reads of at most 100 bytes, appends each read to
// the file at once and echoes at most one completed line of the file per
// read. A tick that brings nothing after data has arrived ends the transfer.
//
// The logger owns the port and the open receive file; the dialog that uses
// it shows the messages and the list.
class SerialLogger final : public QObject {
    Q_OBJECT
public:
    // Size of the port's input buffer, and the most one read takes from it.
    static constexpr qint64 kQueueSize = 1024;
    static constexpr qint64 kReadSize = 100;

    enum class FileOpen { Existing, Created, Failed };

    // The port's settings as read back after opening.
    struct PortSettings {
        double baud = 0;
        double byteSize = 0;
        double parity = 0;
        double stopBits = 0;
    };

    explicit SerialLogger(QObject* parent = nullptr);
    ~SerialLogger() override;

    // Opens `path` for reading and writing: an existing file as it is, else
    // a new, empty one. Failed when it can be neither.
    FileOpen OpenReceiveFile(const QString& path);
    // Empties the open receive file (the operator chose to overwrite it).
    bool TruncateReceiveFile();
    // Closes the receive file without logging (a cancelled or failed Start).
    void CloseReceiveFile();
    // New bytes go after the file's present end: the received byte count
    // starts at 0 and the echo at the first line the new bytes complete.
    void BeginAppending();

    // Opens the port that the settings name ("PortName", else COM1..COM4)
    // at the baud rate of the settings' baud index; only the baud rate is
    // chosen, and the port runs raw so that bytes pass unchanged. False
    // when there is no such port, the rate is not one of the table, or the
    // port cannot be opened.
    bool OpenPort(const LoggerSettings& settings);
    bool IsPortOpen() const { return m_port.isOpen(); }
    PortSettings ReadBackSettings() const { return m_portSettings; }

    // Starts the timer: a tick every `seconds` seconds.
    void StartPolling(int seconds);
    bool IsLogging() const { return m_timer.isActive(); }

    // Ends logging properly: the bytes still waiting at the port are drained
    // into the file, the timer stops, the port is closed and the file
    // flushed and closed. Does nothing more when called again.
    void Finish();

    qint64 ReceivedBytes() const { return m_watch.ReceivedBytes(); }
    // Lines of the receive file counted as echoed (the lines already in an
    // appended file included).
    qint64 EchoedLines() const { return m_echo.EchoedLines(); }
    QString ReceiveFilePath() const { return m_file.fileName(); }

signals:
    // After each read: the bytes received since BeginAppending.
    void bytesReceived(qint64 total);
    // A completed line of the receive file, for the live echo.
    void lineEchoed(const QString& line);
    // A read could not be written to the receive file; logging goes on.
    void writeFailed();
    // A tick found the meter silent after data had arrived.
    void transferEnded();
    // The port `device` went away while logging (an adapter was unplugged).
    // The logger has already kept every byte received and closed the port
    // and the file.
    void portLost(const QString& device);

private:
    void Tick();
    // Reads and stores chunks until the port has nothing more.
    void DrainPort();
    // One read of at most kReadSize bytes; 0 when nothing is waiting, also
    // in the system's queue behind the port's buffer.
    qint64 ReadStep(char* buffer);
    void Store(const char* bytes, qint64 count);
    void OnPortError(QSerialPort::SerialPortError error);
    void ClosePort();

    QSerialPort m_port;
    QFile m_file;
    QTimer m_timer;
    TransferWatch m_watch;
    LineEcho m_echo;
    PortSettings m_portSettings;
    bool m_bInTick = false;      // a tick is running (a message box may be up inside it)
    bool m_bLosingPort = false;  // the port's loss is being handled
};

}  // namespace bramble
