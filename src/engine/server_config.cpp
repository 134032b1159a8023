#include "engine/server_config.h"

#include "common/atomic_file.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace {

const QStringList kKeywords = {QStringLiteral("host"), QStringLiteral("port"), QStringLiteral("dbname"),
                               QStringLiteral("user"), QStringLiteral("sslmode")};

bool SetValue(ServerConfig *config, const QString &key, const QString &value, QString *error)
{
    if (key == u"host") {
        config->host = value;
    } else if (key == u"port") {
        bool ok = false;
        config->port = value.toInt(&ok);
        if (!ok || config->port < 1 || config->port > 65535) {
            *error = QStringLiteral("the port '%1' is not a port number").arg(value);
            return false;
        }
    } else if (key == u"dbname") {
        config->dbname = value;
    } else if (key == u"user") {
        config->user = value;
    } else if (key == u"sslmode") {
        config->sslmode = value;
    } else {
        *error = QStringLiteral("unknown setting '%1' (one of %2)").arg(key, kKeywords.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}

QString Quoted(const QString &value)
{
    static const QRegularExpression plain(QStringLiteral("^[^\\s'\\\\]+$"));
    if (plain.match(value).hasMatch())
        return value;
    QString escaped = value;
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + escaped + u'\'';
}

} // namespace

QString ServerConfig::connectionText() const
{
    QStringList parts;
    const auto add = [&](const char *key, const QString &value) {
        if (!value.isEmpty())
            parts.append(QString::fromLatin1(key) + u'=' + Quoted(value));
    };
    add("host", host);
    add("port", port > 0 ? QString::number(port) : QString());
    add("dbname", dbname);
    add("user", user);
    add("sslmode", sslmode);
    return parts.join(u' ');
}

QString ServerConfig::describe() const
{
    return host.isEmpty() ? dbname : QStringLiteral("%1 on %2").arg(dbname, host);
}

bool ParseServerConnectionText(const QString &text, ServerConfig *config, QString *error)
{
    *config = {};
    // keyword = value, value either bare or single-quoted with backslash escapes.
    static const QRegularExpression pair(QStringLiteral(R"(\s*(\w+)\s*=\s*('((?:[^'\\]|\\.)*)'|[^\s']+))"));
    int at = 0;
    while (at < text.size()) {
        if (text.mid(at).trimmed().isEmpty())
            break;
        const QRegularExpressionMatch m = pair.match(text, at, QRegularExpression::NormalMatch,
                                                     QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch()) {
            *error = QStringLiteral("cannot read '%1' as keyword=value settings").arg(text.mid(at).trimmed());
            return false;
        }
        QString value = m.captured(3).isNull() ? m.captured(2) : m.captured(3);
        value.replace(QRegularExpression(QStringLiteral(R"(\\(.))")), QStringLiteral("\\1"));
        if (!SetValue(config, m.captured(1), value, error))
            return false;
        at = int(m.capturedEnd());
    }
    if (config->dbname.isEmpty()) {
        *error = QStringLiteral("no dbname is given");
        return false;
    }
    return true;
}

bool ReadServerIni(const QString &path, ServerConfig *config, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read '%1': %2").arg(path, file.errorString());
        return false;
    }
    *config = {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';') || line == u"[server]")
            continue;
        const qsizetype equals = line.indexOf(u'=');
        QString problem;
        if (equals <= 0)
            problem = QStringLiteral("not a setting");
        else
            SetValue(config, line.left(equals).trimmed(), line.mid(equals + 1).trimmed(), &problem);
        if (!problem.isEmpty()) {
            *error = QStringLiteral("'%1' line %2: %3").arg(path).arg(n + 1).arg(problem);
            return false;
        }
    }
    if (config->dbname.isEmpty()) {
        *error = QStringLiteral("'%1' names no dbname").arg(path);
        return false;
    }
    return true;
}

bool WriteServerIni(const QString &path, const ServerConfig &config, QString *error)
{
    QString text = QStringLiteral("# The database server that keeps this data folder's data. The password is not kept\n"
                                  "# here: libpq reads it from ~/.pgpass, PGPASSFILE or PGPASSWORD.\n[server]\n");
    const auto add = [&](const char *key, const QString &value) {
        if (!value.isEmpty())
            text += QString::fromLatin1(key) + QStringLiteral(" = ") + value + u'\n';
    };
    add("host", config.host);
    add("port", config.port > 0 ? QString::number(config.port) : QString());
    add("dbname", config.dbname);
    add("user", config.user);
    add("sslmode", config.sslmode);
    return WriteFileWhole(path, text.toUtf8(), error);
}
