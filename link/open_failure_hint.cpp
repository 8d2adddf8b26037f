#include "link/open_failure_hint.h"

#include "link/link_texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvel {

namespace {

const QString kDeviceFolder = QStringLiteral("/dev/");
const QString kProcFolder = QStringLiteral("/proc/");
// Where serial programs, Qt's among them, keep their "LCK..<port>" files.
const QStringList kLockFolders = {
    QStringLiteral("/var/lock"), QStringLiteral("/run/lock"), QStringLiteral("/etc/locks"),
    QStringLiteral("/var/spool/locks"), QStringLiteral("/var/spool/uucp"), QStringLiteral("/tmp"),
    QStringLiteral("/var/tmp"), QStringLiteral("/var/lock/lockdev"), QDir::tempPath()};
constexpr qint64 kLockFileReadLimit = 64;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The name lock files carry for a device: its path below /dev with '/' made '_'
// ("ttyUSB0", "pts_3"), or the whole path for a device elsewhere.
QString LockName(const QString& devicePath)
{
    QString name = devicePath.startsWith(kDeviceFolder) ? devicePath.mid(kDeviceFolder.size()) : devicePath;
    return QStringLiteral("LCK..") + name.replace(u'/', u'_');
}

QString CommandOf(long pid)
{
    QFile comm(kProcFolder + QString::number(pid) + QStringLiteral("/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

bool IsRunning(long pid)
{
    return pid > 0 && QFileInfo::exists(kProcFolder + QString::number(pid));
}

// A lock file starts with the PID of its owner, in decimal, possibly after blanks.
long LockOwner(const QString& lockFile)
{
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(kLockFileReadLimit).trimmed();
    qsizetype digits = 0;
    while (digits < head.size() && head.at(digits) >= '0' && head.at(digits) <= '9')
        ++digits;
    return head.left(digits).toLong();
}

QList<long> LockOwners(const QString& devicePath, const QString& canonicalPath)
{
    QStringList names = {LockName(devicePath)};
    if (canonicalPath != devicePath)
        names << LockName(canonicalPath);
    QList<long> owners;
    for (const QString& folder : kLockFolders) {
        for (const QString& name : names) {
            const long pid = LockOwner(folder + u'/' + name);
            if (IsRunning(pid) && !owners.contains(pid))
                owners << pid;
        }
    }
    return owners;
}

// Every other process whose open descriptors include the device (only our own user's
// processes unless we are root: the system hides the others').
QList<long> DescriptorHolders(const QString& canonicalPath)
{
    QList<long> holders;
    const QStringList processes = QDir(kProcFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& process : processes) {
        bool isNumber = false;
        const long pid = process.toLong(&isNumber);
        if (!isNumber || pid == ::getpid())
            continue;
        const QDir descriptors(kProcFolder + process + QStringLiteral("/fd"));
        const QStringList entries = descriptors.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
        const bool holds = std::any_of(entries.begin(), entries.end(), [&](const QString& entry) {
            return QFileInfo(descriptors.filePath(entry)).symLinkTarget() == canonicalPath;
        });
        if (holds)
            holders << pid;
    }
    return holders;
}

QString ListedProcesses(const QList<ProcessName>& processes)
{
    QStringList named;
    for (const ProcessName& process : processes)
        named << Text(texts::kHintProcess).arg(process.pid).arg(process.command);
    return named.join(QStringLiteral(", "));
}

QString MissingPortHint(const QString& portName, const PortLister& listPorts)
{
    const PortDescriptions ports = listPorts ? listPorts() : PortDescriptions{};
    if (ports.isEmpty())
        return Text(texts::kHintNoAdapter).arg(portName);
    QStringList present;
    for (const PortDescription& port : ports) {
        const QString details = port.Details();
        present << (details.isEmpty() ? port.name : port.name + QStringLiteral(" (") + details + u')');
    }
    return Text(texts::kHintMissingPort).arg(portName, present.join(QStringLiteral(", ")));
}

QString UserName()
{
    if (const passwd* user = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(user->pw_name);
    return QString::fromLocal8Bit(std::getenv("USER"));
}

QString PermissionHint(const QString& devicePath, const struct stat& device)
{
    const group* owners = ::getgrgid(device.st_gid);
    const QString groupName = owners != nullptr ? QString::fromLocal8Bit(owners->gr_name)
                                                : QString::number(device.st_gid);
    return Text(texts::kHintPermission).arg(devicePath, groupName, UserName());
}

QString InUseHint(const QString& devicePath, const QList<ProcessName>& holders)
{
    const QString who = holders.isEmpty() ? Text(texts::kHintInUseUnknown).arg(devicePath)
                                          : Text(texts::kHintInUseBy).arg(devicePath, ListedProcesses(holders));
    return who + u' ' + Text(texts::kHintModemManager);
}

bool IsMissingDevice(int errorNumber)
{
    return errorNumber == ENOENT || errorNumber == ENODEV || errorNumber == ENXIO;
}

} // namespace

QString DevicePath(const QString& portName)
{
    return portName.startsWith(u'/') ? portName : kDeviceFolder + portName;
}

QList<ProcessName> ProcessesHoldingPort(const QString& devicePath)
{
    const QString canonicalPath = QFileInfo(devicePath).canonicalFilePath();
    QList<long> pids = LockOwners(devicePath, canonicalPath);
    if (!canonicalPath.isEmpty()) {
        for (const long pid : DescriptorHolders(canonicalPath)) {
            if (!pids.contains(pid))
                pids << pid;
        }
    }
    QList<ProcessName> processes;
    for (const long pid : pids)
        processes << ProcessName{pid, CommandOf(pid)};
    return processes;
}

QString OpenFailureHint(const QString& portName, int errorNumber, const PortLister& listPorts)
{
    const QString devicePath = DevicePath(portName);
    struct stat device {};
    const QByteArray path = QFile::encodeName(devicePath);
    if (portName.isEmpty() || ::stat(path.constData(), &device) != 0 || IsMissingDevice(errorNumber))
        return MissingPortHint(portName, listPorts);
    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES)
        return PermissionHint(devicePath, device);
    const QList<ProcessName> holders = ProcessesHoldingPort(devicePath);
    // A lock another program holds reaches us as a refusal too.
    if (!holders.isEmpty() || errorNumber == EBUSY || errorNumber == EACCES || errorNumber == EPERM)
        return InUseHint(devicePath, holders);
    return {};
}

} // namespace morvel
