#include "DbText.h"

DbText::DbText(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent)
    : QLabel(parent), fieldLink(new FieldLink(this, source, fieldName, prompts))
{
    connect(fieldLink, &FieldLink::refresh, this, &DbText::showField);
    showField();
}

void DbText::showField()
{
    const Field* f = fieldLink->field();
    if (!f || !fieldLink->dataset()->active())
        setText(QString());
    else
        setText(displayFormat ? displayFormat(*f) : f->text());
}
