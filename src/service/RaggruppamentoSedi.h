#pragma once
#include "Dataset.h"
#include <QList>

class TDataModule1;

// The grouping of a customer's sites into stops: sites with the same Gruppo are visited as one
// stop. Joining gives the selected sites the group of the first of them, separating gives each
// its own group back (GruppoOrg), and the groups are coloured 0 and 1 alternately so that the
// grid tells them apart. Each change is posted to the site at once, through the data module's
// site table.
class RaggruppamentoSedi
{
public:
    explicit RaggruppamentoSedi(TDataModule1& dm);

    // The customer's sites by group: Codice, Gruppo, Indirizzo, Comune, GruppoOrg, Colore.
    Query QryGruppi;

    // Runs the query again for the data module's current customer.
    void Aggiorna();
    // The selected sites, by code, in grid order.
    void Raggruppa(const QList<double>& sedi);
    void Separa(const QList<double>& sedi);
    // Colour 0 for the first group, then the other colour at every change of group.
    void Ricolora();

private:
    // Sets one site's group, the site table on that site for the post.
    void assegnaGruppo(double sede, const QVariant& gruppo);
    QVariant valoreDi(double sede, const QString& campo);

    TDataModule1& dm;
};
