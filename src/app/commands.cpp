#include "app/commands.h"

#include "app/app_path.h"
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

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The program reads its arguments as UTF-8; bytes that are not UTF-8 come through as U+FFFD and
// would name another file than the one meant.
bool unreadableName(const char *command, const QStringList &names)
{
    for (const QString &name : names) {
        if (name.contains(QChar::ReplacementCharacter)) {
            err() << "larderon " << command << ": ชื่อ \"" << name
                  << "\" อ่านไม่ได้ (the name is not valid UTF-8 text; rename the folder or file)" << Qt::endl;
            return true;
        }
    }
    return false;
}

int initData(const QStringList &args)
{
    QStringList rest = args;
    const bool demo = rest.removeAll(QStringLiteral("--demo")) > 0;
    QString serverText;
    const qsizetype serverAt = rest.indexOf(QStringLiteral("--server"));
    if (serverAt >= 0) {
        if (serverAt + 1 >= rest.size()) {
            err() << CommandUsage() << Qt::endl;
            return 2;
        }
        serverText = rest.takeAt(serverAt + 1);
        rest.removeAt(serverAt);
    }
    if (rest.size() != 1 || rest.first().startsWith(QLatin1String("--"))) {
        err() << CommandUsage() << Qt::endl;
        return 2;
    }
    if (unreadableName("init-data", rest))
        return 1;
    QString error;
    ServerConfig server;
    if (serverAt >= 0 && !ParseServerConnectionText(serverText, &server, &error)) {
        err() << "larderon init-data: --server: " << error << Qt::endl;
        return 2;
    }
    const bool created = serverAt >= 0 ? CreateServerDataFolder(rest.first(), server, demo, &error)
                                       : CreateDataFolder(rest.first(), demo, &error);
    if (!created) {
        err() << "larderon init-data: " << error << Qt::endl;
        return 1;
    }
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
        err() << CommandUsage() << Qt::endl;
        return 2;
    }
    const QString serverText = rest.takeAt(serverAt + 1);
    rest.removeAt(serverAt);
    if (rest.size() != 1 || rest.first().startsWith(QLatin1String("--"))) {
        err() << CommandUsage() << Qt::endl;
        return 2;
    }
    if (unreadableName("move-to-server", rest))
        return 1;
    QString error;
    ServerConfig server;
    if (!ParseServerConnectionText(serverText, &server, &error)) {
        err() << "larderon move-to-server: --server: " << error << Qt::endl;
        return 2;
    }
    QStringList report;
    if (!MoveDataFolderToServer(rest.first(), server, &report, &error)) {
        err() << "larderon move-to-server: ย้ายข้อมูลไปที่เครื่องแม่ข่ายไม่ได้ (" << error << ")" << Qt::endl;
        return 1;
    }
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

int failCommand(const char *command, const QString &text)
{
    err() << "larderon " << command << ": " << text << Qt::endl;
    return 1;
}

// pdf-document DATA_DIR NUMBER OUT.pdf [--layout CLASS]: one stored document as a PDF file, laid
// out as the print button would lay it out.
int pdfDocument(const QStringList &rest)
{
    DocumentArguments args;
    if (!parseDocumentArguments(rest, 1, &args)) {
        err() << CommandUsage() << Qt::endl;
        return 2;
    }
    if (unreadableName("pdf-document", {args.dataFolder, args.extra.first()}))
        return 1;
    QString error, layoutName;
    const std::unique_ptr<DocumentLayout> layout = prepareDocument(args, &layoutName, &error);
    if (!layout)
        return failCommand("pdf-document", error);
    const QString outFile = args.extra.first();
    if (!WriteReportPdf(*layout->document(), outFile, &error))
        return failCommand("pdf-document", error);
    QTextStream(stdout) << "Wrote " << outFile << " (" << layoutName << ")" << Qt::endl;
    return 0;
}

// preview-document DATA_DIR NUMBER [--layout CLASS]: the same document in the preview window,
// from which it can be paged, zoomed, printed and saved as PDF. Runs until the window closes.
int previewDocument(const QStringList &rest)
{
    DocumentArguments args;
    if (!parseDocumentArguments(rest, 0, &args)) {
        err() << CommandUsage() << Qt::endl;
        return 2;
    }
    QString error, layoutName;
    const std::unique_ptr<DocumentLayout> layout = prepareDocument(args, &layoutName, &error);
    if (!layout)
        return failCommand("preview-document", error);
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
        + PdfStickersUsage() + QStringLiteral("\n") + ResetPasswordUsage() + QStringLiteral("\n") + ReportUsage();
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
    if (command == u"report")
        return ReportCommand(rest);
    if (command == u"--help" || command == u"-h") {
        QTextStream(stdout) << CommandUsage() << Qt::endl;
        return 0;
    }
    err() << "larderon: unknown command '" << command << "'\n" << CommandUsage() << Qt::endl;
    return 2;
}
