#include "support/maxscript_scene.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace tes::test {

namespace {

// formattedPrint of an integer with a format such as "02d".
std::string Formatted(long long n, const std::string& format) {
    const bool valid = format.size() >= 1 && format.size() <= 3 && format.back() == 'd' &&
                       format.find_first_not_of("0123456789", 0) == format.size() - 1;
    if (!valid)
        throw ScriptFault("a format the reader does not know: " + format);
    char text[32];
    const std::string spec = "%" + format.substr(0, format.size() - 1) + "lld";
    std::snprintf(text, sizeof text, spec.c_str(), n);
    return text;
}

// What `f` makes of the items of whichever array `array` holds.
template <typename F> Value OnItems(const Value& array, F f) {
    if (const Chunks* items = std::get_if<Chunks>(&array))
        return f(*items);
    if (const Nodes* items = std::get_if<Nodes>(&array))
        return f(*items);
    if (const Points* items = std::get_if<Points>(&array))
        return f(*items);
    throw ScriptFault("expected an array");
}

Point3 Sum(const Point3& a, const Point3& b, float sign) {
    return {a.x + sign * b.x, a.y + sign * b.y, a.z + sign * b.z};
}

// == of two numbers, or of a value and undefined: the only comparisons the scripts make.
bool Same(const Value& a, const Value& b) {
    const auto number = [](const Value& v) {
        return std::holds_alternative<long long>(v) || std::holds_alternative<double>(v);
    };
    if (number(a) && number(b))
        return Number(a) == Number(b);
    if (!std::holds_alternative<std::monostate>(a) && !std::holds_alternative<std::monostate>(b))
        throw ScriptFault("values the reader does not compare");
    return a.index() == b.index();
}

} // namespace

Value ItemValue(const DataItem& item) {
    return std::visit([](const auto& held) { return Value(held); }, item);
}

