#include "support/placement_reader.h"

#include "support/maxscript_scene.h"

#include <optional>
#include <ostream>

namespace tes::test {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

class Reader {
public:
    Reader(std::vector<std::string_view> lines, std::string_view objectName, MaxFiles files)
        : m_lines(std::move(lines)), m_scene(objectName, std::move(files)) {}

    Placement run() {
        Placement placement;
        try {
            runLines(0, m_lines.size());
        } catch (const MaxError& error) {
            placement.fault =
                "line " + std::to_string(m_line + 1) + ": the script throws \"" + error.what() + "\"";
        } catch (const ScriptFault& fault) {
            placement.fault = "line " + std::to_string(m_line + 1) + ": " + fault.what();
        }
        m_scene.remaining(placement);
        placement.mergedFile = m_scene.mergedFile();
        placement.listener = m_scene.listener();
        return placement;
    }

private:
    void runLines(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; i = m_resume) {
            m_line = i;
            m_resume = i + 1;
            const std::string_view text = Trimmed(m_lines[i]);
            if (text.find('\r') != std::string_view::npos)
                throw ScriptFault("a line break inside a statement");
            if (text.find("\xEF\xBB\xBF") != std::string_view::npos)
                throw ScriptFault("a byte-order mark inside the script: 3ds Max reads one only at the start");
            if (text.starts_with("-- Tolvane Enviro Scripter for "))
                m_scene.setClassic(text.starts_with("-- Tolvane Enviro Scripter for 3dsMax 3.1"));
            if (!text.empty() && !text.starts_with("--"))
                statement(text);
        }
    }

    // The block that opens on line `open` with a lone "(": its lines [first, close) and the line of its
    // lone ")".
    std::pair<std::size_t, std::size_t> block(std::size_t open) {
        if (open >= m_lines.size() || Trimmed(m_lines[open]) != "(")
            throw ScriptFault("expected a block to open on the next line");
        int depth = 0;
        for (std::size_t k = open; k < m_lines.size(); ++k) {
            depth += ParenthesisBalance(m_lines[k]);
            if (depth == 0) {
                if (Trimmed(m_lines[k]) != ")")
                    throw ScriptFault("a block ends inside a statement");
                return {open + 1, k};
            }
        }
        throw ScriptFault("a block is never closed");
    }

    void statement(std::string_view text) {
        MaxCursor c(text);
        if (c.take("clearlistener")) {
            c.expect("(");
            c.expect(")");
        } else if (c.take("clearSelection")) {
            c.expect("(");
            c.expect(")");
            m_scene.clearSelection();
        } else if (c.take("max")) {
            c.expect("move");
        } else if (c.take("mergeMAXFile")) {
            m_scene.merge(c);
        } else if (c.take("format")) {
            m_scene.format(c);
        } else if (c.take("try")) {
            attempt(c);
        } else if (c.take("catch")) {
            throw ScriptFault("a catch without its try");
        } else if (c.take("undo")) {
            c.expect("off");
            contextBlock(c);
        } else if (c.take("with")) {
            c.expect("redraw");
            c.expect("off");
            contextBlock(c);
        } else if (c.take("local")) {
            const std::string name = Lower(c.identifier());
            c.expect("=");
            m_scene.declare(name, m_scene.value(c));
        } else if (const bool again = c.take("while"); again || c.take("if")) {
            conditional(c, again);
        } else if (c.take("for")) {
            loop(c);
        } else if (c.take("join")) {
            Value& into = m_scene.variable(Lower(c.identifier()));
            Nodes more = NodesOf(m_scene.value(c)), all = NodesOf(into);
            all.insert(all.end(), more.begin(), more.end());
            into = all;
        } else if (const bool hidden = c.take("unhide"); hidden || c.take("unfreeze")) {
            m_scene.release(c, hidden);
        } else if (c.take("maxOps.cloneNodes")) {
            m_scene.cloneNodes(c);
        } else if (c.take("append")) {
            append(c);
        } else if (c.take("rotate")) {
            m_scene.rotate(c);
        } else if (c.take("delete")) {
            m_scene.remove(c);
        } else if (c.take("throw")) {
            Value message = m_scene.value(c);
            throw MaxError(As<std::string>(message, "a message"));
        } else if (c.peek() == '(' || c.peek() == ')') {
            throw ScriptFault("a parenthesis where a statement should start");
        } else if (c.take("copy")) {
            m_scene.clone(c, NodeOrigin::Copy);
        } else if (c.take("instance")) {
            m_scene.clone(c, NodeOrigin::Instance);
        } else {
            assignment(c);
        }
        c.expectEnd();
    }

