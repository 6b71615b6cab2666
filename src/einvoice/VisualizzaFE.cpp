#include "VisualizzaFE.h"

#include "BustaP7M.h"
#include "Errors.h"
#include "FileFE.h"
#include "XmlFE.h"

#include <libxml/parser.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <memory>

namespace {

struct LiberaFoglio
{
    void operator()(xsltStylesheet* s) const { xsltFreeStylesheet(s); }
};

// Style sheets compiled in this process, by file and time of change.
std::shared_ptr<xsltStylesheet> foglio(const QString& percorso)
{
    static QHash<QString, std::pair<QDateTime, std::shared_ptr<xsltStylesheet>>> fogli;
    const QFileInfo info(percorso);
    if (!info.exists())
        throw LavError(QStringLiteral("Foglio di stile non trovato: %1.").arg(QDir::toNativeSeparators(percorso)));
    auto it = fogli.constFind(percorso);
    if (it != fogli.constEnd() && it->first == info.lastModified())
        return it->second;
    RaccoltaErroriXml raccolta;
    xmlDocPtr doc = xmlReadFile(QFile::encodeName(percorso).constData(), nullptr, XML_PARSE_NONET);
    xsltStylesheetPtr s = doc ? xsltParseStylesheetDoc(doc) : nullptr;
    if (!s) {
        xmlFreeDoc(doc);
        throw LavError(QStringLiteral("Il foglio di stile %1 non è leggibile.").arg(QDir::toNativeSeparators(percorso)));
    }
    std::shared_ptr<xsltStylesheet> r(s, LiberaFoglio());
    fogli.insert(percorso, {info.lastModified(), r});
    return r;
}

// The style sheet may read nothing but the document: no files written, no network.
xsltSecurityPrefsPtr sicurezza()
{
    static xsltSecurityPrefsPtr prefs = [] {
        xsltSecurityPrefsPtr p = xsltNewSecurityPrefs();
        xsltSetSecurityPrefs(p, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
        xsltSetSecurityPrefs(p, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
        xsltSetSecurityPrefs(p, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(p, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
        return p;
    }();
    return prefs;
}

void ignora(void*, const char*, ...) {}

QString nomeBase(const QString& percorso)
{
    QString nome = QFileInfo(percorso).fileName();
    for (const char* est : {".p7m", ".P7M", ".xml", ".XML"})
        if (nome.endsWith(QLatin1String(est)))
            nome.chop(4);
    return nome;
}

// The Exec program of a desktop entry.
QString programmaDi(const QString& desktop)
{
    const QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktop);
    if (file.isEmpty())
        return {};
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool voce = false;
    while (!f.atEnd()) {
        const QString riga = QString::fromUtf8(f.readLine()).trimmed();
        if (riga.startsWith(QLatin1Char('[')))
            voce = riga == QLatin1String("[Desktop Entry]");
        else if (voce && riga.startsWith(QLatin1String("Exec="))) {
            QString exec = riga.mid(5).trimmed();
            QString programma;
            if (exec.startsWith(QLatin1Char('"')))
                programma = exec.mid(1, exec.indexOf(QLatin1Char('"'), 1) - 1);
            else
                programma = exec.section(QLatin1Char(' '), 0, 0);
            if (QFileInfo(programma).isAbsolute())
                return QFileInfo(programma).isExecutable() ? programma : QString();
            return QStandardPaths::findExecutable(programma);
        }
    }
    return {};
}

// The desktop entries a mimeapps.list names for a type in its default applications.
QStringList associazioni(const QString& lista, const QString& tipo)
{
    QFile f(lista);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool predefinite = false;
    while (!f.atEnd()) {
        const QString riga = QString::fromUtf8(f.readLine()).trimmed();
        if (riga.startsWith(QLatin1Char('[')))
            predefinite = riga == QLatin1String("[Default Applications]");
        else if (predefinite && riga.section(QLatin1Char('='), 0, 0).trimmed() == tipo)
            return riga.section(QLatin1Char('='), 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return {};
}

} // namespace

QString PercorsoFoglioDiStile(const QString& cartella)
{
    return QDir(cartella.isEmpty() ? CartellaProgramma() : cartella).filePath(QStringLiteral("fatturapa_v1.2.xsl"));
}

QByteArray HtmlFatturaPA(const QString& percorsoXml, const QString& foglioDiStile)
{
    QByteArray dati = LeggiFile(percorsoXml);
    if (!SembraXml(dati)) {
        const BustaP7M busta = ApriP7M(dati);
        if (busta.letta)
            dati = busta.contenuto;
    }
    const std::shared_ptr<xsltStylesheet> stile = foglio(foglioDiStile);
    DocXml doc;
    {
        RaccoltaErroriXml raccolta;
        doc = LeggiXml(dati);
    }
    if (!doc)
        throw LavError(QStringLiteral("Il file %1 non è un documento XML leggibile: usare \"Valida\" per conoscere "
                                      "l'errore.")
                           .arg(QDir::toNativeSeparators(percorsoXml)));
    xsltSetGenericErrorFunc(nullptr, ignora);
    xsltTransformContextPtr ctx = xsltNewTransformContext(stile.get(), doc.get());
    xsltSetCtxtSecurityPrefs(sicurezza(), ctx);
    DocXml risultato(xsltApplyStylesheetUser(stile.get(), doc.get(), nullptr, nullptr, nullptr, ctx));
    xsltFreeTransformContext(ctx);
    xmlChar* testo = nullptr;
    int lunghezza = 0;
    if (!risultato || xsltSaveResultToString(&testo, &lunghezza, risultato.get(), stile.get()) != 0 || !testo)
        throw LavError(QStringLiteral("Il foglio di stile non ha potuto mostrare il file %1.")
                           .arg(QDir::toNativeSeparators(percorsoXml)));
    QByteArray html(reinterpret_cast<const char*>(testo), lunghezza);
    xmlFree(testo);
    return html;
}

QString ScriviHtmlFE(const QString& percorsoXml, const QString& foglioDiStile)
{
    const QByteArray html = HtmlFatturaPA(percorsoXml, foglioDiStile);
    const QString nome = nomeBase(percorsoXml) + QStringLiteral(".html");
    const QString accanto = QFileInfo(percorsoXml).absoluteDir().filePath(nome);
    try {
        ScriviFileIntero(accanto, html);
        return accanto;
    } catch (const LavError&) {
        const QString temporaneo = QDir::temp().filePath(nome);
        ScriviFileIntero(temporaneo, html);
        return temporaneo;
    }
}

QString CercaBrowserPredefinito()
{
    // The associations the desktop keeps, most specific first.
    QStringList liste;
    for (const QString& c : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        liste << QDir(c).filePath(QStringLiteral("mimeapps.list"));
    for (const QString& a : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        liste << QDir(a).filePath(QStringLiteral("mimeapps.list")) << QDir(a).filePath(QStringLiteral("defaults.list"));
    for (const QString& lista : liste) {
        if (!QFileInfo::exists(lista))
            continue;
        for (const char* tipo : {"x-scheme-handler/http", "text/html"}) {
            for (const QString& d : associazioni(lista, QString::fromLatin1(tipo))) {
                const QString p = programmaDi(d);
                if (!p.isEmpty())
                    return p;
            }
        }
    }
    for (const QString& b : qEnvironmentVariable("BROWSER").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString p = QStandardPaths::findExecutable(b);
        if (!p.isEmpty())
            return p;
    }
    for (const char* nome : {"x-www-browser", "firefox", "firefox-esr", "chromium", "google-chrome"}) {
        const QString p = QStandardPaths::findExecutable(QString::fromLatin1(nome));
        if (!p.isEmpty())
            return p;
    }
    return {};
}

bool ApriNelBrowser(const QString& browser, const QString& pagina)
{
    if (browser.trimmed().isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(pagina));
    return QProcess::startDetached(browser.trimmed(), {pagina});
}
