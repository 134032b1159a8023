#include "app/report_command.h"

#include "app/command_output.h"

#include "app/app_path.h"
#include "common/dates.h"
#include "db/data_connection.h"
#include "engine/statistics.h"
#include "report/report_layout.h"
#include "report/report_output.h"
#include "reports/listing_layouts.h"
#include "reports/movement_listing.h"
#include "reports/product_list_layouts.h"
#include "reports/product_lists.h"
#include "reports/report_window.h"
#include "reports/report_queries.h"
#include "reports/stock_card_data.h"
#include "reports/stock_card_layouts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <functional>
#include <optional>

namespace {

int fail(const QString &thai, const QString &english)
{
    return FailCommand("report", thai, english);
}

int badUsage(const QString &why)
{
    return BadUsage("report", why, QStringLiteral("Usage:\n") + ReportUsage());
}

enum class Output { Pdf, Csv, Json };

struct ReportArguments
{
    QString name;
    QString dataFolder;
    QHash<QString, QString> values; // option (without "--") -> value
    bool detail = false;
    Output output = Output::Json;
    QString outFile;

    QString value(const char *option, const QString &fallback = {}) const
    {
        return values.value(QLatin1String(option), fallback);
    }
};

// What each report takes besides the output.
struct ReportKind
{
    const char *name;
    QStringList options;
    QList<Output> outputs;
};

const QList<ReportKind> &ReportKinds()
{
    static const QList<ReportKind> kinds = {
        {"stock-card", {"from", "to", "product", "detail"}, {Output::Pdf, Output::Json}},
        {"goods-in", {"from", "to", "group", "sort", "layout"}, {Output::Pdf, Output::Csv, Output::Json}},
        {"goods-out", {"from", "to", "group", "sort", "layout"}, {Output::Pdf, Output::Csv, Output::Json}},
        {"reorder", {"sort"}, {Output::Pdf, Output::Json}},
        {"expiry", {"date", "sort"}, {Output::Pdf, Output::Json}},
    };
    return kinds;
}

const ReportKind *KindNamed(const QString &name)
{
    for (const ReportKind &kind : ReportKinds()) {
        if (name == QLatin1String(kind.name))
            return &kind;
    }
    return nullptr;
}

// The empty text when the arguments are sound, else what is wrong.
QString Parse(const QStringList &arguments, ReportArguments *args)
{
    QStringList positional;
    int outputs = 0;
    const QStringList valueOptions = {"from", "to", "product", "group", "sort", "date", "layout"};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (!a.startsWith(QLatin1String("--"))) {
            positional.append(a);
            continue;
        }
        const QString option = a.mid(2);
        if (option == u"detail") {
            args->detail = true;
            args->values.insert(option, QString());
        } else if (option == u"json") {
            args->output = Output::Json;
            ++outputs;
        } else if (option == u"pdf" || option == u"csv" || valueOptions.contains(option)) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("%1 needs a value").arg(a);
            const QString value = arguments.at(++i);
            if (option == u"pdf" || option == u"csv") {
                args->output = option == u"pdf" ? Output::Pdf : Output::Csv;
                args->outFile = value;
                ++outputs;
            } else {
                args->values.insert(option, value);
            }
        } else {
            return QStringLiteral("unknown option '%1'").arg(a);
        }
    }
    if (positional.size() != 2)
        return QStringLiteral("NAME and DATA_DIR are needed");
    args->name = positional.at(0);
    args->dataFolder = positional.at(1);
    const ReportKind *kind = KindNamed(args->name);
    if (!kind)
        return QStringLiteral("unknown report '%1' (one of stock-card, goods-in, goods-out, reorder, expiry)").arg(args->name);
    if (outputs != 1)
        return QStringLiteral("give one of --pdf OUT.pdf, --csv OUT.csv and --json");
    if (!kind->outputs.contains(args->output))
        return QStringLiteral("%1 writes no CSV file").arg(args->name);
    for (auto it = args->values.cbegin(); it != args->values.cend(); ++it) {
        if (!kind->options.contains(it.key()))
            return QStringLiteral("--%1 is not an option of %2").arg(it.key(), args->name);
    }
    for (const char *option : {"from", "to", "date"}) {
        const QString text = args->value(option);
        if (args->values.contains(QLatin1String(option)) && !IsValidDateText(text))
            return QStringLiteral("วันที่ \"%1\" ไม่ถูกต้อง (--%2 takes a date dd/mm/yyyy in the Buddhist era)")
                .arg(text, QLatin1String(option));
    }
    return {};
}

