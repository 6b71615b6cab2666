#pragma once
#include "TableDef.h"

#include <QList>
#include <QString>
#include <QVariantList>

// Dataset filters written as expressions, as the windows set them:
//   Conto = 0 and Incassata = True
//   [Data Movimento] >= '01/01/2019' and not Fatturabile
// compiled into an SQL condition whose values are bound, never pasted into the text.
//
// Grammar (keywords in any case):
//   expr       := term { OR term }
//   term       := factor { AND factor }
//   factor     := NOT factor | '(' expr ')' | comparison
//   comparison := operand op operand | operand IS [NOT] NULL | operand
//   op         := = | <> | < | > | <= | >=
//   operand    := field | 'text' | number | TRUE | FALSE | NULL
// A field is a bare name, "a quoted name" or [a bracketed name], matched case-insensitively.
//
// Values take the type of the field they are compared with: a Date field reads 'dd/mm/yyyy'
// (or ISO 'yyyy-mm-dd') and binds ISO text, the blank date '  /  /    ' meaning NULL; a Boolean
// field binds True/False as 1/0; numeric fields read quoted numbers too. Comparisons keep plain
// SQL semantics: NULL matches no comparison (Incassata = False leaves out an empty Incassata)
// and texts compare case-sensitively. A Boolean field on its own is a truth test in which
// NULL counts as false, so "not Fatturabile" takes the articles with Fatturabile empty too.

struct FilterField
{
    QString name;
    FieldType type;
};

struct CompiledFilter
{
    QString where;          // SQL condition with positional '?' placeholders; empty for no filter
    QVariantList params;    // the values of the placeholders, in order
};

// Throws LavError, naming the problem and the expression, on a syntax error, an unknown
// field or a value that does not suit its field. A blank expression gives an empty condition.
CompiledFilter compileFilter(const QString& expression, const QList<FilterField>& fields);
