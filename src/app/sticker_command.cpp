#include "app/sticker_command.h"

#include "app/app_path.h"
#include "app/command_output.h"
#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/sql_statement.h"
#include "report/report_output.h"
#include "stickers/sticker_job.h"
#include "stickers/sticker_sheet.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

struct StickerArguments
{
    QString dataFolder;
    QString productCode;
    QString outFile;
    StickerSheet sheet = StickerSheet::A4;
    bool checkDigit = false;
    StickerRequest request;
};

int Fail(const QString &message, const QString &gloss)
{
    return FailCommand("pdf-stickers", message, gloss);
}

int WrongUsage(const QString &why)
{
    return BadUsage("pdf-stickers", why, QStringLiteral("Usage:\n") + PdfStickersUsage());
}

// Parses the options into args; the empty text when they are sound, else what is wrong.
QString Parse(const QStringList &arguments, StickerArguments *args)
{
    QStringList positional;
    bool sheetGiven = false, symbologyGiven = false;
    StickerRequest &request = args->request;
    request.printedSlots.fill(true);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        const auto value = [&]() -> QString { return i + 1 < arguments.size() ? arguments.at(++i) : QString(); };
        if (a == u"--sheet") {
            const QString v = value();
            const QStringList names = {QStringLiteral("a4"), QStringLiteral("a9"), QStringLiteral("a10"),
                                       QStringLiteral("register")};
            if (!names.contains(v))
                return QStringLiteral("--sheet takes a4, a9, a10 or register");
            args->sheet = StickerSheet(names.indexOf(v));
            sheetGiven = true;
        } else if (a == u"--symbology") {
            const QString v = value();
            if (v != u"ean13" && v != u"code128")
                return QStringLiteral("--symbology takes ean13 or code128");
            request.symbology = v == u"ean13" ? Symbology::Ean13 : Symbology::Code128;
            symbologyGiven = true;
        } else if (a == u"--align") {
            const QStringList names = {QStringLiteral("left"), QStringLiteral("centre"), QStringLiteral("right")};
            request.alignment = int(names.indexOf(value()));
            if (request.alignment < 0)
                return QStringLiteral("--align takes left, centre or right");
        } else if (a == u"--top") {
            request.topText = value();
        } else if (a == u"--left") {
            request.leftText = value();
        } else if (a == u"--skip") {
            for (const QString &n : value().split(u',', Qt::SkipEmptyParts)) {
                bool ok = false;
                const int k = n.trimmed().toInt(&ok);
                if (!ok || k < 1 || k > 30)
                    return QStringLiteral("--skip takes sticker positions 1 to 30, separated by commas");
                request.printedSlots[k] = false;
            }
        } else if (a == u"--check-digit") {
            args->checkDigit = true;
        } else if (a == u"--lines") {
            request.printLines = 1;
        } else if (a == u"--names") {
            request.printName = 1;
        } else if (a.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 3)
        return QStringLiteral("DATA_DIR, PRODUCT_CODE and OUT.pdf are needed");
    if (!sheetGiven || (!symbologyGiven && args->sheet != StickerSheet::Register))
        return QStringLiteral("--sheet and --symbology are needed");
    if (args->sheet == StickerSheet::Register && symbologyGiven && request.symbology != Symbology::Ean13)
        return QStringLiteral("the register sheet prints EAN-13 only");
    args->dataFolder = positional.at(0);
    args->productCode = positional.at(1);
    args->outFile = positional.at(2);
    request.sheet = args->sheet;
    return {};
}

// The product's name, as the sticker job's product list shows it.
bool ReadProductName(const QString &code, QString *name, QString *error)
{
    const std::unique_ptr<Connection> connection = OpenDataConnection(error);
    if (!connection)
        return false;
    SqlStatement select(connection->database(),
                        {QStringLiteral(" select pro_name from product where pro_no = :pro_no ")});
    select.bind(QStringLiteral("pro_no"), code);
    bool ok = false;
    const QVariant value = QueryScalar(select, error, &ok);
    if (!ok)
        return false;
    if (value.isNull()) {
        *error = QStringLiteral("ไม่พบรหัสสินค้า %1").arg(code);
        return false;
    }
    *name = value.toString();
    return true;
}

} // namespace

QString PdfStickersUsage()
{
    return QStringLiteral(
        "  larderon pdf-stickers DATA_DIR PRODUCT_CODE OUT.pdf --sheet a4|a9|a10|register\n"
        "           --symbology ean13|code128 [--check-digit] [--lines] [--names]\n"
        "           [--align left|centre|right] [--top MM] [--left MM] [--skip 1,2,...]\n"
        "                                         write a sheet of barcode stickers as a PDF file");
}

int PdfStickersCommand(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help"))) {
        QTextStream(stdout) << "Usage:\n" << PdfStickersUsage() << Qt::endl;
        return 0;
    }
    StickerArguments args;
    const QString usageProblem = Parse(arguments, &args);
    if (!usageProblem.isEmpty())
        return WrongUsage(usageProblem);

    QString error, name;
    if (!UseDataFolder(args.dataFolder, &error))
        return Fail(error, QStringLiteral("no data folder"));
    if (!ReadProductName(args.productCode, &name, &error))
        return Fail(error, QStringLiteral("no such product or the data cannot be read"));

    StickerRequest request = args.request;
    request.code = args.checkDigit ? WithThirteenthDigit(args.productCode) : args.productCode;
    request.name = name;
    StickerProblem problem;
    const bool handedOver = args.sheet == StickerSheet::Register
                                ? HandOverRegisterSheet(request.code, request.name, &problem)
                                : HandOverStickerJob(request, &problem);
    if (!handedOver)
        return Fail(problem.message, problem.gloss);

    const auto document = LayOutStickerSheet(args.sheet, request.symbology);
    if (!WriteReportPdf(*document, args.outFile, &error))
        return Fail(error, QStringLiteral("the PDF file could not be written"));
    QTextStream(stdout) << "Wrote " << args.outFile << " ("
                        << StickerGeometry(args.sheet, request.symbology).className << ")" << Qt::endl;
    return 0;
}