    // try, its block on the next lines, then catch and its block: the catch runs when the try's block
    // raises an error of 3ds Max, with getCurrentException() its message.
    void attempt(MaxCursor& c) {
        c.expectEnd();
        const auto [first, close] = block(m_line + 1);
        if (close + 1 >= m_lines.size() || Trimmed(m_lines[close + 1]) != "catch")
            throw ScriptFault("a try without a catch on the line after its block");
        const auto [handlerFirst, handlerClose] = block(close + 2);
        try {
            runLines(first, close);
        } catch (const MaxError& error) {
            m_scene.setException(error.what());
            runLines(handlerFirst, handlerClose);
            m_scene.setException(std::nullopt);
        }
        m_resume = handlerClose + 1;
    }

    // undo off / with redraw off, whose block follows on the next lines.
    void contextBlock(MaxCursor& c) {
        c.expectEnd();
        const auto [first, close] = block(m_line + 1);
        runLines(first, close);
        m_resume = close + 1;
    }

    // if <value> do <statement>, or do and a block on the next lines, which a while (`again`) runs as long
    // as the value is true: a branch not taken is only checked to parse.
    void conditional(MaxCursor& c, bool again) {
        const std::size_t line = m_line;
        Value test = m_scene.value(c);
        c.expect("do");
        const bool taken = As<bool>(test, "true or false");
        const std::string_view rest = c.rest();
        if (again && !rest.empty())
            throw ScriptFault("a while whose body is not a block");
        if (rest.empty()) {
            const auto [first, close] = block(line + 1);
            if (taken)
                runLines(first, close);
            m_resume = taken && again ? line : close + 1;
        } else if (taken) {
            statement(rest);
        } else if (rest.ends_with(" do")) {
            m_resume = block(line + 1).second + 1;
        }
        c.skipRest();
    }

    // for <v> in <collection> [where <v>.name == <string> | where (stricmp <v>.name <string>) == 0 |
    // where not isDeleted <v>] do
    // <statement>, or for <v> = <from> to <to> [by <step>] do <statement>; the statement is a block on
    // the next lines when nothing or only another loop's head follows the do.
    void loop(MaxCursor& c) {
        const std::string name = Lower(c.identifier());
        Value collection;
        long long counted[3] = {0, 0, 1}; // from, to, step
        const bool counting = c.take("=");
        for (int k = 0; counting && k < 3; ++k) {
            if (k == 1)
                c.expect("to");
            if (k == 2 && !c.take("by"))
                break;
            Value bound = m_scene.value(c);
            counted[k] = As<long long>(bound, "a whole number");
        }
        if (!counting) {
            c.expect("in");
            collection = m_scene.value(c);
        }
        std::optional<std::string> whereName;
        bool ignoreCase = false;
        bool living = false; // where not isDeleted <v>
        if (!counting && c.take("where")) {
            living = c.take("not");
            if (living)
                c.expect("isDeleted");
            ignoreCase = !living && c.take("(");
            if (ignoreCase)
                c.expect("stricmp");
            if (Lower(c.identifier()) != name)
                throw ScriptFault("a where clause about another variable");
            if (!living) {
                c.expect(".");
                c.expect("name");
                if (!ignoreCase)
                    c.expect("==");
                Value wanted = m_scene.value(c);
                whereName = As<std::string>(wanted, "a name to compare with");
            }
            if (ignoreCase) {
                c.expect(")");
                c.expect("==");
                c.expect("0");
            }
        }
        c.expect("do");
        const std::string_view body = c.rest();
        const bool blockBody = body.empty() || (body.ends_with(" do") && body.starts_with("for "));
        const std::size_t line = m_line;
        const auto [first, close] = blockBody ? block(line + 1) : std::pair{line + 1, line};
        const auto each = [&](Value element) {
            m_scene.declare(name, std::move(element));
            m_line = line;
            if (living && m_scene.isDeleted(As<NodeRef>(m_scene.variable(name), "a node").index))
                return;
            if (whereName) {
                const std::string& nodeName =
                    m_scene.nodes()[As<NodeRef>(m_scene.variable(name), "a node").index].name;
                if (ignoreCase ? Lower(nodeName) != Lower(*whereName) : nodeName != *whereName)
                    return;
            }
            if (body.empty())
                runLines(first, close);
            else
                statement(body);
        };
        if (counting && counted[2] < 1)
            throw ScriptFault("a step the reader does not know");
        if (counting)
            for (long long k = counted[0]; k <= counted[1]; k += counted[2])
                each(k);
        else if (const Nodes* nodes = std::get_if<Nodes>(&collection))
            for (const std::size_t node : *nodes)
                each(NodeRef{node});
        else if (const Chunks* chunks = std::get_if<Chunks>(&collection))
            for (const Points& points : *chunks)
                each(points);
        else
            for (const DataItem& item : As<Points>(collection, "a collection"))
                each(ItemValue(item));
        m_line = line;
        m_resume = blockBody ? close + 1 : line + 1;
        c.skipRest();
    }

