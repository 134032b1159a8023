#pragma once

#include "engine/server_config.h"

#include <QString>

#include <cstdint>
#include <functional>

// A data folder of shop size for measurements and stress runs: products with Thai names,
// suppliers, requisitioners, employees and projects, and documents of every kind spread over some
// years, whose lines favour a few products heavily (most products have a handful of lines, a few
// have thousands), some of them booked to projects. Header totals equal the sums of their lines and
// no stock-counted product's balance is below 0, as the program keeps them.
struct GeneratorOptions
{
    int products = 20000;
    int documents = 200000;
    int lines = 1000000;
    int years = 10;
    std::uint64_t seed = 1;
    // Empty: data.abs in the folder; otherwise the empty server database it names.
    QString serverText;
};

// Makes the data folder dir (which must not hold data yet) through the program's own data folder
// creation, then fills it with bulk inserts straight through the engine's client library (the
// embedded engine's prepared statements, the server's COPY). progress is told what is being done.
bool GenerateShopData(const QString &dir, const GeneratorOptions &options,
                      const std::function<void(const QString &)> &progress, QString *error);