// A choice option: the position of its value among names, or nullopt.
std::optional<int> Choice(const ReportArguments &args, const char *option, const QStringList &names)
{
    const qsizetype at = names.indexOf(args.value(option, names.first()));
    return at < 0 ? std::nullopt : std::optional<int>(int(at));
}

QJsonArray JsonRows(const QList<QVariantMap> &rows)
{
    QJsonArray array;
    for (const QVariantMap &row : rows) {
        QJsonObject object;
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            object.insert(it.key().toLower(), QJsonValue::fromVariant(it.value()));
        array.append(object);
    }
    return array;
}

int printJson(QJsonObject object, const ReportArguments &args, const QList<QVariantMap> &rows)
{
    object.insert(QStringLiteral("report"), args.name);
    object.insert(QStringLiteral("rows"), JsonRows(rows));
    QTextStream(stdout) << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    return 0;
}

int writePdf(const Report &report, const ReportArguments &args)
{
    QString error;
    if (!WriteReportPdf(LayoutReport(report), args.outFile, &error))
        return fail(error, QStringLiteral("the PDF file could not be written"));
    QTextStream(stdout) << "Wrote " << args.outFile << Qt::endl;
    return 0;
}

int noData()
{
    return fail(ReportWindow::noDataMessage(), QStringLiteral("no report data"));
}

// A store failure while the report is computed.
int storeFailure(const QString &error)
{
    return fail(error, QStringLiteral("the data could not be read"));
}

QString today()
{
    return DateToText(QDate::currentDate());
}

int stockCard(QSqlDatabase db, const ReportArguments &args)
{
    const QDate now = QDate::currentDate();
    const StockCardRequest request{args.value("product"),
                                   args.value("from", MonthStartText(now.month(), now.year() + 543)),
                                   args.value("to", MonthEndText(now.month(), now.year() + 543))};
    QString error;
    QVariantMap settings;
    StockCardQuery card(db);
    StockCardResult result;
    if (!ReadSettingsRow(db, &settings, &error) || !card.process(request, &result, &error))
        return storeFailure(error);
    card.dropWorkTable(nullptr);
    const QString pack = RowText(settings, "PACK");
    const StockCardPrint print{settings, request.startText, request.endText, result.openingBalance(),
                               WithCardColumns(result.rows, result.openingBalance(), pack)};
    if (args.output == Output::Json) {
        return printJson({{QStringLiteral("product"), request.productCode.trimmed()},
                          {QStringLiteral("from"), request.startText},
                          {QStringLiteral("to"), request.endText},
                          {QStringLiteral("pack"), pack},
                          {QStringLiteral("brought_forward"), result.openingBalance()},
                          {QStringLiteral("closing"), result.closingBalance()}},
                         args, print.rows);
    }
    if (print.rows.isEmpty())
        return noData();
    return writePdf(args.detail ? StockCardDetailReport(print) : StockCardReport(print), args);
}

