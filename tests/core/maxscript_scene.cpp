#include "support/maxscript_scene.h"

#include <algorithm>
#include <cstdio>
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

} // namespace

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

void MaxScene::merge(MaxCursor& c) {
    m_mergedFile = c.string();
    bool select = false;
    while (!c.atEnd()) {
        c.expect("#");
        const std::string flag = Lower(c.identifier());
        if (flag == "select")
            select = true;
        else if (flag != "mergedups" && flag != "noredraw")
            throw ScriptFault("a merge flag the reader does not know: #" + flag);
    }
    m_nodes.push_back(PlacedNode{m_objectName, {}, 0, {1, 1, 1}, NodeOrigin::Merged});
    // The merged object becomes the selection.
    if (select)
        m_selection = {m_nodes.size() - 1};
}

void MaxScene::rotate(MaxCursor& c) {
    const std::size_t node = target(c);
    c.expect("(");
    c.expect("angleaxis");
    const double angle = c.number();
    if (!(c.point3() == Point3{0, 0, 1}))
        throw ScriptFault("a rotation about another axis than Z");
    c.expect(")");
    m_nodes[node].rotation += static_cast<float>(angle);
}

void MaxScene::property(std::size_t node, MaxCursor& c) {
    const std::string name = Lower(c.identifier());
    c.expect("=");
    Value v = value(c);
    const Point3 point = As<Point3>(v, "a point");
    if (name == "pos")
        m_nodes[node].position = point;
    else if (name == "scale")
        m_nodes[node].scale = point;
    else
        throw ScriptFault("a property the reader does not know: " + name);
}

Value MaxScene::value(MaxCursor& c) {
    Value v = primary(c);
    while (c.take("+")) {
        Value more = primary(c);
        v = As<std::string>(v, "a string") + As<std::string>(more, "a string");
    }
    return v;
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
        c.expect(")");
        return Chunks{};
    }
    if (c.take("undefined"))
        return std::monostate{};
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
    if (c.take("LayerManager"))
        return layer(c);
    return variable(Lower(c.identifier()));
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
    return As<NodeRef>(variable(Lower(c.identifier())), "a node").index;
}

std::size_t MaxScene::resolve(const NamePattern& pattern) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < m_nodes.size(); ++i)
        if (pattern.matches(m_nodes[i].name))
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
