#include "tools/morvel/port_listing.h"

#include "tools/morvel/tool_texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace morvel::cli {

namespace {

// The fields of a port, in the order of a line, with their JSON names.
struct PortField {
    const char* jsonName;
    QString (*value)(const PortDescription& port);
};

constexpr PortField kPortFields[] = {
    {"name", [](const PortDescription& port) { return port.name; }},
    {"systemLocation", [](const PortDescription& port) { return port.systemLocation; }},
    {"description", [](const PortDescription& port) { return port.description; }},
    {"manufacturer", [](const PortDescription& port) { return port.manufacturer; }},
    {"vidPid", [](const PortDescription& port) { return port.UsbId(); }},
    {"serialNumber", [](const PortDescription& port) { return port.serialNumber; }},
};

// A tab or a line break inside a field would split it.
QString OneField(QString value)
{
    return value.replace(u'\t', u' ').replace(u'\n', u' ');
}

} // namespace

void PrintPortList(const PortDescriptions& ports, ListFormat format, std::ostream& out, std::ostream& err)
{
    if (ports.isEmpty())
        err << "morvel: " << texts::kNoPorts << '\n';
    if (format == ListFormat::Json) {
        QJsonArray list;
        for (const PortDescription& port : ports) {
            QJsonObject entry;
            for (const PortField& field : kPortFields)
                entry.insert(QString::fromLatin1(field.jsonName), field.value(port));
            list.append(entry);
        }
        out << QJsonDocument(QJsonObject{{QStringLiteral("ports"), list}}).toJson().constData();
        return;
    }
    for (const PortDescription& port : ports) {
        QStringList fields;
        for (const PortField& field : kPortFields)
            fields << OneField(field.value(port));
        out << fields.join(u'\t').toLocal8Bit().constData() << '\n';
    }
}

} // namespace morvel::cli
