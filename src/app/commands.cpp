#include "app/commands.h"

#include "common/shared_state.h"
#include "db/data_connection.h"
#include "db/data_folder.h"
#include "printing/document_layout.h"
#include "report/report_output.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int initData(const QStringList &args)
{
    QStringList rest = args;
    const bool demo = rest.removeAll(QStringLiteral("--demo")) > 0;
    if (rest.size() != 1 || rest.first().startsWith(QLatin1String("--"))) {
        err() << CommandUsage() << Qt::endl;
        return 2;
    }
    QString error;
    if (!CreateDataFolder(rest.first(), demo, &error)) {
        err() << "larderon init-data: " << error << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "Created " << rest.first() << (demo ? " with demo data" : "") << Qt::endl;
    return 0;
}

// pdf-document DATA_DIR NUMBER OUT.pdf [--layout CLASS]: one stored document as a PDF file, laid
// out as the print button would lay it out.
int pdfDocument(const QStringList &args)
{
    QStringList rest = args;
    QString layoutName;
    const qsizetype layoutAt = rest.indexOf(QStringLiteral("--layout"));
    if (layoutAt >= 0) {
        if (layoutAt + 1 >= rest.size()) {
            err() << CommandUsage() << Qt::endl;
            return 2;
        }
        layoutName = rest.takeAt(layoutAt + 1);
        rest.removeAt(layoutAt);
    }
    if (rest.size() != 3 || rest.first().startsWith(QLatin1String("--"))) {
        err() << CommandUsage() << Qt::endl;
        return 2;
    }
    const QString number = rest.at(1);
    const QString outFile = rest.at(2);
    const auto fail = [](const QString &text) {
        err() << "larderon pdf-document: " << text << Qt::endl;
        return 1;
    };

    if (!layoutName.isEmpty() && !DocumentLayoutNames().contains(layoutName))
        return fail(QStringLiteral("unknown layout '%1' (one of %2)")
                        .arg(layoutName, DocumentLayoutNames().join(QStringLiteral(", "))));
    const QDir folder(rest.at(0));
    const QString databasePath = folder.absoluteFilePath(QStringLiteral("data.abs"));
    if (!QFileInfo(databasePath).isFile())
        return fail(QStringLiteral("'%1' is not a data folder (no data.abs)").arg(rest.at(0)));

    SharedState &shared = Shared();
    shared.DataFolder = folder.absolutePath() + QLatin1Char('/');
    shared.DatabasePath = databasePath;
    shared.DbMaxConnections = 5;
    shared.DbMultiUser = true;
    shared.PrintDocNo = number;
    shared.PrintDocKind = number.size() > 4 ? number.at(4).digitValue() : 0;
    shared.PrintDocVariant = 1;
    const int kind = shared.PrintDocKind;
    if (kind != 1 && kind != 3 && kind != 5)
        return fail(QStringLiteral("no document numbered '%1'").arg(number));

    if (layoutName.isEmpty()) {
        QString error;
        PrintChoiceSettings settings;
        {
            const std::unique_ptr<Connection> connection = OpenDataConnection(&error);
            if (!connection || !ReadPrintChoiceSettings(connection->database(), &settings, &error))
                return fail(error);
        }
        layoutName = ChooseDocumentLayout(kind, settings.line5);
        if (layoutName.isEmpty())
            return fail(QStringLiteral("LINE5 '%1' of the settings names no document layout")
                            .arg(settings.line5));
    }

    const std::unique_ptr<DocumentLayout> layout = CreateDocumentLayout(layoutName);
    QString error;
    if (!layout->prepare(&error))
        return fail(error);
    if (layout->data().header.isEmpty())
        return fail(QStringLiteral("no document numbered '%1' for the layout %2")
                        .arg(number, layoutName));
    if (!WriteReportPdf(*layout->document(), outFile, &error))
        return fail(error);
    QTextStream(stdout) << "Wrote " << outFile << " (" << layoutName << ")" << Qt::endl;
    return 0;
}

} // namespace

QString CommandUsage()
{
    return QStringLiteral("Usage:\n"
                          "  larderon                               start the program\n"
                          "  larderon init-data DIR [--demo]        create a data folder with a new database\n"
                          "  larderon pdf-document DATA_DIR NUMBER OUT.pdf [--layout CLASS]\n"
                          "                                         write a stored document as a PDF file;\n"
                          "                                         CLASS: TPrnDO8, TPrnORD3, TPrnDO9s, TPrnDO2, TPrnDO1\n"
                          "                                         (default: the layout the settings choose)");
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
    if (command == u"--help" || command == u"-h") {
        QTextStream(stdout) << CommandUsage() << Qt::endl;
        return 0;
    }
    err() << "larderon: unknown command '" << command << "'\n" << CommandUsage() << Qt::endl;
    return 2;
}
