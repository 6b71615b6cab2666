#pragma once
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

// One column of a DbGrid, bound to a field by its stored name. A column over a lookup field
// drops down the records of the lookup dataset and, when one is chosen, writes its key into the
// key field (the article's description column writes `Codice servizio`).
struct DbGridColumn
{
    QString field = {};
    QString title = {};                 // heading; the field's name when empty
    int width = 0;                      // pixels; the grid's default when 0
    Qt::Alignment alignment = {};       // empty: numbers to the right, the rest to the left
    bool readOnly = false;
    bool visible = true;
    QStringList pickList = {};          // fixed items of a drop-down column
    bool ellipsis = false;              // a "…" button in the current cell (DbGrid::ellipsisClicked)
    QColor textColour = {};             // the palette's when not valid
    bool titleBold = false;             // the heading in bold
    QColor titleColour = {};            // of the heading; the palette's when not valid
    QString mask = {};                  // display mask of the values ("#,.00;;#", "dd/mm/yyyy")
    // Text shown for a value, before the mask; dates, amounts, numbers and booleans in the
    // program's formats when neither is given.
    std::function<QString(const QVariant&)> format = {};
};
