#include "core/script/copy_lines.h"

#include "core/script/maxscript_literals.h"

namespace tes {

ObjectNames MakeObjectNames(const std::string& name, bool instances) {
    ObjectNames n;
    n.path = MaxPathName(name);
    n.copyHead =
        (instances ? "instance " : "copy ") + n.path + " isSelected:on name:\"" + MaxStringBody(name);
    if (IsPlainMaxName(name)) {
        n.copyPathHead = n.path;
        n.copyPathTail = ".pos = [";
    } else {
        // The copy's name is the name plus digits, so its quoted form is the same with the digits inside.
        n.copyPathHead = n.path.substr(0, n.path.size() - 1);
        n.copyPathTail = "'.pos = [";
    }
    return n;
}

void AppendCopyLines(LineList& lines, const ObjectNames& names, std::string_view copyNumber,
                     std::string_view position) {
    lines.appendText({names.copyHead, copyNumber, "\""});
    lines.endLine();
    lines.appendText({names.copyPathHead, copyNumber, names.copyPathTail, position});
    lines.endLine();
    lines.endLine();
}

} // namespace tes
