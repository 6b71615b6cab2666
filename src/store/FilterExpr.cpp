#include "FilterExpr.h"

#include "DateIt.h"
#include "Errors.h"
#include "Locale.h"

#include <optional>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= '0' && c <= '9';
}

enum class Tok { End, Name, QuotedName, Text, Number, Op, LParen, RParen, Minus };

struct Token
{
    Tok kind = Tok::End;
    QString text;       // name, unescaped text, number or operator as written
    qsizetype pos = 0;
};

struct Operand
{
    enum Kind { Field, Number, Text, Bool, Null } kind = Null;
    const FilterField* field = nullptr;
    QString text;       // Number and Text as written
    bool truth = false; // Bool
};

class Compiler
{
public:
    Compiler(const QString& expression, const QList<FilterField>& fields)
        : src(expression), fields(fields)
    {
        tokenize();
    }

    CompiledFilter run()
    {
        CompiledFilter out;
        if (tokens.size() == 1)     // only End: no filter
            return out;
        out.where = orExpr();
        if (peek().kind != Tok::End)
            fail(QStringLiteral("testo inatteso \"%1\"").arg(src.mid(peek().pos)));
        out.params = params;
        return out;
    }

private:
    const QString& src;
    const QList<FilterField>& fields;
    QList<Token> tokens;
    qsizetype at = 0;
    QVariantList params;

    [[noreturn]] void fail(const QString& problem) const
    {
        throw LavError(QStringLiteral("Filtro non valido \"%1\": %2.").arg(src, problem));
    }

    // Tokens -------------------------------------------------------------------------------

    void tokenize()
    {
        qsizetype i = 0;
        const qsizetype n = src.size();
        while (i < n) {
            const QChar c = src[i];
            const qsizetype start = i;
            if (c.isSpace()) {
                ++i;
            } else if (c == '(' || c == ')') {
                tokens.append({c == '(' ? Tok::LParen : Tok::RParen, QString(c), start});
                ++i;
            } else if (c == '-') {
                tokens.append({Tok::Minus, QStringLiteral("-"), start});
                ++i;
            } else if (c == '=' || c == '<' || c == '>') {
                QString op(c);
                if (i + 1 < n && c != '=' && (src[i + 1] == '=' || (c == '<' && src[i + 1] == '>')))
                    op += src[++i];
                ++i;
                tokens.append({Tok::Op, op, start});
            } else if (c == '\'') {
                QString text;
                for (++i;; ++i) {
                    if (i >= n)
                        fail(QStringLiteral("testo tra apici non chiuso"));
                    if (src[i] == '\'') {
                        if (i + 1 < n && src[i + 1] == '\'') {
                            text += '\'';
                            ++i;
                        } else {
                            break;
                        }
                    } else {
                        text += src[i];
                    }
                }
                ++i;
                tokens.append({Tok::Text, text, start});
            } else if (c == '"' || c == '[') {
                const QChar close = c == '"' ? QChar('"') : QChar(']');
                const qsizetype end = src.indexOf(close, i + 1);
                if (end < 0)
                    fail(QStringLiteral("nome di campo non chiuso"));
                tokens.append({Tok::QuotedName, src.mid(i + 1, end - i - 1), start});
                i = end + 1;
            } else if (isAsciiDigit(c) || (c == '.' && i + 1 < n && isAsciiDigit(src[i + 1]))) {
                bool point = false;
                while (i < n && (isAsciiDigit(src[i]) || (src[i] == '.' && !point))) {
                    point = point || src[i] == '.';
                    ++i;
                }
                tokens.append({Tok::Number, src.mid(start, i - start), start});
            } else if (c.isLetter() || c == '_') {
                while (i < n && (src[i].isLetterOrNumber() || src[i] == '_'))
                    ++i;
                tokens.append({Tok::Name, src.mid(start, i - start), start});
            } else {
                fail(QStringLiteral("carattere non ammesso '%1'").arg(c));
            }
        }
        tokens.append({Tok::End, QString(), n});
    }

    const Token& peek() const { return tokens[at]; }
    Token take() { return tokens[at < tokens.size() - 1 ? at++ : at]; }

