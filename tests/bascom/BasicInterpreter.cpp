#include "tests/bascom/BasicInterpreter.h"

#include <algorithm>
#include <regex>
#include <stdexcept>
#include <unordered_map>

namespace corvane::test {
namespace {

constexpr int kColumnsPerLatch = 5;
constexpr int kLatchCount = 8;
constexpr int kRowMask = 0x7F; // latch output 7 drives no LED row

[[noreturn]] void Fail(const std::string& what, const std::string& line)
{
    throw std::runtime_error(what + ": \"" + line + "\"");
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A term of a sum: a number, a variable, or Lookup(variable , table).
struct Term
{
    long long sign = 1;
    long long number = 0;
    int variable = -1;
    int table = -1;
};
using Expr = std::vector<Term>;

struct Statement
{
    enum class Kind
    {
        Assign,
        For,
        If,
        Shift,
        Rotate,
        Wait
    } kind = Kind::Assign;
    int variable = -1;
    Expr value{}; // assigned value, For start, shift count, wait time
    Expr limit{}; // For limit
    bool left = true;
    int conditionVariable = -1;
    long long conditionValue = 0;
    std::vector<Statement> body{};
};

struct Variable
{
    long long mask = 0xFF;
    long long value = 0;
};

const auto kIcase = std::regex::icase;

class Interpreter
{
public:
    Interpreter(const std::vector<std::string>& lines, long long budget)
        : m_budget(budget), m_tables(ParseDataTables(lines))
    {
        for (const DataTable& table : m_tables) {
            m_starts.push_back(m_memory.size());
            m_memory.insert(m_memory.end(), table.bytes.begin(), table.bytes.end());
        }
        for (const char* port : {"portb", "portc", "portd"}) {
            m_names[port] = static_cast<int>(m_variables.size());
            m_variables.push_back({0xFF, 0});
        }
        parse(lines);
    }

    ProgramRun run()
    {
        for (const Statement& statement : m_main) {
            if (statement.kind == Statement::Kind::For) {
                m_run.blocks.emplace_back();
            }
            execute(statement, true);
        }
        return std::move(m_run);
    }

private:
    int variableOf(const std::string& name, const std::string& line) const
    {
        const auto found = m_names.find(Lower(name));
        if (found == m_names.end()) {
            Fail("undeclared variable " + name, line);
        }
        return found->second;
    }

    Term termOf(const std::string& text, long long sign, const std::string& line) const
    {
        static const std::regex lookup(R"(Lookup\((\w+) , (\w+)\))", kIcase);
        std::smatch m;
        Term term{sign};
        if (std::regex_match(text, m, lookup)) {
            term.variable = variableOf(m[1], line);
            const auto table =
                std::find_if(m_tables.begin(), m_tables.end(),
                             [&](const DataTable& t) { return Lower(t.label) == Lower(m[2]); });
            if (table == m_tables.end()) {
                Fail("no table " + m[2].str(), line);
            }
            term.table = static_cast<int>(table - m_tables.begin());
        } else if (text.starts_with("&H")) {
            term.number = std::stoll(text.substr(2), nullptr, 16);
        } else if (std::regex_match(text, std::regex(R"(\d+)"))) {
            term.number = std::stoll(text);
        } else {
            term.variable = variableOf(text, line);
        }
        return term;
    }

    // One term, or two joined by " + " or " - ".
    Expr exprOf(const std::string& text, const std::string& line) const
    {
        static const std::regex sum(R"((.+?) ([+-]) (.+))");
        std::smatch m;
        if (std::regex_match(text, m, sum)) {
            return {termOf(m[1], 1, line), termOf(m[3], m[2] == "+" ? 1 : -1, line)};
        }
        return {termOf(text, 1, line)};
    }

    Statement statementOf(const std::string& line) const
    {
        static const std::regex forLoop(R"(For (\w+) = (.+) To (.+))", kIcase);
        static const std::regex condition(R"(If (\w+) = (\d+) Then (\w+) = (.+))", kIcase);
        static const std::regex shift(R"((Shift|Rotate) (\w+) , (Left|Right) , (.+))", kIcase);
        static const std::regex wait(R"(Waitms (\d+))", kIcase);
        static const std::regex assignment(R"((\w+) = (.+))");
        std::smatch m;
        Statement s;
        if (std::regex_match(line, m, forLoop)) {
            s = {.kind = Statement::Kind::For,
                 .variable = variableOf(m[1], line),
                 .value = exprOf(m[2], line),
                 .limit = exprOf(m[3], line)};
        } else if (std::regex_match(line, m, condition)) {
            s = {.kind = Statement::Kind::If,
                 .variable = variableOf(m[3], line),
                 .value = exprOf(m[4], line)};
            s.conditionVariable = variableOf(m[1], line);
            s.conditionValue = std::stoll(m[2]);
        } else if (std::regex_match(line, m, shift)) {
            s = {.kind = Lower(m[1]) == "shift" ? Statement::Kind::Shift : Statement::Kind::Rotate,
                 .variable = variableOf(m[2], line),
                 .value = exprOf(m[4], line)};
            s.left = Lower(m[3]) == "left";
        } else if (std::regex_match(line, m, wait)) {
            s = {.kind = Statement::Kind::Wait, .value = exprOf(m[1], line)};
        } else if (std::regex_match(line, m, assignment)) {
            s = {.kind = Statement::Kind::Assign,
                 .variable = variableOf(m[1], line),
                 .value = exprOf(m[2], line)};
        } else {
            Fail("not in the subset", line);
        }
        return s;
    }

    void parse(const std::vector<std::string>& lines)
    {
        static const std::regex dim(R"(Dim (\w+) As (Byte|Word))", kIcase);
        static const std::regex next(R"(Next (\w+))", kIcase);
        auto line = lines.begin();
        for (std::smatch m; line != lines.end() && *line != "Do"; ++line) {
            if (std::regex_match(*line, m, dim)) {
                m_names[Lower(m[1])] = static_cast<int>(m_variables.size());
                m_variables.push_back({Lower(m[2]) == "byte" ? 0xFF : 0xFFFF, 0});
            }
        }
        std::vector<Statement*> open; // For loops not yet closed
        const auto body = [&]() -> std::vector<Statement>& {
            return open.empty() ? m_main : open.back()->body;
        };
        for (std::smatch m; line != lines.end() && *line != "Loop"; ++line) {
            const std::string text = Trim(*line);
            if (text.empty() || text.starts_with('\'') || text == "Do") {
                continue;
            }
            if (std::regex_match(text, m, next)) {
                if (open.empty() || open.back()->variable != variableOf(m[1], text)) {
                    Fail("Next without its For", text);
                }
                open.pop_back();
                continue;
            }
            body().push_back(statementOf(text));
            if (body().back().kind == Statement::Kind::For) {
                open.push_back(&body().back());
            }
        }
        if (line == lines.end() || !open.empty()) {
            throw std::runtime_error("main loop not closed");
        }
    }

    long long evaluate(const Expr& expr)
    {
        long long sum = 0;
        for (const Term& term : expr) {
            long long value = term.variable < 0 ? term.number : m_variables[term.variable].value;
            if (term.table >= 0) {
                value = lookup(static_cast<std::size_t>(term.table), value);
            }
            sum += term.sign * value;
        }
        return sum;
    }

    long long lookup(std::size_t table, long long index)
    {
        if (index >= static_cast<long long>(m_tables[table].bytes.size())) {
            m_run.readOutsideTable = true;
        }
        const auto at = static_cast<std::size_t>(index) + m_starts[table];
        return at < m_memory.size() ? m_memory[at] : 0xFF; // erased flash after the data
    }

    void assign(int variable, long long value)
    {
        Variable& target = m_variables[variable];
        target.value = value & target.mask;
        if (variable == kPortb) {
            for (int latch = 0; latch < kLatchCount; ++latch) {
                if ((target.value >> latch & 1) != 0) {
                    m_latches[latch] = static_cast<int>(m_variables[kPortd].value);
                }
            }
        } else if (variable == kPortc && target.value != 0) {
            light(target.value);
        }
    }

    // Each enabled column j shows, on every latch h, the rows latch h holds.
    void light(long long enabled)
    {
        if (m_run.blocks.empty() || m_run.blocks.back().empty() ||
            enabled >= 1 << kColumnsPerLatch) {
            throw std::runtime_error(
                "Portc enabled a column outside a scroll step or past the fifth");
        }
        ShownStep& step = m_run.blocks.back().back();
        for (int column = 0; column < kColumnsPerLatch; ++column) {
            for (int latch = 0; latch < kLatchCount && (enabled >> column & 1) != 0; ++latch) {
                int& shown =
                    step.columns[static_cast<std::size_t>(latch * kColumnsPerLatch + column)];
                if (m_latches[latch] >= 0) {
                    const int rows = m_latches[latch] & kRowMask;
                    step.steady = step.steady && (shown < 0 || shown == rows);
                    shown = rows;
                }
            }
        }
    }

    void execute(const Statement& s, bool scrollLoop)
    {
        if (++m_spent > m_budget) {
            throw std::runtime_error("statement budget exceeded");
        }
        Variable& variable = m_variables[static_cast<std::size_t>(std::max(s.variable, 0))];
        const int bits = variable.mask == 0xFF ? 8 : 16;
        switch (s.kind) {
        case Statement::Kind::Assign:
            assign(s.variable, evaluate(s.value));
            break;
        case Statement::Kind::If:
            if (m_variables[s.conditionVariable].value == s.conditionValue) {
                assign(s.variable, evaluate(s.value));
            }
            break;
        case Statement::Kind::Shift: {
            const long long count = std::min(evaluate(s.value), 16LL);
            assign(s.variable, s.left ? variable.value << count : variable.value >> count);
            break;
        }
        case Statement::Kind::Rotate: {
            const long long turns =
                s.left ? evaluate(s.value) % bits : bits - evaluate(s.value) % bits;
            assign(s.variable, variable.value << turns | variable.value >> (bits - turns));
            break;
        }
        case Statement::Kind::Wait:
            if (!m_run.blocks.empty() && !m_run.blocks.back().empty()) {
                m_run.blocks.back().back().durationMs += evaluate(s.value);
            }
            break;
        case Statement::Kind::For: {
            assign(s.variable, evaluate(s.value));
            // A limit too large for the loop variable is cut to its width, as an assignment would.
            const long long limit = evaluate(s.limit) & variable.mask;
            for (; variable.value <= limit; assign(s.variable, variable.value + 1)) {
                if (scrollLoop) {
                    m_run.blocks.back().push_back(
                        {std::vector<int>(kLatchCount * kColumnsPerLatch, -1)});
                }
                for (const Statement& inner : s.body) {
                    execute(inner, false);
                }
                if (++m_spent > m_budget) {
                    throw std::runtime_error("statement budget exceeded");
                }
            }
            break;
        }
        }
    }

    static constexpr int kPortb = 0;
    static constexpr int kPortc = 1;
    static constexpr int kPortd = 2;

    long long m_budget = 0;
    long long m_spent = 0;
    std::vector<DataTable> m_tables;
    std::vector<std::size_t> m_starts;
    std::vector<std::uint8_t> m_memory;
    std::unordered_map<std::string, int> m_names;
    std::vector<Variable> m_variables;
    std::vector<Statement> m_main;
    std::vector<int> m_latches = std::vector<int>(kLatchCount, -1);
    ProgramRun m_run;
};

} // namespace

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string_view::npos;
         end = text.find("\r\n", start)) {
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start != text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

std::vector<DataTable> ParseDataTables(const std::vector<std::string>& lines)
{
    std::vector<DataTable> tables;
    for (const std::string& line : lines) {
        if (line.size() > 1 && line.back() == ':' && line.find(' ') == std::string::npos) {
            tables.push_back({line.substr(0, line.size() - 1), {}});
        } else if (line.starts_with("Data ")) {
            if (tables.empty()) {
                Fail("Data line before any label", line);
            }
            const std::string values = line.substr(5, line.find('\'') - 5);
            for (std::size_t start = 0;;) {
                const std::size_t comma = values.find(',', start);
                const std::string value = Trim(values.substr(start, comma - start));
                if (value.size() != 4 || !value.starts_with("&H") ||
                    value.find_first_not_of("0123456789ABCDEF", 2) != std::string::npos) {
                    Fail("not a byte", line);
                }
                tables.back().bytes.push_back(
                    static_cast<std::uint8_t>(std::stoi(value.substr(2), nullptr, 16)));
                if (comma == std::string::npos) {
                    break;
                }
                start = comma + 1;
            }
        }
    }
    return tables;
}

ProgramRun RunMainLoopOnce(std::string_view program, long long statementBudget)
{
    return Interpreter(SplitLines(program), statementBudget).run();
}

} // namespace corvane::test
