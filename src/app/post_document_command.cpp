#include "app/post_document_command.h"

#include "app/command_output.h"
#include "engine/data_store.h"

#include "app/app_path.h"
#include "common/dates.h"
#include "db/schema.h"
#include "documents/document_numbering.h"
#include "documents/stock_document_store.h"
#include "documents/stock_messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QTime>

#include <optional>

namespace {

// Why a document was not saved: what the window would tell the user, and the English gloss.
struct Refusal
{
    QString thai;
    QString english;
};

struct PostedLine
{
    QString product;
    double quantity = 0;
    QString project;
    QString detail1;
    QString detail2;
};

struct PostedDocument
{
    const DocumentKind *kind = nullptr;
    QString party;
    QString employee;
    QString date;
    QString time;
    QString reference;
    QString firstNumber;
    bool firstNumberGiven = false;
    QList<PostedLine> lines;
};

int fail(const Refusal &refusal)
{
    return FailCommand("post-document", refusal.thai, refusal.english);
}

Refusal badDocument(const QString &english)
{
    return {QStringLiteral("ข้อมูลเอกสารไม่ถูกต้อง"), english};
}

// The refusal of one line, named by its place in the document (from 1) and its product.
Refusal lineRefusal(int index, const QString &product, const QString &thai, const QString &english)
{
    return {QStringLiteral("รายการที่ %1 สินค้า %2: %3").arg(index + 1).arg(product, thai),
            QStringLiteral("line %1, product %2: %3").arg(index + 1).arg(product, english)};
}

// Reads an optional text member that may hold at most width characters (0: no limit).
std::optional<Refusal> takeText(const QJsonObject &object, const QString &key, const QString &where, int width,
                                QString *value, bool *given = nullptr)
{
    const QJsonValue member = object.value(key);
    if (given)
        *given = !member.isUndefined();
    if (member.isUndefined())
        return std::nullopt;
    if (!member.isString())
        return badDocument(QStringLiteral("%1\"%2\" must be text").arg(where, key));
    *value = member.toString();
    if (width > 0 && value->size() > width)
        return badDocument(QStringLiteral("%1\"%2\" holds more than %3 characters").arg(where, key).arg(width));
    return std::nullopt;
}

std::optional<Refusal> refuseUnknownMembers(const QJsonObject &object, const QStringList &known, const QString &where)
{
    for (const QString &key : object.keys()) {
        if (!known.contains(key))
            return badDocument(QStringLiteral("%1unknown member \"%2\"").arg(where, key));
    }
    return std::nullopt;
}

std::optional<Refusal> parseLine(const QJsonValue &value, int index, PostedLine *line)
{
    const QString where = QStringLiteral("line %1: ").arg(index + 1);
    if (!value.isObject())
        return badDocument(where + QStringLiteral("each line must be an object"));
    const QJsonObject object = value.toObject();
    const QString lineTable = QStringLiteral("invoice1");
    if (auto refused = refuseUnknownMembers(object, {"product", "qty", "project", "detail1", "detail2"}, where))
        return refused;
    bool given = false;
    if (auto refused = takeText(object, QStringLiteral("product"), where, 0, &line->product, &given))
        return refused;
    if (!given || line->product.isEmpty())
        return badDocument(where + QStringLiteral("\"product\" is missing"));
    const QJsonValue quantity = object.value(QStringLiteral("qty"));
    if (!quantity.isDouble())
        return lineRefusal(index, line->product, QStringLiteral("ตัวเลข...ไม่ถูกต้อง "),
                           QStringLiteral("\"qty\" must be a number"));
    line->quantity = quantity.toDouble();
    if (auto refused = takeText(object, QStringLiteral("project"), where, ColumnWidth(lineTable, QStringLiteral("FOR_PROJ")),
                                &line->project))
        return refused;
    if (auto refused = takeText(object, QStringLiteral("detail1"), where, ColumnWidth(lineTable, QStringLiteral("ATTRIB")),
                                &line->detail1))
        return refused;
    return takeText(object, QStringLiteral("detail2"), where, ColumnWidth(lineTable, QStringLiteral("ATTRIB2")),
                    &line->detail2);
}

std::optional<Refusal> parseDocument(const QByteArray &json, PostedDocument *document)
{
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &parseError);
    if (parsed.isNull())
        return badDocument(QStringLiteral("not JSON: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset));
    if (!parsed.isObject())
        return badDocument(QStringLiteral("the document must be one JSON object"));
    const QJsonObject object = parsed.object();
    if (auto refused = refuseUnknownMembers(
            object, {"kind", "party", "employee", "date", "time", "ref", "first_number", "lines"}, QString()))
        return refused;

    const QString kind = object.value(QStringLiteral("kind")).toString();
    document->kind = kind == u"out" ? &GoodsOutKind() : kind == u"in" ? &GoodsInKind() : kind == u"order" ? &PurchaseOrderKind() : nullptr;
    if (!document->kind)
        return Refusal{QStringLiteral("ชนิดเอกสารไม่ถูกต้อง"), QStringLiteral("\"kind\" must be \"out\", \"in\" or \"order\"")};

    const QString header = document->kind->headerTable;
    bool given = false;
    if (auto refused = takeText(object, QStringLiteral("party"), {}, ColumnWidth(header, QStringLiteral("CUST_NO")), &document->party, &given))
        return refused;
    if (document->party.trimmed().isEmpty())
        return Refusal{StockMessages::partyMissing(), QStringLiteral("\"party\" is missing")};
    if (auto refused = takeText(object, QStringLiteral("employee"), {}, 0, &document->employee))
        return refused;
    if (auto refused = takeText(object, QStringLiteral("date"), {}, 0, &document->date, &given))
        return refused;
    if (!given)
        document->date = DateToText(QDate::currentDate());
    if (auto refused = takeText(object, QStringLiteral("time"), {}, ColumnWidth(header, QStringLiteral("INV_TIME")), &document->time, &given))
        return refused;
    if (!given)
        document->time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    if (auto refused = takeText(object, QStringLiteral("ref"), {}, ColumnWidth(header, QStringLiteral("REF_ORDER")), &document->reference))
        return refused;
    if (auto refused = takeText(object, QStringLiteral("first_number"), {}, 0, &document->firstNumber, &document->firstNumberGiven))
        return refused;

    const QJsonValue lines = object.value(QStringLiteral("lines"));
    if (!lines.isUndefined() && !lines.isArray())
        return badDocument(QStringLiteral("\"lines\" must be a list"));
    const QJsonArray array = lines.toArray();
    for (int i = 0; i < array.size(); ++i) {
        PostedLine line;
        if (auto refused = parseLine(array.at(i), i, &line))
            return refused;
        document->lines.append(line);
    }
    return std::nullopt;
}

// The header as the window fills it for a new document: the party's register row, the employee,
// the date, the time and the reference.
std::optional<Refusal> buildHeader(StockDocumentStore &store, const PostedDocument &document, QVariantMap *header)
{
    if (!IsValidDateText(document.date))
        return Refusal{StockMessages::wrongDate(), QStringLiteral("\"date\" must be a day written dd/mm/yyyy in the Buddhist era")};
    QString error;
    RecordList employees;
    if (!store.employees(&employees, &error))
        return Refusal{StockMessages::locked(), QStringLiteral("cannot read the employees: %1").arg(error)};
    const int employee = document.employee.isEmpty() ? -1 : employees.findEqual(QStringLiteral("SALE_NO"), document.employee);
    if (employee < 0)
        return Refusal{StockMessages::wrongEmployee(), QStringLiteral("no employee has the code \"%1\"").arg(document.employee)};
    QVariantMap party;
    if (!store.readParty(false, document.party, &party, &error))
        return Refusal{StockMessages::locked(), QStringLiteral("cannot read the party: %1").arg(error)};
    if (party.isEmpty())
        return Refusal{StockMessages::partyNotFound(), QStringLiteral("no party has the code \"%1\"").arg(document.party)};

    *header = store.newHeader();
    StockDocumentStore::takeParty(*header, party, true);
    header->insert(QStringLiteral("SALE_NO"), employees.text(employee, QStringLiteral("SALE_NO")));
    header->insert(QStringLiteral("SALE_NAME"), employees.text(employee, QStringLiteral("SALE_NAME")));
    header->insert(QStringLiteral("INV_DATE"), document.date);
    header->insert(QStringLiteral("INV_TIME"), document.time);
    header->insert(QStringLiteral("REF_ORDER"), document.reference);
    return std::nullopt;
}

// Each line's product and project as the line panel would find them.
std::optional<Refusal> buildLines(StockDocumentStore &store, const PostedDocument &document, QList<LineEntry> *lines)
{
    QString error;
    for (int i = 0; i < document.lines.size(); ++i) {
        const PostedLine &posted = document.lines.at(i);
        QVariantMap product;
        if (!store.readProduct(false, posted.product, &product, &error))
            return Refusal{StockMessages::locked(), QStringLiteral("cannot read the product: %1").arg(error)};
        if (product.isEmpty())
            return lineRefusal(i, posted.product, StockMessages::productNotFound(), QStringLiteral("no such product"));
        if (!posted.project.isEmpty()) {
            QVariantMap project;
            if (!store.readProject(posted.project, &project, &error))
                return Refusal{StockMessages::locked(), QStringLiteral("cannot read the project: %1").arg(error)};
            if (project.isEmpty())
                return lineRefusal(i, posted.product, StockMessages::projectNotFound(),
                                   QStringLiteral("no project has the code \"%1\"").arg(posted.project));
        }
        LineEntry line = LineEntry::ofProduct(product);
        line.quantity = posted.quantity;
        line.project = posted.project;
        line.detail1 = posted.detail1;
        line.detail2 = posted.detail2;
        lines->append(line);
    }
    return std::nullopt;
}

Refusal refusalOf(const StockWriteResult &result, const StockDocumentStore &store, const PostedDocument &document)
{
    using Status = StockWriteResult::Status;
    const QString product = result.line >= 0 ? document.lines.at(result.line).product : QString();
    switch (result.status) {
    case Status::NeedsFirstNumber:
        if (!document.firstNumberGiven)
            return {QStringLiteral("ต้องกำหนดเลขที่ใบสำคัญครั้งแรก (first_number)"),
                    QStringLiteral("%1 has no document yet: give \"first_number\", 6 digits such as \"000001\"").arg(store.head())};
        return {CheckFirstNumber(document.firstNumber).messages.join(QLatin1Char(' ')),
                QStringLiteral("\"first_number\" must be 6 digits such as \"000001\"")};
    case Status::NumbersUsedUp:
        return {NumbersUsedUpMessage(store.head()), QStringLiteral("the running numbers of %1 are used up").arg(store.head())};
    case Status::NotEnoughStock:
        return lineRefusal(result.line, product, StockMessages::notEnoughStock(),
                           QStringLiteral("not enough stock of %1: its balance is %2, the document would leave %3")
                               .arg(result.product, QString::number(result.balance), QString::number(result.remaining)));
    case Status::Missing:
        if (result.line >= 0)
            return lineRefusal(result.line, product, StockMessages::lineGone(), result.error);
        return {StockMessages::noData(), result.error};
    case Status::Done:
    case Status::HasLines:
    case Status::Failed:
        break;
    }
    return {StockMessages::locked(), QStringLiteral("the database refused the write: %1").arg(result.error)};
}

int badUsage()
{
    return BadUsage("post-document", QString(), QStringLiteral("Usage:\n") + PostDocumentUsage());
}

} // namespace

QString PostDocumentUsage()
{
    return QStringLiteral(
        "  larderon post-document DATA_DIR < document.json\n"
        "                                         save one stock document read as JSON from standard input and\n"
        "                                         print its new number; nothing is saved when a line is refused:\n"
        "                                         {\"kind\": \"out\"|\"in\"|\"order\", \"party\": \"C0001\", \"employee\": \"E0001\",\n"
        "                                          \"date\": \"15/11/2569\", \"time\": \"10:30:00\", \"ref\": \"...\",\n"
        "                                          \"first_number\": \"000001\",\n"
        "                                          \"lines\": [{\"product\": \"P001\", \"qty\": 5, \"project\": \"PJ01\",\n"
        "                                                     \"detail1\": \"SN 123\", \"detail2\": \"\"}]}\n"
        "                                         date and time default to now; first_number is needed only for the\n"
        "                                         first document of its number head");
}

int PostDocumentCommand(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        QTextStream(stdout) << "Usage:\n" << PostDocumentUsage() << Qt::endl;
        return 0;
    }
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--")))
        return badUsage();
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return fail({QStringLiteral("อ่านข้อมูลเอกสารไม่ได้"), QStringLiteral("cannot read standard input")});
    return PostDocument(arguments.first(), input.readAll());
}

