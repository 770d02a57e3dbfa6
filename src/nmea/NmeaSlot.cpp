#include "nmea/NmeaSlot.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kesmar {
namespace {

// A datagram burst is read in slices so that the event loop keeps running
// while a receiver floods the slot.
constexpr int kMaxReadsPerWake = 64;

QString systemError(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

bool fillAddress(const QByteArray& path, sockaddr_un* address)
{
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, path.constData(), size_t(path.size()));
    return true;
}

// The folder must be ours and closed to others: it is what keeps other
// users from sending, since datagram sockets carry no peer credentials.
int prepareFolder(const QByteArray& folder)
{
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return errno;
    struct stat info {};
    if (::lstat(folder.constData(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    if (info.st_uid != ::getuid())
        return EPERM;
    if ((info.st_mode & 077) != 0 && ::chmod(folder.constData(), 0700) != 0)
        return errno;
    return 0;
}

// A socket file left by a dead instance refuses connections: replace it.
// A live one answers, and then the slot is in use.
int removeStaleSocket(const QByteArray& path, const sockaddr_un& address)
{
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISSOCK(info.st_mode))
        return EEXIST;
    int probe = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return errno;
    int rc = ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    int error = errno;
    ::close(probe);
    if (rc == 0)
        return EADDRINUSE;
    if (error != ECONNREFUSED)
        return error;
    return ::unlink(path.constData()) == 0 ? 0 : errno;
}

} // namespace

NmeaSlot::NmeaSlot(QObject* parent) : QObject(parent) {}

NmeaSlot::~NmeaSlot() { close(); }

QString NmeaSlot::defaultPath()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
        return QString::fromLocal8Bit(runtime) + QStringLiteral("/kesmar/nmea.sock");
    return QStringLiteral("/tmp/kesmar-%1/nmea.sock").arg(::getuid());
}

bool NmeaSlot::open(const QString& path, QString* errorText)
{
    close();
    auto fail = [&](int code) {
        if (errorText)
            *errorText = systemError(code);
        return false;
    };
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address;
    if (!fillAddress(native, &address))
        return fail(ENAMETOOLONG);
    const qsizetype slash = native.lastIndexOf('/');
    if (slash > 0) {
        if (int error = prepareFolder(native.left(slash)))
            return fail(error);
    }
    if (int error = removeStaleSocket(native, address))
        return fail(error);

    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return fail(errno);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        int error = errno;
        ::close(fd);
        return fail(error);
    }
    ::chmod(native.constData(), 0600);
    fd_ = fd;
    path_ = path;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &NmeaSlot::readPending);
    return true;
}

void NmeaSlot::close()
{
    if (fd_ < 0)
        return;
    delete notifier_;
    notifier_ = nullptr;
    ::close(fd_);
    fd_ = -1;
    ::unlink(QFile::encodeName(path_).constData());
    path_.clear();
}

void NmeaSlot::readPending()
{
    char buffer[kBufferSize];
    for (int i = 0; i < kMaxReadsPerWake && fd_ >= 0; ++i) {
        // A longer datagram is cut to the buffer; the kernel drops the rest.
        ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                return;
            emit readError(systemError(errno));
            return;
        }
        emit datagramReceived(QByteArray(buffer, int(n)));
    }
}

} // namespace kesmar
