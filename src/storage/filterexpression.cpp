#include "filterexpression.h"

#include "codepage.h"
#include "dbferror.h"
#include "dbffield.h"
#include "dbftable.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace kvor {

namespace {

[[noreturn]] void fail(const QString &message, DbfError::Kind kind = DbfError::Kind::InvalidValue)
{
    throw DbfError(kind, message);
}

// ---------------------------------------------------------------------------
// Texts as the program sees them

// Field bytes are in 866, comparisons happen in 1251. Both pages are single-byte,
// so the conversion is a byte map built once; every byte of 866 has one
// character, which 1251 holds or stands in for with one byte.
const std::array<char, 256> &oemToAnsi()
{
    static const std::array<char, 256> map = [] {
        std::array<char, 256> m{};
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            m[size_t(b)] = Cp1251::encode(Cp866::decode(&c, 1)).at(0);
        }
        return m;
    }();
    return map;
}

void chopBlanks(QByteArray &bytes)
{
    qsizetype n = bytes.size();
    while (n > 0 && bytes.at(n - 1) == ' ')
        --n;
    if (n != bytes.size())
        bytes.truncate(n);
}

// The field's text in the program's code page, trailing blanks removed, into
// a buffer the caller keeps between records so that reading allocates nothing.
// Without translation the file already holds the program's code page.
const QByteArray &programText(const DbfField &field, const char *record, bool translate, QByteArray &out)
{
    const QByteArray raw = field.rawTextFrom(record);
    out.resize(raw.size());
    char *p = out.data();
    const char *from = raw.constData();
    if (!translate) {
        if (!raw.isEmpty())
            std::memcpy(p, from, size_t(raw.size()));
    } else {
        const std::array<char, 256> &map = oemToAnsi();
        for (qsizetype i = 0, n = raw.size(); i < n; ++i)
            p[i] = map[static_cast<unsigned char>(from[i])];
    }
    chopBlanks(out);
    return out;
}