    // append <array> <node>, or append <chunks> #( followed by points and numbers, a comma after each but the
    // last, and a lone ")".
    void append(MaxCursor& c) {
        Value& array = m_scene.variable(Lower(c.identifier()));
        if (!c.take("#(")) {
            Value item = m_scene.value(c);
            const bool number =
                std::holds_alternative<long long>(item) || std::holds_alternative<double>(item);
            // An empty array (#()) takes the kind of its first item.
            if (const Chunks* empty = std::get_if<Chunks>(&array); empty && empty->empty())
                array = number ? Value(Points{}) : Value(Nodes{});
            if (number)
                As<Points>(array, "an array of numbers").push_back(DataItem(Number(item)));
            else
                As<Nodes>(array, "an array of nodes").push_back(As<NodeRef>(item, "a node").index);
            return;
        }
        Chunks& chunks = As<Chunks>(array, "an array of point arrays");
        c.expectEnd();
        Points points;
        bool comma = false;
        for (std::size_t k = m_line + 1;; ++k) {
            if (k == m_lines.size())
                throw ScriptFault("an array is never closed");
            m_line = k;
            MaxCursor item(m_lines[k]);
            if (item.take(")")) {
                item.expectEnd();
                if (comma)
                    throw ScriptFault("a comma before the end of an array");
                m_resume = k + 1;
                break;
            }
            while (!item.atEnd()) {
                if (!points.empty() && !comma)
                    throw ScriptFault("two array items without a comma between them");
                if (item.peek() == '[') {
                    points.push_back(item.point3());
                } else {
                    bool integral = false;
                    const double number = item.number(&integral);
                    points.push_back(integral ? DataItem(static_cast<long long>(number)) : DataItem(number));
                }
                comma = item.take(",");
            }
        }
        chunks.push_back(std::move(points));
    }

    // <variable> = value, <variable> += number, <node>.pos|scale = value, <layer>.addNode <node>,
    // <layer>.nodes &<variable>.
    void assignment(MaxCursor& c) {
        if (c.peek() == '$') {
            const std::size_t node = m_scene.target(c);
            c.expect(".");
            return m_scene.property(node, c);
        }
        const std::string name = Lower(c.identifier());
        if (c.take("+=")) {
            bool integral = false;
            const double step = c.number(&integral);
            if (!integral)
                throw ScriptFault("a count that is not a whole number");
            As<long long>(m_scene.variable(name), "a count") += static_cast<long long>(step);
            return;
        }
        if (c.take("=")) {
            Value v = m_scene.value(c);
            m_scene.variable(name) = std::move(v);
            return;
        }
        c.expect(".");
        if (const NodeRef* node = std::get_if<NodeRef>(&m_scene.variable(name)))
            return m_scene.property(node->index, c);
        const std::string layer = As<Layer>(m_scene.variable(name), "a node or a layer").name;
        if (c.take("nodes")) {
            c.expect("&");
            m_scene.variable(Lower(c.identifier())) = m_scene.layerNodes(layer);
            return;
        }
        c.expect("addNode");
        m_scene.addToLayer(m_scene.target(c), layer);
    }

    std::vector<std::string_view> m_lines;
    std::size_t m_line = 0;   // the line being run
    std::size_t m_resume = 0; // where the run goes on after it
    MaxScene m_scene;
};

} // namespace

void PrintTo(const PlacedNode& node, std::ostream* out) {
    const auto point = [&](const Point3& p) { *out << '[' << p.x << ',' << p.y << ',' << p.z << ']'; };
    constexpr const char* kOrigins[] = {"merged", "copy", "instance"};
    *out << node.name << " at ";
    point(node.position);
    *out << " turned " << node.rotation << " scaled ";
    point(node.scale);
    *out << ' ' << kOrigins[static_cast<int>(node.origin)] << (node.box ? " box" : "");
}

Placement ReadPlacement(std::string_view script, std::string_view objectName, const MaxFiles& files) {
    if (script.starts_with("\xEF\xBB\xBF"))
        script.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!script.empty()) {
        const std::size_t end = script.find('\n');
        std::string_view line = script.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        script.remove_prefix(end == std::string_view::npos ? script.size() : end + 1);
    }
    return Reader(std::move(lines), objectName, files).run();
}

Placement ReadPlacement(const LineList& lines, std::string_view objectName, const MaxFiles& files) {
    std::string script;
    for (std::size_t i = 0; i < lines.size(); ++i)
        script.append(lines[i]).append("\n");
    return ReadPlacement(script, objectName, files);
}

} // namespace tes::test
