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
    Reader(std::vector<std::string_view> lines, std::string_view objectName)
        : m_lines(std::move(lines)), m_scene(objectName) {}

    Placement run() {
        Placement placement;
        try {
            runLines(0, m_lines.size());
        } catch (const ScriptFault& fault) {
            placement.fault = "line " + std::to_string(m_line + 1) + ": " + fault.what();
        }
        placement.nodes = m_scene.nodes();
        placement.mergedFile = m_scene.mergedFile();
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
        } else if (c.take("if")) {
            conditional(c);
        } else if (c.take("for")) {
            loop(c);
        } else if (c.take("append")) {
            appendPoints(c);
        } else if (c.take("rotate")) {
            m_scene.rotate(c);
        } else if (c.take("throw")) {
            Value message = m_scene.value(c);
            throw ScriptFault("the script throws \"" + As<std::string>(message, "a message") + "\"");
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

    // undo off / with redraw off, whose block follows on the next lines.
    void contextBlock(MaxCursor& c) {
        c.expectEnd();
        const auto [first, close] = block(m_line + 1);
        runLines(first, close);
        m_resume = close + 1;
    }

    // if <variable> ==|!= undefined do <statement>: a branch not taken is only checked to parse.
    void conditional(MaxCursor& c) {
        const bool undefinedNow =
            std::holds_alternative<std::monostate>(m_scene.variable(Lower(c.identifier())));
        const bool wantUndefined = c.take("==");
        if (!wantUndefined)
            c.expect("!=");
        c.expect("undefined");
        c.expect("do");
        if (undefinedNow == wantUndefined)
            statement(c.rest());
        c.skipRest();
    }

    // for <v> in <collection> [where <v>.name == <string> | where (stricmp <v>.name <string>) == 0] do
    // <statement>, or a block on the next lines
    // when nothing or only another loop's head follows the do.
    void loop(MaxCursor& c) {
        const std::string name = Lower(c.identifier());
        c.expect("in");
        Value collection = m_scene.value(c);
        std::optional<std::string> whereName;
        bool ignoreCase = false;
        if (c.take("where")) {
            ignoreCase = c.take("(");
            if (ignoreCase)
                c.expect("stricmp");
            if (Lower(c.identifier()) != name)
                throw ScriptFault("a where clause about another variable");
            c.expect(".");
            c.expect("name");
            if (!ignoreCase)
                c.expect("==");
            Value wanted = m_scene.value(c);
            whereName = As<std::string>(wanted, "a name to compare with");
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
        if (const Nodes* nodes = std::get_if<Nodes>(&collection))
            for (const std::size_t node : *nodes)
                each(NodeRef{node});
        else if (const Chunks* chunks = std::get_if<Chunks>(&collection))
            for (const Points& points : *chunks)
                each(points);
        else
            for (const Point3& point : As<Points>(collection, "a collection"))
                each(point);
        m_line = line;
        m_resume = blockBody ? close + 1 : line + 1;
        c.skipRest();
    }

    // append <chunks> #( followed by one point a line, a comma after each but the last, and a lone ")".
    void appendPoints(MaxCursor& c) {
        Chunks& chunks = As<Chunks>(m_scene.variable(Lower(c.identifier())), "an array of point arrays");
        c.expect("#(");
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
            if (!points.empty() && !comma)
                throw ScriptFault("two array items without a comma between them");
            points.push_back(item.point3());
            comma = item.take(",");
            item.expectEnd();
        }
        chunks.push_back(std::move(points));
    }

    // <variable> = value, <variable> += number, <node>.pos|scale = value, <layer>.addNode <node>.
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
        As<Layer>(m_scene.variable(name), "a node or a layer");
        c.expect("addNode");
        m_scene.target(c);
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
    *out << ' ' << kOrigins[static_cast<int>(node.origin)];
}

Placement ReadPlacement(std::string_view script, std::string_view objectName) {
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
    return Reader(std::move(lines), objectName).run();
}

Placement ReadPlacement(const LineList& lines, std::string_view objectName) {
    std::string script;
    for (std::size_t i = 0; i < lines.size(); ++i)
        script.append(lines[i]).append("\n");
    return ReadPlacement(script, objectName);
}

} // namespace tes::test
