#include "SerialPort.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace kesmar {
namespace {

speed_t speedFor(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    default: return B0;
    }
}

} // namespace

SerialPort::~SerialPort() { close(); }

bool SerialPort::supportedBaud(int baud) { return speedFor(baud) != B0; }

bool SerialPort::open(const QString& device, int baud, QString* errorText)
{
    close();
    auto fail = [&](int code) {
        if (errorText)
            *errorText = QString::fromLocal8Bit(std::strerror(code));
        close();
        return false;
    };
    if (!supportedBaud(baud))
        return fail(EINVAL);
    fd_ = ::open(QFile::encodeName(device).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return fail(errno);
    termios tio {};
    if (::tcgetattr(fd_, &tio) != 0)
        return fail(errno);
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    ::cfsetispeed(&tio, speedFor(baud));
    ::cfsetospeed(&tio, speedFor(baud));
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0)
        return fail(errno);
    return true;
}

void SerialPort::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace kesmar
