#include "DbDateEdit.h"

DbDateEdit::DbDateEdit(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent)
    : DbEdit(source, fieldName, prompts, parent)
{
    setMask(QStringLiteral("99/99/9999; "));
}
