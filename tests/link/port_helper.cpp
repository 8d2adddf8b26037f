// A second program on the port for the link's tests, run as another process (and, through
// setpriv, as another user):
//   port_helper open PORT   tries to open PORT and prints the failure's text and its hint
//   port_helper hold PORT   opens PORT, prints "held", keeps it open until its input closes
#include "link/serial_port.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3 || (arguments[1] != "open" && arguments[1] != "hold")) {
        std::fprintf(stderr, "usage: port_helper open|hold PORT\n");
        return 2;
    }
    morvel::SerialModulePort port;
    if (!port.SetPortName(arguments[2]).ok())
        return 2;
    const morvel::PortResult opened = port.Open();
    if (!opened.ok()) {
        std::printf("%s\n%s\n", opened.error.toLocal8Bit().constData(), opened.hint.toLocal8Bit().constData());
        return 1;
    }
    if (arguments[1] == "hold") {
        std::printf("held\n");
        std::fflush(stdout);
        for (std::string line; std::getline(std::cin, line);) {
        }
    }
    return 0;
}
