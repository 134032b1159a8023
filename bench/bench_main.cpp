// The benchmark tool: makes shop-size data folders and measures the program's own data classes and
// layouts on them beside the engine's lower bound.
//   larderon-bench generate-data DIR [--products N] [--documents N] [--lines N] [--years N]
//                  [--seed N] [--server "host=... dbname=... user=..."]
//   larderon-bench run DIR [--repeat N]
#include "data_generator.h"
#include "measurements.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QTextStream &Out()
{
    static QTextStream stream(stdout);
    return stream;
}

int Usage()
{
    QTextStream(stderr) << "Usage:\n"
                           "  larderon-bench generate-data DIR [--products N] [--documents N] [--lines N] [--years N]\n"
                           "                 [--seed N] [--server \"host=... dbname=... user=...\"]\n"
                           "  larderon-bench run DIR [--repeat N]\n";
    return 2;
}

// The value after option name in arguments (removed from them), or fallback.
QString TakeOption(QStringList &arguments, const QString &name, const QString &fallback = {})
{
    const qsizetype at = arguments.indexOf(name);
    if (at < 0 || at + 1 >= arguments.size())
        return fallback;
    const QString value = arguments.takeAt(at + 1);
    arguments.removeAt(at);
    return value;
}

int GenerateData(QStringList arguments)
{
    GeneratorOptions options;
    options.products = TakeOption(arguments, "--products", QString::number(options.products)).toInt();
    options.documents = TakeOption(arguments, "--documents", QString::number(options.documents)).toInt();
    options.lines = TakeOption(arguments, "--lines", QString::number(options.lines)).toInt();
    options.years = TakeOption(arguments, "--years", QString::number(options.years)).toInt();
    options.seed = TakeOption(arguments, "--seed", QStringLiteral("1")).toULongLong();
    options.serverText = TakeOption(arguments, "--server");
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--")))
        return Usage();
    QElapsedTimer timer;
    timer.start();
    QString error;
    const bool ok = GenerateShopData(arguments.first(), options, [&](const QString &step) {
        Out() << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " s  " << step << Qt::endl;
    }, &error);
    if (!ok) {
        QTextStream(stderr) << "larderon-bench generate-data: " << error << Qt::endl;
        return 1;
    }
    Out() << "Made " << arguments.first() << " (" << options.products << " products, " << options.documents
          << " documents, " << options.lines << " lines) in " << QString::number(timer.elapsed() / 1000.0, 'f', 1)
          << " s" << Qt::endl;
    return 0;
}

int Run(QStringList arguments)
{
    const int repeat = TakeOption(arguments, "--repeat", QStringLiteral("5")).toInt();
    if (arguments.size() != 1 || repeat < 1)
        return Usage();
    QString error;
    if (!RunMeasurements(arguments.first(), repeat, Out(), &error)) {
        QTextStream(stderr) << "larderon-bench run: " << error << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return Usage();
    const QString command = arguments.takeFirst();
    if (command == u"generate-data")
        return GenerateData(arguments);
    if (command == u"run")
        return Run(arguments);
    return Usage();
}