int listing(QSqlDatabase db, const ReportArguments &args)
{
    const auto sort = Choice(args, "sort", {"date", "code", "name", "group"});
    const auto layout = Choice(args, "layout", {"1", "2"});
    if (!sort || !layout) {
        return badUsage(!sort ? QStringLiteral("--sort takes date, code, name or group")
                              : QStringLiteral("--layout takes 1 or 2"));
    }
    ListingRequest request;
    request.mode = args.name == u"goods-in" ? 1 : 2;
    request.fromText = args.value("from", today());
    request.toText = args.value("to", today());
    request.group = args.value("group", AllGroupsText());
    request.sort = ListingSort(*sort);
    ListingResult result;
    QString error;
    if (!RunListing(db, request, &result, &error))
        return storeFailure(error);
    switch (args.output) {
    case Output::Json:
        return printJson({{QStringLiteral("from"), request.fromText},
                          {QStringLiteral("to"), request.toText},
                          {QStringLiteral("group"), request.group},
                          {QStringLiteral("total"), result.total}},
                         args, result.rows);
    case Output::Csv:
        if (result.rows.isEmpty())
            return noData();
        if (!WriteListingCsv(args.outFile, request.mode, result.rows, &error))
            return fail(error, QStringLiteral("the CSV file could not be written"));
        QTextStream(stdout) << "Wrote " << args.outFile << Qt::endl;
        return 0;
    case Output::Pdf:
        break;
    }
    if (result.rows.isEmpty())
        return noData();
    return writePdf(ListingReport(*layout + 1, request.mode, result.rows, result.total), args);
}

int reorder(QSqlDatabase db, const ReportArguments &args)
{
    const auto sort = Choice(args, "sort", {"code", "name"});
    if (!sort)
        return badUsage(QStringLiteral("--sort takes code or name"));
    PostedSumsLookup sums;
    ReorderList list;
    QString error;
    if (!sums.load(db, &error)
        || !ReadReorderList(db, sums, *sort == 1 ? ReorderSort::Name : ReorderSort::Code, &list, &error))
        return storeFailure(error);
    if (args.output == Output::Json)
        return printJson({{QStringLiteral("products"), list.productCount}}, args, list.rows);
    if (list.productCount == 0)
        return noData();
    return writePdf(ReorderReport(list.rows), args);
}

int expiry(QSqlDatabase db, const ReportArguments &args)
{
    const auto sort = Choice(args, "sort", {"name", "expiry"});
    if (!sort)
        return badUsage(QStringLiteral("--sort takes name or expiry"));
    const QString date = args.value("date", today());
    QList<QVariantMap> rows;
    QString error;
    if (!ReadExpiryList(db, date, *sort == 1 ? ExpirySort::Expiry : ExpirySort::Name, &rows, &error))
        return storeFailure(error);
    if (args.output == Output::Json)
        return printJson({{QStringLiteral("date"), date}}, args, rows);
    if (rows.isEmpty())
        return noData();
    return writePdf(ExpiryReport(rows), args);
}

} // namespace

QString ReportUsage()
{
    return QStringLiteral(
        "  larderon report NAME DATA_DIR [options] (--pdf OUT.pdf | --csv OUT.csv | --json)\n"
        "                                         a report as the report windows make it:\n"
        "     stock-card [--from D] [--to D] [--product CODE] [--detail]   (this month by default)\n"
        "     goods-in | goods-out [--from D] [--to D] [--group GROUP] [--sort date|code|name|group]\n"
        "                [--layout 1|2]                                     (today by default; --csv too)\n"
        "     reorder [--sort code|name]\n"
        "     expiry [--date D] [--sort name|expiry]                        (today by default)\n"
        "                                         D: dd/mm/yyyy in the Buddhist era");
}

int ReportCommand(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help"))) {
        QTextStream(stdout) << "Usage:\n" << ReportUsage() << Qt::endl;
        return 0;
    }
    ReportArguments args;
    const QString problem = Parse(arguments, &args);
    if (!problem.isEmpty())
        return badUsage(problem);
    QString error;
    if (!UseDataFolder(args.dataFolder, &error))
        return fail(error, QStringLiteral("no data folder"));
    const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
    if (!connection)
        return fail(error, QStringLiteral("the data cannot be opened"));
    const QSqlDatabase db = connection->database();
    const std::function<int(QSqlDatabase, const ReportArguments &)> run =
        args.name == u"stock-card" ? stockCard
        : args.name == u"reorder"  ? reorder
        : args.name == u"expiry"   ? expiry
                                   : listing;
    const int code = run(db, args);
    RefreshPlannerStatisticsOnClose(db, nullptr);
    return code;
}