int compareBytes(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    if (n > 0) {
        const int c = std::memcmp(a.constData(), b.constData(), size_t(n));
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

// ---------------------------------------------------------------------------
// Operators

enum class Op { Equal, Exact, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// The operator that gives the same result with its sides swapped.
Op mirrored(Op op)
{
    switch (op) {
    case Op::Less: return Op::Greater;
    case Op::LessEqual: return Op::GreaterEqual;
    case Op::Greater: return Op::Less;
    case Op::GreaterEqual: return Op::LessEqual;
    default: return op;
    }
}

bool compareNumbers(Op op, double a, double b)
{
    switch (op) {
    case Op::Equal:
    case Op::Exact: return a == b;
    case Op::NotEqual: return a != b;
    case Op::Less: return a < b;
    case Op::LessEqual: return a <= b;
    case Op::Greater: return a > b;
    case Op::GreaterEqual: return a >= b;
    }
    return false;
}

bool fromOrder(Op op, int order)
{
    switch (op) {
    case Op::Equal:
    case Op::Exact: return order == 0;
    case Op::NotEqual: return order != 0;
    case Op::Less: return order < 0;
    case Op::LessEqual: return order <= 0;
    case Op::Greater: return order > 0;
    case Op::GreaterEqual: return order >= 0;
    }
    return false;
}

// A text literal: its plain bytes for ordering and exact equality, and the
// asterisk pattern it stands for under '=' and its negations.
class TextLiteral {
public:
    explicit TextLiteral(const QString &text)
        : m_plain(Cp1251::encode(text))
    {
        chopBlanks(m_plain);
        const qsizetype n = m_plain.size();
        const bool leading = n > 0 && m_plain.at(0) == '*';
        const bool trailing = n > 0 && m_plain.at(n - 1) == '*';
        if (n == 1 && leading) {
            m_mode = Mode::Any;
        } else if (leading && trailing) {
            m_mode = Mode::Contains;
            m_core = m_plain.mid(1, n - 2);
        } else if (trailing) {
            m_mode = Mode::Prefix;
            m_core = m_plain.left(n - 1);
        } else if (leading) {
            m_mode = Mode::Suffix;
            m_core = m_plain.mid(1);
        }
    }

    const QByteArray &plain() const { return m_plain; }

    bool matches(const QByteArray &text) const
    {
        switch (m_mode) {
        case Mode::Plain: return text == m_plain;
        case Mode::Any: return true;
        case Mode::Prefix: return text.startsWith(m_core);
        case Mode::Contains: return text.contains(m_core);
        case Mode::Suffix: {
            // The first occurrence must be the one that ends the text.
            const qsizetype at = text.indexOf(m_core);
            return at >= 0 && at + m_core.size() == text.size();
        }
        }
        return false;
    }

    bool test(Op op, const QByteArray &text) const
    {
        switch (op) {
        case Op::Equal: return matches(text);
        case Op::NotEqual: return !matches(text);
        case Op::Exact: return text == m_plain;
        default: return fromOrder(op, compareBytes(text, m_plain));
        }
    }

private:
    enum class Mode { Plain, Any, Prefix, Contains, Suffix };

    QByteArray m_plain;
    QByteArray m_core;
    Mode m_mode = Mode::Plain;
};

// ---------------------------------------------------------------------------
// Expression tree

class Node {
public:
    virtual ~Node() = default;
    virtual bool eval(const char *record) const = 0;
};

using NodePtr = std::unique_ptr<Node>;

// A run of operands joined by one connective. Kept flat so that long chains
// neither recurse deeply nor free recursively.
class JunctionNode final : public Node {
public:
    JunctionNode(bool any, std::vector<NodePtr> parts) : m_any(any), m_parts(std::move(parts)) {}
    bool eval(const char *record) const override
    {
        for (const NodePtr &p : m_parts) {
            if (p->eval(record) == m_any)
                return m_any;
        }
        return !m_any;
    }

private:
    bool m_any; // or: any part true; and: all parts true
    std::vector<NodePtr> m_parts;
};

class NotNode final : public Node {
public:
    explicit NotNode(NodePtr a) : m_a(std::move(a)) {}
    bool eval(const char *record) const override { return !m_a->eval(record); }

private:
    NodePtr m_a;
};

class ConstNode final : public Node {
public:
    explicit ConstNode(bool value) : m_value(value) {}
    bool eval(const char *) const override { return m_value; }

private:
    bool m_value;
};

class BoolFieldNode final : public Node {
public:
    explicit BoolFieldNode(const DbfField *f) : m_field(f) {}
    bool eval(const char *record) const override { return m_field->booleanFrom(record); }

private:
    const DbfField *m_field;
};

class NumberLiteralNode final : public Node {
public:
    NumberLiteralNode(const DbfField *f, Op op, double value) : m_field(f), m_op(op), m_value(value) {}
    bool eval(const char *record) const override
    {
        return compareNumbers(m_op, m_field->numberFrom(record), m_value);
    }

private:
    const DbfField *m_field;
    Op m_op;
    double m_value;
};

class NumberFieldsNode final : public Node {
public:
    NumberFieldsNode(const DbfField *a, Op op, const DbfField *b) : m_a(a), m_b(b), m_op(op) {}
    bool eval(const char *record) const override
    {
        return compareNumbers(m_op, m_a->numberFrom(record), m_b->numberFrom(record));
    }

private:
    const DbfField *m_a, *m_b;
    Op m_op;
};

class BoolLiteralNode final : public Node {
public:
    BoolLiteralNode(const DbfField *f, Op op, bool value) : m_field(f), m_op(op), m_value(value) {}
    bool eval(const char *record) const override
    {
        return compareNumbers(m_op, m_field->booleanFrom(record) ? 1 : 0, m_value ? 1 : 0);
    }

private:
    const DbfField *m_field;
    Op m_op;
    bool m_value;
};

class BoolFieldsNode final : public Node {
public:
    BoolFieldsNode(const DbfField *a, Op op, const DbfField *b) : m_a(a), m_b(b), m_op(op) {}
    bool eval(const char *record) const override
    {
        return compareNumbers(m_op, m_a->booleanFrom(record) ? 1 : 0, m_b->booleanFrom(record) ? 1 : 0);
    }

private:
    const DbfField *m_a, *m_b;
    Op m_op;
};

// Text fields, and date fields compared with their stored yyyymmdd text.
class TextLiteralNode final : public Node {
public:
    TextLiteralNode(const DbfField *f, Op op, TextLiteral literal, bool translate)
        : m_field(f), m_op(op), m_literal(std::move(literal)), m_translate(translate) {}
    bool eval(const char *record) const override
    {
        thread_local QByteArray text;
        return m_literal.test(m_op, programText(*m_field, record, m_translate, text));
    }

private:
    const DbfField *m_field;
    Op m_op;
    TextLiteral m_literal;
    bool m_translate;
};

class TextFieldsNode final : public Node {
public:
    TextFieldsNode(const DbfField *a, Op op, const DbfField *b, bool translate)
        : m_a(a), m_b(b), m_op(op), m_translate(translate) {}
    bool eval(const char *record) const override
    {
        thread_local QByteArray a, b;
        return fromOrder(m_op, compareBytes(programText(*m_a, record, m_translate, a),
                                            programText(*m_b, record, m_translate, b)));
    }

private:
    const DbfField *m_a, *m_b;
    Op m_op;
    bool m_translate;
};

// ---------------------------------------------------------------------------
// Tokens

enum class Tok { End, Name, Number, Text, Bool, Operator, LParen, RParen, And, Or, Not };

struct Token {
    Tok kind = Tok::End;
    int pos = 0;       // 0-based index of the first character
    QString spelling;  // as written
    QString text;      // text literals without their delimiters
    double number = 0;
    bool boolean = false;
    Op op = Op::Equal;
};

QString atPosition(int pos)
{
    return QStringLiteral(" at position %1").arg(pos + 1);
}

[[noreturn]] void syntaxError(const QString &what)
{
    fail(QStringLiteral("Filter expression incorrect: ") + what);
}

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

class Tokenizer {
public:
    explicit Tokenizer(const QString &text) : m_s(text) {}

    std::vector<Token> run()
    {
        std::vector<Token> out;
        const int n = int(m_s.size());
        int i = 0;
        while (true) {
            while (i < n && m_s.at(i).isSpace())
                ++i;
            Token t;
            t.pos = i;
            if (i >= n) {
                out.push_back(t);
                return out;
            }
            const QChar c = m_s.at(i);
            const QChar next = i + 1 < n ? m_s.at(i + 1) : QChar();
            if (c == u'(' || c == u')') {
                t.kind = c == u'(' ? Tok::LParen : Tok::RParen;
                ++i;
            } else if (c == u'\'' || c == u'"' || c == u'[') {
                const QChar close = c == u'[' ? QChar(u']') : c;
                const qsizetype end = m_s.indexOf(close, i + 1);
                if (end < 0)
                    syntaxError(QStringLiteral("text starting") + atPosition(i) + QStringLiteral(" is not closed"));
                t.kind = Tok::Text;
                t.text = m_s.mid(i + 1, end - i - 1);
                i = int(end) + 1;
            } else if (isDigit(c) || ((c == u'-' || c == u'+' || c == u'.') && startsNumber(i))) {
                i = scanNumber(i, t);
            } else if (c == u'.' && isNameStart(next)) {
                i = scanDottedWord(i, t);
            } else if (isNameStart(c)) {
                int j = i + 1;
                while (j < n && isNameChar(m_s.at(j)))
                    ++j;
                const QString word = m_s.mid(i, j - i);
                t.kind = keyword(word);
                i = j;
            } else if (c == u'=') {
                t.kind = Tok::Operator;
                t.op = next == u'=' ? Op::Exact : Op::Equal;
                i += next == u'=' ? 2 : 1;
            } else if (c == u'<') {
                t.kind = Tok::Operator;
                if (next == u'=') {
                    t.op = Op::LessEqual;
                    i += 2;
                } else if (next == u'>') {
                    t.op = Op::NotEqual;
                    i += 2;
                } else {
                    t.op = Op::Less;
                    ++i;
                }
            } else if (c == u'>') {
                t.kind = Tok::Operator;
                t.op = next == u'=' ? Op::GreaterEqual : Op::Greater;
                i += next == u'=' ? 2 : 1;
            } else if (c == u'#') {
                t.kind = Tok::Operator;
                t.op = Op::NotEqual;
                ++i;
            } else {
                syntaxError(QStringLiteral("unexpected character '%1'").arg(c) + atPosition(i));
            }
            t.spelling = m_s.mid(t.pos, i - t.pos);
            out.push_back(std::move(t));
        }
    }

private:
    // A sign or a point starts a number only when digits follow.
    bool startsNumber(int i) const
    {
        const int n = int(m_s.size());
        if (m_s.at(i) != u'.') {
            ++i;
            if (i < n && isDigit(m_s.at(i)))
                return true;
            if (i >= n || m_s.at(i) != u'.')
                return false;
        }
        return i + 1 < n && isDigit(m_s.at(i + 1));
    }

    int scanNumber(int i, Token &t) const
    {
        const int n = int(m_s.size());
        const int start = i;
        bool negative = false;
        if (m_s.at(i) == u'-' || m_s.at(i) == u'+') {
            negative = m_s.at(i) == u'-';
            ++i;
        }
        const int digitsFrom = i;
        while (i < n && isDigit(m_s.at(i)))
            ++i;
        // A point followed by a letter opens a dotted word ("1.AND."), not decimals.
        if (i < n && m_s.at(i) == u'.' && !(i + 1 < n && isNameStart(m_s.at(i + 1)))) {
            ++i;
            while (i < n && isDigit(m_s.at(i)))
                ++i;
        }
        std::string digits = m_s.mid(digitsFrom, i - digitsFrom).toStdString();
        if (!digits.empty() && digits.back() == '.')
            digits.pop_back();
        if (!digits.empty() && digits.front() == '.')
            digits.insert(digits.begin(), '0');
        double value = 0;
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (r.ec != std::errc() || r.ptr != digits.data() + digits.size())
            syntaxError(QStringLiteral("number '%1'").arg(m_s.mid(start, i - start)) + atPosition(start)
                        + QStringLiteral(" cannot be read"));
        t.kind = Tok::Number;
        t.number = negative ? -value : value;
        return i;
    }

    int scanDottedWord(int i, Token &t) const
    {
        const int n = int(m_s.size());
        int j = i + 1;
        while (j < n && isNameChar(m_s.at(j)))
            ++j;
        const QString word = m_s.mid(i + 1, j - i - 1);
        if (j < n && m_s.at(j) == u'.') {
            const Tok k = keyword(word);
            if (k != Tok::Name) {
                t.kind = k;
                return j + 1;
            }
            if (word.compare(u"T", Qt::CaseInsensitive) == 0 || word.compare(u"F", Qt::CaseInsensitive) == 0) {
                t.kind = Tok::Bool;
                t.boolean = word.compare(u"T", Qt::CaseInsensitive) == 0;
                return j + 1;
            }
        }
        syntaxError(QStringLiteral("unexpected '%1'").arg(m_s.mid(i, std::min(j + 1, n) - i)) + atPosition(i));
    }

    static Tok keyword(const QString &word)
    {
        if (word.compare(u"and", Qt::CaseInsensitive) == 0)
            return Tok::And;
        if (word.compare(u"or", Qt::CaseInsensitive) == 0)
            return Tok::Or;
        if (word.compare(u"not", Qt::CaseInsensitive) == 0)
            return Tok::Not;
        return Tok::Name;
    }

    const QString &m_s;
};

// ---------------------------------------------------------------------------
// Parser

enum class Family { Text, Number, Boolean, Date, Other };

struct Operand {
    Family family = Family::Other;
    const DbfField *field = nullptr; // null for literals
    double number = 0;
    bool boolean = false;
    QString text;
};

Family familyOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::String: return Family::Text;
    case FieldKind::SmallInt:
    case FieldKind::Integer:
    case FieldKind::Float: return Family::Number;
    case FieldKind::Boolean: return Family::Boolean;
    case FieldKind::Date:
    case FieldKind::DateTime: return Family::Date;
    default: return Family::Other;
    }
}

class Parser {
public:
    Parser(const QString &text, const DbfTable &table) : m_table(table), m_tokens(Tokenizer(text).run()) {}

    NodePtr run()
    {
        if (peek().kind == Tok::End)
            fail(QStringLiteral("Filter expression is empty"));
        NodePtr root = parseOr();
        if (peek().kind != Tok::End)
            unexpected();
        return root;
    }

private:
    const Token &peek() const { return m_tokens[m_at]; }
    const Token &take() { return m_tokens[m_at++]; }

    [[noreturn]] void unexpected() const
    {
        const Token &t = peek();
        if (t.kind == Tok::End)
            syntaxError(QStringLiteral("unexpected end of expression"));
        syntaxError(QStringLiteral("unexpected '%1'").arg(t.spelling) + atPosition(t.pos));
    }

    [[noreturn]] static void notBoolean()
    {
        fail(QStringLiteral("Filter expression must return boolean result"));
    }

    NodePtr parseOr()
    {
        std::vector<NodePtr> parts;
        parts.push_back(parseAnd());
        while (peek().kind == Tok::Or) {
            take();
            parts.push_back(parseAnd());
        }
        if (parts.size() == 1)
            return std::move(parts.front());
        return std::make_unique<JunctionNode>(true, std::move(parts));
    }

    NodePtr parseAnd()
    {
        std::vector<NodePtr> parts;
        parts.push_back(parseNot());
        while (peek().kind == Tok::And) {
            take();
            parts.push_back(parseNot());
        }
        if (parts.size() == 1)
            return std::move(parts.front());
        return std::make_unique<JunctionNode>(false, std::move(parts));
    }

    NodePtr parseNot()
    {
        bool negate = false;
        while (peek().kind == Tok::Not) {
            take();
            negate = !negate;
        }
        NodePtr inner = parsePrimary();
        if (negate)
            return std::make_unique<NotNode>(std::move(inner));
        return inner;
    }

    static bool isOperand(Tok k)
    {
        return k == Tok::Name || k == Tok::Number || k == Tok::Text || k == Tok::Bool;
    }

    NodePtr parsePrimary()
    {
        if (peek().kind == Tok::LParen) {
            // Bounds the parser's recursion on hostile input.
            if (++m_depth > MaxDepth)
                syntaxError(QStringLiteral("parentheses nested too deeply") + atPosition(peek().pos));
            take();
            NodePtr inner = parseOr();
            --m_depth;
            if (peek().kind != Tok::RParen)
                unexpected();
            take();
            return inner;
        }
        if (!isOperand(peek().kind))
            unexpected();
        const Operand left = parseOperand();
        if (peek().kind == Tok::Operator) {
            const Op op = take().op;
            if (!isOperand(peek().kind))
                unexpected();
            const Operand right = parseOperand();
            return comparison(left, op, right);
        }
        if (left.family == Family::Boolean) {
            if (left.field)
                return std::make_unique<BoolFieldNode>(left.field);
            return std::make_unique<ConstNode>(left.boolean);
        }
        const Tok k = peek().kind;
        if (k == Tok::End || k == Tok::RParen || k == Tok::And || k == Tok::Or)
            notBoolean();
        unexpected();
    }

    Operand parseOperand()
    {
        const Token &t = take();
        Operand o;
        switch (t.kind) {
        case Tok::Number:
            o.family = Family::Number;
            o.number = t.number;
            break;
        case Tok::Text:
            o.family = Family::Text;
            o.text = t.text;
            break;
        case Tok::Bool:
            o.family = Family::Boolean;
            o.boolean = t.boolean;
            break;
        default: {
            const DbfField *f = m_table.findField(t.spelling);
            // Calculated fields have no bytes in the record to read.
            if (!f || f->isCalculated())
                fail(QStringLiteral("Field/variable %1 is unknown").arg(t.spelling), DbfError::Kind::FieldNotFound);
            o.field = f;
            o.family = familyOf(f->kind());
            break;
        }
        }
        return o;
    }

    static bool compatible(const Operand &a, const Operand &b)
    {
        if (a.family == Family::Other || b.family == Family::Other)
            return false;
        if (a.family == b.family)
            return true;
        // Dates are written as yyyymmdd text.
        const auto dateText = [](const Operand &d, const Operand &t) {
            return d.family == Family::Date && t.family == Family::Text && !t.field;
        };
        return dateText(a, b) || dateText(b, a);
    }

    NodePtr comparison(Operand left, Op op, Operand right) const
    {
        if (!compatible(left, right))
            fail(QStringLiteral("The two sides of an operation do not match"));
        if (!left.field && !right.field)
            return std::make_unique<ConstNode>(constant(left, op, right));
        if (!left.field) {
            std::swap(left, right);
            op = mirrored(op);
        }
        const DbfField *f = left.field;
        switch (left.family) {
        case Family::Number:
            if (right.field)
                return std::make_unique<NumberFieldsNode>(f, op, right.field);
            return std::make_unique<NumberLiteralNode>(f, op, right.number);
        case Family::Boolean:
            if (right.field)
                return std::make_unique<BoolFieldsNode>(f, op, right.field);
            return std::make_unique<BoolLiteralNode>(f, op, right.boolean);
        default:
            if (right.field)
                return std::make_unique<TextFieldsNode>(f, op, right.field, m_table.translateAscii());
            return std::make_unique<TextLiteralNode>(f, op, TextLiteral(right.text), m_table.translateAscii());
        }
    }

    static bool constant(const Operand &left, Op op, const Operand &right)
    {
        switch (left.family) {
        case Family::Number: return compareNumbers(op, left.number, right.number);
        case Family::Boolean: return compareNumbers(op, left.boolean ? 1 : 0, right.boolean ? 1 : 0);
        default: {
            QByteArray l = Cp1251::encode(left.text);
            chopBlanks(l);
            return TextLiteral(right.text).test(op, l);
        }
        }
    }

    const DbfTable &m_table;
    std::vector<Token> m_tokens;
    size_t m_at = 0;
    int m_depth = 0;
    static constexpr int MaxDepth = 100;
};

class ParsedFilter final : public FilterExpression {
public:
    explicit ParsedFilter(NodePtr root) : m_root(std::move(root)) {}
    bool evaluate(const char *record) const override { return m_root->eval(record); }

private:
    NodePtr m_root;
};

} // namespace

std::unique_ptr<FilterExpression> FilterExpression::parse(const QString &text, const DbfTable &table)
{
    return std::make_unique<ParsedFilter>(Parser(text, table).run());
}

} // namespace kvor
