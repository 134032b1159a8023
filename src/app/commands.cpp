#include "app/commands.h"

#include "app/app_path.h"
#include "app/command_output.h"
#include "app/post_document_command.h"
#include "app/report_command.h"
#include "app/reset_password_command.h"
#include "app/sticker_command.h"
#include "app/window_placement.h"

#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/data_folder.h"
#include "db/move_to_server.h"
#include "printing/document_layout.h"
#include "report/report_output.h"
#include "report/report_preview.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

int initData(const QStringList &args)
{
    QStringList rest = args;
    const bool demo = rest.removeAll(QStringLiteral("--demo")) > 0;
    QString serverText;
    const qsizetype serverAt = rest.indexOf(QStringLiteral("--server"));
    if (serverAt >= 0) {
        if (serverAt + 1 >= rest.size())
            return BadUsage("init-data", QStringLiteral("--server needs the server's settings"), CommandUsage());
        serverText = rest.takeAt(serverAt + 1);
        rest.removeAt(serverAt);
    }
    if (rest.size() != 1 || rest.first().startsWith(QLatin1String("--"))) {
        return BadUsage("", QString(), CommandUsage());
    }
    if (UnreadableName("init-data", rest))
        return 1;
    QString error;
    ServerConfig server;
    if (serverAt >= 0 && !ParseServerConnectionText(serverText, &server, &error))
        return BadUsage("init-data", QStringLiteral("--server: ") + error, CommandUsage());
    const bool created = serverAt >= 0 ? CreateServerDataFolder(rest.first(), server, demo, &error)
                                       : CreateDataFolder(rest.first(), demo, &error);
    if (!created)
        return FailCommand("init-data", QStringLiteral("สร้างโฟลเดอร์ข้อมูลไม่ได้"), error);
    QTextStream(stdout) << "Created " << rest.first() << (demo ? " with demo data" : "")
                        << (serverAt >= 0 ? QStringLiteral(" on %1").arg(server.describe()) : QString()) << Qt::endl;
    return 0;
}

// move-to-server DATA_DIR --server "host=... dbname=... user=...": the folder's data.abs into an
// empty database of a server; the folder then names the server.
int moveToServer(const QStringList &args)
{
    QStringList rest = args;
    const qsizetype serverAt = rest.indexOf(QStringLiteral("--server"));
    if (serverAt < 0 || serverAt + 1 >= rest.size()) {
        return BadUsage("", QString(), CommandUsage());
    }
    const QString serverText = rest.takeAt(serverAt + 1);
    rest.removeAt(serverAt);
    if (rest.size() != 1 || rest.first().startsWith(QLatin1String("--"))) {
        return BadUsage("", QString(), CommandUsage());
    }
    if (UnreadableName("move-to-server", rest))
        return 1;
    QString error;
    ServerConfig server;
    if (!ParseServerConnectionText(serverText, &server, &error))
        return BadUsage("move-to-server", QStringLiteral("--server: ") + error, CommandUsage());
    QStringList report;
    if (!MoveDataFolderToServer(rest.first(), server, &report, &error))
        return FailCommand("move-to-server", QStringLiteral("ย้ายข้อมูลไปที่เครื่องแม่ข่ายไม่ได้"), error);
    QTextStream out(stdout);
    for (const QString &line : report)
        out << line << Qt::endl;
    return 0;
}

// The arguments shared by the document commands: DATA_DIR NUMBER [extra…] [--layout CLASS].
struct DocumentArguments
{
    QString dataFolder;
    QString number;
    QStringList extra; // what follows NUMBER
    QString layoutName;
};

bool parseDocumentArguments(QStringList args, int extraCount, DocumentArguments *parsed)
{
    const qsizetype layoutAt = args.indexOf(QStringLiteral("--layout"));
    if (layoutAt >= 0) {
        if (layoutAt + 1 >= args.size())
            return false;
        parsed->layoutName = args.takeAt(layoutAt + 1);
        args.removeAt(layoutAt);
    }
    if (args.size() != 2 + extraCount || args.first().startsWith(QLatin1String("--")))
        return false;
    parsed->dataFolder = args.at(0);
    parsed->number = args.at(1);
    parsed->extra = args.mid(2);
    return true;
}

