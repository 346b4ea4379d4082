#include "logger/SerialLogger.h"

#include <algorithm>
#include <array>

#include "logger/BaudRates.h"
#include "logger/PortNames.h"
#include "logger/ReadInterval.h"

namespace bramble {

SerialLogger::SerialLogger(QObject* parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SerialLogger::Tick);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLogger::OnPortError);
}

SerialLogger::~SerialLogger()
{
    m_timer.stop();
    ClosePort();
    m_file.close();
}

SerialLogger::FileOpen SerialLogger::OpenReceiveFile(const QString& path)
{
    m_file.close();
    m_file.setFileName(path);
    // Unbuffered: every read from the port reaches the file at once, and a
    // failing write is seen at once.
    if (m_file.exists() && m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return FileOpen::Existing;
    if (m_file.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered))
        return FileOpen::Created;
    return FileOpen::Failed;
}

bool SerialLogger::TruncateReceiveFile() { return m_file.resize(0); }

void SerialLogger::CloseReceiveFile() { m_file.close(); }

void SerialLogger::BeginAppending()
{
    const qint64 size = m_file.isSequential() ? 0 : m_file.size();
    if (!m_file.isSequential())
        m_file.seek(size);
    m_watch.Restart();
    m_echo.Restart(QFile::encodeName(m_file.fileName()).toStdString(), static_cast<std::uint64_t>(size));
}

bool SerialLogger::OpenPort(const LoggerSettings& settings)
{
    ClosePort();
    const QString device = QString::fromStdString(LoggerPortDevice(settings));
    const int baud = BaudRateForIndex(settings.baudRate);
    if (device.isEmpty() || !IsLoggerBaudRate(baud))
        return false;
    m_port.setPortName(device);
    m_port.setReadBufferSize(kQueueSize);
    m_port.setBaudRate(baud);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_port.clearError();
        return false;
    }
    m_portSettings = {static_cast<double>(m_port.baudRate()), static_cast<double>(m_port.dataBits()),
                      static_cast<double>(m_port.parity()), static_cast<double>(m_port.stopBits())};
    return true;
}

void SerialLogger::StartPolling(int seconds)
{
    // A hand-edited profile may hold any number: keep to the dialog's range.
    m_timer.start(std::clamp(seconds, kMinReadInterval, kMaxReadInterval) * 1000);
}

void SerialLogger::Tick()
{
    if (m_bInTick)
        return;  // a message box of this tick is up; its bytes are still being handled
    m_bInTick = true;
    m_watch.BeginTick();
    DrainPort();
    m_bInTick = false;
    if (m_timer.isActive() && m_watch.EndTick())
        emit transferEnded();
}

void SerialLogger::DrainPort()
{
    std::array<char, kReadSize> buffer{};
    for (;;) {
        buffer.fill(' ');
        const qint64 count = ReadStep(buffer.data());
        if (count <= 0)
            break;
        Store(buffer.data(), count);
    }
}

qint64 SerialLogger::ReadStep(char* buffer)
{
    if (!m_port.isOpen())
        return 0;
    if (m_port.bytesAvailable() == 0) {
        // Pulls what the system has received since the event loop last
        // looked; a timeout only means there is nothing.
        m_port.waitForReadyRead(0);
        if (m_port.error() == QSerialPort::TimeoutError)
            m_port.clearError();
    }
    if (!m_port.isOpen())
        return 0;
    const qint64 waiting = m_port.bytesAvailable();
    if (waiting == 0)
        return 0;
    return m_port.read(buffer, std::min(waiting, kReadSize));
}

void SerialLogger::Store(const char* bytes, qint64 count)
{
    const qint64 written = m_file.isOpen() ? m_file.write(bytes, count) : -1;
    if (written > 0)
        m_echo.Appended(static_cast<std::uint64_t>(written));
    m_watch.Received(count);
    emit bytesReceived(m_watch.ReceivedBytes());
    if (written != count)
        emit writeFailed();
    if (auto line = m_echo.Next())
        emit lineEchoed(QString::fromLocal8Bit(line->data(), static_cast<qsizetype>(line->size())));
}

void SerialLogger::Finish()
{
    if (m_port.isOpen())
        DrainPort();
    m_timer.stop();
    ClosePort();
    if (m_file.isOpen()) {
        m_file.flush();
        m_file.close();
    }
}

void SerialLogger::ClosePort()
{
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

void SerialLogger::OnPortError(QSerialPort::SerialPortError error)
{
    // A device that is gone (an unplugged adapter, a closed pseudo-terminal)
    // shows as a resource error or as a read error that repeats for as long
    // as the port stays open. Either ends the logging.
    if ((error != QSerialPort::ResourceError && error != QSerialPort::ReadError) || !m_port.isOpen() || m_bLosingPort)
        return;
    m_bLosingPort = true;
    const QString device = m_port.portName();
    // Keep what the port had already buffered (reading beyond it would go
    // back to the device), then close at once.
    QByteArray rest(m_port.bytesAvailable(), Qt::Uninitialized);
    rest.resize(std::max<qint64>(m_port.read(rest.data(), rest.size()), 0));
    m_timer.stop();
    ClosePort();
    for (qsizetype at = 0; at < rest.size(); at += kReadSize)
        Store(rest.constData() + at, std::min<qsizetype>(kReadSize, rest.size() - at));
    if (m_file.isOpen()) {
        m_file.flush();
        m_file.close();
    }
    m_bLosingPort = false;
    emit portLost(device);
}

}  // namespace bramble
