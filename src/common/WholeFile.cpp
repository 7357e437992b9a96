#include "WholeFile.h"

#include "UserError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString NotRegular = QStringLiteral("it is not a regular file");

UserError SystemFailure(int error)
{
    return UserError(QString::fromLocal8Bit(std::strerror(error)));
}

// The regular file a path ends at, following symbolic links, or the path
// itself when nothing is there yet; throws when something else is there or
// the file or its folder may not be written.
QString ReplacedFile(const QString& path, struct stat& info)
{
    // The new file is made beside the old one, in the same folder.
    const auto writable = [](const QString& file) {
        if (::access(QFile::encodeName(file).constData(), W_OK) != 0)
            throw SystemFailure(errno);
    };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno != ENOENT)
            throw SystemFailure(errno);
        writable(QFileInfo(path).absolutePath());
        return path;
    }
    QString target = path;
    if (S_ISLNK(info.st_mode)) {
        target = QFileInfo(path).canonicalFilePath();
        if (target.isEmpty() || ::stat(QFile::encodeName(target).constData(), &info) != 0)
            throw UserError(NotRegular);
    }
    if (!S_ISREG(info.st_mode))
        throw UserError(NotRegular);
    writable(target);
    writable(QFileInfo(target).absolutePath());
    return target;
}

// Closes the new file and takes it away unless it was put in place.
class NewFile {
public:
    explicit NewFile(const QString& beside)
    {
        // Made with the permissions a new file gets, as the user's umask says.
        for (int attempt = 0; m_fd < 0 && attempt < 100; ++attempt) {
            m_name = QFile::encodeName(beside)
                + QByteArray::number(QRandomGenerator::global()->generate64(), 36).prepend(".~");
            m_fd = ::open(m_name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno != EEXIST)
                throw SystemFailure(errno);
        }
        if (m_fd < 0)
            throw SystemFailure(EEXIST);
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_placed)
            ::unlink(m_name.constData());
    }

    void Write(const QByteArray& bytes)
    {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t written = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (written < 0 && errno != EINTR)
                throw SystemFailure(errno);
            done += qMax<ssize_t>(written, 0);
        }
    }

    void SetMode(mode_t mode)
    {
        if (::fchmod(m_fd, mode) != 0)
            throw SystemFailure(errno);
    }

    // Only what reached the disk is put in place: a full disk may show
    // first when the file is synced or closed.
    void PutAt(const QString& path, bool overExisting = true)
    {
        if (::fsync(m_fd) != 0)
            throw SystemFailure(errno);
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0)
            throw SystemFailure(errno);
        const QByteArray to = QFile::encodeName(path);
        if (::renameat2(AT_FDCWD, m_name.constData(), AT_FDCWD, to.constData(), overExisting ? 0 : RENAME_NOREPLACE)
            != 0)
            throw SystemFailure(errno);
        m_placed = true;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
    bool m_placed = false;
};

} // namespace

bool IsRegularFile(const QString& path)
{
    struct stat info { };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<QByteArray> ReadRegularFile(const QString& path)
{
    if (!IsRegularFile(path))
        return std::nullopt;
    // Opened without waiting, and checked again once open, in case the file
    // was swapped for a pipe in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info { };
    if (fd < 0)
        return std::nullopt;
    QFile file;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

void CheckReplaceable(const QString& path)
{
    struct stat info { };
    ReplacedFile(path, info);
}

void PlaceNewFile(const QString& path, const QByteArray& bytes)
{
    NewFile file(path);
    file.Write(bytes);
    file.PutAt(path, false);
}

void ReplaceFile(const QString& path, const QByteArray& bytes)
{
    struct stat info { };
    const QString target = ReplacedFile(path, info);
    const bool exists = QFileInfo(target).isFile();
    NewFile file(target);
    if (exists)
        file.SetMode(info.st_mode & 07777);
    file.Write(bytes);
    file.PutAt(target);
}
