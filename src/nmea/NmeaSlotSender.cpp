#include "nmea/NmeaSlotSender.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kesmar {

NmeaSlotSender::~NmeaSlotSender() { closeSocket(); }

void NmeaSlotSender::closeSocket()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool NmeaSlotSender::connectSocket(QString* errorText)
{
    const QByteArray native = QFile::encodeName(path_);
    sockaddr_un address;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (native.isEmpty() || size_t(native.size()) >= sizeof address.sun_path) {
        if (errorText)
            *errorText = QString::fromLocal8Bit(std::strerror(ENAMETOOLONG));
        return false;
    }
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0 || ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errorText)
            *errorText = QString::fromLocal8Bit(std::strerror(errno));
        closeSocket();
        return false;
    }
    return true;
}

NmeaSlotSender::Result NmeaSlotSender::send(QByteArrayView sentence, QString* errorText)
{
    if (sentence.size() > kMaxDatagram)
        return Result::Dropped;
    if (fd_ < 0) {
        if (lastFailure_.isValid() && lastFailure_.elapsed() < kRetryMilliseconds)
            return Result::NoPlotter;
        if (!connectSocket(errorText)) {
            lastFailure_.start();
            return Result::NoPlotter;
        }
        lastFailure_.invalidate();
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (::send(fd_, sentence.data(), size_t(sentence.size()), MSG_NOSIGNAL) >= 0)
            return Result::Sent;
        const int error = errno;
        if (error == EAGAIN || error == EWOULDBLOCK) {
            // The plotter's queue is full: wait a little for it to read.
            pollfd p{fd_, POLLOUT, 0};
            if (attempt == 0 && ::poll(&p, 1, waitMs_) > 0)
                continue;
            return Result::Dropped;
        }
        if (errorText)
            *errorText = QString::fromLocal8Bit(std::strerror(error));
        // The plotter went away (or restarted): connect afresh next time.
        closeSocket();
        lastFailure_.start();
        return error == ECONNREFUSED || error == ENOENT ? Result::NoPlotter : Result::Error;
    }
    return Result::Dropped;
}

} // namespace kesmar
