#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/text_codec.h"
#include "project/kinds_table.h"
#include "project/kinds_table_edits.h"

namespace tes {

using namespace kinds_lines;

void KindsTable::write(const std::string& path) {
    const TableFile file = ReadTableFile(path);
    // What another program left there since the table was read, a folder or a file that is no
    // kinds table, stays as it is.
    if (file.exists && !file.readable)
        throw failures::pathFileAccessError();
    const std::vector<SectionEdit> edits = TableEdits(m_base, m_now);
    std::vector<std::string> replaced;
    std::string out = ApplyTableEdits(file.text, m_text, edits, replaced);
    if (out != file.text || (!file.exists && !edits.empty())) {
        const bool utf8 = file.utf8 || !FitsWindows1252(out);
        std::string bytes = utf8 ? std::string(kUtf8Bom) : std::string();
        ForEachIniLine(out, [&](std::string_view line) {
            bytes += utf8 ? std::string(line) : Utf8ToCp1252(line);
            bytes += "\r\n";
            return true;
        });
        AtomicTextWriter writer(path);
        writer.writeEncoded(bytes);
        writer.commit();
    }
    // The table now says what the file says: the keys others wrote there included.
    m_fileName = GetFileNameFromPath(path);
    Messages reported; // at the load, or when the window followed the file
    take(std::move(out), reported);
    m_replaced = std::move(replaced);
}

bool KindsTable::follow(const std::string& path, Messages& messages) {
    const TableFile file = ReadTableFile(path);
    if (!file.readable) {
        if (m_damaged)
            return false;
        messages.push_back(damagedNotice(file.why));
        m_damaged = true;
        m_text.clear();
        m_base = m_now = Contents();
        sortViews();
        return true;
    }
    if (!m_damaged && file.text == m_text)
        return false;
    // The changes this table has not saved stay on top of what the file now says.
    const std::vector<SectionEdit> edits = m_damaged ? std::vector<SectionEdit>() : TableEdits(m_base, m_now);
    std::vector<std::string> replaced;
    const std::string merged = ApplyTableEdits(file.text, m_text, edits, replaced);
    const Contents before = m_now;
    Messages ofTheFile; // its faults are the merged text's too
    m_base = contentsOf(file.text, ofTheFile);
    m_now = contentsOf(merged, messages);
    m_text = file.text;
    m_damaged = false;
    sortViews();
    return !(m_now == before);
}

} // namespace tes
