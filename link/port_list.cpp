#include "link/port_list.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace morvel {

QStringList SortPortNames(QStringList names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& left, const QString& right) {
        return QString::compare(left, right, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QStringList ListSerialPorts()
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    return SortPortNames(std::move(names));
}

} // namespace morvel
