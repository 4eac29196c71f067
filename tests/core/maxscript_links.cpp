// The reader's scene: nodes linked to others (a group's members to its head), what follows from it, and
// the node statements that concern the whole of a model.
#include "support/maxscript_scene.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

namespace tes::test {

namespace {

// (x, y) turned by `degrees` about Z.
Point3 Turned(double x, double y, double z, double degrees) {
    const double r = degrees * 3.14159265358979323846 / 180;
    return {static_cast<float>(x * std::cos(r) - y * std::sin(r)),
            static_cast<float>(x * std::sin(r) + y * std::cos(r)), static_cast<float>(z)};
}

} // namespace

Nodes NodesOf(const Value& value) {
    if (const NodeRef* node = std::get_if<NodeRef>(&value))
        return {node->index};
    if (const Nodes* nodes = std::get_if<Nodes>(&value))
        return *nodes;
    if (const Chunks* empty = std::get_if<Chunks>(&value); empty && empty->empty())
        return {};
    throw ScriptFault("expected nodes");
}

Nodes MaxScene::children(std::size_t node) const {
    Nodes out;
    for (std::size_t j = 0; j < m_nodes.size() && m_linked; ++j)
        if (m_nodes[j].parent == static_cast<long long>(node) && !isDeleted(j))
            out.push_back(j);
    return out;
}

// Each child keeps its place and turn in its parent's axes and size.
void MaxScene::follow(std::size_t node, const PlacedNode& before) {
    const PlacedNode& now = m_nodes[node];
    for (const std::size_t child : children(node)) {
        PlacedNode& d = m_nodes[child];
        const PlacedNode was = d;
        const Point3 local = Turned(d.position.x - before.position.x, d.position.y - before.position.y,
                                    d.position.z - before.position.z, -before.rotation);
        const Point3 at = Turned(double(local.x) / before.scale.x * now.scale.x,
                                 double(local.y) / before.scale.y * now.scale.y,
                                 double(local.z) / before.scale.z * now.scale.z, now.rotation);
        d.position = {now.position.x + at.x, now.position.y + at.y, now.position.z + at.z};
        d.rotation += now.rotation - before.rotation;
        d.scale = {d.scale.x / before.scale.x * now.scale.x, d.scale.y / before.scale.y * now.scale.y,
                   d.scale.z / before.scale.z * now.scale.z};
        follow(child, was);
    }
}

// A node left unlinked when its parent is deleted, as 3ds Max leaves it.
void MaxScene::remaining(Placement& placement) const {
    std::vector<long long> place(m_nodes.size(), -1); // each node's among those left
    for (std::size_t i = 0, left = 0; i < m_nodes.size(); ++i)
        place[i] = isDeleted(i) ? -1 : static_cast<long long>(left++);
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        if (isDeleted(i))
            continue;
        placement.nodes.push_back(m_nodes[i]);
        PlacedNode& node = placement.nodes.back();
        node.parent = node.parent < 0 ? -1 : place[static_cast<std::size_t>(node.parent)];
        placement.layers.push_back(i < m_layerOf.size() ? m_layerOf[i] : "");
    }
}

void MaxScene::addToLayer(std::size_t node, const std::string& layer) {
    m_layerOf.resize(std::max(m_layerOf.size(), node + 1));
    m_layerOf[node] = layer;
}

Nodes MaxScene::layerNodes(const std::string& layer) const {
    Nodes on;
    for (std::size_t i = 0; i < m_layerOf.size(); ++i)
        if (m_layerOf[i] == layer && !isDeleted(i))
            on.push_back(i);
    return on;
}

void MaxScene::release(MaxCursor& c, bool hidden) {
    for (const std::size_t node : NodesOf(value(c)))
        (hidden ? m_nodes[node].hidden : m_nodes[node].frozen) = false;
}

// The node with every node below it; a clone is linked below the clone of its source's parent, and the
// clone of the node where the node is.
void MaxScene::cloneNodes(MaxCursor& c) {
    Nodes sources{target(c)};
    for (const char* word : {"expandHierarchy", ":", "true", "cloneType", ":", "#"})
        c.expect(word);
    const std::string type = Lower(c.identifier());
    if (type != "copy" && type != "instance")
        throw ScriptFault("a clone type the reader does not know: " + type);
    for (const char* word : {"newNodes", ":", "&"})
        c.expect(word);
    Value& made = variable(Lower(c.identifier()));
    for (std::size_t k = 0; k < sources.size(); ++k)
        for (const std::size_t child : children(sources[k]))
            sources.push_back(child);
    Nodes clones;
    for (const std::size_t source : sources) {
        clones.push_back(m_nodes.size());
        m_nodes.push_back(m_nodes[source]);
        m_nodes.back().origin = type == "copy" ? NodeOrigin::Copy : NodeOrigin::Instance;
    }
    for (std::size_t k = 1; k < clones.size(); ++k) {
        const auto parent = static_cast<std::size_t>(m_nodes[clones[k]].parent);
        m_nodes[clones[k]].parent = static_cast<long long>(clones[static_cast<std::size_t>(
            std::find(sources.begin(), sources.end(), parent) - sources.begin())]);
    }
    made = clones;
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
    for (const std::size_t node : NodesOf(value(c))) {
        if (isDeleted(node))
            throw ScriptFault("a node that was deleted: " + m_nodes[node].name);
        m_deleted.resize(m_nodes.size());
        m_deleted[node] = true;
    }
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

void PrintTo(const PlacedNode& node, std::ostream* out) {
    const auto point = [&](const Point3& p) { *out << '[' << p.x << ',' << p.y << ',' << p.z << ']'; };
    constexpr const char* kOrigins[] = {"merged", "copy", "instance"};
    *out << node.name << " at ";
    point(node.position);
    *out << " turned " << node.rotation << " scaled ";
    point(node.scale);
    *out << ' ' << kOrigins[static_cast<int>(node.origin)] << (node.box ? " box" : "");
}

} // namespace tes::test
