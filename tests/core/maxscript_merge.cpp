// The reader's scene: what a merge brings, and what the script prints in the Listener.
#include "support/maxscript_scene.h"

#include <algorithm>
#include <set>

namespace tes::test {

namespace {

// The flags that say what a merge does with a node or material whose name the scene holds already,
// with links to nodes it does not merge: without one, 3ds Max may ask in a dialog.
const std::set<std::string> kNodeActions{"mergedups", "skipdups", "deleteolddups", "autorenamedups"};
const std::set<std::string> kMaterialActions{"renamemtldups", "usescenemtldups", "usemergedmtldups"};
const std::set<std::string> kReparentActions{"alwaysreparent", "neverreparent"};

// The text format prints for a value.
std::string Printed(const Value& v) {
    if (const std::string* text = std::get_if<std::string>(&v))
        return *text;
    if (const long long* whole = std::get_if<long long>(&v))
        return std::to_string(*whole);
    throw ScriptFault("a value the reader does not print");
}

} // namespace

bool MaxScene::merge(MaxCursor& c) {
    m_mergedFile = c.string();
    bool select = false;
    bool quiet = false;
    Value* mergedNodes = nullptr;
    std::set<std::string> flags;
    while (!c.atEnd() && c.peek() != ')') {
        if (c.take("#")) {
            const std::string flag = Lower(c.identifier());
            const bool known = flag == "select" || flag == "noredraw" || kNodeActions.count(flag) ||
                               kMaterialActions.count(flag) || kReparentActions.count(flag);
            if (!known)
                throw ScriptFault("a merge flag the reader does not know: #" + flag);
            if (!flags.insert(flag).second)
                throw ScriptFault("a merge flag given twice: #" + flag);
            select = select || flag == "select";
            continue;
        }
        const std::string key = Lower(c.identifier());
        c.expect(":");
        if (key == "quiet") {
            Value v = primary(c);
            quiet = As<bool>(v, "true or false");
        } else if (key == "mergednodes") {
            c.expect("&");
            mergedNodes = &variable(Lower(c.identifier()));
        } else {
            throw ScriptFault("a merge keyword the reader does not know: " + key);
        }
    }
    const auto any = [&](const std::set<std::string>& of) {
        return std::count_if(flags.begin(), flags.end(), [&](const std::string& f) { return of.count(f); });
    };
    if (any(kNodeActions) > 1 || any(kMaterialActions) > 1 || any(kReparentActions) > 1)
        throw ScriptFault("a merge given two actions for one kind of name");
    const bool asksNothing =
        any(kNodeActions) == 1 && any(kMaterialActions) == 1 && any(kReparentActions) == 1 && quiet;
    if (!m_classic && !asksNothing)
        throw ScriptFault("a merge that may ask in a dialog: it names no action for names, materials and "
                          "links the scene holds already, or is not quiet");
    std::vector<MaxObject> objects{MaxObject(m_objectName.c_str())};
    if (!m_files.empty()) {
        const auto file = m_files.find(m_mergedFile);
        if (file == m_files.end())
            throw ScriptFault("a Max file the test does not know: " + m_mergedFile);
        objects = file->second;
    }
    // The merged objects become the selection, but for hidden ones: nobody can select those.
    if (select)
        m_selection.clear();
    const std::size_t first = m_nodes.size();
    Nodes merged;
    for (const MaxObject& o : objects) {
        PlacedNode node{o.name,       o.at,  0,        {1, 1, 1}, NodeOrigin::Merged,
                        m_mergedFile, false, o.hidden, o.frozen};
        node.bottom = o.bottom;
        m_nodes.push_back(std::move(node));
        merged.push_back(m_nodes.size() - 1);
        if (select && !o.hidden)
            m_selection.push_back(m_nodes.size() - 1);
    }
    if (mergedNodes)
        *mergedNodes = merged;
    // Each linked to the object of its file that bears its parent's name.
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const auto parent = std::find_if(objects.begin(), objects.end(),
                                         [&](const MaxObject& o) { return o.name == objects[i].parent; });
        if (parent == objects.end())
            continue;
        m_nodes[first + i].parent = static_cast<long long>(first) + (parent - objects.begin());
        m_linked = true;
    }
    return true;
}

void MaxScene::format(MaxCursor& c) {
    const std::string pattern = c.string();
    std::string line;
    for (const char ch : pattern) {
        if (ch != '%') {
            line += ch;
            continue;
        }
        Value v = primary(c);
        line += Printed(v);
    }
    if (!line.ends_with('\n'))
        throw ScriptFault("a Listener line that does not end");
    line.pop_back();
    if (line.find('\n') != std::string::npos)
        throw ScriptFault("a Listener text of several lines");
    m_listener.push_back(std::move(line));
}

} // namespace tes::test
