// Helper process of the engine tests: opens COUNT connections to FILE, prints "ready" and keeps
// them until its standard input closes (or it is killed, as a crashed program would be).
#include "engine/connection.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    std::vector<std::unique_ptr<Connection>> held;
    for (int i = 0; i < std::stoi(argv[2]); ++i) {
        QString error;
        auto connection = Connection::open({QString::fromLocal8Bit(argv[1]), 5, true}, &error);
        if (!connection) {
            std::cout << "failed " << error.toStdString() << std::endl;
            return 1;
        }
        held.push_back(std::move(connection));
    }
    std::cout << "ready" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