int PostDocument(const QString &dataFolder, const QByteArray &json)
{
    QString error;
    if (!HoldsData(dataFolder))
        return fail({QStringLiteral("ไม่พบฐานข้อมูลในโฟลเดอร์ %1").arg(dataFolder),
                     QStringLiteral("'%1' is not a data folder: it holds neither data.abs nor server.ini").arg(dataFolder)});
    PostedDocument document;
    if (auto refused = parseDocument(json, &document))
        return fail(*refused);
    if (!UseDataFolder(dataFolder, &error))
        return fail({QStringLiteral("ไม่พบฐานข้อมูลในโฟลเดอร์ %1").arg(dataFolder), error});
    const std::unique_ptr<StockDocumentStore> store = StockDocumentStore::open(*document.kind, &error);
    if (!store)
        return fail({QStringLiteral("เปิดฐานข้อมูลไม่ได้"), QStringLiteral("cannot open the database: %1").arg(error)});
    if (!store->readSettings(&error))
        return fail({StockMessages::locked(), QStringLiteral("cannot read the settings: %1").arg(error)});
    QVariantMap header;
    if (auto refused = buildHeader(*store, document, &header))
        return fail(*refused);
    QList<LineEntry> lines;
    if (auto refused = buildLines(*store, document, &lines))
        return fail(*refused);

    const StockWriteResult posted = store->postDocument(header, lines, document.firstNumber);
    if (!posted.done())
        return fail(refusalOf(posted, *store, document));
    QTextStream(stdout) << posted.number << Qt::endl;
    return 0;
}
