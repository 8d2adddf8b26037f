#include "link/port_list.h"

#include <QCollator>
#include <QSerialPortInfo>

#include <algorithm>

namespace morvel {

QStringList SortPortNames(QStringList names, const QLocale& locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    std::stable_sort(names.begin(), names.end(), collator);
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
