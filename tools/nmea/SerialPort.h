#pragma once
#include <QString>

namespace kesmar {

// A serial device in raw mode, 8N1, non-blocking (termios).
class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool open(const QString& device, int baud, QString* errorText);
    void close();
    int fd() const { return fd_; }
    static bool supportedBaud(int baud);

private:
    int fd_ = -1;
};

} // namespace kesmar