    bool isKeyword(const Token& t, const char* word) const
    {
        return t.kind == Tok::Name && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool acceptKeyword(const char* word)
    {
        if (!isKeyword(peek(), word))
            return false;
        ++at;
        return true;
    }

    // Where a token stands, for the messages: "alla fine dell'espressione", "in \"xyz\"".
    QString describe(const Token& t) const
    {
        return t.kind == Tok::End
            ? QStringLiteral("alla fine dell'espressione")
            : QStringLiteral("in \"%1\"").arg(src.mid(t.pos).section(' ', 0, 0));
    }

    // Grammar ------------------------------------------------------------------------------

    QString orExpr()
    {
        QString sql = andExpr();
        while (acceptKeyword("or"))
            sql += QStringLiteral(" OR ") + andExpr();
        return sql;
    }

    QString andExpr()
    {
        QString sql = notExpr();
        while (acceptKeyword("and"))
            sql += QStringLiteral(" AND ") + notExpr();
        return sql;
    }

    QString notExpr()
    {
        if (acceptKeyword("not"))
            return QStringLiteral("NOT (%1)").arg(notExpr());
        if (peek().kind == Tok::LParen) {
            take();
            const QString inner = orExpr();
            if (peek().kind != Tok::RParen)
                fail(QStringLiteral("manca una parentesi chiusa %1").arg(describe(peek())));
            take();
            return '(' + inner + ')';
        }
        return comparison();
    }

    QString comparison()
    {
        const Operand left = operand();
        if (acceptKeyword("is")) {
            const bool negated = acceptKeyword("not");
            if (!acceptKeyword("null"))
                fail(QStringLiteral("dopo IS si attende NULL"));
            return nullTest(left, negated);
        }
        if (peek().kind == Tok::Op) {
            const QString op = take().text;
            return compare(left, op, operand());
        }
        return truthTest(left);
    }

    Operand operand()
    {
        const Token t = take();
        Operand o;
        switch (t.kind) {
        case Tok::Number:
            o.kind = Operand::Number;
            o.text = t.text;
            return o;
        case Tok::Minus:
            if (peek().kind != Tok::Number)
                fail(QStringLiteral("dopo il segno meno si attende un numero"));
            o.kind = Operand::Number;
            o.text = '-' + take().text;
            return o;
        case Tok::Text:
            o.kind = Operand::Text;
            o.text = t.text;
            return o;
        case Tok::QuotedName:
            o.kind = Operand::Field;
            o.field = findField(t.text);
            return o;
        case Tok::Name:
            if (isKeyword(t, "true") || isKeyword(t, "false")) {
                o.kind = Operand::Bool;
                o.truth = isKeyword(t, "true");
                return o;
            }
            if (isKeyword(t, "null")) {
                o.kind = Operand::Null;
                return o;
            }
            if (isKeyword(t, "and") || isKeyword(t, "or") || isKeyword(t, "not") || isKeyword(t, "is"))
                break;
            o.kind = Operand::Field;
            o.field = findField(t.text);
            return o;
        default:
            break;
        }
        fail(QStringLiteral("si attende un campo o un valore %1").arg(describe(t)));
    }

    const FilterField* findField(const QString& name) const
    {
        for (const FilterField& f : fields)
            if (f.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
                return &f;
        fail(QStringLiteral("campo sconosciuto \"%1\"").arg(name));
    }

    // SQL ----------------------------------------------------------------------------------

    QString bind(const QVariant& v)
    {
        params.append(v);
        return QStringLiteral("?");
    }

    QString sqlOf(const Operand& o)
    {
        return o.kind == Operand::Field ? quoteName(o.field->name) : bind(rawValue(o));
    }

    QString nullTest(const Operand& o, bool negated)
    {
        if (o.kind == Operand::Null)
            fail(QStringLiteral("NULL non si confronta con NULL"));
        return sqlOf(o) + (negated ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
    }

    QString truthTest(const Operand& o)
    {
        if (o.kind == Operand::Bool)
            return o.truth ? QStringLiteral("1") : QStringLiteral("0");
        if (o.kind != Operand::Field)
            fail(QStringLiteral("manca un operatore di confronto %1").arg(describe(peek())));
        if (o.field->type != FieldType::Boolean)
            fail(QStringLiteral("il campo \"%1\" non è logico e va confrontato con un valore")
                     .arg(o.field->name));
        return QStringLiteral("COALESCE(%1, 0) <> 0").arg(quoteName(o.field->name));
    }

    static QString mirrored(const QString& op)
    {
        if (op == QLatin1String("<")) return QStringLiteral(">");
        if (op == QLatin1String(">")) return QStringLiteral("<");
        if (op == QLatin1String("<=")) return QStringLiteral(">=");
        if (op == QLatin1String(">=")) return QStringLiteral("<=");
        return op;
    }

    QString compare(const Operand& left, const QString& op, const Operand& right)
    {
        const bool equality = op == QLatin1String("=") || op == QLatin1String("<>");
        if (left.kind == Operand::Null || right.kind == Operand::Null) {
            if (!equality)
                fail(QStringLiteral("NULL si confronta solo con = o <>"));
            return nullTest(left.kind == Operand::Null ? right : left, op == QLatin1String("<>"));
        }
        if (left.kind != Operand::Field && right.kind == Operand::Field)
            return compare(right, mirrored(op), left);
        if (left.kind == Operand::Field && right.kind != Operand::Field) {
            const std::optional<QVariant> v = valueFor(*left.field, right);
            if (!v) {    // the blank date: the field is empty, or is not
                if (!equality)
                    fail(QStringLiteral("la data vuota si confronta solo con = o <>"));
                return nullTest(left, op == QLatin1String("<>"));
            }
            return quoteName(left.field->name) + ' ' + op + ' ' + bind(*v);
        }
        return sqlOf(left) + ' ' + op + ' ' + sqlOf(right);
    }

    // Values -------------------------------------------------------------------------------

    static QVariant numberValue(const QString& text)
    {
        if (!text.contains('.')) {
            bool ok = false;
            const qlonglong n = text.toLongLong(&ok);
            if (ok)
                return n;
        }
        return text.toDouble();
    }

    static QVariant rawValue(const Operand& o)
    {
        switch (o.kind) {
        case Operand::Number: return numberValue(o.text);
        case Operand::Bool: return o.truth ? 1 : 0;
        default: return o.text;
        }
    }

    [[noreturn]] void badValue(const FilterField& f, const Operand& o) const
    {
        const QString shown = o.kind == Operand::Bool ? (o.truth ? QStringLiteral("True")
                                                                 : QStringLiteral("False"))
                                                      : o.text;
        fail(QStringLiteral("valore \"%1\" non valido per il campo \"%2\"").arg(shown, f.name));
    }

    // The value bound for a comparison with field f; no value for the blank date.
    std::optional<QVariant> valueFor(const FilterField& f, const Operand& o) const
    {
        switch (f.type) {
        case FieldType::String:
            if (o.kind == Operand::Bool)
                badValue(f, o);
            return QVariant(o.text);
        case FieldType::SmallInt:
        case FieldType::Integer:
        case FieldType::AutoInc:
        case FieldType::Float:
        case FieldType::Currency:
            if (o.kind == Operand::Text) {
                const std::optional<double> n = parseNumber(o.text);
                if (!n)
                    badValue(f, o);
                return QVariant(*n);
            }
            return rawValue(o);
        case FieldType::Boolean:
            if (o.kind == Operand::Text) {
                const QString t = o.text.trimmed();
                if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                    return QVariant(1);
                if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                    return QVariant(0);
                badValue(f, o);
            }
            return rawValue(o);
        case FieldType::Date: {
            if (o.kind != Operand::Text)
                badValue(f, o);
            if (isBlankDate(o.text))
                return std::nullopt;
            QDate d = parseDate(o.text);
            if (!d.isValid())
                d = fromIso(o.text);
            if (!d.isValid())
                badValue(f, o);
            return QVariant(isoDate(d));
        }
        }
        badValue(f, o);
    }
};

} // namespace

CompiledFilter compileFilter(const QString& expression, const QList<FilterField>& fields)
{
    return Compiler(expression, fields).run();
}
