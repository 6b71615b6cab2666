#include "DbText.h"
#include "DisplayMask.h"

DbText::DbText(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent)
    : QLabel(parent), fieldLink(new FieldLink(this, source, fieldName, prompts))
{
    connect(fieldLink, &FieldLink::refresh, this, &DbText::showField);
    // Amounts at the right, as in every other control.
    if (const Field* f = fieldLink->field(); f && f->type() == FieldType::Currency)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    showField();
}

void DbText::showField()
{
    const Field* f = fieldLink->field();
    if (!f || !fieldLink->dataset()->active())
        setText(QString());
    else if (displayFormat)
        setText(displayFormat(*f));
    else if (f->type() == FieldType::Currency && !f->onGetText)
        setText(f->isNull() ? QString() : formatCurrency(f->asFloat()));
    else
        setText(f->text());
}

void DbText::setDisplayMask(const QString& mask)
{
    displayFormat = [mask](const Field& f) { return formatMask(mask, f.value()); };
    showField();
}
