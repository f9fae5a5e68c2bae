#include "platform/report/Expression.h"

#include "platform/data/Dataset.h"
#include "platform/data/DbError.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace report {

struct Expression::Node {
    enum Kind { Number, Field, Negate, Add, Subtract, Multiply, Divide, Sum, Count, Min, Max };
    Kind kind;
    double number = 0;
    QString field;
    std::vector<std::shared_ptr<const Node>> args;
};

namespace {

using NodePtr = std::shared_ptr<const Expression::Node>;
using Node = Expression::Node;

[[noreturn]] void syntaxError(const QString &text, const QString &why)
{
    throw DbError(QStringLiteral("报表表达式“%1”有误：%2").arg(text, why));
}

class Parser
{
public:
    explicit Parser(const QString &text) : m_text(text) {}

    NodePtr parse()
    {
        NodePtr root = expression();
        skipSpace();
        if (m_pos < m_text.size())
            syntaxError(m_text, QStringLiteral("多余的“%1”。").arg(m_text.mid(m_pos)));
        return root;
    }

private:
    static bool isNameChar(QChar c)
    {
        return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.') || c.unicode() > 0x7f;
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    bool accept(QChar c)
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    void expect(QChar c)
    {
        if (!accept(c))
            syntaxError(m_text, QStringLiteral("缺少“%1”。").arg(c));
    }

    static NodePtr make(Node::Kind kind, std::vector<NodePtr> args)
    {
        auto n = std::make_shared<Node>();
        n->kind = kind;
        n->args = std::move(args);
        return n;
    }

    NodePtr expression()
    {
        NodePtr left = term();
        for (;;) {
            if (accept(QLatin1Char('+')))
                left = make(Node::Add, {left, term()});
            else if (accept(QLatin1Char('-')))
                left = make(Node::Subtract, {left, term()});
            else
                return left;
        }
    }

    NodePtr term()
    {
        NodePtr left = factor();
        for (;;) {
            if (accept(QLatin1Char('*')))
                left = make(Node::Multiply, {left, factor()});
            else if (accept(QLatin1Char('/')))
                left = make(Node::Divide, {left, factor()});
            else
                return left;
        }
    }

    NodePtr factor()
    {
        skipSpace();
        if (m_pos >= m_text.size())
            syntaxError(m_text, QStringLiteral("表达式不完整。"));
        if (accept(QLatin1Char('-')))
            return make(Node::Negate, {factor()});
        if (accept(QLatin1Char('('))) {
            NodePtr inner = expression();
            expect(QLatin1Char(')'));
            return inner;
        }
        const QChar c = m_text[m_pos];
        if (c.isDigit() || c == QLatin1Char('.')) {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && (m_text[m_pos].isDigit() || m_text[m_pos] == QLatin1Char('.')))
                ++m_pos;
            bool ok = false;
            auto n = std::make_shared<Node>();
            n->kind = Node::Number;
            n->number = m_text.mid(start, m_pos - start).toDouble(&ok);
            if (!ok)
                syntaxError(m_text, QStringLiteral("“%1”不是数字。").arg(m_text.mid(start, m_pos - start)));
            return n;
        }
        if (!isNameChar(c))
            syntaxError(m_text, QStringLiteral("不能识别“%1”。").arg(c));
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text[m_pos]))
            ++m_pos;
        const QString name = m_text.mid(start, m_pos - start);
        if (accept(QLatin1Char('(')))
            return function(name);
        auto n = std::make_shared<Node>();
        n->kind = Node::Field;
        // "ADOQuery1.付款金额": the report has one dataset, so the prefix adds nothing.
        n->field = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1);
        if (n->field.isEmpty())
            syntaxError(m_text, QStringLiteral("“%1”不是字段名。").arg(name));
        return n;
    }

    NodePtr function(const QString &name)
    {
        const QString upper = name.toUpper();
        if (upper == QLatin1String("COUNT")) {
            expect(QLatin1Char(')'));
            return make(Node::Count, {});
        }
        Node::Kind kind;
        if (upper == QLatin1String("SUM"))
            kind = Node::Sum;
        else if (upper == QLatin1String("MIN"))
            kind = Node::Min;
        else if (upper == QLatin1String("MAX"))
            kind = Node::Max;
        else
            syntaxError(m_text, QStringLiteral("没有函数“%1”。").arg(name));
        NodePtr arg = expression();
        expect(QLatin1Char(')'));
        return make(kind, {arg});
    }

    QString m_text;
    qsizetype m_pos = 0;
};

using Value = std::optional<double>;

// A sum or difference carries no more than 15 significant digits of its
// larger operand; what lies below is binary rounding noise (0.3 - 0.1 - 0.2).
double settled(double result, double a, double b)
{
    const double scale = std::max(std::fabs(a), std::fabs(b));
    if (scale == 0 || !std::isfinite(result))
        return result;
    const double unit = std::pow(10.0, std::floor(std::log10(scale)) - 14);
    return std::round(result / unit) * unit;
}

Value fieldValue(const ExpressionScope &scope, const QString &field, int row)
{
    if (!scope.dataset)
        throw DbError(QStringLiteral("报表没有数据集，不能计算字段“%1”。").arg(field));
    const int column = scope.dataset->fieldIndex(field);
    if (column < 0)
        throw DbError(QStringLiteral("报表的数据集中没有字段“%1”。").arg(field));
    if (row < 0 || row >= scope.dataset->recordCount())
        return std::nullopt;
    const QVariant v = scope.dataset->value(row, column);
    if (v.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

Value evaluate(const Node &n, const ExpressionScope &scope, int row)
{
    switch (n.kind) {
    case Node::Number:
        return n.number;
    case Node::Field:
        return fieldValue(scope, n.field, row);
    case Node::Negate: {
        const Value a = evaluate(*n.args[0], scope, row);
        return a ? Value(-*a) : std::nullopt;
    }
    case Node::Add:
    case Node::Subtract:
    case Node::Multiply:
    case Node::Divide: {
        const Value a = evaluate(*n.args[0], scope, row);
        const Value b = evaluate(*n.args[1], scope, row);
        if (!a || !b)
            return std::nullopt;
        switch (n.kind) {
        case Node::Add:
            return settled(*a + *b, *a, *b);
        case Node::Subtract:
            return settled(*a - *b, *a, *b);
        case Node::Multiply:
            return *a * *b;
        default:
            if (*b == 0)
                return std::nullopt;
            return *a / *b;
        }
    }
    case Node::Count:
        return double(scope.printedRows);
    case Node::Sum:
    case Node::Min:
    case Node::Max: {
        // Over the rows printed so far; rows whose value is null do not count.
        Value result = n.kind == Node::Sum ? Value(0.0) : std::nullopt;
        for (int r = 0; r < scope.printedRows; ++r) {
            const Value v = evaluate(*n.args[0], scope, r);
            if (!v)
                continue;
            if (n.kind == Node::Sum)
                *result = settled(*result + *v, *result, *v);
            else if (!result || (n.kind == Node::Min ? *v < *result : *v > *result))
                result = v;
        }
        return result;
    }
    }
    return std::nullopt;
}

} // namespace

Expression::Expression(const QString &text) : m_text(text), m_root(Parser(text).parse()) {}

Expression::~Expression() = default;

std::optional<double> Expression::evaluate(const ExpressionScope &scope) const
{
    const Value v = report::evaluate(*m_root, scope, scope.currentRow);
    if (v && !std::isfinite(*v))
        return std::nullopt;
    return v;
}

} // namespace report