// Points the shared state at the data folder and the document, the way the main window and the
// print button would, and prepares the layout the settings choose (or the one named).
std::unique_ptr<DocumentLayout> prepareDocument(const DocumentArguments &args, QString *chosenLayout, QString *error)
{
    QString layoutName = args.layoutName;
    if (!layoutName.isEmpty() && !DocumentLayoutNames().contains(layoutName)) {
        *error = QStringLiteral("unknown layout '%1' (one of %2)")
                     .arg(layoutName, DocumentLayoutNames().join(QStringLiteral(", ")));
        return nullptr;
    }
    if (!UseDataFolder(args.dataFolder, error))
        return nullptr;
    SharedState &shared = Shared();
    shared.PrintDocNo = args.number;
    shared.PrintDocKind = args.number.size() > 4 ? args.number.at(4).digitValue() : 0;
    shared.PrintDocVariant = 1;
    const int kind = shared.PrintDocKind;
    if (kind != 1 && kind != 3 && kind != 5) {
        *error = QStringLiteral("no document numbered '%1'").arg(args.number);
        return nullptr;
    }

    if (layoutName.isEmpty()) {
        PrintChoiceSettings settings;
        {
            const std::unique_ptr<Connection> connection = OpenDataConnection(error);
            if (!connection || !ReadPrintChoiceSettings(connection->database(), &settings, error))
                return nullptr;
        }
        layoutName = ChooseDocumentLayout(kind, settings.line5);
        if (layoutName.isEmpty()) {
            *error = QStringLiteral("LINE5 '%1' of the settings names no document layout").arg(settings.line5);
            return nullptr;
        }
    }

    *chosenLayout = layoutName;
    std::unique_ptr<DocumentLayout> layout = CreateDocumentLayout(layoutName);
    if (!layout->prepare(error))
        return nullptr;
    if (layout->data().header.isEmpty()) {
        *error = QStringLiteral("no document numbered '%1' for the layout %2").arg(args.number, layoutName);
        return nullptr;
    }
    return layout;
}

int failDocument(const char *command, const QString &text)
{
    return FailCommand(command, QStringLiteral("พิมพ์เอกสารไม่ได้"), text);
}

// pdf-document DATA_DIR NUMBER OUT.pdf [--layout CLASS]: one stored document as a PDF file, laid
// out as the print button would lay it out.
int pdfDocument(const QStringList &rest)
{
    DocumentArguments args;
    if (!parseDocumentArguments(rest, 1, &args)) {
        return BadUsage("", QString(), CommandUsage());
    }
    if (UnreadableName("pdf-document", {args.dataFolder, args.extra.first()}))
        return 1;
    QString error, layoutName;
    const std::unique_ptr<DocumentLayout> layout = prepareDocument(args, &layoutName, &error);
    if (!layout)
        return failDocument("pdf-document", error);
    const QString outFile = args.extra.first();
    if (!WriteReportPdf(*layout->document(), outFile, &error))
        return failDocument("pdf-document", error);
    QTextStream(stdout) << "Wrote " << outFile << " (" << layoutName << ")" << Qt::endl;
    return 0;
}

// preview-document DATA_DIR NUMBER [--layout CLASS]: the same document in the preview window,
// from which it can be paged, zoomed, printed and saved as PDF. Runs until the window closes.
int previewDocument(const QStringList &rest)
{
    DocumentArguments args;
    if (!parseDocumentArguments(rest, 0, &args)) {
        return BadUsage("", QString(), CommandUsage());
    }
    QString error, layoutName;
    const std::unique_ptr<DocumentLayout> layout = prepareDocument(args, &layoutName, &error);
    if (!layout)
        return failDocument("preview-document", error);
    ReportPreview *window = ShowReportPreview(layout->document());
    PlaceOnScreen(window, QSize(900, 1000));
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}

} // namespace

QString CommandUsage()
{
    return QStringLiteral("Usage:\n"
                          "  larderon                               start the program\n"
                          "  larderon init-data DIR [--demo] [--server \"host=... dbname=... user=...\"]\n"
                          "                                         create a data folder with a new database, in\n"
                          "                                         data.abs or in an empty database of a server\n"
                          "  larderon move-to-server DATA_DIR --server \"host=... dbname=... user=...\"\n"
                          "                                         copy data.abs into an empty database of a server,\n"
                          "                                         check it and switch the folder to the server\n"
                          "  larderon pdf-document DATA_DIR NUMBER OUT.pdf [--layout CLASS]\n"
                          "                                         write a stored document as a PDF file;\n"
                          "                                         CLASS: TPrnDO8, TPrnORD3, TPrnDO9s, TPrnDO2, TPrnDO1\n"
                          "                                         (default: the layout the settings choose)\n"
                          "  larderon preview-document DATA_DIR NUMBER [--layout CLASS]\n"
                          "                                         show it in the preview window (needs a display)\n")
        + PdfStickersUsage() + QStringLiteral("\n") + ResetPasswordUsage() + QStringLiteral("\n") + PostDocumentUsage()
        + QStringLiteral("\n") + ReportUsage();
}

int RunCommand(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return -1;
    const QString command = arguments.at(1);
    const QStringList rest = arguments.mid(2);
    if (command == u"init-data")
        return initData(rest);
    if (command == u"pdf-document")
        return pdfDocument(rest);
    if (command == u"preview-document")
        return previewDocument(rest);
    if (command == u"move-to-server")
        return moveToServer(rest);
    if (command == u"pdf-stickers")
        return PdfStickersCommand(rest);
    if (command == u"reset-password")
        return ResetPasswordCommand(rest);
    if (command == u"post-document")
        return PostDocumentCommand(rest);
    if (command == u"report")
        return ReportCommand(rest);
    if (command == u"--help" || command == u"-h") {
        QTextStream(stdout) << CommandUsage() << Qt::endl;
        return 0;
    }
    ErrorStream() << "larderon: unknown command '" << command << "'" << Qt::endl;
    return BadUsage("", QString(), CommandUsage());
}
