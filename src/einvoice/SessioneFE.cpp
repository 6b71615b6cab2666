#include "SessioneFE.h"

#include "Clock.h"
#include "DateIt.h"
#include "FileFE.h"
#include "FonteFE.h"
#include "ScrittoreFE.h"
#include "TDataModule1.h"
#include "ValidatoreFE.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

// The progressive is a 16-bit field of the parameters.
constexpr qint64 progressivoMassimo = 32767;

const char primaGenerare[] = "Bisogna prima generare la fattura elettronica.";

Table& parametri(TDataModule1& dm)
{
    if (!dm.TblParametri.active())
        dm.TblParametri.open();
    if (dm.TblParametri.isEmpty())
        throw LavError(QStringLiteral("Manca il record dei parametri dell'azienda."));
    return dm.TblParametri;
}

QString dueCifre(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

SessioneFE::SessioneFE(TDataModule1& dm, Schermata schermata) : dm(dm), quale(schermata) {}

QString SessioneFE::cartellaLavoro() const
{
    return dm.cartellaLavoro();
}

qint64 SessioneFE::progressivoSalvato() const
{
    return parametri(dm)["FE_Progr"].asInteger();
}

void SessioneFE::Mostra()
{
    Table& p = parametri(dm);
    nomeFile.clear();
    contatore = p["FE_Progr"].asInteger();
    const QString percorso = p["FEPath"].asString().trimmed();
    cartellaEsportazione = percorso.isEmpty() ? CartellaProgramma() : QDir::fromNativeSeparators(percorso);
}

QDate SessioneFE::dataUltimoInvio() const
{
    const QDate d = parametri(dm)["FE_Data"].asDate();
    return d.isValid() ? d : oggi();
}

void SessioneFE::nuovoElenco()
{
    // A generation not exported is replaced: the same numbers are used again. A number the
    // stored progressive has already passed (another screen exported meanwhile) never is.
    if (elenco)
        contatore = progressivoSalvato();
    contatore = qMax(contatore, progressivoSalvato());
    elenco = QList<FileFE>();
}

bool SessioneFE::progressivoDisponibile(qint64 n, const QString& azione)
{
    if (n <= progressivoMassimo)
        return true;
    dm.prompts.error(QStringLiteral("Il progressivo di invio ha raggiunto %1, il valore più alto che l'archivio "
                                    "può registrare: %2.")
                         .arg(progressivoMassimo)
                         .arg(azione));
    return false;
}

bool SessioneFE::scriviDocumento(DocumentoFE& d)
{
    if (!progressivoDisponibile(contatore + 1, QStringLiteral("il file non viene generato")))
        return false;
    const ParametriFE par = LeggiParametriFE(parametri(dm));
    d.progressivo = contatore + 1;
    QByteArray testo;
    try {
        DocXml albero = ScriviFatturaPA(d, par);
        testo = TestoFatturaPA(albero.get());
    } catch (const CigMancante& e) {
        dm.prompts.error(e.message());
        return false;
    }
    const QString nome = NomeFileFE(par.piva, d.progressivo);
    ScriviFileIntero(QDir(cartellaLavoro()).filePath(nome), testo);
    contatore = d.progressivo;
    nomeFile = nome;
    if (elenco)
        elenco->append({nome, d.progressivo, d.numeroNota,
                        (d.nome1.trimmed() + QLatin1Char(' ') + d.nome2.trimmed()).trimmed()});
    return true;
}

QStringList SessioneFE::scriviPeriodici(const QList<DocumentoFE>& documenti, TipoFE tipo, const QString& anno,
                                        const std::function<void(DocumentoFE&)>& completa)
{
    QStringList scritti;
    if (documenti.isEmpty())
        return scritti;
    const QString mese = dm.contatore().LeggiMese();
    const QString fine = dm.contatore().LeggiFinePeriodo();
    RigheFE righe(dm.db, tipo);
    for (DocumentoFE d : documenti) {
        d.righe = righe.leggi(d.codice);
        d.anno = anno;
        d.mese = mese;
        d.finePeriodo = fine;
        completa(d);
        if (!scriviDocumento(d))
            break;
        scritti << nomeFile;
    }
    return scritti;
}

QStringList SessioneFE::GeneraFatture(const QString& anno, const std::function<void()>& elabora)
{
    QStringList scritti;
    try {
        if (elabora)
            elabora();
        Table& p = parametri(dm);
        const bool soloPA = p["SoloPA"].asBoolean();
        const QList<DocumentoFE> documenti = DocumentiPeriodici(dm.db, TipoFE::Fattura, soloPA);
        nuovoElenco();
        scritti = scriviPeriodici(documenti, TipoFE::Fattura, anno, [](DocumentoFE&) {});
    } catch (const Abort&) {
    } catch (const LavError& e) {
        dm.prompts.standardError(e.message());
    }
    return scritti;
}

QStringList SessioneFE::GeneraNoteCredito(double cliente, const QString& anno, const QDate& emissione)
{
    QStringList scritti;
    try {
        if (!emissione.isValid()) {
            dm.prompts.error(QStringLiteral("La data di emissione della nota di credito non è valida."));
            return scritti;
        }
        const QList<DocumentoFE> documenti = DocumentiPeriodici(dm.db, TipoFE::NotaCredito, false, cliente);
        if (documenti.isEmpty()) {
            dm.prompts.information(QStringLiteral(
                "Il cliente non ha una fattura nell'ultima elaborazione o non ha il codice destinatario: "
                "nessuna nota di credito generata."));
            return scritti;
        }
        nuovoElenco();
        const qint64 prossima = LeggiParametriFE(parametri(dm)).prossimaNotaCre();
        scritti = scriviPeriodici(documenti, TipoFE::NotaCredito, anno, [&](DocumentoFE& d) {
            d.dataEmissione = emissione;
            d.numeroNota = prossima + elenco->size();
        });
    } catch (const Abort&) {
    } catch (const LavError& e) {
        dm.prompts.standardError(e.message());
    }
    return scritti;
}

QStringList SessioneFE::GeneraManuale(const QDate& emissione)
{
    QStringList scritti;
    const bool nota = quale == Schermata::NotaCreMan;
    Table& f = dm.TblFatturaMan;
    try {
        if (!f.active() || f.isEmpty()) {
            dm.prompts.error(QStringLiteral("Non c'è nessuna fattura manuale."));
            return scritti;
        }
        f.checkBrowseMode();
        if (nota && !emissione.isValid()) {
            dm.prompts.error(QStringLiteral("La data di emissione della nota di credito non è valida."));
            return scritti;
        }
        const QDate data = f["Data fattura"].asDate();
        if (!data.isValid()) {
            dm.prompts.error(QStringLiteral("La fattura non ha la data: impossibile generare la fattura elettronica."));
            return scritti;
        }
        // The period end of the electronic invoice defaults to the last day of the invoice's
        // month: it is stored in the counter file (made when the year has none yet) and read back.
        ContatoreFatture& cont = dm.contatore();
        cont.ProssimoNumeroFattura(false);
        cont.SalvaPeriodo(dueCifre(data.day()), dueCifre(data.month()), dueCifre(data.daysInMonth()));
        // The amounts follow the period just stored.
        f.refresh();
        if (dm.ricalcolaMesiPeriodo)
            dm.ricalcolaMesiPeriodo(f);
        const TipoFE tipo = nota ? TipoFE::NotaCreditoManuale : TipoFE::FatturaManuale;
        DocumentoFE d = DocumentoManuale(f, tipo);
        d.mesiPeriodo = dm.MesiPeriodo;
        d.righe = RigheFE(dm.db, tipo).leggi(d.codice);
        d.mese = cont.LeggiMese();
        d.finePeriodo = cont.LeggiFinePeriodo();
        d.dataEmissione = emissione;
        d.numeroNota = LeggiParametriFE(parametri(dm)).prossimaNotaCre();
        // Every generation numbers its file from the stored progressive: generating again
        // before the export writes the same file.
        elenco.reset();
        contatore = progressivoSalvato();
        if (scriviDocumento(d)) {
            elenco = QList<FileFE>{{nomeFile, d.progressivo, d.numeroNota,
                                    (d.nome1.trimmed() + QLatin1Char(' ') + d.nome2.trimmed()).trimmed()}};
            scritti << nomeFile;
        }
    } catch (const Abort&) {
    } catch (const LavError& e) {
        dm.prompts.standardError(e.message());
    }
    return scritti;
}

QStringList SessioneFE::Controlla(const QStringList& nomi) const
{
    QStringList problemi;
    ValidatoreFE validatore;
    if (!QFileInfo::exists(validatore.percorsoSchema()))
        return problemi;
    for (const QString& nome : nomi) {
        const EsitoFE e = validatore.Valida(QDir(cartellaLavoro()).filePath(nome));
        if (e.valido() || e.stato == EsitoFE::Stato::SchemaMancante)
            continue;
        QString cliente;
        if (elenco)
            for (const FileFE& f : *elenco)
                if (f.nome == nome)
                    cliente = QStringLiteral(" (%1)").arg(f.cliente);
        problemi << nome + cliente + QStringLiteral(": ") + e.messaggio;
    }
    return problemi;
}

bool SessioneFE::ControllaPrimaDiSalvare(const QString& dataUltimoInvio)
{
    const bool generato = !nomeFile.isEmpty() && QFileInfo::exists(QDir(cartellaLavoro()).filePath(nomeFile))
                          && elenco.has_value();
    if (!generato) {
        dm.prompts.error(QString::fromUtf8(primaGenerare));
        return false;
    }
    if (!isBlankDate(dataUltimoInvio) && !parseDate(dataUltimoInvio).isValid()) {
        dm.prompts.error(QStringLiteral("La data dell'ultimo invio non è valida."));
        return false;
    }
    return true;
}

QStringList SessioneFE::Salva(const QString& cartella, const QString& dataUltimoInvio, const QDate& emissione)
{
    QStringList copiati;
    if (!ControllaPrimaDiSalvare(dataUltimoInvio))
        return copiati;
    const QDate dataInvio = parseDate(dataUltimoInvio);
    const bool note = quale == Schermata::NotaCre || quale == Schermata::NotaCreMan;
    const QDir origine(cartellaLavoro());
    const QDir destinazione(cartella);
    QString percorsoFE = QDir::toNativeSeparators(destinazione.absolutePath());
    if (!percorsoFE.endsWith(QDir::separator()))
        percorsoFE += QDir::separator();

    while (!elenco->isEmpty()) {
        const FileFE file = elenco->first();
        try {
            Table& p = parametri(dm);
            if (!progressivoDisponibile(file.progressivo,
                                        QStringLiteral("il file %1 non viene salvato").arg(file.nome)))
                break;
            if (file.progressivo <= p["FE_Progr"].asInteger()) {
                dm.prompts.error(QStringLiteral("Il progressivo %1 del file %2 è già stato usato da un altro invio: "
                                                "generare di nuovo la fattura elettronica.")
                                     .arg(file.progressivo)
                                     .arg(file.nome));
                break;
            }
            if (note && file.notaCre <= p["NotaCre"].asInteger()) {
                dm.prompts.error(QStringLiteral("La nota di credito n. %1 del file %2 è già stata emessa: "
                                                "generare di nuovo la fattura elettronica.")
                                     .arg(file.notaCre)
                                     .arg(file.nome));
                break;
            }

            // The copy is written beside its destination under a temporary name, the stored
            // values are advanced, and only then does the copy take its name: a file handed
            // over always has its number recorded.
            const QByteArray dati = LeggiFile(origine.filePath(file.nome));
            const QString finale = destinazione.filePath(file.nome);
            QTemporaryFile tmp(destinazione.filePath(QStringLiteral(".%1.XXXXXX").arg(file.nome)));
            if (!destinazione.exists() || !tmp.open() || tmp.write(dati) != dati.size() || !tmp.flush()) {
                const QString motivo = destinazione.exists() ? tmp.errorString() : QStringLiteral("la cartella non esiste");
                dm.prompts.error(QStringLiteral("Impossibile copiare il file %1 nella cartella %2: %3.")
                                     .arg(file.nome, QDir::toNativeSeparators(destinazione.absolutePath()), motivo));
                break;
            }
            tmp.close();
            tmp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                               | QFileDevice::ReadOther);

            const QVariant vecchi[] = {p["FE_Progr"].value(), p["FE_Data"].value(), p["FEPath"].value(),
                                       p["NotaCre"].value(), p["DataNotaCre"].value()};
            p.edit();
            p["FE_Progr"] = file.progressivo;
            p["FE_Data"] = dataInvio.isValid() ? QVariant(dataInvio) : QVariant();
            p["FEPath"] = percorsoFE;
            if (note) {
                p["NotaCre"] = file.notaCre;
                p["DataNotaCre"] = emissione.isValid() ? QVariant(emissione) : QVariant();
            }
            try {
                p.post();
            } catch (...) {
                if (p.state() != DatasetState::Browse)
                    p.cancel();
                throw;
            }
            QString errore;
            if (!SostituisciFile(tmp.fileName(), finale, &errore)) {
                // The copy never took its name: the stored values go back.
                p.edit();
                const char* campi[] = {"FE_Progr", "FE_Data", "FEPath", "NotaCre", "DataNotaCre"};
                for (int i = 0; i < 5; ++i)
                    p[QString::fromLatin1(campi[i])].setValue(vecchi[i]);
                p.post();
                dm.prompts.error(QStringLiteral("Impossibile copiare il file %1 nella cartella %2: %3.")
                                     .arg(file.nome, QDir::toNativeSeparators(destinazione.absolutePath()), errore));
                break;
            }
            tmp.setAutoRemove(false);
        } catch (const Abort&) {
            break;
        } catch (const LavError& e) {
            dm.prompts.standardError(e.message());
            break;
        }
        copiati << file.nome;
        elenco->removeFirst();
        cartellaEsportazione = destinazione.absolutePath();
    }
    if (elenco->isEmpty())
        elenco.reset();
    return copiati;
}

QString SessioneFE::percorsoValidazione() const
{
    if (nomeFile.isEmpty())
        return {};
    const QString esportato = QDir(cartellaEsportazione).filePath(nomeFile);
    if (QFileInfo::exists(esportato))
        return esportato;
    return QDir(cartellaLavoro()).filePath(nomeFile);
}
