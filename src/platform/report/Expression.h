#pragma once

#include <QString>

#include <memory>
#include <optional>

class Dataset;

namespace report {

// Where an expression is evaluated: the report's rows, the current one, and
// how many rows (from the first) have printed so far.
struct ExpressionScope {
    const Dataset *dataset = nullptr;
    int currentRow = -1;
    int printedRows = 0;
};

// A report expression over the rows printed so far: numbers, field references
// (an optional dataset prefix such as "ADOQuery1." is ignored), + - * /,
// parentheses and the aggregates SUM, COUNT, MIN and MAX. A null operand or a
// division by zero gives a null result, which prints as an empty text.
class Expression
{
public:
    // Throws DbError when the text is no valid expression.
    explicit Expression(const QString &text);
    ~Expression();
    Expression(const Expression &) = default;
    Expression &operator=(const Expression &) = default;

    QString text() const { return m_text; }
    // Throws DbError for a field that the dataset does not have.
    std::optional<double> evaluate(const ExpressionScope &scope) const;

    struct Node;

private:
    QString m_text;
    std::shared_ptr<const Node> m_root;
};

} // namespace report