double Number(const Value& value) {
    if (const long long* whole = std::get_if<long long>(&value))
        return static_cast<double>(*whole);
    if (const double* number = std::get_if<double>(&value))
        return *number;
    throw ScriptFault("expected a number");
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

void MaxScene::rotate(MaxCursor& c) {
    const std::size_t node = target(c);
    c.expect("(");
    c.expect("angleaxis");
    Value angle = value(c);
    if (!(c.point3() == Point3{0, 0, 1}))
        throw ScriptFault("a rotation about another axis than Z");
    c.expect(")");
    const PlacedNode before = m_nodes[node];
    m_nodes[node].rotation += static_cast<float>(Number(angle));
    follow(node, before);
}

void MaxScene::remove(MaxCursor& c) {
    const std::size_t node = target(c);
    m_deleted.resize(m_nodes.size());
    m_deleted[node] = true;
}

void MaxScene::property(std::size_t node, MaxCursor& c) {
    const std::string name = Lower(c.identifier());
    c.expect("=");
    Value v = value(c);
    if (name == "boxmode" || name == "name") {
        if (name == "name")
            m_nodes[node].name = As<std::string>(v, "a name");
        else
            m_nodes[node].box = As<bool>(v, "true or false");
        return;
    }
    const Point3 point = As<Point3>(v, "a point");
    const PlacedNode before = m_nodes[node];
    if (name == "pos")
        m_nodes[node].position = point;
    else if (name == "scale")
        m_nodes[node].scale = point;
    else
        throw ScriptFault("a property the reader does not know: " + name);
    follow(node, before);
}

Value MaxScene::value(MaxCursor& c) {
    Value v = sum(c);
    for (const char* op : {"==", "!=", "<=", "<", ">"}) {
        if (!c.take(op))
            continue;
        Value w = sum(c);
        const std::string o = op;
        if (o == "==" || o == "!=")
            return Same(v, w) == (o == "==");
        return o == "<=" ? Number(v) <= Number(w) : o == "<" ? Number(v) < Number(w) : Number(v) > Number(w);
    }
    return v;
}

Value MaxScene::sum(MaxCursor& c) {
    Value v = term(c);
    for (bool plus; (plus = c.take("+")) || c.take("-");) {
        Value more = term(c);
        const double sign = plus ? 1 : -1;
        if (long long* sum = std::get_if<long long>(&v); sum && std::holds_alternative<long long>(more))
            *sum += static_cast<long long>(sign) * std::get<long long>(more);
        else if (Point3* p = std::get_if<Point3>(&v))
            *p = Sum(*p, As<Point3>(more, "a point"), static_cast<float>(sign));
        else if (std::holds_alternative<std::string>(v) && plus)
            v = std::get<std::string>(v) + As<std::string>(more, "a string");
        else
            v = Number(v) + sign * Number(more);
    }
    return v;
}

Value MaxScene::term(MaxCursor& c) {
    Value v = primary(c);
    while (c.take("*")) {
        Value factor = primary(c);
        if (!std::holds_alternative<Point3>(v)) {
            v = Number(v) * Number(factor);
            continue;
        }
        const auto f = static_cast<float>(Number(factor));
        Point3& p = std::get<Point3>(v);
        p = {p.x * f, p.y * f, p.z * f};
    }
    return v;
}

Value MaxScene::access(MaxCursor& c, const Value& v) {
    Value out;
    const NodeRef* node = std::get_if<NodeRef>(&v);
    const Point3* point = std::get_if<Point3>(&v);
    if (c.takeAdjacent('[')) {
        Value index = value(c);
        c.expect("]");
        const long long i = As<long long>(index, "a whole-number index"); // counted from 1
        out = OnItems(v, [&](const auto& items) -> Value {
            if (i < 1 || i > static_cast<long long>(items.size()))
                throw ScriptFault("an index beyond the array: " + std::to_string(i));
            using Items = std::decay_t<decltype(items)>;
            if constexpr (std::is_same_v<Items, Nodes>)
                return NodeRef{items[static_cast<std::size_t>(i - 1)]};
            else if constexpr (std::is_same_v<Items, Points>)
                return ItemValue(items[static_cast<std::size_t>(i - 1)]);
            else
                return items[static_cast<std::size_t>(i - 1)];
        });
        return access(c, out);
    } else if (!c.takeAdjacent('.')) {
        return v;
    } else if (const std::string name = Lower(c.identifier()); name == "count") {
        out = OnItems(v, [](const auto& items) -> Value { return static_cast<long long>(items.size()); });
    } else if (point && (name == "x" || name == "y" || name == "z")) {
        out = static_cast<double>(name == "x" ? point->x : name == "y" ? point->y : point->z);
    } else if (node && name == "name") {
        out = m_nodes[node->index].name;
    } else if (node && name == "children") {
        out = children(node->index);
    } else if (node && name == "parent") {
        const long long parent = m_nodes[node->index].parent;
        out = parent < 0 ? Value() : Value(NodeRef{static_cast<std::size_t>(parent)});
    } else if (node && (name == "pos" || name == "scale")) {
        out = name == "pos" ? m_nodes[node->index].position : m_nodes[node->index].scale;
    } else if (node && name == "min") {
        const PlacedNode& n = m_nodes[node->index];
        out = Point3{n.position.x, n.position.y, n.position.z + n.bottom * n.scale.z};
    } else {
        throw ScriptFault("a property the reader does not know: " + name);
    }
    out = access(c, out); // a property of the property
    if (c.take("as") && !c.take("array")) {
        c.expect("integer");
        out = static_cast<long long>(Number(out));
    }
    return out;
}

Value MaxScene::primary(MaxCursor& c) {
    const char next = c.peek();
    if (next == '"')
        return c.string();
    if (next == '[')
        return c.point3();
    if (next == '$')
        return NodeRef{resolve(c.pathname())};
    if (next == '-' || (next >= '0' && next <= '9')) {
        bool integral = false;
        const double number = c.number(&integral);
        return integral ? Value(static_cast<long long>(number)) : Value(number);
    }
    if (c.take("(")) {
        Value v = value(c);
        c.expect(")");
        return v;
    }
    if (c.take("#(")) {
        if (c.take(")"))
            return Chunks{};
        Value item = value(c); // an array of one node
        c.expect(")");
        return Nodes{As<NodeRef>(item, "a node").index};
    }
    if (c.take("not")) {
        Value v = primary(c);
        return !As<bool>(v, "true or false");
    }
    if (c.take("findItem")) {
        const Nodes items = NodesOf(primary(c));
        const Value item = primary(c);
        const NodeRef* node = std::get_if<NodeRef>(&item);
        const auto at = node ? std::find(items.begin(), items.end(), node->index) : items.end();
        return at == items.end() ? 0LL : static_cast<long long>(at - items.begin()) + 1;
    }
    if (c.take("undefined"))
        return std::monostate{};
    if (c.take("mergeMAXFile"))
        return merge(c);
    if (c.take("getCurrentException")) {
        c.expect("(");
        c.expect(")");
        if (!m_exception)
            throw ScriptFault("getCurrentException outside a catch");
        return *m_exception;
    }
    if (c.take("on") || c.take("true"))
        return true;
    if (c.take("off") || c.take("false"))
        return false;
    if (c.take("selection")) {
        c.expect("as");
        c.expect("array");
        return m_selection;
    }
    if (c.take("copy"))
        return NodeRef{clone(c, NodeOrigin::Copy)};
    if (c.take("instance"))
        return NodeRef{clone(c, NodeOrigin::Instance)};
    if (c.take("formattedPrint")) {
        Value number = primary(c);
        c.expect("format");
        c.expect(":");
        Value format = primary(c);
        return Formatted(As<long long>(number, "a whole number"), As<std::string>(format, "a format"));
    }
    if (c.take("abs")) {
        Value number = primary(c);
        return std::abs(As<long long>(number, "a whole number"));
    }
    if (c.take("LayerManager"))
        return layer(c);
    return access(c, variable(Lower(c.identifier())));
}

Value MaxScene::layer(MaxCursor& c) {
    c.expect(".");
    const bool make = !c.take("getLayerFromName");
    if (make)
        c.expect("newLayerFromName");
    const std::string name = c.string();
    const bool known = std::find(m_layers.begin(), m_layers.end(), name) != m_layers.end();
    if (make && known)
        throw ScriptFault("a second layer named " + name);
    if (make)
        m_layers.push_back(name);
    return make || known ? Value(Layer{name}) : Value(std::monostate{});
}

// A clone keeps the source's transform.
std::size_t MaxScene::clone(MaxCursor& c, NodeOrigin origin) {
    PlacedNode node = m_nodes[target(c)];
    node.origin = origin;
    std::optional<std::string> name;
    bool selected = false;
    while (!c.atEnd() && c.peek() != ')') {
        const std::string key = Lower(c.identifier());
        c.expect(":");
        Value v = primary(c);
        if (key == "name")
            name = As<std::string>(v, "a name");
        else if (key == "isselected")
            selected = As<bool>(v, "on or off");
        else
            throw ScriptFault("a clone keyword the reader does not know: " + key);
    }
    if (!name)
        throw ScriptFault("a clone without a name");
    node.name = *name;
    m_nodes.push_back(std::move(node));
    if (selected)
        m_selection.push_back(m_nodes.size() - 1);
    return m_nodes.size() - 1;
}

std::size_t MaxScene::target(MaxCursor& c) {
    if (c.peek() == '$')
        return resolve(c.pathname());
    const std::size_t node = As<NodeRef>(variable(Lower(c.identifier())), "a node").index;
    if (isDeleted(node))
        throw ScriptFault("a node that was deleted: " + m_nodes[node].name);
    return node;
}

std::size_t MaxScene::resolve(const NamePattern& pattern) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < m_nodes.size(); ++i)
        if (!isDeleted(i) && pattern.matches(m_nodes[i].name))
            found.push_back(i);
    if (found.empty())
        throw ScriptFault("no node matches " + pattern.written);
    if (found.size() > 1)
        throw ScriptFault(pattern.written + " matches " + std::to_string(found.size()) + " nodes");
    return found.front();
}

Value& MaxScene::variable(const std::string& name) {
    const auto it = m_vars.find(name);
    if (it == m_vars.end())
        throw ScriptFault("a variable that was never declared: " + name);
    return it->second;
}

} // namespace tes::test
