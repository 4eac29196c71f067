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

// == of two values: numbers by their value, anything else by kind and content.
bool Same(const Value& a, const Value& b) {
    const auto number = [](const Value& v) {
        return std::holds_alternative<long long>(v) || std::holds_alternative<double>(v);
    };
    return number(a) && number(b) ? Number(a) == Number(b) : a == b;
}

} // namespace

Value ItemValue(const DataItem& item) {
    return std::visit([](const auto& held) { return Value(held); }, item);
}

DataItem ItemOf(const Value& value) {
    if (const Point3* point = std::get_if<Point3>(&value))
        return *point;
    if (const std::string* text = std::get_if<std::string>(&value))
        return *text;
    return Number(value);
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

// A link keeps the node where it is; a pivot moves, the object's geometry does not.
void MaxScene::property(std::size_t node, MaxCursor& c) {
    const std::string name = Lower(c.identifier());
    c.expect("=");
    Value v = value(c);
    PlacedNode& n = m_nodes[node];
    const PlacedNode before = n;
    if (name == "name") {
        n.name = As<std::string>(v, "a name");
    } else if (name == "boxmode") {
        n.box = As<bool>(v, "true or false");
    } else if (name == "material") {
        n.material = static_cast<long long>(As<MaterialRef>(v, "a material").index);
    } else if (name == "parent") {
        n.parent = static_cast<long long>(As<NodeRef>(v, "a node").index);
        m_linked = true;
    } else if (name == "pivot") {
        n.position = As<Point3>(v, "a point");
        n.bottom += (before.position.z - n.position.z) / n.scale.z;
    } else if (name == "pos" || name == "scale") {
        (name == "pos" ? n.position : n.scale) = As<Point3>(v, "a point");
        follow(node, before);
    } else {
        throw ScriptFault("a property the reader does not know: " + name);
    }
}

// `and` and `or` read their right side only when the left does not decide, as MAXScript does.
Value MaxScene::value(MaxCursor& c) {
    Value v = comparison(c);
    for (bool both; (both = c.take("and")) || c.take("or");) {
        if (As<bool>(v, "true or false") != both) {
            c.skipTo({"and", "or", "do", "then", "else"});
            continue;
        }
        Value w = comparison(c);
        v = As<bool>(w, "true or false");
    }
    return v;
}

Value MaxScene::comparison(MaxCursor& c) {
    Value v = sum(c);
    for (const char* op : {"==", "!=", "<=", ">=", "<", ">"}) {
        if (!c.take(op))
            continue;
        Value w = sum(c);
        const std::string o = op;
        if (o == "==" || o == "!=")
            return Same(v, w) == (o == "==");
        const double x = Number(v), y = Number(w);
        return o == "<=" ? x <= y : o == ">=" ? x >= y : o == "<" ? x < y : x > y;
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

// A primary with "as integer", "as string" or "as array" after it, times more of them.
Value MaxScene::term(MaxCursor& c) {
    const auto operand = [&] {
        Value v = primary(c);
        if (!c.take("as"))
            return v;
        if (c.take("string"))
            return Value(Printed(v));
        if (c.take("array"))
            return Value(NodesOf(v));
        c.expect("integer");
        return Value(static_cast<long long>(Number(v)));
    };
    Value v = operand();
    while (c.take("*")) {
        Value factor = operand();
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
    const Color* color = std::get_if<Color>(&v);
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
    }
    if (!c.takeAdjacent('.'))
        return v;
    const std::string name = Lower(c.identifier());
    if (node && isDeleted(node->index))
        throw ScriptFault("a property of a deleted node: " + name);
    const PlacedNode* n = node ? &m_nodes[node->index] : nullptr;
    if (name == "count")
        out = OnItems(v, [](const auto& items) -> Value { return static_cast<long long>(items.size()); });
    else if (point && (name == "x" || name == "y" || name == "z"))
        out = static_cast<double>(name == "x" ? point->x : name == "y" ? point->y : point->z);
    else if (color && (name == "r" || name == "g" || name == "b"))
        out = static_cast<double>(name == "r" ? color->r : name == "g" ? color->g : color->b);
    else if (n && name == "name")
        out = n->name;
    else if (n && name == "children")
        out = children(node->index);
    else if (n && name == "parent")
        out = n->parent < 0 ? Value() : Value(NodeRef{static_cast<std::size_t>(n->parent)});
    else if (n && (name == "pos" || name == "scale"))
        out = name == "pos" ? n->position : n->scale;
    else if (n && name == "min")
        out = Point3{n->position.x, n->position.y, n->position.z + n->bottom * n->scale.z};
    else if (n && name == "ishidden")
        out = n->hidden;
    else if (n && name == "layer")
        out = Layer{node->index < m_layerOf.size() && !m_layerOf[node->index].empty() ? m_layerOf[node->index]
                                                                                      : "0"};
    else if (n && name == "material")
        out = n->material < 0 ? Value() : Value(MaterialRef{static_cast<std::size_t>(n->material)});
    else if (const Layer* layer = std::get_if<Layer>(&v); layer && name == "name")
        out = layer->name;
    else if (const MaterialRef* m = std::get_if<MaterialRef>(&v); m && name == "diffuse")
        out = m_materials[m->index].diffuse;
    else
        throw ScriptFault("a property the reader does not know: " + name);
    return access(c, out); // a property of the property
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
        return access(c, v);
    }
    if (c.take("#(")) { // an array of nodes, or of other values
        if (c.take(")"))
            return Chunks{};
        std::vector<Value> items;
        do
            items.push_back(value(c));
        while (c.take(","));
        c.expect(")");
        Nodes nodes;
        Points others;
        for (const Value& item : items)
            if (const NodeRef* node = std::get_if<NodeRef>(&item))
                nodes.push_back(node->index);
            else
                others.push_back(ItemOf(item));
        if (!nodes.empty() && !others.empty())
            throw ScriptFault("an array of nodes and other values");
        return nodes.empty() ? Value(others) : Value(nodes);
    }
    if (c.take("not")) {
        Value v = primary(c);
        return !As<bool>(v, "true or false");
    }
    if (c.take("findItem")) {
        const Value items = primary(c);
        const Value item = primary(c);
        return OnItems(items, [&](const auto& all) -> Value {
            for (std::size_t i = 0; i < all.size(); ++i)
                if (Same(ItemValue(all[i]), item))
                    return static_cast<long long>(i + 1);
            return 0LL;
        });
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
        if (const long long* whole = std::get_if<long long>(&number))
            return std::abs(*whole);
        return std::abs(Number(number));
    }
    if (c.take("LayerManager"))
        return layer(c);
    const std::string name = Lower(c.identifier());
    if (std::optional<Value> result = function(name, c))
        return access(c, *result);
    return access(c, variable(name));
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
