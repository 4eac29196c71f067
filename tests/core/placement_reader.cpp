#include "support/placement_reader.h"

#include "lib/fields.h"
#include "support/maxscript_scene.h"
#include "support/temp_dir.h"

#include <optional>

namespace tes::test {

namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    return begin == text.npos ? std::string_view()
                              : text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// The lines of a script, a byte-order mark at its start and CR before LF aside.
std::vector<std::string_view> Lines(std::string_view script) {
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
    return lines;
}

class Reader {
public:
    Reader(std::string_view script, MaxScene& scene) : m_lines(Lines(script)), m_scene(scene) {}

    // The whole script; a fault says on which line.
    void run() {
        try {
            runLines(0, m_lines.size());
        } catch (const MaxError&) {
            throw;
        } catch (const ScriptFault& fault) {
            const std::string at = GetFileNameFromPath(m_scene.scriptFile());
            throw ScriptFault((at.empty() ? "" : at + " ") + "line " + std::to_string(m_line + 1) + ": " +
                              fault.what());
        }
    }

    static Placement Run(std::string_view script, MaxScene& scene) {
        Placement placement;
        Reader reader(script, scene);
        try {
            reader.run();
        } catch (const MaxError& error) {
            placement.fault =
                "line " + std::to_string(reader.m_line + 1) + ": the script throws \"" + error.what() + "\"";
        } catch (const ScriptFault& fault) {
            placement.fault = fault.what();
        }
        scene.remaining(placement);
        placement.mergedFile = scene.mergedFile();
        placement.listener = scene.listener();
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
        if (c.take("try")) {
            attempt(c);
        } else if (c.take("catch")) {
            throw ScriptFault("a catch without its try");
        } else if (c.take("undo")) {
            c.expect("off");
            contextBlock(c, m_line + 1);
        } else if (c.take("with")) {
            c.expect("redraw");
            c.expect("off");
            contextBlock(c, m_line + 1);
        } else if (c.take("local")) {
            const std::string name = Lower(c.identifier());
            c.expect("=");
            m_scene.declare(name, m_scene.value(c));
        } else if (const bool again = c.take("while"); again || c.take("if")) {
            conditional(c, again);
        } else if (c.take("for")) {
            loop(c);
        } else if (c.take("append")) {
            append(c);
        } else if (c.take("fileIn")) {
            fileIn(c);
        } else if (text == "(") { // a block of its own
            c.expect("(");
            contextBlock(c, m_line);
        } else if (c.peek() == '(' || c.peek() == ')') {
            throw ScriptFault("a parenthesis where a statement should start");
        } else if (MaxCursor word = c; c.peek() == '$' || !m_scene.command(Lower(word.identifier()), word)) {
            assignment(c);
        } else {
            c = word;
        }
        c.expectEnd();
    }

    // fileIn <file>: the script of the file runs on the scene, with variables of its own; an error it
    // raises goes on to the caller.
    void fileIn(MaxCursor& c) {
        const std::string path = c.string();
        const std::string script = ReadBytes(path);
        if (script.empty())
            throw ScriptFault("a script file the reader cannot read: " + path);
        std::map<std::string, Value> vars;
        std::string caller = path;
        m_scene.swapVariables(vars);
        m_scene.scriptFile().swap(caller);
        const auto back = [&] {
            m_scene.swapVariables(vars);
            m_scene.scriptFile().swap(caller);
        };
        try {
            Reader(script, m_scene).run();
        } catch (...) {
            back();
            throw;
        }
        back();
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

    // undo off / with redraw off, whose block follows on the next lines, or a block alone.
    void contextBlock(MaxCursor& c, std::size_t open) {
        c.expectEnd();
        const auto [first, close] = block(open);
        runLines(first, close);
        m_resume = close + 1;
    }

    // if <value> do <statement>, or do and a block on the next lines, which a while (`again`) runs as long
    // as the value is true; if <value> then <statement> else <statement>. A branch not taken is only
    // checked to parse.
    void conditional(MaxCursor& c, bool again) {
        const std::size_t line = m_line;
        Value test = m_scene.value(c);
        const bool taken = As<bool>(test, "true or false");
        if (!again && c.take("then")) {
            const std::string_view then = c.skipTo({"else"});
            c.expect("else");
            const std::string_view otherwise = c.rest();
            statement(taken ? then : otherwise);
            MaxCursor(taken ? otherwise : then).skipRest();
            return c.skipRest();
        }
        c.expect("do");
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

    // for <v> in <collection> [where <value>] do <statement>, or for <v> = <from> to <to> [by <step>] do
    // <statement>; the statement is a block on the next lines when nothing or only another loop's head
    // follows the do.
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
        std::optional<MaxCursor> where; // read again for each element
        if (!counting && c.take("where")) {
            where = c;
            c.skipTo({"do"});
        }
        c.expect("do");
        const std::string_view body = c.rest();
        const bool blockBody = body.empty() || (body.ends_with(" do") && body.starts_with("for "));
        const std::size_t line = m_line;
        const auto [first, close] = blockBody ? block(line + 1) : std::pair{line + 1, line};
        const auto each = [&](Value element) {
            m_scene.declare(name, std::move(element));
            m_line = line;
            if (where) {
                MaxCursor w = *where;
                Value keep = m_scene.value(w);
                w.expect("do");
                if (!As<bool>(keep, "true or false"))
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
            const Value item = m_scene.value(c);
            const NodeRef* node = std::get_if<NodeRef>(&item);
            // An empty array (#()) takes the kind of its first item.
            if (const Chunks* empty = std::get_if<Chunks>(&array); empty && empty->empty())
                array = node ? Value(Nodes{}) : Value(Points{});
            if (node)
                As<Nodes>(array, "an array of nodes").push_back(node->index);
            else
                As<Points>(array, "an array of values").push_back(ItemOf(item));
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
                    if (integral)
                        points.emplace_back(static_cast<long long>(number));
                    else
                        points.emplace_back(number);
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
    MaxScene& m_scene;
};

} // namespace

Placement ReadPlacement(std::string_view script, std::string_view objectName, const MaxFiles& files) {
    MaxScene scene(objectName, files);
    return Reader::Run(script, scene);
}

Placement RunScriptFile(const std::string& path) {
    MaxScene scene("", {});
    scene.scriptFile() = path;
    return Reader::Run(ReadBytes(path), scene);
}

Placement ReadPlacement(const LineList& lines, std::string_view objectName, const MaxFiles& files) {
    std::string script;
    for (std::size_t i = 0; i < lines.size(); ++i)
        script.append(lines[i]).append("\n");
    return ReadPlacement(script, objectName, files);
}

} // namespace tes::test
